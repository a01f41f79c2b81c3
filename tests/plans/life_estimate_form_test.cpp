// The daily-life function evaluation window on both backends, driven by its
// control names: clicks give scores, total and printed names; Save, Open,
// a second Save, the date typed with or without Enter, a refused save,
// Delete of the evaluation opened, and the printout.
#include "plans/life_estimate_form.h"

#include "common/db/sql_date.h"
#include "plans/estimate_store.h"
#include "plans/sheet_scroll_box.h"
#include "plans/urin_fixture.h"
#include "support/document_peer.h"
#include "support/page_layout.h"
#include "support/report_pdf.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

using lum::EstimateScores;
using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

const QString kOverwrite = QStringLiteral("保存されたデータがあります。\n上書きしますか？");
const QString kDialog = QStringLiteral("TGetEstimateForm");

class LifeEstimateFormTest : public lum::test::UrinTest {
protected:
    const TDateTime kToday = TDateTime::fromYmd(2024, 1, 31);  // the fixture's today

    void SetUp() override {
        UrinTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        form_ = std::make_unique<TLifeEstimateForm>();
        form_->TemplateDir = QStringLiteral(LUMORIND_TEMPLATE_DIR);
        form_->frReport1.Ui = &ui_;
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    }
    void TearDown() override {
        if (form_) form_->ResetModified();
        form_.reset();
        delete GetEstimateForm;
        UrinTest::TearDown();
    }
    TLifeEstimateForm& f() { return *form_; }
    // With $LUMORIND_SHOTS naming a folder, a picture of the window there.
    void shot(const QString& name) {
        const QString folder = qEnvironmentVariable("LUMORIND_SHOTS");
        if (folder.isEmpty()) return;
        QDir().mkpath(folder);
        QCoreApplication::processEvents();
        f().grab().save(folder + u'/' + name + QStringLiteral(".png"));
    }
    QLabel* option(int item, int points) {
        return f().findChild<QLabel*>(lum::estimateOptionName(item, points) + QStringLiteral("Label"));
    }
    bool circleShown(int item, int points) {
        return !f().findChild<QLabel*>(lum::estimateOptionName(item, points) + QStringLiteral("Cir"))->isHidden();
    }
    void click(int item, int points) { QTest::mouseClick(option(item, points), Qt::LeftButton); }
    void newEstimate(int cureNo) {
        lum::ScriptedDialogs d;
        d.expectModal(kDialog, typeNumber(cureNo));
        f().NewToolButton->click();
        ASSERT_TRUE(d.allDone()) << d.report().toStdString();
    }
    void openEstimate(int cureNo, std::optional<TDateTime> day = std::nullopt) {
        lum::ScriptedDialogs d;
        d.expectModal(kDialog, typeNumber(cureNo, day));
        f().OpenToolButton->click();
        ASSERT_TRUE(d.allDone()) << d.report().toStdString();
    }
    static QString savedText(int cureNo, TDateTime day) {
        return QStringLiteral("利用者番号 = %1\n日付 = %2\nで登録しました。").arg(cureNo).arg(day.toDateText());
    }
    void save(TDateTime expectedDay) {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, savedText(client_, expectedDay), MsgButton::Ok);
        f().SaveToolButton->click();
        ASSERT_TRUE(d.allDone()) << d.report().toStdString();
    }
    // Save an evaluation of today that another stored evaluation stands in
    // the way of, answering the question; with はい the saved message follows.
    void saveAnsweringOverwrite(MsgButton answer) {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, kOverwrite, answer);
        if (answer == MsgButton::Yes) d.expect(MsgKind::Information, savedText(client_, kToday), MsgButton::Ok);
        f().SaveToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    std::optional<lum::TLifeEstimate> stored(TDateTime day) { return lum::EstimateStore(db()).load(client_, day); }
    void store(TDateTime day, const EstimateScores& scores) {
        lum::TLifeEstimate e;
        e.CureNo = client_;
        e.Sakuseibi = day;
        e.UserName = QStringLiteral("山田　花子");
        e.Scores = scores;
        lum::EstimateStore(db()).save(e);
    }

    lum::HeadlessReportUi ui_;
    std::unique_ptr<TLifeEstimateForm> form_;
};

EstimateScores allOf(int score) {
    EstimateScores s;
    s.fill(score);
    return s;
}

