// The treatment plan window on both backends, driven by its control names:
// New, fill, chart, Save; Open gives everything back; Save again leaves one
// plan with only the new marks; Delete. Then the checks of CollectRecord in
// their order, the chart's clicks, failed opens, the questions that keep
// edits, and the printout.
#include "plans/cure_plan_form.h"

#include "common/era_text.h"
#include "plans/entry_checks.h"
#include "plans/open_document_dialog.h"
#include "plans/plan_store.h"
#include "plans/plans_fixture.h"
#include "plans/riha_shape.h"
#include "platform/ui/scripted_dialogs.h"
#include "report/objects/picture_view.h"
#include "support/document_peer.h"
#include "support/page_layout.h"
#include "support/short_lines.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using lum::ChartSide;
using lum::Corner;
using lum::FigureRow;
using lum::MarkKind;
using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

const QString kPlanDialog = QStringLiteral("TGetCurePlanForm");

class CurePlanFormTest : public lum::test::PlansTest {
protected:
    void SetUp() override {
        PlansTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        form_ = std::make_unique<TCurePlanForm>();
        form_->TemplateDir = QStringLiteral(LUMORIND_TEMPLATE_DIR);
        form_->show();
    }
    void TearDown() override {
        if (form_) form_->DocChanged = false;
        form_.reset();
        delete GetCurePlanForm;
        PlansTest::TearDown();
    }
    TCurePlanForm& f() { return *form_; }
    template <class T>
    T* control(const char* name) {
        T* c = f().findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(c) << name;
        return c;
    }

    static lum::ScriptedDialogs::ModalAction typeNumber(int cureNo) {
        return [cureNo](QDialog& dialog) {
            auto& d = static_cast<TGetDocumentForm&>(dialog);
            d.CureNoEdit->setText(QString::number(cureNo));
            d.ConFirmButton->click();
            return d.result();
        };
    }
    // New for a client, with the start typed key by key.
    void newPlan(int cureNo, const QString& startKeys = QStringLiteral("R060131")) {
        lum::ScriptedDialogs d;
        d.expectModal(kPlanDialog, typeNumber(cureNo));
        f().NewToolButton->click();
        ASSERT_TRUE(d.allDone()) << d.report().toStdString();
        typeDate(f().PlanRegistDay, startKeys);
    }
    void openPlan(int cureNo) {
        lum::ScriptedDialogs d;
        d.expectModal(kPlanDialog, typeNumber(cureNo));
        f().OpenToolButton->click();
        ASSERT_TRUE(d.allDone()) << d.report().toStdString();
    }
    void choose(const char* combo, int index) {
        auto* box = control<QComboBox>(combo);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    void click(QWidget* on, Qt::MouseButton button, QPoint at, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(on, button, modifiers, at);
    }
    void chooseKind(int kind) { f().ShogaiKubunButtons[kind]->setChecked(true); }
    bool save(const QString& expectedMessage) {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, expectedMessage, MsgButton::Ok);
        f().SaveToolButton->click();
        return d.allDone();
    }
    // Save a plan of 2024-01-31 that another stored plan stands in the way
    // of, answering the question; with はい the saved message follows.
    void saveAnsweringOverwrite(MsgButton answer);
    int rows(const QString& sql) {
        QSqlQuery q = db().prepare(sql);
        db().exec(q);
        return q.next() ? q.value(0).toInt() : -1;
    }

    std::unique_ptr<TCurePlanForm> form_;
};

const QString kOverwrite = QStringLiteral("保存されたデータがあります。\n上書きしますか？");
const QString kSavedFor20240131 =
    QStringLiteral("利用者番号 = %1\n計画登録日 = 2024/01/31\nで登録しました。");

void CurePlanFormTest::saveAnsweringOverwrite(MsgButton answer) {
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, kOverwrite, answer);
    if (answer == MsgButton::Yes) d.expect(MsgKind::Information, kSavedFor20240131.arg(client_), MsgButton::Ok);
    f().SaveToolButton->click();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

// The window's header, shown again after the plan's ratings change.
class HeaderProbe : public TCurePlanForm {
public:
    using TCurePlanForm::ShowHeader;
};

// Where a centred label draws a text: its glyphs' own outline, on the window.
QRectF centredInk(const QLabel& label, const QString& text) {
    const QFontMetricsF fm(label.font());
    const QRectF r(label.geometry());
    const double x = r.left() + (r.width() - fm.horizontalAdvance(text)) / 2;
    const double top = r.top() + (r.height() - fm.height()) / 2;
    return fm.tightBoundingRect(text).translated(x, top + fm.ascent());
}

