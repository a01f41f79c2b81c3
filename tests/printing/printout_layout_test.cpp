// Every printout laid out for paper: each of the nineteen templates prepared
// on the longest values its window accepts (and, where a ring marks a
// choice, on every choice in turn), and its prepared pages read back object
// by object (support/page_layout.h): every text inside its box with 1 mm to
// the frame lines beside it, no two texts overlapping, every ring on its
// chosen word whole, nothing in the 5 mm strip along the sheet's edge; and
// every cell that prints a staff or client name prints it from its start.
// Set LUMORIND_PRINT_OUT to a folder to keep the pages as
// PNG pictures and look at them, and LUMORIND_LAYOUT_TEMPLATES to a folder of
// other built templates to check those instead.
#include "demo_conference_surveys.h"
#include "demo_conferences.h"
#include "demo_data.h"
#include "demo_urin_plans.h"
#include "print_fixture.h"
#include "support/longest_values.h"
#include "support/page_layout.h"

#include "common/code_tables.h"
#include "common/cp932.h"
#include "plans/before_conference_values.h"
#include "plans/conference_values.h"
#include "plans/cure_plan_values.h"
#include "plans/life_estimate.h"
#include "plans/practice_plan_record.h"
#include "plans/practice_plan_values.h"
#include "plans/urin_plan_values.h"
#include "plans/urin_pract_values.h"
#include "printing/client_list.h"
#include "results/daily_medical_record.h"
#include "results/writer_stamp.h"
#include "schedule/attend_texts.h"
#include "report/data/report_components.h"
#include "report/data/tfr_dataset.h"
#include "report/draw/memo_fit.h"
#include "report/engine/tfr_report.h"
#include "report/templates/template_memo_boxes.h"

#include <QDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using lum::ExprValue;
using lum::TDateTime;
using lum::test::layoutFaults;
using lum::test::Ring;

using lum::test::fullWidth;
using lum::test::keepPages;
using lum::test::longestClient;

TDateTime kDay() { return TDateTime::fromYmd(2018, 12, 28); }  // 平成30年12月28日: the widest era date

// The longest facility name the setup tool accepts (60 characters).
const QString kFacility = lum::test::longestFacilityName();

// Every staff member with the longest name the setup tool accepts.
QString staffName(int code) { return code < 0 ? QString() : lum::test::longestStaffName(); }

// One template prepared with a value function, as the document windows do:
// user sources with their record counts, the value event and the object hook.
class Sheet {
public:
    using Values = std::function<std::optional<ExprValue>(const QString& name)>;
    using Enter = std::function<void(QStringList& memo, lum::TfrView* view)>;

    Sheet(const char* file, std::initializer_list<std::pair<const char*, int>> sources) {
        for (const auto& [name, count] : sources) {
            auto ds = std::make_unique<lum::TfrUserDataset>(QString::fromLatin1(name));
            ds->RangeEnd = lum::reCount;
            ds->RangeEndCount = count;
            components_.addDataSource(ds.get());
            sources_.push_back(std::move(ds));
        }
        report_.Ui = &ui_;
        report_.ShowProgress = false;
        const QString other = qEnvironmentVariable("LUMORIND_LAYOUT_TEMPLATES");
        const QDir dir(other.isEmpty() ? QStringLiteral(LUMORIND_TEMPLATE_DIR) : other);
        path_ = dir.filePath(QString::fromLatin1(file));
        loaded_ = report_.LoadTemplateFromFile(path_);
    }
    ~Sheet() {
        for (const auto& ds : sources_) components_.remove(ds->Name);
    }
    lum::TfrUserDataset& source(int i) { return *sources_.at(size_t(i)); }

    const lum::TfrEMFPages& pages() const { return report_.EMFPages; }
    // The template file, for the windows' check of what its memo boxes hold.
    const QString& path() const { return path_; }

    // The faults of the pages prepared with these answers; the rings with
    // their words into `rings`.
    QStringList faults(const QString& name, const Values& values, QList<Ring>* rings = nullptr, const Enter& enter = {}) {
        if (!loaded_) return {QStringLiteral("the template did not load")};
        report_.OnGetValue = [&](const QString& n, ExprValue& value) {
            if (std::optional<ExprValue> v = values(n)) value = *v;
        };
        report_.OnEnterRect = enter;
        if (!report_.Prepare()) return {QStringLiteral("not prepared: ") + ui_.errors.join(u' ')};
        if (!ui_.errors.isEmpty()) return ui_.errors;
        if (report_.EMFPages.Count() == 0) return {QStringLiteral("no page")};
        keepPages(report_.EMFPages, name);
        return layoutFaults(report_.EMFPages, name, rings) + lum::test::scaleFaults(report_.EMFPages, name);
    }

private:
    lum::ReportComponents components_{QStringLiteral("PrintoutLayoutTest")};
    std::vector<std::unique_ptr<lum::TfrUserDataset>> sources_;
    lum::HeadlessReportUi ui_;
    lum::TfrReport report_{&components_};
    QString path_;
    bool loaded_ = false;
};

// Passes without faults; otherwise names each, one per line.
testing::AssertionResult readsRight(const QStringList& faults) {
    if (faults.isEmpty()) return testing::AssertionSuccess();
    return testing::AssertionFailure() << faults.size() << " faults:\n" << faults.join(u'\n').toStdString();
}

