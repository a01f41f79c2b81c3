#pragma once
// Building a document's paper sheet: a white panel of a fixed size with
// framed cells (grey headings, white value cells) and controls placed at the
// form's own coordinates, so the printed template can mirror them.
#include <QRect>
#include <QString>
#include <Qt>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace lum::sheet {

QWidget* panel(const char* name, int width, int height);
// A grey framed cell with a centred caption.
QLabel* heading(QWidget* sheet, const QRect& r, const QString& caption);
// A white framed cell that controls are laid over.
QLabel* cell(QWidget* sheet, const QRect& r);
// A plain caption or value; name may be null for a fixed caption.
QLabel* label(QWidget* sheet, const char* name, const QRect& r, const QString& text = {},
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
QLineEdit* edit(QWidget* sheet, const char* name, const QRect& r);
// Tab leaves the memo rather than typing a tab.
QPlainTextEdit* memo(QWidget* sheet, const char* name, const QRect& r);
QComboBox* combo(QWidget* sheet, const char* name, const QRect& r, bool editable);

}  // namespace lum::sheet