TEST_P(LifeEstimateFormTest, ClickSequencesGiveScoresTheTotalAndThePrintedNames) {
    using Clicks = std::vector<std::pair<int, int>>;
    struct Case {
        const char* what;
        Clicks clicks;
        EstimateScores scores;
        QString label;
        QString total;
    };
    Clicks unanswerAll;
    for (int i = 0; i < lum::EstimateItemCount; ++i) unanswerAll.push_back({i, 0});
    Clicks twoPoints = {{2, 2}, {4, 2}, {5, 2}, {8, 2}, {9, 2}, {10, 2}};
    Clicks maximum;
    for (int i = 0; i < lum::EstimateItemCount; ++i) maximum.push_back({i, lum::estimateItems()[i].maxPoints()});
    EstimateScores twos = allOf(0);
    for (int i : {2, 4, 5, 8, 9, 10}) twos[i] = 2;
    const Case cases[] = {
        {"new", {}, allOf(0), "0", "0"},
        {"a chosen 0 clicked again", {{3, 0}}, {0, 0, 0, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "0", "0"},
        {"all unanswered", unanswerAll, allOf(-1), "", "0"},
        {"the six items of 2 points", twoPoints, twos, "12", "12"},
        {"1 then 2 on one item", {{2, 1}, {2, 2}}, {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "2", "2"},
        {"a chosen 1 clicked again", {{6, 1}, {6, 1}}, {0, 0, 0, 0, 0, 0, -1, 0, 0, 0, 0, 0, 0}, "0", "0"},
        {"the maximum", maximum, {1, 1, 2, 1, 2, 2, 1, 1, 2, 2, 2, 1, 1}, "19", "19"},
    };
    for (const Case& c : cases) {
        f().ResetModified();  // each case from a fresh New, unasked
        newEstimate(client_);
        for (const auto& [item, points] : c.clicks) click(item, points);
        EXPECT_EQ(f().Estimate.Scores, c.scores) << c.what;
        EXPECT_EQ(f().TotalLabel->text(), c.label) << c.what;
        EXPECT_EQ(f().DocChanged, !c.clicks.empty()) << c.what;
        EXPECT_EQ(lum::estimateValue(f().Estimate, QStringLiteral("Total")), c.total) << c.what;
        for (int i = 0; i < lum::EstimateItemCount; ++i) {
            for (int p = 0; p <= lum::estimateItems()[i].maxPoints(); ++p) {
                EXPECT_EQ(circleShown(i, p), c.scores[i] == p) << c.what << " H" << i << "T" << p;
                EXPECT_EQ(lum::estimateValue(f().Estimate, lum::estimateOptionName(i, p)),
                          c.scores[i] == p ? QStringLiteral("○") : QStringLiteral("　"))
                    << c.what << " H" << i << "T" << p;
            }
        }
    }
    // From the keyboard: Tab reaches the options after the date, Space and
    // Enter ring the focused one.
    f().ResetModified();
    newEstimate(client_);
    f().DateEdit->setFocus();
    QTest::keyClick(f().DateEdit, Qt::Key_Tab);
    EXPECT_TRUE(option(0, 0)->hasFocus());
    QTest::keyClick(option(0, 0), Qt::Key_Tab);
    ASSERT_TRUE(option(0, 1)->hasFocus());
    QTest::keyClick(option(0, 1), Qt::Key_Space);
    EXPECT_EQ(f().Estimate.Scores[0], 1);
    QTest::keyClick(option(0, 1), Qt::Key_Return);
    EXPECT_EQ(f().Estimate.Scores[0], -1);
    EXPECT_EQ(f().TotalLabel->text(), QStringLiteral("0"));
    // The seven items without a 2-point option show the diagonal there.
    for (int i : {0, 1, 3, 6, 7, 11, 12}) {
        EXPECT_TRUE(f().findChild<QLabel*>(QStringLiteral("H%1T2Image").arg(i))) << i;
        EXPECT_FALSE(option(i, 2)) << i;
    }
}

TEST_P(LifeEstimateFormTest, SaveOpenAndASecondSaveOfTheDay) {
    // Nothing to save or print before a New or Open, from the menu either.
    EXPECT_FALSE(f().SaveMenu->isEnabled());
    EXPECT_FALSE(f().PrintMenu->isEnabled());
    EXPECT_FALSE(f().SaveToolButton->isEnabled());
    EXPECT_TRUE(f().ScrollBox1->isHidden());
    newEstimate(client_);
    EXPECT_EQ(f().CureNoLbl->text(), QString::number(client_));
    EXPECT_EQ(f().NameLbl->text(), QStringLiteral("山田　花子"));
    EXPECT_EQ(f().DateEdit->text(), QStringLiteral("令和06年01月31日"));
    EXPECT_TRUE(f().SaveMenu->isEnabled());
    EXPECT_FALSE(f().DeleteMenu->isEnabled());
    click(2, 2);
    click(5, 1);
    click(12, 0);
    save(kToday);
    EXPECT_FALSE(f().IsModified());
    EXPECT_TRUE(f().DeleteMenu->isEnabled());
    const EstimateScores first{0, 0, 2, 0, 0, 1, 0, 0, 0, 0, 0, 0, -1};
    ASSERT_TRUE(stored(kToday));
    EXPECT_EQ(stored(kToday)->Scores, first);
    EXPECT_EQ(stored(kToday)->Kaigodo, 0);

    newEstimate(other_);
    openEstimate(client_);
    EXPECT_EQ(f().Estimate.Scores, first);
    EXPECT_EQ(f().TotalLabel->text(), QStringLiteral("3"));
    EXPECT_TRUE(circleShown(2, 2));
    EXPECT_TRUE(circleShown(5, 1));
    EXPECT_FALSE(circleShown(12, 0));
    EXPECT_FALSE(f().IsModified());
    shot(QStringLiteral("estimate"));

    // The same client and day again: overwritten without a question.
    click(0, 1);
    save(kToday);
    EXPECT_EQ(rowCount(QStringLiteral("Estimate"), client_), 1);
    EXPECT_EQ(stored(kToday)->Scores[0], 1);
}

TEST_P(LifeEstimateFormTest, ASaveAsksBeforeReplacingAStoredEvaluationNotOnScreen) {
    auto other = scratch().open();
    const auto storeTheirs = [&](TDateTime day, int score) {
        lum::TLifeEstimate e;
        e.CureNo = client_;
        e.Sakuseibi = day;
        e.UserName = QStringLiteral("山田　花子");
        e.Scores = allOf(score);
        lum::EstimateStore(*other).save(e);
    };
    struct Case {
        const char* what;
        std::function<void()> setUp;  // an evaluation on screen; theirs, all at 1 point, stored for today
        int rowsAfter;                // the client's evaluations at the end
    } cases[] = {
        {"a new evaluation on a day already evaluated",
         [&] {
             storeTheirs(kToday, 1);
             newEstimate(client_);
         },
         1},
        {"the evaluation opened, then saved again elsewhere",
         [&] {
             storeTheirs(kToday, 0);
             openEstimate(client_);
             storeTheirs(kToday, 1);
         },
         1},
        {"the date moved onto another stored evaluation",
         [&] {
             storeTheirs(kToday.addDays(-1), 0);
             openEstimate(client_);
             storeTheirs(kToday, 1);
             typeDate(f().DateEdit, QStringLiteral("R060131"));
         },
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        db().execute(QStringLiteral("DELETE FROM Estimate"));
        f().ResetModified();
        c.setUp();
        click(2, 2);
        // いいえ: theirs stays whole, the evaluation on screen unsaved.
        saveAnsweringOverwrite(MsgButton::No);
        ASSERT_TRUE(stored(kToday));
        EXPECT_EQ(stored(kToday)->Scores, allOf(1));
        EXPECT_TRUE(f().IsModified());
        // はい: the evaluation on screen replaces theirs.
        saveAnsweringOverwrite(MsgButton::Yes);
        EXPECT_EQ(stored(kToday)->Scores, f().Estimate.Scores);
        EXPECT_EQ(stored(kToday)->Scores[2], 2);
        EXPECT_FALSE(f().IsModified());
        // Saved again from the screen: no question.
        click(0, 1);
        save(kToday);
        EXPECT_EQ(stored(kToday)->Scores[0], 1);
        EXPECT_EQ(rowCount(QStringLiteral("Estimate"), client_), c.rowsAfter);
    }
}

// The same question when the other workstation is another process on the
// database (on SQLite, another process on the file, with its own locks).
TEST_P(LifeEstimateFormTest, ASaveAsksBeforeReplacingAnEvaluationAnotherProcessStored) {
    const auto peerStores = [&](int points) {
        lum::test::runDocumentPeer(scratch(), {QStringLiteral("estimate"), QString::number(client_),
                                               QStringLiteral("2024-01-31"), QString::number(points)});
    };
    newEstimate(client_);
    click(2, 2);
    peerStores(1);
    saveAnsweringOverwrite(MsgButton::No);
    ASSERT_TRUE(stored(kToday));
    EXPECT_EQ(stored(kToday)->Scores, allOf(1));
    EXPECT_EQ(stored(kToday)->UserName, QStringLiteral("別端末　太郎"));
    saveAnsweringOverwrite(MsgButton::Yes);
    EXPECT_EQ(stored(kToday)->Scores[2], 2);
    // Saved again by the other process, then from the screen: asked again.
    peerStores(0);
    saveAnsweringOverwrite(MsgButton::No);
    EXPECT_EQ(stored(kToday)->Scores, allOf(0));
    EXPECT_EQ(rowCount(QStringLiteral("Estimate"), client_), 1);
}

TEST_P(LifeEstimateFormTest, SaveTakesTheDateAsTypedWithOrWithoutEnter) {
    newEstimate(client_);
    typeDate(f().DateEdit, QStringLiteral("R060210"));
    EXPECT_EQ(f().Estimate.Sakuseibi.value(), TDateTime::fromYmd(2024, 2, 10).value());
    save(TDateTime::fromYmd(2024, 2, 10));
    // Typed without Enter: still the date Save writes under, and the day
    // saved before is left alone.
    f().DateEdit->setFocus();
    f().DateEdit->setCursorPosition(0);
    QTest::keyClicks(f().DateEdit, QStringLiteral("R060212"));
    EXPECT_TRUE(f().IsModified());
    click(1, 1);
    save(TDateTime::fromYmd(2024, 2, 12));
    EXPECT_EQ(stored(TDateTime::fromYmd(2024, 2, 12))->Scores[1], 1);
    EXPECT_EQ(stored(TDateTime::fromYmd(2024, 2, 10))->Scores[1], 0);
    // A date picked: the edit shows it and Save writes under it.
    f().RegistDatePicker->setDate(QDate(2024, 2, 14));
    EXPECT_EQ(f().DateEdit->text(), QStringLiteral("令和06年02月14日"));
    EXPECT_EQ(f().Estimate.Sakuseibi.value(), TDateTime::fromYmd(2024, 2, 14).value());
    EXPECT_TRUE(f().DocChanged);
    save(TDateTime::fromYmd(2024, 2, 14));
    // A text that is no date: its message, nothing saved, still modified.
    f().DateEdit->setText(QStringLiteral("令和06年02月30日"));
    click(1, 1);
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, QStringLiteral("日付けが不明です。"), MsgButton::Ok);
    f().SaveToolButton->click();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_TRUE(f().IsModified());
    EXPECT_TRUE(f().DateEdit->hasFocus());
    EXPECT_EQ(rowCount(QStringLiteral("Estimate"), client_), 3);
}

TEST_P(LifeEstimateFormTest, ARefusedSaveLeavesTheEvaluationChangedAndClosingAsks) {
    if (isSqlite()) {
        db().execute(QStringLiteral("CREATE TRIGGER RefuseEstimate BEFORE INSERT ON Estimate "
                                    "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    } else {
        db().execute(QStringLiteral("CREATE FUNCTION refuse_estimate() RETURNS trigger AS $$ BEGIN "
                                    "RAISE EXCEPTION 'refused'; END $$ LANGUAGE plpgsql"));
        db().execute(QStringLiteral("CREATE TRIGGER RefuseEstimate BEFORE INSERT ON Estimate "
                                    "FOR EACH ROW EXECUTE FUNCTION refuse_estimate()"));
    }
    newEstimate(client_);
    click(4, 2);
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Error, QStringLiteral("登録に失敗しました。"), MsgButton::Ok);
    f().SaveToolButton->click();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_TRUE(f().IsModified());
    EXPECT_FALSE(f().DeleteMenu->isEnabled());
    EXPECT_TRUE(f().SaveToolButton->isEnabled());
    EXPECT_EQ(rowCount(QStringLiteral("Estimate"), client_), 0);

    lum::ScriptedDialogs close;
    close.expect(MsgKind::Warning, QStringLiteral("データ保存の確認\n終了して良いですか?"), MsgButton::No);
    f().CloaeToolButton->click();
    EXPECT_TRUE(close.allDone()) << close.report().toStdString();
    EXPECT_TRUE(f().isVisible());
}

TEST_P(LifeEstimateFormTest, DeleteAfterADateChangeDeletesTheOpenedEvaluationOnly) {
    const TDateTime first = TDateTime::fromYmd(2024, 1, 10);
    const TDateTime second = TDateTime::fromYmd(2024, 2, 10);
    store(first, allOf(1));
    store(second, allOf(0));
    openEstimate(client_, first);
    EXPECT_EQ(f().TotalLabel->text(), QStringLiteral("13"));
    EXPECT_TRUE(f().DeleteMenu->isEnabled());
    typeDate(f().DateEdit, QStringLiteral("R060210"));
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Confirm, QStringLiteral("この機能評価表のデータを消去しますか？"), MsgButton::Yes);
    f().DeleteMenu->trigger();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_FALSE(stored(first));
    ASSERT_TRUE(stored(second));
    EXPECT_TRUE(f().ScrollBox1->isHidden());
    EXPECT_FALSE(f().DeleteMenu->isEnabled());

    // The evaluation deleted elsewhere meanwhile: its message, no question.
    openEstimate(client_, second);
    db().execute(QStringLiteral("DELETE FROM Estimate"));
    lum::ScriptedDialogs gone;
    gone.expect(MsgKind::Error, QStringLiteral("System DB Read Error:機能評価表のデータが見つかりません。"), MsgButton::Abort);
    f().DeleteMenu->trigger();
    EXPECT_TRUE(gone.allDone()) << gone.report().toStdString();
    EXPECT_FALSE(f().ScrollBox1->isHidden());
}

TEST_P(LifeEstimateFormTest, PrintsTheCirclesAsShownWithoutSaving) {
    newEstimate(client_);
    for (int i = 0; i < lum::EstimateItemCount; ++i) click(i, lum::estimateItems()[i].maxPoints());
    click(3, 0);  // item 3 from 1 point to 0
    click(7, 1);  // item 7 unanswered
    f().PrintToolButton->click();
    EXPECT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(", ").toStdString();
    ASSERT_EQ(f().frReport1.EMFPages.Count(), 1);
    EXPECT_EQ(rowCount(QStringLiteral("Estimate"), client_), 0);
    // The window answers each option "○" or a full-width space, item by item;
    // the page rings each chosen option's text whole, in sheet order.
    QStringList expected;
    for (int i = 0; i < lum::EstimateItemCount; ++i)
        for (int p = 0; p <= lum::estimateItems()[i].maxPoints(); ++p)
            expected << *lum::estimateValue(f().Estimate, lum::estimateOptionName(i, p));
    EXPECT_EQ(expected.size(), 32);
    EXPECT_EQ(expected[7], QStringLiteral("○"));  // H3T0
    EXPECT_EQ(expected[16], QStringLiteral("○"));  // H6T1
    EXPECT_EQ(expected[17], QStringLiteral("　"));  // H7T0: item 7 unanswered
    EXPECT_EQ(expected[18], QStringLiteral("　"));  // H7T1
    lum::test::PageLayout page = lum::test::layOutPage(f().frReport1.EMFPages.GetPage(0));
    EXPECT_EQ(lum::test::layoutFaults(page, QStringLiteral("Estimate")), QStringList());
    QStringList ringed;
    for (const lum::test::Ring& r : page.rings) ringed << r.word;
    QStringList chosen;
    for (int i = 0; i < lum::EstimateItemCount; ++i)
        if (const int score = f().Estimate.Scores[size_t(i)]; score >= 0)
            chosen << QString(lum::estimateItems()[i].options[score]).remove(u'\n');
    EXPECT_EQ(ringed, chosen);
    EXPECT_EQ(ringed.size(), 12);
    QStringList others;
    for (const auto& v : f().frReport1.EMFPages.GetPage(0).objects()) others << v->Memo.join(u'\n');
    EXPECT_TRUE(others.contains(QStringLiteral("17　点")));
    EXPECT_TRUE(others.contains(QStringLiteral("令和06年01月31日")));
    EXPECT_TRUE(others.contains(QStringLiteral("山田　花子　様")));

    if (!lum::test::havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    lum::test::PdfOutput out;
    const QString pdf = out.file(QStringLiteral("estimate.pdf"));
    lum::test::writePdf(f().frReport1.EMFPages, pdf);
    const QString text = lum::test::withoutBlanks(lum::test::pdfText(pdf));
    for (const QString& s : {QStringLiteral("日常生活機能評価表"), QStringLiteral("山田花子様"), QStringLiteral("17点"),
                             QStringLiteral("何かにつかまれ")})
        EXPECT_TRUE(text.contains(s)) << s.toStdString();
}

LUM_INSTANTIATE_DATABASE_TESTS(LifeEstimateFormTest);

}  // namespace