// Every name cell of a printout prints its name from the start: `clients`
// cells the longest client's name and `staff` cells the longest staff name,
// counted over all the pages. A cell that shows a name's middle (its start
// clipped away by the box) prints another name.
void expectNamesFromTheStart(const lum::TfrEMFPages& pages, int clients, int staff) {
    EXPECT_EQ(lum::test::namesPrintedFromTheStart(pages, lum::test::kClientNameStart), clients) << "client names";
    EXPECT_EQ(lum::test::namesPrintedFromTheStart(pages, lum::test::kStaffNameStart), staff) << "staff names";
}

std::optional<ExprValue> text(std::optional<QString> s) {
    if (!s) return std::nullopt;
    return ExprValue(*s);
}

// ---- the documents --------------------------------------------------------

lum::TPlan longestCurePlan() {
    const TPerson c = longestClient();
    lum::TPlan p = lum::newPlanOf(c);
    p.PlanRegistDay = kDay();
    p.PlanEndDay = kDay();
    lum::PlanBody& b = p.Body;
    b.Kansetsu = b.MahiUp = b.MahiDown = b.MahiFin = b.Kinryoku = b.Itami = 3;
    b.Shiryoku = b.LeftChoryoku = b.RightChoryoku = 3;
    b.MahiUpDetail = b.MahiDownDetail = b.MahiFinDetail = 6;
    for (QString& s : b.ImpairmentComments) s = fullWidth(40, u'記');
    b.EtcMemo = fullWidth(340, u'他');
    b.Shitsugo = b.Shitsunin = 1;
    b.Behaviours.fill(true);
    b.ShitsugoComment = b.ShitsuninnComment = fullWidth(50, u'言');
    b.DailyLife.fill(2);
    for (QString& s : b.DailyLifeComments) s = fullWidth(78, u'日');
    b.Sonota = fullWidth(540, u'其');
    for (auto* list : {&b.Mondaiten, &b.Mokuhyo, &b.Program})
        for (QString& s : *list) s = fullWidth(36, u'標');
    b.DrMemo = fullWidth(540, u'医');
    return p;
}

// A memo holding lines, each of its own text, at `limit` bytes of the window:
// the most short lines the limit lets through, or `lines` of them where
// saving refuses more than its printed box holds.
struct ShortLinesMemo {
    QString* text;
    int limit;
    int lines;  // the lines saving accepts; 0 when the limit is all
    char16_t mark;
};

// Fills each memo; the lines each must print whole.
QStringList fillWithShortLines(const std::vector<ShortLinesMemo>& memos) {
    QStringList all;
    for (const ShortLinesMemo& m : memos) {
        QStringList lines = lum::test::mostShortLines(m.limit, m.mark);
        if (m.lines > 0) {
            EXPECT_GT(lines.size(), m.lines) << "refused above " << m.lines << " lines, but it holds the most";
            lines = lines.mid(0, m.lines);
        }
        *m.text = lines.join(u'\n');
        all += lines;
    }
    return all;
}

// The treatment plan's three memos hold six lines each; their longest
// paragraph and their most short lines print whole, at every scale.
TEST(PrintoutLayout, TreatmentPlan) {
    for (const bool shortLines : {false, true}) {
        lum::TPlan plan = longestCurePlan();
        lum::PlanBody& b = plan.Body;
        const QStringList lines = shortLines ? fillWithShortLines({{&b.EtcMemo, 340, 6, u'他'},
                                                                   {&b.Sonota, 540, 6, u'其'},
                                                                   {&b.DrMemo, 540, 6, u'医'}})
                                             : QStringList();
        const QString name = shortLines ? QStringLiteral("CurePlan-lines") : QStringLiteral("CurePlan");
        Sheet sheet("CurePlan.frf", {{"frUserDataset1", 1}});
        const QImage chart(255, 231, QImage::Format_RGB32);
        EXPECT_TRUE(readsRight(sheet.faults(
                      name, [&](const QString& n) { return lum::curePlanValue(plan, kFacility, n); }, nullptr,
                      [&](QStringList& memo, lum::TfrView* view) { lum::enterCurePlanObject(plan, chart, memo, view); })));
        EXPECT_TRUE(readsRight(lum::test::linesNotPrinted(sheet.pages(), lines, name)));
        expectNamesFromTheStart(sheet.pages(), 1, 0);
    }
}

// A memo stored before its window checked its printed box (26 lines where
// the box holds six) prints the lines the box holds, the last one marked
// as cut, and no line in part at any scale.
TEST(PrintoutLayout, TreatmentPlanMemoStoredLongerThanItsBoxMarksTheCut) {
    lum::TPlan plan = longestCurePlan();
    const QStringList stored = lum::test::mostShortLines(340, u'他');
    ASSERT_EQ(stored.size(), 26);
    plan.Body.EtcMemo = stored.join(u'\n');
    Sheet sheet("CurePlan.frf", {{"frUserDataset1", 1}});
    const QImage chart(255, 231, QImage::Format_RGB32);
    EXPECT_TRUE(readsRight(sheet.faults(
                  QStringLiteral("CurePlan-stored"), [&](const QString& n) { return lum::curePlanValue(plan, kFacility, n); },
                  nullptr, [&](QStringList& memo, lum::TfrView* view) { lum::enterCurePlanObject(plan, chart, memo, view); })));
    EXPECT_TRUE(readsRight(lum::test::linesCutFaults(sheet.pages(), stored, 6, QStringLiteral("CurePlan-stored"))));
}

