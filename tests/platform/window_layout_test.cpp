// Window state from the WinState setting and the centring of a window's panel.
#include "platform/ui/window_layout.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace lum {
namespace {

TEST(WindowLayout, CentringTruncatesTowardZero) {
    struct Case {
        int area, panel, offset;
    } const cases[] = {
        {100, 100, 0},   {107, 100, 3},   {108, 100, 4},   {101, 100, 0},
        {97, 100, -1},   {99, 100, 0},    {96, 100, -2},   {0, 545, -272},
        {641, 545, 48},  {-10, 5, -7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(centredOffset(c.area, c.panel), c.offset) << c.area << " " << c.panel;
    }
    EXPECT_EQ(centredPosition(QSize(800, 600), QSize(545, 585)), QPoint(127, 7));
    EXPECT_EQ(centredPosition(QSize(500, 580), QSize(545, 585)), QPoint(-22, -2));
}

TEST(WindowLayout, OnlyTheExactWordMaximises) {
    const std::pair<QString, bool> cases[] = {
        {"wsMaximized", true},  {"wsmaximized", false}, {"WSMAXIMIZED", false},
        {"wsNormal", false},    {"", false},            {" wsMaximized", false},
        {"wsMaximized ", false}, {"wsMinimized", false},
    };
    for (const auto& [text, maximised] : cases) {
        EXPECT_EQ(isMaximizedSetting(text), maximised) << text.toStdString();
    }
}

TEST(WindowLayout, WindowStateFollowsTheSetting) {
    QWidget window;
    window.setWindowState(Qt::WindowMinimized);
    applyWindowState(window, "wsMaximized");
    EXPECT_EQ(window.windowState(), Qt::WindowMaximized);
    applyWindowState(window, "wsmaximized");
    EXPECT_EQ(window.windowState(), Qt::WindowNoState);
}

struct Screen {
    QWidget window;
    QWidget* area = new QWidget(&window);
    QWidget* panel = new QWidget(area);
    Screen() {
        window.resize(400, 300);
        area->setGeometry(0, 0, 300, 200);
        panel->resize(97, 50);
    }
};

TEST(WindowLayout, PanelsAreCentredInTheirClientArea) {
    Screen s;
    centrePanel(*s.panel);
    EXPECT_EQ(s.panel->pos(), QPoint(101, 75));
    centrePanel(*s.panel, {Centring::Area::Client, 60});  // horizontally, top at 60
    EXPECT_EQ(s.panel->pos(), QPoint(101, 60));
    s.panel->resize(303, 205);  // larger than the area
    centrePanel(*s.panel);
    EXPECT_EQ(s.panel->pos(), QPoint(-1, -2));
    s.panel->resize(97, 50);
    centrePanel(*s.panel, {Centring::Area::Outer, {}});  // the window's outer size
    const QSize outer = s.window.frameGeometry().size();
    EXPECT_EQ(s.panel->pos(), QPoint((outer.width() - 97) / 2, (outer.height() - 50) / 2));
    EXPECT_EQ(s.panel->pos(), QPoint(151, 125));
}

TEST(WindowLayout, KeepCentredFollowsShowAndResize) {
    Screen s;
    keepCentred(*s.panel);
    EXPECT_EQ(s.panel->pos(), QPoint(101, 75));
    s.window.show();
    s.area->resize(200, 100);
    EXPECT_EQ(s.panel->pos(), QPoint(51, 25));
    s.area->resize(94, 47);
    EXPECT_EQ(s.panel->pos(), QPoint(-1, -1));
    s.window.hide();
    s.panel->move(0, 0);
    s.window.show();
    EXPECT_EQ(s.panel->pos(), QPoint(-1, -1));
}

}  // namespace
}  // namespace lum