// The ring of each printed scale (自立度, 認知度, 要介護度) sits on the chosen
// word whole, on every choice, and touches no other word: a ring that runs
// through the first stroke of ⅢA reads ⅡA.
TEST_P(CurePlanFormTest, EveryRingHoldsItsChosenWordWhole) {
    HeaderProbe probe;
    const struct {
        const char* circle;
        int lum::TPlan::*rating;
        QStringList words;
    } scales[] = {
        {"JiritsuCircle", &lum::TPlan::Jiritsu_KBN, {"正常", "J1", "J2", "A1", "A2", "B1", "B2", "C1", "C2"}},
        {"NinchiCircle", &lum::TPlan::Ninchi_KBN, {"正常", "Ⅰ", "ⅡA", "ⅡB", "ⅢA", "ⅢB", "Ⅳ", "M"}},
        {"YoukaigoCircle", &lum::TPlan::YOUKAIGO_KBN, {"1", "2", "1", "2", "3", "4", "5"}},
    };
    for (const auto& scale : scales) {
        auto* circle = probe.findChild<QLabel*>(QString::fromLatin1(scale.circle));
        ASSERT_TRUE(circle);
        // The scale's words: the labels on the circle's row, left to right.
        std::vector<const QLabel*> words;
        for (const QLabel* l : probe.CurePlanPanel->findChildren<QLabel*>()) {
            if (l == circle || l->y() > circle->geometry().bottom() || l->geometry().bottom() < circle->y()) continue;
            if (scale.words.contains(l->text()) && l->x() > 500) words.push_back(l);
        }
        std::sort(words.begin(), words.end(), [](const QLabel* a, const QLabel* b) { return a->x() < b->x(); });
        ASSERT_EQ(int(words.size()), scale.words.size()) << scale.circle;
        for (int choice = 0; choice < int(words.size()); ++choice) {
            probe.Plan.*scale.rating = choice;
            probe.ShowHeader();
            ASSERT_FALSE(circle->isHidden());
            const QFontMetricsF fm(circle->font());
            const QRectF cell(circle->geometry());
            double stroke = 1;
            const QRectF outer = lum::test::ringInk(
                circle->font(), QPointF(cell.left() + (cell.width() - fm.horizontalAdvance(circle->text())) / 2,
                                        cell.top() + (cell.height() - fm.height()) / 2),
                &stroke);
            const QRectF inner = outer.adjusted(stroke, stroke, -stroke, -stroke);
            for (int w = 0; w < int(words.size()); ++w) {
                const QRectF ink = centredInk(*words[size_t(w)], words[size_t(w)]->text());
                if (w == choice)
                    EXPECT_TRUE(lum::test::ringHolds(inner, ink)) << scale.circle << " " << choice << " ring " << inner.x() << "," << inner.y() << " " << inner.width() << "x" << inner.height() << " word " << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
                else
                    EXPECT_FALSE(lum::test::ringTouches(outer, ink)) << scale.circle << " " << choice << " touches " << w << " ring " << outer.x() << "+" << outer.width() << " word " << ink.x() << "+" << ink.width();
            }
        }
    }
}

