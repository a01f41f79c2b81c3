// The seven document windows as a user meets their sheets: the mouse wheel
// over a drop-down or a date field scrolls the sheet 32 pixels a notch and
// never changes the value under the pointer; 新規 shows the sheet from its top
// with the caret in its first field; a cancelled client choice leaves the
// document on screen as it was.
#include "plans/before_conference_form.h"
#include "plans/conference_form.h"
#include "plans/cure_plan_form.h"
#include "plans/life_estimate_form.h"
#include "plans/practice_plan_form.h"
#include "plans/sheet_scroll_box.h"
#include "plans/urin_fixture.h"
#include "plans/urin_plan_form.h"
#include "plans/urin_pract_form.h"
#include "support/wheel.h"

#include <QComboBox>
#include <QDateEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <functional>

namespace {

using lum::DocumentId;
using lum::ScriptedDialogs;

struct Sheet {
    DocumentId id;
    std::function<TDocumentForm*()> make;
    const char* control;     // a drop-down or a date field on the sheet
    const char* firstField;  // where the caret is after 新規
};

const Sheet kSheets[] = {
    {DocumentId::CurePlan, [] { return new TCurePlanForm; }, "Negaeri", "PlanRegistDay"},
    {DocumentId::CurePlan, [] { return new TCurePlanForm; }, "RegistDatePicker", "PlanRegistDay"},
    {DocumentId::PracticePlan, [] { return new TPracticePlanForm; }, "TeamBox1", "PlanDateEdit"},
    {DocumentId::UrinPlan, [] { return new TURinPlanForm; }, "TantouBox", "SakuseiDay"},
    {DocumentId::UrinPract, [] { return new TURinPractForm; }, "MakeBox", "HyoukaDayEdit"},
    {DocumentId::BeforeConf, [] { return new TBeforeConferenceForm; }, "DRBox", "JishiDay"},
    {DocumentId::Conference, [] { return new TConferenceForm; }, "DRCombo", "Hizuke"},
    {DocumentId::Estimate, [] { return new TLifeEstimateForm; }, "RegistDatePicker", "DateEdit"},
};

QString valueOf(const QWidget* w) {
    if (const auto* box = qobject_cast<const QComboBox*>(w)) return QString::number(box->currentIndex()) + box->currentText();
    if (const auto* date = qobject_cast<const QDateTimeEdit*>(w)) return date->dateTime().toString(Qt::ISODate);
    return {};
}

TSheetScrollBox* sheetBoxOf(QWidget* w) {
    for (QWidget* p = w; p; p = p->parentWidget())
        if (auto* box = qobject_cast<TSheetScrollBox*>(p)) return box;
    return nullptr;
}

// One notch toward the user (down the sheet) over the widget's middle.
void wheelDown(QWidget* over) {
    const QPointF at(over->width() / 2.0, over->height() / 2.0);
    QWheelEvent e(at, over->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(over, &e);
}

class DocumentSheetsTest : public lum::test::UrinTest {
protected:
    void TearDown() override {
        delete GetCurePlanForm;
        delete GetPractPlanForm;
        delete GetUrinPlanForm;
        delete GetUrinPractForm;
        delete GetBeforeConfForm;
        delete GetConfForm;
        delete GetEstimateForm;
        UrinTest::TearDown();
    }
    // 新規 through the open dialog: the client's number, or Cancel (0). Nothing
    // is modified, so no discard question comes first.
    static bool newDocument(TDocumentForm& form, int cureNo) {
        form.DocChanged = false;
        form.ResetModified();
        ScriptedDialogs d;
        const QString dialog = QString::fromLatin1(form.Kind().dialog.className);
        if (cureNo) d.expectModal(dialog, typeNumber(cureNo));
        else d.expectModal(dialog, QDialog::Rejected);
        form.NewToolButton->click();
        return d.allDone();
    }
};

TEST_P(DocumentSheetsTest, TheWheelScrollsEverySheetAndNewStartsAtItsTop) {
    for (const Sheet& s : kSheets) {
        SCOPED_TRACE(s.control);
        std::unique_ptr<TDocumentForm> form(s.make());
        form->show();
        form->resize(1000, 420);  // the sheet is taller than the window
        ASSERT_TRUE(newDocument(*form, client_));
        auto* control = form->findChild<QWidget*>(QString::fromLatin1(s.control));
        ASSERT_TRUE(control);
        TSheetScrollBox* box = sheetBoxOf(control);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->verticalScrollBar()->value(), 0);
        EXPECT_EQ(form->focusWidget()->objectName(), QString::fromLatin1(s.firstField));
        // The page of the control (the practice plan's team is on its second).
        if (auto* pages = form->findChild<QTabWidget*>()) {
            for (int i = 0; i < pages->count(); ++i)
                if (pages->widget(i)->isAncestorOf(box)) pages->setCurrentIndex(i);
        }
        ASSERT_TRUE(control->isVisible());
        ASSERT_GE(box->verticalScrollBar()->maximum(), 3 * TSheetScrollBox::WheelStep);

        // A value the wheel would step away from.
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            ASSERT_GE(combo->count(), 3);
            combo->setCurrentIndex(1);
        } else if (auto* date = qobject_cast<QDateEdit*>(control)) {
            date->setDate(QDate(2024, 1, 15));
        }
        const QString value = valueOf(control);
        wheelDown(control);
        EXPECT_EQ(valueOf(control), value);
        EXPECT_EQ(box->verticalScrollBar()->value(), TSheetScrollBox::WheelStep);
        wheelDown(control);
        EXPECT_EQ(valueOf(control), value);
        EXPECT_EQ(box->verticalScrollBar()->value(), 2 * TSheetScrollBox::WheelStep);

        // Cancel in the client choice only ends the command.
        ASSERT_TRUE(newDocument(*form, 0));
        EXPECT_TRUE(control->isVisible());
        EXPECT_EQ(valueOf(control), value);
        EXPECT_EQ(form->DocCureNo, client_);
        EXPECT_TRUE(form->SaveToolButton->isEnabled());
        EXPECT_TRUE(form->PrintToolButton->isEnabled());

        // Another 新規 starts at the top of the sheet, on its first page.
        ASSERT_TRUE(newDocument(*form, other_));
        EXPECT_EQ(form->DocCureNo, other_);
        EXPECT_EQ(box->verticalScrollBar()->value(), 0);
        if (auto* pages = form->findChild<QTabWidget*>()) {
            EXPECT_EQ(pages->currentIndex(), 0);
        }
        EXPECT_EQ(form->focusWidget()->objectName(), QString::fromLatin1(s.firstField));
        form->DocChanged = false;
        form->ResetModified();
    }
}

