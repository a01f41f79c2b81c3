// The placement rule: every window lies inside the screen's available area,
// as it is shown and as it grows, without the window asking for it.
#include "platform/ui/screen_fit.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace lum {
namespace {

QRect area() { return QGuiApplication::primaryScreen()->availableGeometry(); }

// The widgets Tab goes to from `from`, in order, once round the window.
QList<QWidget*> tabStops(QWidget* from) {
    QList<QWidget*> stops;
    for (QWidget* w = from->nextInFocusChain(); w != from; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled()) stops << w;
    return stops;
}

TEST(ScreenFit, AFrameIsMovedInByAsLittleAsItTakesAndCutToTheArea) {
    const QRect screen(0, 0, 1024, 768);
    struct Case {
        QRect frame, placed;
    } const cases[] = {
        {{10, 20, 500, 400}, {10, 20, 500, 400}},      // inside: stays
        {{-82, 89, 1196, 594}, {0, 89, 1024, 594}},    // wider than the area, left of it
        {{-106, 128, 1000, 517}, {0, 128, 1000, 517}}, // left of the area
        {{700, 600, 500, 400}, {524, 368, 500, 400}},  // beyond the right and bottom edges
        {{0, -30, 300, 200}, {0, 0, 300, 200}},        // the title bar above the screen
        {{900, 900, 2000, 1000}, {0, 0, 1024, 768}},   // larger both ways, beyond both edges
        {{0, 0, 1024, 768}, {0, 0, 1024, 768}},        // exactly the area
    };
    for (const Case& c : cases) EXPECT_EQ(frameInside(c.frame, screen), c.placed) << c.frame.x() << "," << c.frame.y();
    // An area not at the origin (a panel on the left or at the top).
    EXPECT_EQ(frameInside({0, 0, 200, 100}, {40, 30, 984, 738}), QRect(40, 30, 200, 100));
    EXPECT_EQ(frameInside({0, 0, 1024, 768}, {40, 30, 984, 738}), QRect(40, 30, 984, 738));
}

// A window placed by its own code beyond the screen (as a window centring
// itself on the screen while wider than it did) is put back on show.
TEST(ScreenFit, AWindowShownBeyondTheScreenIsPutInsideIt) {
    struct Case {
        QPoint at;
        QSize size;
    } const cases[] = {{{-106, 128}, {600, 400}}, {{900, 700}, {600, 400}}, {{-50, -50}, {1300, 900}}};
    for (const Case& c : cases) {
        QWidget window;
        window.resize(c.size);
        window.move(c.at);
        window.show();
        EXPECT_TRUE(area().contains(window.frameGeometry())) << c.at.x() << "," << c.at.y();
        window.resize(c.size + QSize(300, 300));  // and again when it grows
        EXPECT_TRUE(area().contains(window.frameGeometry())) << c.at.x() << "," << c.at.y();
    }
}

// A dialog whose layout cannot shrink to the screen shows its content in a
// scroll area, with every control and the Tab order it had.
TEST(ScreenFit, ADialogThatCannotShrinkScrollsItsContent) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* first = new QLineEdit(&dialog);
    auto* wide = new QPushButton(QStringLiteral("広い"), &dialog);
    wide->setMinimumSize(area().width() + 200, 40);
    auto* last = new QLineEdit(&dialog);
    for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(wide), static_cast<QWidget*>(last)})
        layout->addWidget(w);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    QWidget::setTabOrder(last, wide);
    QWidget::setTabOrder(wide, first);
    const QList<QWidget*> tabOrder = tabStops(last);
    ASSERT_EQ(tabOrder, (QList<QWidget*>{wide, first}));
    dialog.show();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);

    EXPECT_TRUE(area().contains(dialog.frameGeometry()));
    auto* scroll = dialog.findChild<QScrollArea*>(QLatin1String(kFittedContentScroll));
    ASSERT_NE(scroll, nullptr);
    EXPECT_TRUE(scroll->widget()->isAncestorOf(wide));
    EXPECT_EQ(wide->window(), &dialog);
    EXPECT_GE(scroll->widget()->width(), wide->minimumWidth());
    EXPECT_GT(scroll->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(tabStops(last), tabOrder);
    // Shown again, it is not wrapped twice.
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.findChildren<QScrollArea*>().size(), 1);
}

// Maximised and full-screen windows are the window manager's; popups Qt's.
TEST(ScreenFit, MaximisedWindowsAndPopupsAreLeftAlone) {
    QWidget maximised;
    maximised.resize(300, 200);
    maximised.move(-40, -40);
    maximised.setWindowState(Qt::WindowMaximized);
    fitInsideScreen(maximised);
    EXPECT_EQ(maximised.pos(), QPoint(-40, -40));
    QWidget popup(nullptr, Qt::Popup);
    popup.resize(100, 100);
    popup.move(-30, 10);
    fitInsideScreen(popup);
    EXPECT_EQ(popup.pos(), QPoint(-30, 10));
}

}  // namespace
}  // namespace lum
