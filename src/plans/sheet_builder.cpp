#include "plans/sheet_builder.h"

#include "widgets/ui_font.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace lum::sheet {
namespace {

QLabel* framed(QWidget* sheet, const QRect& r, const QString& caption, const char* background) {
    auto* l = new QLabel(caption, sheet);
    l->setGeometry(r);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(QStringLiteral("border: 1px solid black; background: %1;").arg(QLatin1String(background)));
    return l;
}

}  // namespace

QWidget* panel(const char* name, int width, int height) {
    auto* p = new QWidget;
    p->setObjectName(QString::fromLatin1(name));
    p->setFixedSize(width, height);
    p->setAutoFillBackground(true);
    QPalette white = p->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    p->setPalette(white);
    p->setFont(uiFont(10));
    return p;
}

QLabel* heading(QWidget* sheet, const QRect& r, const QString& caption) { return framed(sheet, r, caption, "#EEEEEE"); }

QLabel* cell(QWidget* sheet, const QRect& r) { return framed(sheet, r, {}, "white"); }

QLabel* label(QWidget* sheet, const char* name, const QRect& r, const QString& text, Qt::Alignment align) {
    auto* l = new QLabel(text, sheet);
    if (name) l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(r);
    l->setAlignment(align);
    return l;
}

QLineEdit* edit(QWidget* sheet, const char* name, const QRect& r) {
    auto* e = new QLineEdit(sheet);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(r);
    return e;
}

QPlainTextEdit* memo(QWidget* sheet, const char* name, const QRect& r) {
    auto* m = new QPlainTextEdit(sheet);
    m->setObjectName(QString::fromLatin1(name));
    m->setGeometry(r);
    m->setTabChangesFocus(true);
    return m;
}

QComboBox* combo(QWidget* sheet, const char* name, const QRect& r, bool editable) {
    auto* box = new QComboBox(sheet);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(r);
    box->setEditable(editable);
    if (editable) box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

}  // namespace lum::sheet