// On the treatment plan a notch over 寝返り, the caret in the first field,
// scrolls the sheet and leaves the value and the caret where they were (↑ then
// changes nothing of 寝返り); with the caret in 寝返り a notch steps it.
TEST_P(DocumentSheetsTest, ANotchOverADropDownMovesNoFocusAndAFocusedOneSteps) {
    std::unique_ptr<TDocumentForm> form(new TCurePlanForm);
    form->show();
    form->resize(1000, 420);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    ASSERT_TRUE(newDocument(*form, client_));
    auto* negaeri = form->findChild<QComboBox*>(QStringLiteral("Negaeri"));
    ASSERT_TRUE(negaeri);
    TSheetScrollBox* box = sheetBoxOf(negaeri);
    box->ensureWidgetVisible(negaeri);
    negaeri->setCurrentIndex(1);
    QWidget* caret = QApplication::focusWidget();
    ASSERT_EQ(caret->objectName(), QStringLiteral("PlanRegistDay"));
    const int top = box->verticalScrollBar()->value();
    ASSERT_GE(top, TSheetScrollBox::WheelStep) << "寝返り lies below the sheet's first screen";
    const QPoint pointer = negaeri->mapToGlobal(negaeri->rect().center());

    lum::test::turnWheelAt(negaeri, pointer, 120);
    EXPECT_EQ(box->verticalScrollBar()->value(), top - TSheetScrollBox::WheelStep);
    EXPECT_EQ(negaeri->currentIndex(), 1);
    EXPECT_EQ(QApplication::focusWidget(), caret);
    lum::test::turnWheelAt(negaeri, pointer, -120);
    EXPECT_EQ(box->verticalScrollBar()->value(), top);
    EXPECT_EQ(QApplication::focusWidget(), caret);
    QTest::keyClick(caret, Qt::Key_Up);
    EXPECT_EQ(negaeri->currentIndex(), 1);

    negaeri->setFocus(Qt::TabFocusReason);
    const int focusedAt = box->verticalScrollBar()->value();
    lum::test::turnWheel(negaeri, -120);
    EXPECT_EQ(negaeri->currentIndex(), 2);
    EXPECT_EQ(box->verticalScrollBar()->value(), focusedAt);
    form->DocChanged = false;
    form->ResetModified();
}

LUM_INSTANTIATE_DATABASE_TESTS(DocumentSheetsTest);

}  // namespace