TEST_P(CurePlanFormTest, NewFillChartSaveOpenSaveAgainDelete) {
    EXPECT_FALSE(f().CurePlanPanel->isVisible());
    EXPECT_FALSE(f().SaveToolButton->isEnabled());
    newPlan(client_);
    ASSERT_TRUE(f().CurePlanPanel->isVisible());
    EXPECT_EQ(control<QLabel>("NameLabel")->text(), QStringLiteral("山田　花子"));
    EXPECT_EQ(control<QLabel>("SexLabel")->text(), QStringLiteral("女性"));
    EXPECT_EQ(control<QLabel>("ShikanLabel6")->text(), QString(25, QChar(u'糖')));  // cut to 50 bytes
    EXPECT_TRUE(control<QLabel>("YoukaigoCircle")->isVisible());
    // Enter on the start gives the default end.
    EXPECT_EQ(f().PlanStopDay->text(), lum::DateToEraText(TDateTime::fromYmd(2024, 4, 29)));
    EXPECT_EQ(f().EndDatePicker->date(), QDate(2024, 4, 29));

    choose("KansetsuBox", 1);
    choose("MahiUpDetailBox", 6);
    choose("ShiryokuBox", 3);
    control<QComboBox>("KansetsuComment")->setEditText(QStringLiteral("右肩①～"));
    f().EtcMemo->setPlainText(QStringLiteral("一行目\n二行目"));
    control<QCheckBox>("Haikai")->click();
    control<QCheckBox>("Shushuu")->click();
    choose("Ishi", 2);
    control<QComboBox>("IshiComment")->setEditText(QStringLiteral("筆談で可"));
    control<QComboBox>("Mondaiten1")->setEditText(QStringLiteral("歩行が不安定"));
    control<QComboBox>("Program6")->setEditText(QStringLiteral("平行棒内歩行"));
    f().DrMemo->setPlainText(QStringLiteral("血圧に注意"));
    // The chart: a joint-range mark on the front, the upper-left overlay, a pain mark on the back.
    click(f().FrontImage, Qt::LeftButton, {30, 40});
    chooseKind(3);
    click(f().FrontImage, Qt::LeftButton, {54, 40});
    chooseKind(2);
    click(f().BackImage, Qt::LeftButton, {50, 60});
    EXPECT_TRUE(f().IsModified());

    ASSERT_TRUE(save(kSavedFor20240131.arg(client_)));
    EXPECT_FALSE(f().IsModified());
    const int first = f().Plan.PlanNo;
    ASSERT_GT(first, 0);
    const lum::PlanStore store(db());
    const std::vector<FigureRow> expectedRows{{0, 0, -1, 30, 40}, {3, 0, 3, -1, -1}, {2, 1, -1, 50, 60}};
    EXPECT_EQ(store.LoadFigures(first), expectedRows);
    const lum::TPlan stored = *store.LoadPlanRow(first);
    EXPECT_EQ(stored.PlanEndDay, TDateTime::fromYmd(2024, 4, 29));
    EXPECT_EQ(stored.Body.ImpairmentComments[0], QStringLiteral("右肩①～"));
    EXPECT_EQ(stored.Body.MahiUpDetail, 6);
    EXPECT_EQ(stored.Body.Shiryoku, 3);
    EXPECT_EQ(stored.Disease[5], QString(25, QChar(u'糖')));

    // Another plan on screen (its start typed), then Open gives everything back.
    newPlan(other_);
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Warning, QStringLiteral("データ保存の確認\n破棄して良いですか?"), MsgButton::Ok)
            .expectModal(kPlanDialog, typeNumber(client_));
        f().OpenToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    EXPECT_EQ(f().Plan.PlanNo, first);
    EXPECT_EQ(f().PlanRegistDay->text(), lum::DateToEraText(TDateTime::fromYmd(2024, 1, 31)));
    EXPECT_EQ(control<QComboBox>("KansetsuBox")->currentIndex(), 1);
    EXPECT_EQ(control<QComboBox>("MahiUpDetailBox")->currentText(), QStringLiteral("Ⅵ"));
    EXPECT_EQ(control<QComboBox>("KansetsuComment")->currentText(), QStringLiteral("右肩①～"));
    EXPECT_EQ(f().EtcMemo->toPlainText(), QStringLiteral("一行目\n二行目"));
    EXPECT_TRUE(control<QCheckBox>("Haikai")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("Mousou")->isChecked());
    EXPECT_EQ(control<QComboBox>("IshiComment")->currentText(), QStringLiteral("筆談で可"));
    EXPECT_EQ(control<QComboBox>("Program6")->currentText(), QStringLiteral("平行棒内歩行"));
    EXPECT_EQ(f().DrMemo->toPlainText(), QStringLiteral("血圧に注意"));
    EXPECT_EQ(lum::figureRows(f().Chart()), expectedRows);
    EXPECT_TRUE(f().Overlay(ChartSide::Front, Corner::UpperLeft)->isVisible());
    EXPECT_FALSE(f().IsModified());
    EXPECT_TRUE(f().DeleteMenu->isEnabled());

    // Shift + left click removes the back pain mark; saving again replaces the plan.
    TRihaShape* pain = f().Marks(ChartSide::Back, MarkKind::Pain).front();
    click(pain, Qt::LeftButton, {8, 8}, Qt::ShiftModifier);
    EXPECT_TRUE(f().Marks(ChartSide::Back, MarkKind::Pain).empty());
    EXPECT_TRUE(f().IsModified());
    ASSERT_TRUE(save(kSavedFor20240131.arg(client_)));
    const int second = f().Plan.PlanNo;
    EXPECT_NE(second, first);
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM RihaPlan WHERE CureNo = %1").arg(client_)), 1);
    EXPECT_EQ(store.LoadFigures(second), (std::vector<FigureRow>{{0, 0, -1, 30, 40}, {3, 0, 3, -1, -1}}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Figure"), 2);

    // Delete acts on the plan saved, even after another start is typed.
    typeDate(f().PlanRegistDay, QStringLiteral("R060301"));
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Confirm, QStringLiteral("利用者番号 = %1\n計画登録日 = 2024/01/31\nを削除しますか？").arg(client_),
                 MsgButton::Ok);
        f().DeleteMenu->trigger();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    EXPECT_EQ(rows("SELECT COUNT(*) FROM RihaPlan"), 0);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Figure"), 0);
    EXPECT_FALSE(f().CurePlanPanel->isVisible());
    EXPECT_FALSE(f().DeleteMenu->isEnabled());
}

