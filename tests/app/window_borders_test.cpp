// The windows that carry no border icons (main window, splash, login) ask the
// window manager for none: no system menu, minimise, maximise, close or help
// button; the splash has no border at all.
#include "app/greet_form.h"
#include "app/login_form.h"
#include "app/main_form.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

TEST(WindowBorders, TheWindowsWithoutBorderIconsShowNone) {
    struct Case {
        const char* window;
        std::function<std::unique_ptr<QWidget>()> make;
        bool border;
    };
    const Case cases[] = {
        {"TMainForm", [] { return std::make_unique<TMainForm>(); }, true},
        {"TGreetForm", [] { return std::make_unique<TGreetForm>(); }, false},
        {"TLoginForm", [] { return std::make_unique<TLoginForm>(); }, true},
    };
    const Qt::WindowFlags icons = Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                  Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint |
                                  Qt::WindowContextHelpButtonHint;
    for (const Case& c : cases) {
        const std::unique_ptr<QWidget> w = c.make();
        const Qt::WindowFlags flags = w->windowFlags();
        EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint) || flags.testFlag(Qt::FramelessWindowHint))
            << c.window << ": only the decorations asked for";
        EXPECT_FALSE(flags & icons) << c.window;
        EXPECT_EQ(flags.testFlag(Qt::FramelessWindowHint), !c.border) << c.window;
        if (c.border) {
            EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint)) << c.window << ": the caption stays";
        }
    }
}

}  // namespace
