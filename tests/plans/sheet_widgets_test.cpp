// The paper sheet's small widgets: the 有/無 marker pair holds its choice
// itself (never read from which marker is visible), answers mouse and keys;
// the sheet's scroll box moves 32 pixels a notch, over any control on the
// sheet too, never changing its value, and centres the sheet.
#include "plans/marker_pair.h"
#include "plans/sheet_scroll_box.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <tuple>

namespace {

using Choice = TMarkerPair::Choice;

TMarkerPair* makePair(QWidget* parent) {
    return new TMarkerPair({"TankiAri", "TankiNasi", "TankiShapeAri", "TankiShapeNasi"}, QStringLiteral("有"),
                           QStringLiteral("無"), parent);
}

TEST(MarkerPair, TheChoiceIsHeldByThePairAndShownByOneMarker) {
    QWidget window;  // never shown: every child reports itself invisible
    TMarkerPair* pair = makePair(&window);
    QSignalSpy clicks(pair, &TMarkerPair::clicked);
    EXPECT_EQ(pair->choice(), Choice::None);
    EXPECT_TRUE(pair->YesShape->isHidden());
    EXPECT_TRUE(pair->NoShape->isHidden());

    pair->setYes(true);
    EXPECT_TRUE(pair->isYes());
    EXPECT_FALSE(pair->YesShape->isHidden());
    EXPECT_TRUE(pair->NoShape->isHidden());
    EXPECT_EQ(clicks.count(), 0);  // set by the window, not chosen by the user

    QTest::mouseClick(pair->NoLabel, Qt::LeftButton);
    EXPECT_EQ(pair->choice(), Choice::No);
    EXPECT_TRUE(pair->YesShape->isHidden());
    EXPECT_FALSE(pair->NoShape->isHidden());
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_FALSE(clicks.at(0).at(0).toBool());

    EXPECT_EQ(window.findChild<QWidget*>("TankiShapeAri"), pair->YesShape);
    EXPECT_EQ(window.findChild<QWidget*>("TankiNasi"), pair->NoLabel);
}

TEST(MarkerPair, SpaceOrEnterOnAFocusedCaptionChoosesIt) {
    QWidget window;
    TMarkerPair* pair = makePair(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy clicks(pair, &TMarkerPair::clicked);
    pair->YesLabel->setFocus();
    QTest::keyClick(pair->YesLabel, Qt::Key_Space);
    EXPECT_TRUE(pair->isYes());
    QTest::keyClick(pair->YesLabel, Qt::Key_Tab);
    EXPECT_TRUE(pair->NoLabel->hasFocus());
    QTest::keyClick(pair->NoLabel, Qt::Key_Return);
    EXPECT_EQ(pair->choice(), Choice::No);
    EXPECT_EQ(clicks.count(), 2);
}

void wheelOver(QWidget* over, int delta) {
    const QPointF at(10, 10);
    QWheelEvent e(at, over->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(over, &e);
}

void wheel(TSheetScrollBox& box, int delta) { wheelOver(box.viewport(), delta); }

TEST(SheetScrollBox, TheWheelMoves32PixelsANotchAndAResizeCentresTheSheet) {
    TSheetScrollBox box;
    auto* sheet = new QWidget;
    sheet->setFixedSize(800, 2000);
    box.setWidget(sheet);
    box.resize(400, 300);
    box.show();
    QScrollBar* down = box.verticalScrollBar();
    wheel(box, -120);
    EXPECT_EQ(down->value(), 32);
    wheel(box, -60);  // half a notch from a touch pad waits for the other half
    EXPECT_EQ(down->value(), 32);
    wheel(box, -60);
    EXPECT_EQ(down->value(), 64);
    wheel(box, 240);
    EXPECT_EQ(down->value(), 0);

    // Narrower than the sheet: its middle shows; the scroll position down stays.
    down->setValue(100);
    box.resize(500, 300);
    QScrollBar* across = box.horizontalScrollBar();
    EXPECT_EQ(across->value(), across->maximum() / 2);
    EXPECT_EQ(down->value(), 100);
    box.ScrollToTopOnResize = true;
    box.resize(1000, 300);
    EXPECT_EQ(down->value(), 0);
    // Wider than the sheet: centred.
    EXPECT_EQ(sheet->x(), (box.viewport()->width() - 800) / 2);
}

}  // namespace

// Over a drop-down, a spin box or a date field on the sheet the notch scrolls
// the sheet and leaves the value; with the focus in it the control steps.
TEST(SheetScrollBox, TheWheelOverAControlScrollsTheSheetAndLeavesTheValue) {
    auto makeControls = [](QWidget* parent, int top) {
        auto* combo = new QComboBox(parent);
        combo->addItems({QStringLiteral("自立"), QStringLiteral("一部介助"), QStringLiteral("介助")});
        combo->setGeometry(10, top, 120, 26);
        auto* spin = new QSpinBox(parent);
        spin->setRange(0, 99);
        spin->setValue(5);
        spin->setGeometry(10, top + 40, 80, 26);
        auto* date = new QDateEdit(QDate(2024, 1, 15), parent);
        date->setGeometry(10, top + 80, 120, 26);
        return std::tuple{combo, spin, date};
    };
    auto values = [](QComboBox* combo, QSpinBox* spin, QDateEdit* date) {
        return QStringLiteral("%1 %2 %3").arg(combo->currentIndex()).arg(spin->value()).arg(date->date().toString());
    };
    QWidget window;
    auto* box = new TSheetScrollBox(&window);
    box->setGeometry(0, 0, 400, 300);
    auto* sheet = new QWidget;
    sheet->setFixedSize(380, 2000);
    auto [combo, spin, date] = makeControls(sheet, 20);
    box->setWidget(sheet);
    auto [outCombo, outSpin, outDate] = makeControls(&window, 320);
    window.resize(400, 440);
    window.show();

    const QString before = values(combo, spin, date);
    int expected = 0;
    for (QWidget* over : std::initializer_list<QWidget*>{combo, spin, date, spin->findChild<QLineEdit*>()}) {
        wheelOver(over, -120);
        expected += TSheetScrollBox::WheelStep;
        EXPECT_EQ(box->verticalScrollBar()->value(), expected) << over->metaObject()->className();
        EXPECT_EQ(values(combo, spin, date), before);
    }
    wheelOver(combo, 240);
    EXPECT_EQ(box->verticalScrollBar()->value(), expected - 2 * TSheetScrollBox::WheelStep);

    // Outside the sheet the same notches leave the values as well: the
    // application's rule holds every control without the focus.
    const QString outside = values(outCombo, outSpin, outDate);
    for (QWidget* over : std::initializer_list<QWidget*>{outCombo, outSpin, outDate}) wheelOver(over, -120);
    EXPECT_EQ(values(outCombo, outSpin, outDate), outside);

    // A control with the focus steps, on the sheet or off it, and the sheet stays.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    box->verticalScrollBar()->setValue(0);
    for (QComboBox* focused : {combo, outCombo}) {
        focused->setFocus(Qt::TabFocusReason);
        const int index = focused->currentIndex();
        wheelOver(focused, -120);
        EXPECT_EQ(focused->currentIndex(), index + 1);
        EXPECT_EQ(box->verticalScrollBar()->value(), 0);
    }
    window.setFocus();

    // Hidden and shown again, the sheet takes the notches again.
    window.hide();
    box->verticalScrollBar()->setValue(0);
    window.show();
    wheelOver(combo, -120);
    EXPECT_EQ(box->verticalScrollBar()->value(), TSheetScrollBox::WheelStep);
}