TEST_P(CurePlanFormTest, ASaveAsksBeforeReplacingAStoredPlanNotOnScreen) {
    const TDateTime day = TDateTime::fromYmd(2024, 1, 31);
    // The other workstation's plans, with marks of their own.
    auto other = scratch().open();
    const std::vector<FigureRow> theirMarks{{1, 0, -1, 11, 12}, {3, 1, 2, -1, -1}};
    const auto storeTheirs = [&](TDateTime start) {
        lum::TPlan p;
        p.CureNo = client_;
        p.Name = QStringLiteral("山田　花子");
        p.PlanRegistDay = start;
        p.PlanEndDay = start.addDays(30);
        p.Body.DrMemo = QStringLiteral("別の端末");
        return lum::PlanStore(*other).SavePlan(p, theirMarks, QStringLiteral("b"), start);
    };
    struct Case {
        const char* what;
        std::function<int()> setUp;  // a plan on screen; gives the PlanNo of theirs on its day
    } cases[] = {
        {"a new plan on a day another plan holds",
         [&] {
             const int theirs = storeTheirs(day);
             newPlan(client_);
             return theirs;
         }},
        {"the plan opened, then saved again elsewhere",
         [&] {
             storeTheirs(day);
             openPlan(client_);
             return storeTheirs(day);
         }},
        {"the start moved onto another stored plan",
         [&] {
             storeTheirs(day.addDays(-1));
             openPlan(client_);
             const int theirs = storeTheirs(day);
             typeDate(f().PlanRegistDay, QStringLiteral("R060131"));
             return theirs;
         }},
    };
    const lum::PlanStore store(db());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        db().execute(QStringLiteral("DELETE FROM Figure"));
        db().execute(QStringLiteral("DELETE FROM RihaPlan"));
        f().ResetModified();
        const int theirs = c.setUp();
        click(f().FrontImage, Qt::LeftButton, {30, 40});
        f().DrMemo->setPlainText(QStringLiteral("この端末"));
        // いいえ: nothing written; theirs stays whole, marks and all.
        saveAnsweringOverwrite(MsgButton::No);
        EXPECT_EQ(store.PlansOfDay(client_, day), std::vector<int>{theirs});
        EXPECT_EQ(store.LoadFigures(theirs), theirMarks);
        EXPECT_EQ(store.LoadPlanRow(theirs)->Body.DrMemo, QStringLiteral("別の端末"));
        EXPECT_TRUE(f().IsModified());
        // はい: the plan on screen replaces theirs with its marks.
        saveAnsweringOverwrite(MsgButton::Yes);
        const int mine = f().Plan.PlanNo;
        EXPECT_NE(mine, theirs);
        EXPECT_EQ(store.PlansOfDay(client_, day), std::vector<int>{mine});
        EXPECT_EQ(store.LoadPlanRow(mine)->Body.DrMemo, QStringLiteral("この端末"));
        EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM Figure WHERE PlanNo = %1").arg(theirs)), 0);
        const std::vector<FigureRow> myMarks = store.LoadFigures(mine);
        EXPECT_NE(std::find(myMarks.begin(), myMarks.end(), FigureRow{0, 0, -1, 30, 40}), myMarks.end());
        EXPECT_FALSE(f().IsModified());
        // The plan on screen saved again: no question.
        EXPECT_TRUE(save(kSavedFor20240131.arg(client_)));
        EXPECT_EQ(store.PlansOfDay(client_, day).size(), 1u);
    }
}

// The same question when the other workstation is another process on the
// database (on SQLite, another process on the file, with its own locks).
TEST_P(CurePlanFormTest, ASaveAsksBeforeReplacingAPlanAnotherProcessStored) {
    const TDateTime day = TDateTime::fromYmd(2024, 1, 31);
    const auto peerStores = [&](const QString& memo) {
        return lum::test::runDocumentPeer(
                   scratch(), {QStringLiteral("plan"), QString::number(client_), QStringLiteral("2024-01-31"), memo})
            .trimmed()
            .toInt();
    };
    const lum::PlanStore store(db());
    newPlan(client_);
    f().DrMemo->setPlainText(QStringLiteral("この端末"));
    const int theirs = peerStores(QStringLiteral("別の端末"));
    ASSERT_GT(theirs, 0);
    saveAnsweringOverwrite(MsgButton::No);
    EXPECT_EQ(store.PlansOfDay(client_, day), std::vector<int>{theirs});
    EXPECT_EQ(store.LoadPlanRow(theirs)->Body.DrMemo, QStringLiteral("別の端末"));
    EXPECT_EQ(store.LoadFigures(theirs).size(), 2u);
    saveAnsweringOverwrite(MsgButton::Yes);
    const int mine = f().Plan.PlanNo;
    EXPECT_EQ(store.PlansOfDay(client_, day), std::vector<int>{mine});
    EXPECT_EQ(store.LoadPlanRow(mine)->Body.DrMemo, QStringLiteral("この端末"));
    EXPECT_TRUE(store.LoadFigures(theirs).empty());
    // Saved again by the other process, then from the screen: asked again.
    const int again = peerStores(QStringLiteral("また別の端末"));
    saveAnsweringOverwrite(MsgButton::No);
    EXPECT_EQ(store.PlansOfDay(client_, day), std::vector<int>{again});
}

