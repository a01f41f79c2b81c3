// The application's wheel rule with plain widgets, the turns delivered as
// the window system delivers them: over a drop-down, spin box or date field
// without the focus the scroll area around it scrolls and the value and the
// focus stay; a control with the focus steps as Qt has it; a region with a
// rule of its own takes every turn inside it but those over a list; a list
// scrolls itself; value controls take no focus by the wheel.
#include "platform/ui/wheel_rule.h"

#include "support/wheel.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A window with a scroll area (a tall page holding a drop-down, a spin box,
// a date field and a line of text), a region with a rule of its own (a label,
// a drop-down and a list inside it), a list and a drop-down of its own.
struct Window {
    QWidget window;
    QScrollArea* area = new QScrollArea(&window);
    QComboBox* areaCombo;
    QSpinBox* areaSpin;
    QDateEdit* areaDate;
    QLabel* areaLabel;
    QWidget* region = new QWidget(&window);
    QLabel* regionLabel = new QLabel(QStringLiteral("区域"), region);
    QComboBox* regionCombo = new QComboBox(region);
    QListWidget* regionList = new QListWidget(region);
    QListWidget* list = new QListWidget(&window);
    QComboBox* combo = new QComboBox(&window);
    int regionTurns = 0;  // eighths of a degree the region's rule was given

    Window() {
        auto* page = new QWidget;
        page->setFixedSize(300, 2000);
        areaCombo = comboOf(page);
        areaCombo->setGeometry(10, 20, 120, 26);
        areaSpin = new QSpinBox(page);
        areaSpin->setRange(0, 99);
        areaSpin->setValue(5);
        areaSpin->setGeometry(10, 60, 80, 26);
        areaDate = new QDateEdit(QDate(2024, 1, 15), page);
        areaDate->setGeometry(10, 100, 120, 26);
        areaLabel = new QLabel(QStringLiteral("見出し"), page);
        areaLabel->setGeometry(10, 140, 120, 26);
        area->setWidget(page);
        area->setGeometry(0, 0, 320, 300);

        region->setGeometry(330, 0, 300, 300);
        regionLabel->setGeometry(10, 10, 100, 26);
        fill(regionCombo);
        regionCombo->setGeometry(10, 50, 120, 26);
        fill(regionList);
        regionList->setGeometry(10, 90, 200, 150);
        lum::scrollByOwnRule(region, [this](const QWheelEvent& turn) { regionTurns += turn.angleDelta().y(); });

        fill(list);
        list->setGeometry(0, 310, 200, 120);
        fill(combo);
        combo->setGeometry(330, 310, 120, 26);
        window.resize(640, 440);
        window.show();
        window.activateWindow();
    }
    static QComboBox* comboOf(QWidget* parent) {
        auto* c = new QComboBox(parent);
        fill(c);
        return c;
    }
    static void fill(QComboBox* c) {
        c->addItems({QStringLiteral("自立"), QStringLiteral("一部介助"), QStringLiteral("介助")});
        c->setCurrentIndex(1);
    }
    static void fill(QListWidget* l) {
        for (int i = 0; i < 100; ++i) l->addItem(QStringLiteral("行 %1").arg(i));
    }
    QString values() const {
        return QStringLiteral("%1 %2 %3 %4 %5")
            .arg(areaCombo->currentIndex())
            .arg(areaSpin->value())
            .arg(areaDate->date().toString(Qt::ISODate))
            .arg(regionCombo->currentIndex())
            .arg(combo->currentIndex());
    }
};

class WheelRuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        w_ = std::make_unique<Window>();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w_->window));
    }
    std::unique_ptr<Window> w_;
};