// The practice plan on every text at the window's limit: once each text as
// one line; once the tool and care memos as the three lines their dialogs
// give and 健康状態 as the six lines of diseases New puts there. The level
// cells "AB", "C" as the letters dialog writes all three.
lum::TPracticePlan practicePlanAtLimits(bool lines) {
    TPerson client = longestClient();
    client.Sex = 2;  // 男性から女性へ, the widest
    lum::TPracticePlan plan = lum::newPracticePlan(client, kDay());
    for (const lum::PracticeTextField& f : lum::practiceTextFields())
        if (f.member != &lum::TPracticePlan::UserName) plan.*f.member = fullWidth(f.entryLimit, u'実');
    // Six lines of 40 bytes and five CR LF: 250 of the 254 bytes.
    if (lines) plan.KenkouMemo = QStringList(6, fullWidth(40, u'健')).join(u'\n');
    for (const lum::PracticeFlagField& f : lum::practiceFlagFields()) plan.*f.member = true;
    plan.HDSR = 99;
    plan.Kaigodo = 6;
    for (int number : lum::PracticeRowNumbers) {
        lum::TPracticeRow& r = plan.row(number);
        for (QString& abc : r.ABC) abc = QStringLiteral("AB\nC");
        // Three lines of 18 bytes and two CR LF make the 58 bytes.
        const auto memo = [&](char16_t c) {
            return lines ? QStringList(3, fullWidth(18, c)).join(u'\n') : fullWidth(lum::PracticeRowMemoLimit, c);
        };
        r.Goods = memo(u'具');
        r.Kaigo = memo(u'介');
        r.Time = fullWidth(lum::PracticeTimeLimit, u'月');
        r.Special = 1 + number % 2;
    }
    plan.Team.fill(1);
    return plan;
}

// The practice plan's template over its two table sources, answered by a plan.
class PracticeSheet : public Sheet {
public:
    PracticeSheet()
        : Sheet("PracticePlan.frf", {{"frUserDataset1", lum::PracticeFirstSourceRecords},
                                     {"frUserDataset2", lum::PracticeSecondSourceRecords}}) {}
    QStringList faults(const QString& name, const lum::TPracticePlan& plan) {
        return Sheet::faults(name, [&](const QString& n) {
            const lum::PracticePlanPrint print{plan, source(0).RecNo(), source(1).RecNo(), staffName};
            return lum::practicePlanValue(print, n);
        });
    }
};

TEST(PrintoutLayout, PracticePlan) {
    for (const bool lines : {false, true}) {
        PracticeSheet sheet;
        EXPECT_TRUE(readsRight(sheet.faults(lines ? QStringLiteral("PracticePlan-lines") : QStringLiteral("PracticePlan"),
                                            practicePlanAtLimits(lines))));
        expectNamesFromTheStart(sheet.pages(), 2, 13);  // both pages' heading, the team of thirteen
    }
}

// The texts the window takes in one-line edits (no line breaks).
bool practiceOneLineText(QString lum::TPracticePlan::*member) {
    using P = lum::TPracticePlan;
    for (QString P::*m : {&P::UserName, &P::EtcEdit, &P::HomeWorkEdit, &P::SocialEdit, &P::GoOutEdit, &P::FreeTimeEdit,
                          &P::TaiinEdit})
        if (m == member) return true;
    return false;
}

// A character of its own for each memo, so that every line is found on the
// page as the line of that memo.
const QString kMemoCharacters = QStringLiteral(
    "一二三四五六七八九十百千万円年月日時分秒上下左右前後内外東西南北春夏秋冬山川海空雨雪風花草木林森石金土火水"
    "天気色白黒赤青緑茶米麦豆魚鳥犬猫牛馬羊竹松桜梅菊");

// Every memo of the practice plan as the most short lines the window takes:
// as many as its byte limit lets through, and no more than its printed box
// holds where the window refuses more (the same fit as the window's check).
// Every one of those lines prints whole, at every scale.
TEST(PrintoutLayout, PracticePlanMemosOfManyShortLines) {
    lum::TPracticePlan plan = practicePlanAtLimits(false);
    PracticeSheet sheet;
    lum::TemplateMemoBoxes boxes(sheet.path());
    QStringList expected;
    qsizetype next = 0;
    const auto fill = [&](QString& text, int limit, const QString& object, bool boxed) {
        QStringList lines = lum::test::mostShortLines(limit, kMemoCharacters.at(next++).unicode());
        if (boxed) {
            const std::optional<lum::memo::Fit> fit = boxes.fit(object, lines);
            ASSERT_TRUE(fit) << object.toStdString();
            lines = lines.mid(0, fit->held);
        }
        text = lines.join(u'\n');
        expected += lines;
    };
    for (const lum::PracticeTextField& f : lum::practiceTextFields()) {
        if (practiceOneLineText(f.member)) continue;
        fill(plan.*f.member, f.entryLimit, QString::fromLatin1(f.variable), lum::practiceBoxedText(f.member) != nullptr);
    }
    for (int number : lum::PracticeRowNumbers) {
        fill(plan.row(number).Goods, lum::PracticeRowMemoLimit, {}, false);
        fill(plan.row(number).Kaigo, lum::PracticeRowMemoLimit, {}, false);
    }
    ASSERT_LE(next, kMemoCharacters.size());
    EXPECT_TRUE(readsRight(sheet.faults(QStringLiteral("PracticePlan-short-lines"), plan)));
    EXPECT_TRUE(readsRight(lum::test::linesNotPrinted(sheet.pages(), expected, QStringLiteral("PracticePlan"))));
}

