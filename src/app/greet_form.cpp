#include "app/greet_form.h"

#include "app/pictures.h"
#include "widgets/ui_font.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace {

// The picture filling the window, drawn straight into it when painted.
class SplashPicture : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        lum::drawSplashPicture(p, size());
    }
};

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QFont& font,
                 const QColor& color, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
    label->setGeometry(geometry);
    return label;
}

}  // namespace

TGreetForm::TGreetForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("GreetForm"));
    setWindowTitle(QStringLiteral("リハビリ支援システム"));
    setFixedSize(kClientWidth, kClientHeight);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    auto* picture = new SplashPicture(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(0, 0, kClientWidth, kClientHeight);

    QFont product = lum::uiFont(54, QFont::Bold);
    product.setItalic(true);
    product.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("Noto Serif CJK JP")});
    // The product name twice: a grey shadow a few pixels below and to the right.
    addLabel(this, QStringLiteral("Label4"), QStringLiteral("Lumorind"), product,
             QColor(0x9a, 0xa5, 0xa0), QRect(44, 84, 420, 90));
    addLabel(this, QStringLiteral("Label3"), QStringLiteral("Lumorind"), product,
             QColor(0x1f, 0x5e, 0x46), QRect(40, 80, 420, 90));
    addLabel(this, QStringLiteral("Label1"), QStringLiteral("リハビリ支援システム"),
             lum::uiFont(24, QFont::Bold), QColor(0x33, 0x33, 0x33), QRect(46, 186, 420, 44));
    addLabel(this, QStringLiteral("Label2"), QStringLiteral("Ver 5.0"), lum::uiFont(14),
             QColor(0x33, 0x33, 0x33), QRect(46, 234, 200, 28));

    const QFont progress = lum::uiFont(12);
    const QColor ink(0x2f, 0x85, 0x63);
    GLabel1 = addLabel(this, QStringLiteral("GLabel1"), QString(), progress, ink, QRect(46, 330, 560, 26));
    GLabel2 = addLabel(this, QStringLiteral("GLabel2"), QString(), progress, ink, QRect(46, 360, 560, 26));
    GLabel3 = addLabel(this, QStringLiteral("GLabel3"), QString(), progress, ink, QRect(46, 390, 560, 26));

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

void TGreetForm::setProgress(int line, const QString& caption) {
    QLabel* labels[] = {GLabel1, GLabel2, GLabel3};
    if (line < 1 || line > 3) return;
    labels[line - 1]->setText(caption);
    // Only the line that changed: the rest of the window is as it was.
    labels[line - 1]->repaint();
}

void TGreetForm::paintEvent(QPaintEvent* event) {
    painted_ = true;
    QWidget::paintEvent(event);
}