TEST_F(WheelRuleTest, ANotchOverAControlWithoutTheFocusScrollsWhatHoldsItAndChangesNothing) {
    struct Case {
        const char* over;
        std::function<QWidget*(Window&)> control;
        std::function<int(Window&)> scrolled;  // how far what holds the control has moved
    };
    const Case cases[] = {
        {"drop-down in a scroll area", [](Window& w) { return w.areaCombo; },
         [](Window& w) { return w.area->verticalScrollBar()->value(); }},
        {"spin box in a scroll area", [](Window& w) { return w.areaSpin; },
         [](Window& w) { return w.area->verticalScrollBar()->value(); }},
        {"date field in a scroll area", [](Window& w) { return w.areaDate; },
         [](Window& w) { return w.area->verticalScrollBar()->value(); }},
        {"drop-down in a region with its own rule", [](Window& w) { return w.regionCombo; },
         [](Window& w) { return -w.regionTurns; }},
        {"drop-down on the window", [](Window& w) { return w.combo; }, [](Window&) { return 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.over);
        QWidget* control = c.control(*w_);
        w_->area->verticalScrollBar()->setValue(0);
        w_->list->setFocus();
        const QString values = w_->values();
        const int before = c.scrolled(*w_);
        // The pointer stays where it is while the page moves under it.
        const QPoint pointer = control->mapToGlobal(control->rect().center());
        lum::test::turnWheelAt(control, pointer, -120);
        EXPECT_EQ(w_->values(), values);
        EXPECT_EQ(QApplication::focusWidget(), w_->list) << "no focus by the wheel";
        if (c.scrolled(*w_) != 0 || before != 0) {
            EXPECT_GT(c.scrolled(*w_), before) << "a notch toward the user moves down";
        }
        lum::test::turnWheelAt(control, pointer, 120);
        EXPECT_EQ(w_->values(), values);
        EXPECT_EQ(QApplication::focusWidget(), w_->list);
        EXPECT_EQ(c.scrolled(*w_), before) << "and back";
    }
}

TEST_F(WheelRuleTest, AControlWithTheFocusStepsAsQtHasIt) {
    for (QAbstractSpinBox* spin : std::initializer_list<QAbstractSpinBox*>{w_->areaSpin, w_->areaDate}) {
        SCOPED_TRACE(spin->metaObject()->className());
        spin->setFocus(Qt::TabFocusReason);
        const QString text = spin->text();
        lum::test::turnWheel(spin, 120);
        EXPECT_NE(spin->text(), text);
        EXPECT_EQ(w_->area->verticalScrollBar()->value(), 0) << "the focused control took the turn";
    }
    for (QComboBox* combo : {w_->areaCombo, w_->regionCombo, w_->combo}) {
        combo->setFocus(Qt::TabFocusReason);
        lum::test::turnWheel(combo, -120);
        EXPECT_EQ(combo->currentIndex(), 2) << combo->parentWidget()->metaObject()->className();
    }
    EXPECT_EQ(w_->regionTurns, 0);
}

TEST_F(WheelRuleTest, ARegionTakesEveryOtherTurnInsideItButThoseOverAList) {
    lum::test::turnWheel(w_->regionLabel, -120);
    lum::test::turnWheelAt(w_->region, w_->region->mapToGlobal(QPoint(250, 20)), -120);
    EXPECT_EQ(w_->regionTurns, -240);
    lum::test::turnWheel(w_->regionList->viewport(), -120);
    EXPECT_EQ(w_->regionTurns, -240);
    EXPECT_GT(w_->regionList->verticalScrollBar()->value(), 0) << "the list scrolls itself";

    // The rule goes with its region.
    delete w_->region;
    w_->region = nullptr;
    lum::test::turnWheelAt(&w_->window, w_->window.mapToGlobal(QPoint(500, 100)), -120);
    EXPECT_EQ(w_->regionTurns, -240);
}

TEST_F(WheelRuleTest, AListScrollsAndAScrollAreaScrollsOverItsPage) {
    lum::test::turnWheel(w_->list->viewport(), -120);
    EXPECT_GT(w_->list->verticalScrollBar()->value(), 0);
    lum::test::turnWheel(w_->areaLabel, -120);
    EXPECT_GT(w_->area->verticalScrollBar()->value(), 0);
}

TEST_F(WheelRuleTest, ValueControlsTakeTheFocusByClickAndTabOnly) {
    for (QWidget* control : std::initializer_list<QWidget*>{w_->areaCombo, w_->areaSpin, w_->areaDate, w_->combo})
        EXPECT_EQ(control->focusPolicy(), Qt::StrongFocus) << control->metaObject()->className();
}

// A turn sent straight to a control, as a window's own code or a test may
// send it, gets the same rule as the window system's.
TEST_F(WheelRuleTest, ATurnSentToAControlGetsTheSameRule) {
    w_->list->setFocus();
    const QString values = w_->values();
    const QPointF at(10, 10);
    QWheelEvent turn(at, w_->areaCombo->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(w_->areaCombo, &turn);
    EXPECT_EQ(w_->values(), values);
    EXPECT_GT(w_->area->verticalScrollBar()->value(), 0);
}

}  // namespace