// A one-line text at its limit wraps at its blanks: a short word, then a
// word as long as the rest, takes a line more than the characters need. Each
// one-line text either prints whole so, or its window checks it at saving
// like a memo (it is one of the boxed texts).
TEST(PrintoutLayout, PracticePlanOneLineTextsWrappedAtTheirWorst) {
    PracticeSheet sheet;
    lum::TemplateMemoBoxes boxes(sheet.path());
    for (const lum::PracticeTextField& f : lum::practiceTextFields()) {
        if (!practiceOneLineText(f.member) || f.member == &lum::TPracticePlan::UserName) continue;
        SCOPED_TRACE(f.variable);
        const QString worst = QStringLiteral("a ") + QString(f.entryLimit - 2, QChar(u'W'));
        const std::optional<lum::memo::Fit> fit = boxes.fit(QString::fromLatin1(f.variable), {worst});
        if (!fit) continue;  // printed inside another text
        EXPECT_TRUE(fit->whole() || lum::practiceBoxedText(f.member)) << fit->lines.size() << " lines, " << fit->held << " held";
    }
}

// A plan stored before its window refused what a box cannot show: each text
// in a box of fixed size prints the whole lines the box holds, the last one
// marked as cut, and no line in part.
TEST(PrintoutLayout, PracticePlanTextsStoredLongerThanTheirBoxesPrintMarkedCut) {
    lum::TPracticePlan plan = practicePlanAtLimits(false);
    PracticeSheet sheet;
    lum::TemplateMemoBoxes boxes(sheet.path());
    std::vector<std::pair<QStringList, int>> stored;  // the lines and those the box holds
    qsizetype next = 0;
    for (const lum::PracticeBoxedText& b : lum::practiceBoxedTexts()) {
        const lum::PracticeTextField& f = lum::practiceTextField(b.member);
        const QStringList lines = lum::test::mostShortLines(f.entryLimit, kMemoCharacters.at(next++).unicode());
        const std::optional<lum::memo::Fit> fit = boxes.fit(QString::fromLatin1(f.variable), lines);
        ASSERT_TRUE(fit) << f.variable;
        ASSERT_FALSE(fit->whole()) << f.variable;
        plan.*b.member = lines.join(u'\n');
        stored.emplace_back(lines, fit->held);
    }
    EXPECT_TRUE(readsRight(sheet.faults(QStringLiteral("PracticePlan-stored-cut"), plan)));
    for (const auto& [lines, held] : stored) {
        SCOPED_TRACE(lines.first().toStdString());
        EXPECT_TRUE(readsRight(lum::test::linesCutFaults(sheet.pages(), lines, held, QStringLiteral("PracticePlan"))));
    }
}

// The care level's ring, on each level in turn.
TEST(PrintoutLayout, RehabilitationPlanRingsEveryCareLevel) {
    const TPerson client = longestClient();
    for (int level = 0; level < 7; ++level) {
        TPerson c = client;
        c.YOUKAIGO_KBN = level;
        const lum::TUrinPlan plan = lum::setup::urinPlanAtLimits(lum::newUrinPlan(c, kDay()), kDay(), 1);
        Sheet sheet("UrinPlan.frf", {{"frUserDataset1", 1}});
        QList<Ring> rings;
        const lum::UrinPlanPrint print{plan, kDay(), kFacility, staffName};
        EXPECT_TRUE(readsRight(sheet.faults(QStringLiteral("UrinPlan-%1").arg(level), [&](const QString& n) { return lum::urinPlanValue(print, n); },
                               &rings)));
        expectNamesFromTheStart(sheet.pages(), 1, 1);
        ASSERT_EQ(rings.size(), 1) << level;
        EXPECT_EQ(rings[0].word, QStringLiteral("要支援１ 要支援２ 要介護１ 要介護２ 要介護３ 要介護４ 要介護５").split(u' ')[level]);
    }
}

// 特記事項 and 禁忌事項 hold nineteen lines each: their most short lines
// print whole, at every scale (their longest paragraphs above).
TEST(PrintoutLayout, RehabilitationPlanMemosOfShortLines) {
    lum::TUrinPlan plan = lum::setup::urinPlanAtLimits(lum::newUrinPlan(longestClient(), kDay()), kDay(), 1);
    const QStringList lines = fillWithShortLines({{&plan.SpacialMemo, 510, 19, u'特'}, {&plan.KinkiMemo, 510, 19, u'禁'}});
    Sheet sheet("UrinPlan.frf", {{"frUserDataset1", 1}});
    const lum::UrinPlanPrint print{plan, kDay(), kFacility, staffName};
    const QString name = QStringLiteral("UrinPlan-lines");
    EXPECT_TRUE(readsRight(sheet.faults(name, [&](const QString& n) { return lum::urinPlanValue(print, n); })));
    EXPECT_TRUE(readsRight(lum::test::linesNotPrinted(sheet.pages(), lines, name)));
    expectNamesFromTheStart(sheet.pages(), 1, 1);
}

