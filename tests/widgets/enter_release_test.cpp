// An Enter release counts only on the widget that received its press.
#include "widgets/enter_release.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <functional>

namespace {

enum class Step { PressA, ReleaseA, ReleaseB, PressB, RepeatPressA, RepeatReleaseA, FocusOutA, PressOtherKeyA };

void send(QWidget* w, QEvent::Type type, int key, bool autoRepeat = false) {
    QKeyEvent e(type, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(w, &e);
}

struct Case {
    const char* what;
    std::vector<Step> steps;
    int actionsOnA;
    int actionsOnB;
};

TEST(EnterRelease, OnlyAReleaseWhosePressTheWidgetReceivedActs) {
    const Case cases[] = {
        {"press and release", {Step::PressA, Step::ReleaseA}, 1, 0},
        {"twice", {Step::PressA, Step::ReleaseA, Step::PressA, Step::ReleaseA}, 2, 0},
        {"a release alone (the Enter that closed a message box)", {Step::ReleaseA}, 0, 0},
        {"pressed on one, released on the other", {Step::PressA, Step::ReleaseB}, 0, 0},
        {"pressed on the other, released here", {Step::PressB, Step::ReleaseA}, 0, 0},
        {"the focus left between press and release", {Step::PressA, Step::FocusOutA, Step::ReleaseA}, 0, 0},
        {"held down: the repeats do not count", {Step::PressA, Step::RepeatReleaseA, Step::RepeatPressA, Step::ReleaseA},
         1, 0},
        {"a release counts once", {Step::PressA, Step::ReleaseA, Step::ReleaseA}, 1, 0},
        {"another key between", {Step::PressA, Step::PressOtherKeyA, Step::ReleaseA}, 1, 0},
    };
    for (const Case& c : cases) {
        QLineEdit a;
        QLineEdit b;
        int onA = 0;
        int onB = 0;
        lum::onEnterReleased(&a, [&] { ++onA; });
        lum::onEnterReleased(&b, [&] { ++onB; });
        for (Step step : c.steps) {
            switch (step) {
            case Step::PressA: send(&a, QEvent::KeyPress, Qt::Key_Return); break;
            case Step::ReleaseA: send(&a, QEvent::KeyRelease, Qt::Key_Return); break;
            case Step::PressB: send(&b, QEvent::KeyPress, Qt::Key_Enter); break;
            case Step::ReleaseB: send(&b, QEvent::KeyRelease, Qt::Key_Enter); break;
            case Step::RepeatPressA: send(&a, QEvent::KeyPress, Qt::Key_Return, true); break;
            case Step::RepeatReleaseA: send(&a, QEvent::KeyRelease, Qt::Key_Return, true); break;
            case Step::PressOtherKeyA: send(&a, QEvent::KeyPress, Qt::Key_A); break;
            case Step::FocusOutA: {
                QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
                QApplication::sendEvent(&a, &out);
                break;
            }
            }
        }
        EXPECT_EQ(onA, c.actionsOnA) << c.what;
        EXPECT_EQ(onB, c.actionsOnB) << c.what;
    }
}

}  // namespace