TEST_P(CurePlanFormTest, CollectRecordChecksInOrder) {
    struct Case {
        const char* what;
        std::function<void(TCurePlanForm&)> set;
        QString message;
        const char* focus;
    } cases[] = {
        {"remark of 41 bytes", [](TCurePlanForm& w) { w.ImpairmentComments[3]->setEditText(QString(41, 'a')); },
         "入力文字数がオーバーしています。\n半角40文字・全角20文字以内で入力してください。", "MahiFinComment"},
        {"EtcMemo over 340 with its line breaks",
         [](TCurePlanForm& w) { w.EtcMemo->setPlainText(QString(169, QChar(u'あ')) + "\n" + "x"); },
         "行の文字数がオーバーしています。\n半角340文字・全角170文字以内で入力してください。", "EtcMemo"},
        {"speech remark of 51 bytes", [](TCurePlanForm& w) { w.ShitsuninnComment->setEditText(QString(51, 'a')); },
         "入力文字数がオーバーしています。\n半角50文字・全角25文字以内で入力してください。", "ShitsuninnComment"},
        {"daily remark of 79 bytes", [](TCurePlanForm& w) { w.DailyComments[9]->setEditText(QString(79, 'a')); },
         "入力文字数がオーバーしています。\n半角78文字・全角39文字以内で入力してください。", "IshiComment"},
        {"Sonota of 541 bytes", [](TCurePlanForm& w) { w.Sonota->setPlainText(QString(541, 'a')); },
         "行の文字数がオーバーしています。\n半角540文字・全角270文字以内で入力してください。", "Sonota"},
        {"line of 37 bytes", [](TCurePlanForm& w) { w.Mokuhyo[2]->setEditText(QString(37, 'a')); },
         "行の文字数がオーバーしています。\n半角36文字・全角18文字以内で入力してください。", "Mokuhyo3"},
        {"DrMemo of 541 bytes", [](TCurePlanForm& w) { w.DrMemo->setPlainText(QString(541, 'a')); },
         "行の文字数がオーバーしています。\n半角540文字・全角270文字以内で入力してください。", "DrMemo"},
        {"a character with no stored form", [](TCurePlanForm& w) { w.Program[0]->setEditText(QStringLiteral("歩行😀")); },
         "「😀」は保存できない文字です。\n別の文字に置き換えてください。", "Program1"},
        {"a NUL in a memo", [](TCurePlanForm& w) { w.EtcMemo->setPlainText(QStringLiteral("右") + QChar(u'\0') + "左"); },
         lum::nulCharacterMessage(), "EtcMemo"},
        {"a NUL pasted into a memo",
         [](TCurePlanForm& w) {
             QApplication::clipboard()->setText(QStringLiteral("血圧") + QChar(u'\0') + QStringLiteral("に注意"));
             w.DrMemo->paste();
         },
         lum::nulCharacterMessage(), "DrMemo"},
        {"a NUL in a remark", [](TCurePlanForm& w) { w.DailyComments[0]->setEditText(QStringLiteral("可") + QChar(u'\0')); },
         lum::nulCharacterMessage(), "NegaeriComment"},
        {"a character with no stored form in a memo", [](TCurePlanForm& w) { w.Sonota->setPlainText(QStringLiteral("家族😀")); },
         "「😀」は保存できない文字です。\n別の文字に置き換えてください。", "Sonota"},
        {"the earliest failure first",
         [](TCurePlanForm& w) {
             w.DrMemo->setPlainText(QString(541, 'a'));
             w.ImpairmentComments[0]->setEditText(QString(41, 'a'));
         },
         "入力文字数がオーバーしています。\n半角40文字・全角20文字以内で入力してください。", "KansetsuComment"},
    };
    newPlan(client_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, c.message, MsgButton::Ok);
        c.set(f());
        f().SaveToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_EQ(f().focusWidget() ? f().focusWidget()->objectName() : QString(), QString::fromLatin1(c.focus));
        EXPECT_EQ(rows("SELECT COUNT(*) FROM RihaPlan"), 0);
        // Put the plan right again for the next case.
        for (QComboBox* b : f().findChildren<QComboBox*>())
            if (b->isEditable()) b->setEditText(QString());
        for (QPlainTextEdit* m : {f().EtcMemo, f().Sonota, f().DrMemo}) m->clear();
    }
    // A remark of exactly 40 bytes (20 full-width characters) passes.
    f().ImpairmentComments[0]->setEditText(QString(20, QChar(u'あ')));
    EXPECT_TRUE(save(kSavedFor20240131.arg(client_)));
}