// The preventive-care plan on the longest values: once each memo as its
// 510 bytes in one paragraph, drawn whole (no line marked as cut); once each
// memo as the most short lines the window accepts (the lines its printed box
// holds: it refuses more at saving), every line printed whole; and once the
// evaluation as a text of thirty lines stored before the window refused it,
// printed as the whole lines its box holds, the last marked as cut.
TEST(PrintoutLayout, PreventivePlan) {
    TPerson client = longestClient();
    client.Sex = 2;  // 男性から女性へ, the widest
    const lum::TUrinPract longest = lum::setup::urinPractAtLimits(lum::newUrinPract(client, kDay()), 1);
    const struct {
        QString lum::TUrinPract::*field;
        int held;
        char16_t c;
    } memos[] = {
        {&lum::TUrinPract::PastDiagnose, 9, u'既'}, {&lum::TUrinPract::Itami, 4, u'痛'},
        {&lum::TUrinPract::SelfHope, 4, u'希'},     {&lum::TUrinPract::ExeWarning, 4, u'留'},
        {&lum::TUrinPract::ShortTarget, 5, u'短'},  {&lum::TUrinPract::TotalTarget, 5, u'全'},
        {&lum::TUrinPract::Hyuka, 4, u'評'},
    };
    enum Fill { Paragraph, ShortLines, StoredBefore };
    for (const Fill fill : {Paragraph, ShortLines, StoredBefore}) {
        const QString name = QStringList{"UrinPract", "UrinPract-lines", "UrinPract-stored"}[fill];
        SCOPED_TRACE(name.toStdString());
        lum::TUrinPract pract = longest;
        QStringList whole;  // the lines that must print whole
        if (fill == ShortLines) {
            for (const auto& m : memos) {
                const QStringList lines = lum::test::mostShortLines(510, m.c).mid(0, m.held);
                pract.*m.field = lines.join(u'\n');
                whole += lines;
            }
        }
        const QStringList thirty = lum::test::mostShortLines(510, u'評');
        if (fill == StoredBefore) {
            pract.Hyuka = thirty.join(u'\n');
            whole = thirty.mid(0, 3) << thirty[3] + lum::memo::kCutMark;
        }
        Sheet sheet("UrinPract.frf", {{"frUserDataset1", 1}});
        const lum::UrinPractPrint print{pract, kDay(), kFacility, staffName};
        EXPECT_TRUE(readsRight(sheet.faults(name, [&](const QString& n) { return lum::urinPractValue(print, n); })));
        expectNamesFromTheStart(sheet.pages(), 1, 1);
        EXPECT_TRUE(readsRight(lum::test::linesNotPrinted(sheet.pages(), whole, name)));
        QStringList cut;
        QString drawn;
        qsizetype paragraphs = 0;  // the characters drawn of the memos at their limit
        for (const lum::test::LaidText& t : lum::test::layOutPage(sheet.pages().GetPage(0)).texts) {
            if (t.text.endsWith(lum::memo::kCutMark)) cut << t.text;
            if (t.text == QString(t.text.size(), QChar(u'記'))) paragraphs += t.text.size();
            drawn += t.text;
        }
        EXPECT_EQ(cut.join(u'\n').toStdString(), fill == StoredBefore ? (thirty[3] + lum::memo::kCutMark).toStdString() : "");
        if (fill == Paragraph) {
            EXPECT_EQ(paragraphs, 7 * 255);  // the seven memos drawn whole
        } else if (fill == StoredBefore) {
            EXPECT_FALSE(drawn.contains(thirty[4]));
        }
    }
}

TEST(PrintoutLayout, Conference) {
    lum::TConference conf = lum::withNewHeader(lum::TConference{}, longestClient(), kDay());
    conf.FromDay = conf.ToDay = kDay();
    conf = lum::setup::conferenceAtLimits(conf, {1, 2, 3, 4, 5});
    conf.Dr = 1;  // the doctor's cell holds a name too
    Sheet sheet("conference.frf", {{"frUserDataset1", 1}});
    const lum::ConferencePrint print{conf, kDay(), staffName};
    EXPECT_TRUE(readsRight(sheet.faults(QStringLiteral("conference"), [&](const QString& n) { return lum::conferenceValue(print, n); })));
    expectNamesFromTheStart(sheet.pages(), 1, 5);  // the five attendees
}

TEST(PrintoutLayout, ConferenceSurveyWithAnAgeOfThreeDigits) {
    const lum::TBeforeConference survey = lum::setup::surveyAtLimits(lum::newBeforeConference(longestClient(), kDay()), 1);
    ASSERT_GE(survey.Old, 100);
    Sheet sheet("BeforeConf.frf", {{"frUserDataset1", 1}});
    const lum::BeforeConferencePrint print{survey, kDay(), staffName};
    EXPECT_TRUE(readsRight(sheet.faults(QStringLiteral("BeforeConf"), [&](const QString& n) { return lum::beforeConferenceValue(print, n); })));
    expectNamesFromTheStart(sheet.pages(), 1, 5);
}

// A one-record template prepared on `values`: its layout faults and those
// `printed` finds in its pages.
QStringList oneRecordFaults(const char* file, const QString& name, const Sheet::Values& values,
                            const std::function<QStringList(const lum::TfrEMFPages&)>& printed) {
    Sheet sheet(file, {{"frUserDataset1", 1}});
    const QStringList faults = sheet.faults(name, values);  // prepares the pages
    return faults + printed(sheet.pages());
}

