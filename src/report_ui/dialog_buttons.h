#pragma once
// The right-aligned OK and cancel buttons at the foot of the engine's
// dialogs ("OkButton" is the default and accepts, "CancelButton" rejects).
#include <QDialog>
#include <QString>

class QBoxLayout;
class QPushButton;

namespace lum {

struct DialogButtons {
    QPushButton* ok;
    QPushButton* cancel;
};

DialogButtons addDialogButtons(QDialog& dialog, QBoxLayout& layout, const QString& okText, const QString& cancelText);

}  // namespace lum