// Each memo prints in a box of six lines: the most short lines its byte
// limit lets through are refused at Save with the box's lines named, the
// focus in that memo and nothing stored; six lines in each are saved whole.
TEST_P(CurePlanFormTest, AMemoNeedingMoreLinesThanItsPrintedBoxIsRefused) {
    const struct {
        QPlainTextEdit* TCurePlanForm::*memo;
        int maxBytes;
        QString message;
    } cases[] = {
        {&TCurePlanForm::EtcMemo, 340, QStringLiteral("・その他は印刷欄に入りきりません。\n6行以内で入力してください。")},
        {&TCurePlanForm::Sonota, 540, QStringLiteral("その他は印刷欄に入りきりません。\n6行以内で入力してください。")},
        {&TCurePlanForm::DrMemo, 540,
         QStringLiteral("医師からの特記事項は印刷欄に入りきりません。\n6行以内で入力してください。")},
    };
    newPlan(client_);
    for (const auto& c : cases) {
        QPlainTextEdit* memo = f().*c.memo;
        SCOPED_TRACE(memo->objectName().toStdString());
        const QStringList lines = lum::test::mostShortLines(c.maxBytes);
        memo->setPlainText(lines.join(u'\n'));
        f().PlanRegistDay->setFocus();
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, c.message, MsgButton::Ok);
        f().SaveToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_EQ(f().focusWidget(), memo);
        EXPECT_EQ(rows("SELECT COUNT(*) FROM RihaPlan"), 0);
        memo->setPlainText(lines.mid(0, 6).join(u'\n'));
    }
    ASSERT_TRUE(save(kSavedFor20240131.arg(client_)));
    const lum::TPlan stored = *lum::PlanStore(db()).LoadPlanRow(f().Plan.PlanNo);
    const QString six = lum::test::mostShortLines(340).mid(0, 6).join(u'\n');
    EXPECT_EQ(stored.Body.EtcMemo, six);
    EXPECT_EQ(stored.Body.Sonota, six);
    EXPECT_EQ(stored.Body.DrMemo, six);
}

TEST_P(CurePlanFormTest, DatesAtSave) {
    newPlan(client_);
    // An end before the start.
    typeDate(f().PlanStopDay, QStringLiteral("R060130"));
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Error, QStringLiteral("計画終了日->計画登録日 Error"), MsgButton::Abort);
        f().SaveToolButton->click();
    }
    // Equal dates pass.
    typeDate(f().PlanStopDay, QStringLiteral("R060131"));
    EXPECT_TRUE(save(kSavedFor20240131.arg(client_)));
    // An empty end becomes today + 3 months - 1 day and stops the save; the next one passes.
    typeDate(f().PlanRegistDay, QStringLiteral("R060201"));
    f().PlanStopDay->clear();
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Error, QStringLiteral("計画終了日エラーです。\n日付を３ヶ月後に設定しました。"), MsgButton::Yes);
        f().SaveToolButton->click();
    }
    EXPECT_EQ(f().PlanStopDay->text(), lum::DateToEraText(TDateTime::fromYmd(2024, 4, 29)));
    EXPECT_TRUE(save(QStringLiteral("利用者番号 = %1\n計画登録日 = 2024/02/01\nで登録しました。").arg(client_)));
    // A plan of another start day leaves the first in place.
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM RihaPlan WHERE CureNo = %1").arg(client_)), 2);
}