// Every text of the conference as the most short lines its window accepts:
// 評価及び経過 runs on over further pages, each row's text at the lines its
// box holds (saving refuses more). Then one row stored with more lines.
TEST(PrintoutLayout, ConferenceRowsOfShortLines) {
    lum::TConference conf = lum::withNewHeader(lum::TConference{}, longestClient(), kDay());
    conf.FromDay = conf.ToDay = kDay();
    conf = lum::setup::conferenceAtLimits(conf, {1, 2, 3, 4, 5});
    namespace Lim = lum::conference_limits;
    const QStringList lines = fillWithShortLines({{&conf.Hyouka, Lim::Hyouka, 0, u'評'},
                                                  {&conf.Mokuhyou, Lim::RowMemo, 7, u'目'},
                                                  {&conf.Toutatsu, Lim::RowMemo, 4, u'期'},
                                                  {&conf.KanKaigo, Lim::RowMemo, 7, u'看'},
                                                  {&conf.Rihabi, Lim::RowMemo, 7, u'訓'}});
    const lum::ConferencePrint print{conf, kDay(), staffName};
    const auto values = [&](const QString& n) { return lum::conferenceValue(print, n); };
    const QString name = QStringLiteral("conference-lines");
    EXPECT_TRUE(readsRight(oneRecordFaults("conference.frf", name, values, [&](const lum::TfrEMFPages& pages) {
        return lum::test::linesNotPrinted(pages, lines, name);
    })));
    const QStringList stored = lum::test::mostShortLines(Lim::RowMemo, u'目');
    conf.Mokuhyou = stored.join(u'\n');
    const QString cut = QStringLiteral("conference-cut");
    EXPECT_TRUE(readsRight(oneRecordFaults("conference.frf", cut, values, [&](const lum::TfrEMFPages& pages) {
        return lum::test::linesCutFaults(pages, stored, 7, cut);
    })));
}

// Every text of the survey as the most short lines its window accepts:
// 検討内容 runs on over further pages, each other memo at the lines its box
// holds (saving refuses more). Then one note stored with more lines.
TEST(PrintoutLayout, ConferenceSurveyOfShortLines) {
    lum::TBeforeConference b = lum::setup::surveyAtLimits(lum::newBeforeConference(longestClient(), kDay()), 1);
    namespace Lim = lum::before_conference_limits;
    const QStringList lines = fillWithShortLines({{&b.Health, Lim::Note, 4, u'健'},
                                                  {&b.Gapeisho, Lim::Note, 4, u'合'},
                                                  {&b.HonninHope, Lim::Note, 4, u'本'},
                                                  {&b.KazokuHope, Lim::Note, 4, u'家'},
                                                  {&b.UndouText, Lim::Note, 3, u'運'},
                                                  {&b.KankakuText, Lim::Note, 3, u'感'},
                                                  {&b.KoujiNouText, Lim::Note, 3, u'脳'},
                                                  {&b.KoushukuText, Lim::Note, 3, u'拘'},
                                                  {&b.KansetsuText, Lim::Note, 3, u'関'},
                                                  {&b.SonotaText, Lim::Note, 3, u'他'},
                                                  {&b.NinchiText, Lim::Note, 3, u'認'},
                                                  {&b.Kentou, Lim::Kentou, 0, u'検'}});
    const lum::BeforeConferencePrint print{b, kDay(), staffName};
    const auto values = [&](const QString& n) { return lum::beforeConferenceValue(print, n); };
    const QString name = QStringLiteral("BeforeConf-lines");
    EXPECT_TRUE(readsRight(oneRecordFaults("BeforeConf.frf", name, values, [&](const lum::TfrEMFPages& pages) {
        return lum::test::linesNotPrinted(pages, lines, name);
    })));
    const QStringList stored = lum::test::mostShortLines(Lim::Note, u'認');
    b.NinchiText = stored.join(u'\n');
    const QString cut = QStringLiteral("BeforeConf-cut");
    EXPECT_TRUE(readsRight(oneRecordFaults("BeforeConf.frf", cut, values, [&](const lum::TfrEMFPages& pages) {
        return lum::test::linesCutFaults(pages, stored, 3, cut);
    })));
}

// Every option of every item in turn: all items on their first option, then
// on their second, then those with a third on it.
TEST(PrintoutLayout, EvaluationRingsEveryOption) {
    for (int points = 0; points <= 2; ++points) {
        lum::TLifeEstimate e = lum::newLifeEstimate(longestClient(), kDay());
        e.CureNo = 99999999;
        QStringList expected;
        for (int item = 0; item < lum::EstimateItemCount; ++item) {
            const lum::EstimateItem& it = lum::estimateItems()[size_t(item)];
            e.Scores[size_t(item)] = points <= it.maxPoints() ? points : lum::EstimateUnanswered;
            if (points <= it.maxPoints()) expected << QString(it.options[points]).remove(u'\n');
        }
        Sheet sheet("Estimate.frf", {{"frUserDataset1", 1}});
        QList<Ring> rings;
        EXPECT_TRUE(readsRight(sheet.faults(QStringLiteral("Estimate-%1").arg(points),
                               [&](const QString& n) { return text(lum::estimateValue(e, n)); }, &rings)));
        expectNamesFromTheStart(sheet.pages(), 1, 0);
        QStringList words;
        for (const Ring& r : rings) words << r.word;
        EXPECT_EQ(words, expected) << points;
    }
}

// ---- the lists ------------------------------------------------------------

