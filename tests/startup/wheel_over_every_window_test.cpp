// The wheel over every window of the start-up list, as a user meets it: one
// notch down and one up over each drop-down, spin box and date field that
// does not hold the focus leaves every value of the window where it was and
// the focus where it was. The client registration has a client open and each
// document window a new document of that client, so their fields show.
#include "every_window.h"
#include "running_app_fixture.h"
#include "support/qt_printers.h"
#include "support/wheel.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <gmock/gmock.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

namespace {

using ::testing::IsSupersetOf;

bool isValueControl(const QWidget* w) {
    return qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

QString nameOf(const QWidget* w) {
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

// Every value the user could see change in the window.
QStringList valuesOf(const QWidget* window) {
    QStringList values;
    for (const QComboBox* c : window->findChildren<QComboBox*>())
        values << QStringLiteral("%1=%2 %3").arg(nameOf(c)).arg(c->currentIndex()).arg(c->currentText());
    for (const QAbstractSpinBox* s : window->findChildren<QAbstractSpinBox*>())
        values << QStringLiteral("%1=%2").arg(nameOf(s), s->text());
    for (const QLineEdit* e : window->findChildren<QLineEdit*>())
        values << QStringLiteral("%1=%2").arg(nameOf(e), e->text());
    return values;
}

// The values that differ, each as "before -> after"; empty when none does.
std::string changes(const QStringList& before, const QStringList& after) {
    QStringList differ;
    for (qsizetype i = 0; i < std::max(before.size(), after.size()); ++i) {
        const QString was = before.value(i), is = after.value(i);
        if (was != is) differ << was + QStringLiteral(" -> ") + is;
    }
    return differ.join(QStringLiteral("; ")).toStdString();
}

std::string focusName() {
    const QWidget* focus = QApplication::focusWidget();
    return focus ? nameOf(focus).toStdString() : std::string("(none)");
}

// A widget of the window that takes the focus by Tab and is not `control`.
QWidget* elsewhereThan(QWidget* window, const QWidget* control) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w == control || control->isAncestorOf(w) || w->isAncestorOf(control)) continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() && !w->focusProxy()) return w;
    }
    return window;
}

class WheelOverEveryWindowTest : public RunningAppTest {};

TEST_P(WheelOverEveryWindowTest, ANotchOverAControlWithoutTheFocusChangesNoValueAndMovesNoFocus) {
    lum::ScriptedDialogs d;
    ASSERT_TRUE(startLoggedIn(d));
    const int client = lum::test::storeFullClient(*databases_.back()->open());

    std::map<QString, int> turnedOver;  // window -> controls turned over
    std::set<QString> controlsTurnedOver;
    lum::test::forEveryWindow(windows_, d, client, [&](QWidget& shown, const QString& name) {
        QWidget* window = &shown;
        // Each page of a window with pages (the practice plan's team is on its second).
        auto* pages = window->findChild<QTabWidget*>();
        for (int page = 0; page < (pages ? pages->count() : 1); ++page) {
            if (pages) pages->setCurrentIndex(page);
            for (QWidget* control : window->findChildren<QWidget*>()) {
                if (!isValueControl(control) || !control->isVisible()) continue;
                for (QWidget* p = control->parentWidget(); p; p = p->parentWidget())
                    if (auto* area = qobject_cast<QScrollArea*>(p)) area->ensureWidgetVisible(control);
                // The pointer where the user sees the control; one hidden under another is not under it.
                const QPoint pointer = control->mapToGlobal(control->rect().center());
                const QWidget* under = lum::test::widgetUnder(control, pointer);
                if (under != control && !control->isAncestorOf(under)) continue;
                SCOPED_TRACE(nameOf(control).toStdString());
                QWidget* elsewhere = elsewhereThan(window, control);
                elsewhere->setFocus(Qt::TabFocusReason);
                ASSERT_EQ(QApplication::focusWidget(), elsewhere);
                const std::string focus = focusName();
                const QStringList before = valuesOf(window);
                for (int delta : {-120, 120}) {
                    lum::test::turnWheelAt(window, pointer, delta);
                    EXPECT_EQ(changes(before, valuesOf(window)), "") << "after a notch of " << delta;
                    EXPECT_EQ(focusName(), focus) << "after a notch of " << delta;
                }
                ++turnedOver[name];
                controlsTurnedOver.insert(name + QLatin1Char('.') + nameOf(control));
            }
        }
    });
    // The registration's drop-downs and date pickers, and every document's sheet.
    EXPECT_THAT(controlsTurnedOver,
                IsSupersetOf({"TUserRegistForm.SexBox", "TUserRegistForm.RihaTypeBox", "TUserRegistForm.JiritsudoBox",
                              "TUserRegistForm.NinchidoBox", "TUserRegistForm.YoukaigodoBox",
                              "TUserRegistForm.BirthDatePicker", "TUserRegistForm.TaiinDayPicker",
                              "TUserRegistForm.NyushoDayPicker", "TUserRegistForm.TaishoDayPicker",
                              "TCurePlanForm.Negaeri"}));
    for (const char* document : {"TCurePlanForm", "TPracticePlanForm", "TURinPlanForm", "TURinPractForm",
                                 "TConferenceForm", "TBeforeConferenceForm", "TLifeEstimateForm"})
        EXPECT_GE(turnedOver[QString::fromLatin1(document)], 1) << document;
}

LUM_INSTANTIATE_DATABASE_TESTS(WheelOverEveryWindowTest);

}  // namespace