TEST_P(CurePlanFormTest, ChartClicks) {
    newPlan(client_);
    f().ResetModified();
    chooseKind(3);  // 麻痺
    QLabel* upperLeft = f().Overlay(ChartSide::Front, Corner::UpperLeft);
    click(f().FrontImage, Qt::LeftButton, {55, 40});
    for (int c = 0; c < 4; ++c) EXPECT_FALSE(f().Overlay(ChartSide::Front, static_cast<Corner>(c))->isVisible());
    EXPECT_FALSE(f().DocChanged);
    click(f().FrontImage, Qt::LeftButton, {54, 40});
    EXPECT_TRUE(upperLeft->isVisible());
    EXPECT_TRUE(f().DocChanged);
    click(f().FrontImage, Qt::LeftButton, {54, 40});
    EXPECT_FALSE(upperLeft->isVisible());
    click(f().BackImage, Qt::LeftButton, {80, 150});
    EXPECT_TRUE(f().Overlay(ChartSide::Back, Corner::LowerRight)->isVisible());

    // A hatched mark at the cursor, in the side panel's pixels; Shift + click removes it.
    chooseKind(1);
    click(f().FrontImage, Qt::LeftButton, {20, 30});
    ASSERT_EQ(f().Marks(ChartSide::Front, MarkKind::Weakness).size(), 1u);
    TRihaShape* mark = f().Marks(ChartSide::Front, MarkKind::Weakness).front();
    EXPECT_EQ(mark->geometry(), QRect(20, 30, 17, 17));
    EXPECT_EQ(mark->objectName(), QStringLiteral("FKIN0"));
    EXPECT_EQ(mark->Brush().style(), Qt::BDiagPattern);

    // A right-button drag: the first move shifts the mark by the cursor's move,
    // later ones put its top-left at the cursor.
    auto send = [](QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    };
    send(mark, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton, Qt::RightButton);  // picture (17, 27)
    EXPECT_EQ(mark->Pen().color(), QColor(0, 255, 0));
    send(mark, QEvent::MouseMove, {8, 9}, Qt::NoButton, Qt::RightButton);  // picture (20, 31): +3, +4
    EXPECT_EQ(mark->pos(), QPoint(23, 34));
    send(mark, QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::RightButton);  // picture (25, 36)
    EXPECT_EQ(mark->pos(), QPoint(25, 36));
    send(mark, QEvent::MouseButtonRelease, {10, 10}, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(mark->Pen().color(), QColor(Qt::black));

    click(mark, Qt::LeftButton, {3, 3}, Qt::ShiftModifier);
    EXPECT_TRUE(f().Marks(ChartSide::Front, MarkKind::Weakness).empty());

    // クリア of the front leaves the back alone.
    chooseKind(0);
    click(f().FrontImage, Qt::LeftButton, {40, 100});
    click(f().BackImage, Qt::LeftButton, {40, 100});
    f().ImClearFBtn->click();
    EXPECT_TRUE(f().Marks(ChartSide::Front, MarkKind::JointRange).empty());
    EXPECT_EQ(f().Marks(ChartSide::Back, MarkKind::JointRange).size(), 1u);
    EXPECT_TRUE(f().Overlay(ChartSide::Back, Corner::LowerRight)->isVisible());
}

TEST_P(CurePlanFormTest, AChartChangeIsNeverLostUnasked) {
    newPlan(client_);
    EXPECT_TRUE(f().IsModified());  // the start typed
    f().ResetModified();
    EXPECT_FALSE(f().IsModified());
    click(f().FrontImage, Qt::LeftButton, {30, 40});
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Warning, QStringLiteral("データ保存の確認\n終了して良いですか?"), MsgButton::No);
        EXPECT_FALSE(f().close());
    }
    EXPECT_TRUE(f().isVisible());
    // Open asks first, and a cancelled Open keeps the plan on screen.
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Warning, QStringLiteral("データ保存の確認\n破棄して良いですか?"), MsgButton::Ok)
            .expectModal(kPlanDialog, QDialog::Rejected);
        f().OpenToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    EXPECT_EQ(f().Marks(ChartSide::Front, MarkKind::JointRange).size(), 1u);
    EXPECT_TRUE(f().CurePlanPanel->isVisible());
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Warning, QStringLiteral("データ保存の確認\n破棄して良いですか?"), MsgButton::No);
        f().NewToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    EXPECT_TRUE(f().CurePlanPanel->isVisible());
}

TEST_P(CurePlanFormTest, AFailedOpenLeavesTheWindowEmpty) {
    newPlan(client_);
    click(f().FrontImage, Qt::LeftButton, {30, 40});
    ASSERT_TRUE(save(kSavedFor20240131.arg(client_)));
    db().execute("DROP TABLE Figure");
    lum::ScriptedDialogs d;
    d.expectModal(kPlanDialog, typeNumber(client_))
        .expect(MsgKind::Error, QStringLiteral("System DB Read Error:治療計画"), MsgButton::Abort);
    f().OpenToolButton->click();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_FALSE(f().CurePlanPanel->isVisible());
    EXPECT_FALSE(f().SaveToolButton->isEnabled());
    EXPECT_FALSE(f().PrintToolButton->isEnabled());
    EXPECT_FALSE(f().DeleteMenu->isEnabled());
}