// 通算日数 of five digits: admitted in 1990, still in care.
TPerson longestListedClient() {
    TPerson c = longestClient();
    c.NYUSHOBI_YMD = TDateTime::fromYmd(1990, 1, 1);
    c.HP_TAISHO_YMD = TDateTime::fromYmd(1989, 12, 31);
    c.TAISHOBI_YMD = TDateTime::fromYmd(2018, 12, 28);
    return c;
}

TEST(PrintoutLayout, ClientList) {
    const TPerson c = longestListedClient();
    const QDateTime now(QDate(2018, 12, 28), QTime(23, 59));
    lum::ClientListConditions conditions;
    conditions.nyusho = conditions.tanki = conditions.tsusho = conditions.houmon = true;
    conditions.leavers = 1;
    conditions.period = 1;
    Sheet sheet("AllUser.frf", {{"frDBDataSet1", 40}});
    EXPECT_TRUE(readsRight(sheet.faults(QStringLiteral("AllUser"), [&](const QString& n) -> std::optional<ExprValue> {
        if (auto v = lum::clientListPageValue(n, conditions, kFacility, now)) return ExprValue(*v);
        if (auto v = lum::clientListRowValue(n, c, now)) return ExprValue(*v);
        if (n == u"CureNo") return ExprValue(c.CureNo);
        if (n == u"Name") return ExprValue(c.Name);
        if (n == u"Kana") return ExprValue(c.Kana);
        if (n == u"ROOM_NO") return ExprValue(c.ROOM_NO);
        return std::nullopt;
    })));
    expectNamesFromTheStart(sheet.pages(), 40, 0);
}

lum::AttendRow longestBooking() {
    const TPerson c = longestClient();
    lum::AttendRow r;
    r.ReserveDay = kDay();
    r.CureNo = c.CureNo;
    r.Name = c.Name;
    r.NYUSHOBI_YMD = kDay();
    r.RihaType = 2;
    r.KubunCode = 15;
    r.HasStartTime = true;
    r.StartTime = TDateTime::fromYmdHms(1899, 12, 30, 23, 59);
    r.WorkingMin = 999;
    r.Capacity = 999;
    r.StuffCode = 1;
    r.StuffName = staffName(1);
    r.Sex = 1;
    r.Birth = c.Birth;
    return r;
}

// The three booking lists, a month of bookings each, each heading with its
// window's own period text: the staff list's month and widest range of days,
// the client list's month, the day list's day. The client list's notice at
// its limit of 512 bytes (each line break counts two bytes): one paragraph,
// the six lines the stock-phrase picker gives, and the most lines it holds,
// 128 of one character, which go on over the next pages.
TEST(PrintoutLayout, BookingLists) {
    const lum::AttendRow row = longestBooking();
    const TDateTime printed = TDateTime::fromYmdHms(2018, 12, 28, 23, 59);
    const QString month = QStringLiteral("平成 30年12月");
    {
        const lum::attend::PrintHeading heading{kFacility, printed, month + QStringLiteral(" 10日～31日")};
        Sheet sheet("AttendSchedule.frf", {{"frUserDataset1", 31}});
        EXPECT_TRUE(readsRight(sheet.faults(QStringLiteral("AttendSchedule"), [&](const QString& n) {
            return lum::attend::StaffListValue(n, &row, heading, staffName, 1);
        })));
        expectNamesFromTheStart(sheet.pages(), 31, sheet.pages().Count());  // a row each, 担当者 over each page
    }
    QStringList sixLines(6, fullWidth(84, u'連'));
    sixLines.last() = fullWidth(82, u'連');  // 5 x 84 + 82 + 5 line breaks of 2 = 512
    const QString notices[] = {fullWidth(512, u'連'), sixLines.join(u'\n'), QStringList(128, QStringLiteral("連")).join(u'\n')};
    for (const QString& notice : notices) {
        const lum::attend::PrintHeading heading{kFacility, printed, month};
        const lum::attend::ClientHeading client{QStringLiteral("99999999"), row.Name, longestClient().Kana,
                                                QStringLiteral("明治 32年12月31日"), QStringLiteral("女性"), notice};
        Sheet sheet("UserAttend.frf", {{"frUserDataset1", 31}});
        EXPECT_TRUE(readsRight(sheet.faults(QStringLiteral("UserAttend-%1").arg(notice.count(u'\n') + 1), [&](const QString& n) {
            return lum::attend::ClientListValue(n, &row, heading, client);
        })));
        expectNamesFromTheStart(sheet.pages(), sheet.pages().Count(), 31);  // the heading over each page, a row each
        // Every line of the notice once, on the paper, whatever pages it takes.
        QStringList lines;
        for (int p = 0; p < sheet.pages().Count(); ++p) {
            const lum::TfrPreparedPage& page = sheet.pages().GetPage(p);
            const int paper = lum::pageDrawRect(page, 0, 0, 1.0).height();
            for (const lum::test::LaidText& t : lum::test::layOutPage(page).texts) {
                EXPECT_LE(t.ink.bottom(), paper) << "page " << p + 1 << " \"" << t.text.toStdString() << "\" off the paper";
                if (t.text.startsWith(u'連') && t.text != u"連絡欄") lines << t.text;
            }
        }
        EXPECT_EQ(lines.join(QString()).size(), notice.size() - notice.count(u'\n')) << notice.count(u'\n');
        // A page's notice lines stand under 連絡欄 and its booking rows under
        // the columns' headings: a notice going on over the next pages never
        // reads as booking rows.
        for (int p = 0; p < sheet.pages().Count(); ++p) {
            bool noticeLines = false, caption = false, bookings = false, headings = false;
            for (const lum::test::LaidText& t : lum::test::layOutPage(sheet.pages().GetPage(p)).texts) {
                noticeLines |= t.text.startsWith(u'連') && t.text != u"連絡欄";
                caption |= t.text == u"連絡欄";
                bookings |= t.text == lum::attend::WeekdayName(kDay());
                headings |= t.text == u"曜日";
            }
            EXPECT_EQ(caption, noticeLines) << "page " << p + 1 << " of " << notice.count(u'\n') + 1 << " lines";
            EXPECT_EQ(headings, bookings) << "page " << p + 1 << " of " << notice.count(u'\n') + 1 << " lines";
        }
    }
    {
        const lum::attend::PrintHeading heading{kFacility, printed, lum::attend::DateCell(kDay())};
        Sheet sheet("DayAttend.frf", {{"frUserDataset1", 31}});
        EXPECT_TRUE(readsRight(sheet.faults(QStringLiteral("DayAttend"), [&](const QString& n) {
            return lum::attend::DayListValue(n, &row, heading, lum::attend::WeekdayName(kDay()), staffName(1));
        })));
        expectNamesFromTheStart(sheet.pages(), 31, sheet.pages().Count());
    }
}