// In the list of the client's plans, the arrow keys choose a row and Enter
// opens it, as 確定 does.
TEST_P(CurePlanFormTest, EnterOnARowOfTheOpenListOpensThatPlan) {
    newPlan(client_);
    ASSERT_TRUE(save(kSavedFor20240131.arg(client_)));
    f().ResetModified();
    newPlan(client_, QStringLiteral("R060301"));
    ASSERT_TRUE(save(QStringLiteral("利用者番号 = %1\n計画登録日 = 2024/03/01\nで登録しました。").arg(client_)));
    const int march = f().Plan.PlanNo;
    f().ResetModified();
    newPlan(client_, QStringLiteral("R060201"));
    ASSERT_TRUE(save(QStringLiteral("利用者番号 = %1\n計画登録日 = 2024/02/01\nで登録しました。").arg(client_)));
    f().ResetModified();

    lum::ScriptedDialogs d;
    d.expectModal(kPlanDialog, [this](QDialog& dialog) {
        auto& open = static_cast<TGetDocumentForm&>(dialog);
        open.CureNoEdit->setText(QString::number(client_));
        QTest::keyClick(open.CureNoEdit, Qt::Key_Return);
        EXPECT_TRUE(open.DBGrid1->isVisible());
        open.DBGrid1->setFocus();
        open.DBGrid1->setCurrentCell(0, 0);             // 2024/03/01, the newest
        QTest::keyClick(open.DBGrid1, Qt::Key_Down);     // 2024/02/01
        QTest::keyClick(open.DBGrid1, Qt::Key_Up);       // back to 2024/03/01
        QTest::keyClick(open.DBGrid1, Qt::Key_Return);
        return open.result();
    });
    f().OpenToolButton->click();
    ASSERT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(f().Plan.PlanNo, march);
    EXPECT_EQ(f().PlanRegistDay->text(), lum::DateToEraText(TDateTime::fromYmd(2024, 3, 1)));
    EXPECT_TRUE(f().CurePlanPanel->isVisible());
}

// A new plan offers only 保存 and 印刷: 消去 waits until the plan is stored,
// so it never reports a database error about a plan that does not exist.
TEST_P(CurePlanFormTest, AfterNewOnlySaveAndPrintAreOffered) {
    const int stored = [&] {
        newPlan(client_);
        EXPECT_TRUE(save(kSavedFor20240131.arg(client_)));
        return f().Plan.PlanNo;
    }();
    f().ResetModified();
    newPlan(other_);
    struct State {
        const char* command;
        bool enabled;
    };
    const State states[] = {{"NewToolButton", true}, {"OpenToolButton", true},  {"SaveToolButton", true},
                            {"PrintToolButton", true}, {"CloaeToolButton", true}, {"NewMenu", true},
                            {"OpenMenu", true},        {"SaveMenu", true},        {"PrintMenu", true},
                            {"DeleteMenu", false},     {"N9", true}};
    for (const State& s : states) {
        const QString name = QString::fromLatin1(s.command);
        const auto* button = f().findChild<QPushButton*>(name);
        const auto* action = f().findChild<QAction*>(name);
        ASSERT_TRUE(button || action) << s.command;
        EXPECT_EQ(button ? button->isEnabled() : action->isEnabled(), s.enabled) << s.command;
    }
    f().DeleteMenu->trigger();  // nothing happens, no message
    EXPECT_TRUE(f().CurePlanPanel->isVisible());
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM RihaPlan WHERE PlanNo = %1").arg(stored)), 1);
    // Once stored, the plan can be deleted.
    ASSERT_TRUE(save(kSavedFor20240131.arg(other_)));
    EXPECT_TRUE(f().DeleteMenu->isEnabled());
}

TEST_P(CurePlanFormTest, APrintoutWithItsChart) {
    newPlan(client_);
    choose("KinryokuBox", 3);
    control<QComboBox>("KinryokuComment")->setEditText(QStringLiteral("下肢筋力低下"));
    f().Sonota->setPlainText(QStringLiteral("家族の協力あり"));
    control<QCheckBox>("Tukuribanashi")->click();
    click(f().FrontImage, Qt::LeftButton, {30, 40});
    lum::HeadlessReportUi ui;
    f().frReport1.Ui = &ui;
    f().PrintToolButton->click();
    EXPECT_TRUE(ui.errors.isEmpty()) << ui.errors.join(", ").toStdString();
    ASSERT_EQ(f().frReport1.EMFPages.Count(), 1);
    EXPECT_EQ(f().ChartImage().size(), QSize(256, 232));
    const QString frp = qEnvironmentVariable("LUMORIND_KEEP_PRINTOUT");
    QTemporaryDir dir;
    QString error;
    EXPECT_TRUE(f().frReport1.SavePreparedToFile(frp.isEmpty() ? dir.filePath("plan.frp") : frp, &error))
        << error.toStdString();
}

LUM_INSTANTIATE_DATABASE_TESTS(CurePlanFormTest);

}  // namespace