// The day's record with every category ticked, a remark of the 255
// characters its entry takes and a writer's name cut to its column's 20.
TEST(PrintoutLayout, DailyMedicalRecord) {
    const TPerson c = longestClient();
    lum::CureResult r;
    r.CureDate = kDay();
    r.CureNo = c.CureNo;
    r.StuffCode = 1;
    r.StuffName = staffName(1);
    r.StuffKigo = QStringLiteral("鷹鷲");
    r.PStartTime = r.RStartTime = TDateTime::fromYmdHms(1899, 12, 30, 23, 59);
    r.PMinute = r.RMinute = 999;
    r.Comment = QString(255, QChar(u'備'));
    r.Flags.fill(true);
    r.NYUSHOBI_YMD = kDay();
    r.LoginName = lum::test::longestLoginName();
    r.RihaType = 2;
    r.KubunCode = 15;
    r.Name = c.Name;
    r.Kana = c.Kana;
    r.Sex = 1;
    r.Birth = c.Birth;
    r.ROOM_NO = c.ROOM_NO;
    const std::vector<lum::CureResult> rows(40, r);
    const lum::DailyRecordHeading heading{QStringLiteral("平成30年12月28日"), lum::RihaTypeNames.at(r.RihaType),
                                          staffName(1)};
    const lum::DailyRecordTotals totals = lum::DailyRecordTotals::Of(rows);
    Sheet sheet("DailyMedicalRecord.frf", {{"frUserDataset1", int(rows.size())}});
    EXPECT_TRUE(readsRight(sheet.faults(QStringLiteral("DailyMedicalRecord"), [&](const QString& n) {
        const int at = sheet.source(0).RecNo();
        return lum::DailyRecordValue(n, at < int(rows.size()) ? &rows[size_t(at)] : nullptr, heading, totals, kFacility,
                                     TDateTime::fromYmdHms(2018, 12, 28, 23, 59));
    })));
    expectNamesFromTheStart(sheet.pages(), int(rows.size()), int(rows.size()));  // a page each
}

// Three months of five-digit counts; each type's caption centred over its
// rows (four, 訪問 two), as the window shows it.
TEST(PrintoutLayout, StatisticsCentreEachTypeOverItsRows) {
    Sheet sheet("Toukei.frf", {{"frUserDataset1", 14}, {"frUserDataset2", 9}});
    EXPECT_TRUE(readsRight(sheet.faults(QStringLiteral("Toukei"), [](const QString& n) -> std::optional<ExprValue> {
        if (n == u"Hizuke") return ExprValue(QStringLiteral("平成30年12月28日"));
        if (n == u"Hizuke3B" || n == u"Hizuke2B" || n == u"Hizuke1B") return ExprValue(QStringLiteral("平成30年12月"));
        if (n == u"Shisetusu") return ExprValue(kFacility);
        if (n == u"TokeiData") return ExprValue(99999);
        return std::nullopt;
    })));
    ASSERT_EQ(sheet.pages().Count(), 1);
    const lum::test::PageLayout page = lum::test::layOutPage(sheet.pages().GetPage(0));
    // The rows' boxes: the category of each row, top to bottom.
    QList<QRectF> rows;
    for (const lum::test::LaidText& t : page.texts)
        if (QStringList({"短期集中", "認知症", "集団", "個別"}).contains(t.text)) rows << t.clip;
    ASSERT_EQ(rows.size(), 14);
    const struct {
        const char* caption;
        int first, count;
    } groups[] = {{"入所", 0, 4}, {"短期入所", 4, 4}, {"通所リハビリ", 8, 4}, {"訪問", 12, 2}};
    for (const auto& g : groups) {
        const double middle = (rows[g.first].top() + rows[g.first + g.count - 1].bottom()) / 2;
        bool found = false;
        for (const lum::test::LaidText& t : page.texts) {
            if (t.text != QString::fromUtf8(g.caption)) continue;
            found = true;
            EXPECT_NEAR(t.ink.center().y(), middle, 1.5) << g.caption;
        }
        EXPECT_TRUE(found) << g.caption;
    }
}

}  // namespace
