// The client list window on both backends, driven by its control names:
// which clients each choice of type boxes and radio groups takes (and what
// the print header says of it), the CSV file against its golden bytes, the
// path button and the printout read back from its PDF.
#include "printing/print_all_user_form.h"

#include "common/db/sql_date.h"
#include "print_fixture.h"
#include "report/engine/tfr_report.h"
#include "widgets/radio_group.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

TDateTime ymd(int y, int m, int d, int h = 0, int min = 0) { return TDateTime::fromYmdHms(y, m, d, h, min); }

struct Client {
    int cureNo;
    QString name, kana;
    int type, kubun;
    TDateTime nyusho, taisho;
    int sex = 0;
    TDateTime birth;
    int jiritsu = 1, ninchi = 0, youkaigo = 0;
    QString room;
};

class PrintAllUserTest : public lum::test::PrintWindowTest {
protected:
    void SetUp() override {
        PrintWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        form_ = std::make_unique<TPrintAllUserForm>();
        form_->frReport1->Ui = &ui_;
    }
    void TearDown() override {
        form_.reset();
        PrintWindowTest::TearDown();
    }

    void insert(const Client& c) {
        QSqlQuery q = db().prepare(QStringLiteral(
            "INSERT INTO Person (CureNo, Name, Kana, RihaType, KubunCode, KubunDate, NYUSHOBI_YMD, TAISHOBI_YMD, Sex, "
            "Birth, Jiritsu_KBN, Ninchi_KBN, YOUKAIGO_KBN, ROOM_NO) VALUES (:no, :name, :kana, :type, :kubun, :kd, "
            ":nyusho, :taisho, :sex, :birth, :jiritsu, :ninchi, :youkaigo, :room)"));
        q.bindValue(QStringLiteral(":no"), c.cureNo);
        q.bindValue(QStringLiteral(":name"), c.name);
        q.bindValue(QStringLiteral(":kana"), c.kana);
        q.bindValue(QStringLiteral(":type"), c.type);
        q.bindValue(QStringLiteral(":kubun"), c.kubun);
        lum::db::bindDate(q, QStringLiteral(":kd"), c.nyusho);
        lum::db::bindDate(q, QStringLiteral(":nyusho"), c.nyusho);
        lum::db::bindDate(q, QStringLiteral(":taisho"), c.taisho);
        q.bindValue(QStringLiteral(":sex"), c.sex);
        lum::db::bindDate(q, QStringLiteral(":birth"), c.birth);
        q.bindValue(QStringLiteral(":jiritsu"), c.jiritsu);
        q.bindValue(QStringLiteral(":ninchi"), c.ninchi);
        q.bindValue(QStringLiteral(":youkaigo"), c.youkaigo);
        q.bindValue(QStringLiteral(":room"), c.room);
        db().exec(q);
    }

    // Ticks the type boxes named in `types` ("0" to "3") and chooses the radio items.
    void choose(const QString& types, int leavers, int period) {
        const QStringList boxes = {"NyushoBox", "TankiBox", "TsushoBox", "HoumonBox"};
        for (int t = 0; t < 4; ++t)
            form_->findChild<QCheckBox*>(boxes[t])->setChecked(types.contains(QString::number(t)));
        form_->findChild<QRadioButton*>(QStringLiteral("RadioGroup1Item%1").arg(leavers))->click();
        form_->findChild<QRadioButton*>(QStringLiteral("RadioGroup2Item%1").arg(period))->click();
    }

    QList<int> listed() {
        QList<int> numbers;
        auto* q = form_->AllUserPrintQuery.get();
        for (q->first(); !q->eof(); q->next()) numbers << q->query().value(0).toInt();
        return numbers;
    }

    QString printConditions() {
        lum::ExprValue v;
        form_->frReport1->OnGetValue(QStringLiteral("PrnLmt"), v);
        return v.toString();
    }

    lum::HeadlessReportUi ui_;
    std::unique_ptr<TPrintAllUserForm> form_;
};

// Today is 2002/05/20: three months back starts 2002/02/01. (Functions, not
// tables: the dates need the date value's statics.)
std::vector<Client> sixClients() {
    return {
    {1, "入所 長期", "ｱ", 0, 0, ymd(2001, 4, 1), {}, 0, {}, 1, 0, 0, ""},
    {2, "短期 昨日退所", "ｲ", 1, 0, ymd(2002, 2, 1), ymd(2002, 5, 19), 0, {}, 1, 0, 0, ""},
    {3, "通所 本日退所", "ｳ", 2, 0, ymd(2002, 2, 2), ymd(2002, 5, 20), 0, {}, 1, 0, 0, ""},
    {4, "訪問 来月退所", "ｴ", 3, 0, ymd(2002, 3, 15), ymd(2002, 6, 1), 0, {}, 1, 0, 0, ""},
    {5, "入所 初日午後", "ｵ", 0, 0, ymd(2002, 2, 1, 13, 0), {}, 0, {}, 1, 0, 0, ""},
    {6, "訪問 昔退所", "ｶ", 3, 0, ymd(2000, 1, 1), ymd(2001, 12, 31), 0, {}, 1, 0, 0, ""},
    };
}

TEST_P(PrintAllUserTest, EachChoiceListsItsClientsAndThePrintHeaderSaysIt) {
    for (const Client& c : sixClients()) insert(c);
    struct Case {
        const char* types;
        int leavers, period;
        QList<int> numbers;  // empty: the list is refused as empty
        const char* header;
    };
    const Case cases[] = {
        {"", 1, 1, {1, 2, 3, 4, 5, 6}, "（印刷条件:利用者全員、退所者を含む、過去分の全て）"},
        {"", 0, 1, {1, 3, 4, 5}, "（印刷条件:利用者全員、退所者を除く、過去分の全て）"},
        {"", 1, 0, {3, 4}, "（印刷条件:利用者全員、退所者を含む、最新のみ）"},
        {"", 0, 0, {3, 4}, "（印刷条件:利用者全員、退所者を除く、最新のみ）"},
        {"03", 1, 1, {1, 4, 5, 6}, "（印刷条件:条件１有り、退所者を含む、過去分の全て）"},
        {"3", 0, 1, {4}, "（印刷条件:条件１有り、退所者を除く、過去分の全て）"},
        // Without the parentheses round the types, client 2 (type 1) would come in.
        {"12", 0, 0, {3}, "（印刷条件:条件１有り、退所者を除く、最新のみ）"},
        {"0123", 0, 1, {1, 3, 4, 5}, "（印刷条件:条件１有り、退所者を除く、過去分の全て）"},
        {"1", 0, 0, {}, "（印刷条件:条件１有り、退所者を除く、最新のみ）"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("types ") + c.types + " radio " + std::to_string(c.leavers) + "," +
                     std::to_string(c.period));
        choose(QString::fromLatin1(c.types), c.leavers, c.period);
        lum::ScriptedDialogs d;
        if (c.numbers.isEmpty()) {
            d.expect(MsgKind::Warning, QStringLiteral("条件に該当するデータがありません。"), MsgButton::Yes);
            EXPECT_FALSE(form_->PrepareList());
        } else {
            ASSERT_TRUE(form_->PrepareList());
            EXPECT_EQ(listed(), c.numbers);
        }
        EXPECT_EQ(form_->TypeChosen, *c.types != '\0');
        EXPECT_EQ(printConditions(), QString::fromUtf8(c.header));
    }
}

TEST_P(PrintAllUserTest, AFailedQueryIsReportedAndListsNothing) {
    db().execute(QStringLiteral("DROP TABLE Person"));
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Error, QStringLiteral("データの抽出に失敗しました。"), MsgButton::Yes);
    EXPECT_FALSE(form_->PrepareList());
    EXPECT_EQ(form_->AllUserPrintQuery, nullptr);
}

// Three clients whose CSV lines show every rule of the file: eight-digit
// numbers, column 6 cut at 14 bytes, full-width blanks for negative degrees,
// Ⅱa, a name with a comma and one with a double quote.
std::vector<Client> csvClients() {
    return {
    {123, "山田　太郎", "ﾔﾏﾀﾞ ﾀﾛｳ", 2, 12, ymd(2002, 3, 1), {}, 0, ymd(1930, 4, 1), 3, 2, 2, ""},
    {4567, "佐藤,花子", "ｻﾄｳ ﾊﾅｺ", 0, 3, ymd(2001, 10, 1), ymd(2002, 6, 30), 1, ymd(1925, 12, 24), -1, -1, -1,
     "201号室"},
    {89012345, "鈴木\"一\"", "ｽｽﾞｷ", 1, 0, ymd(2002, 5, 1), ymd(2002, 5, 20), 0, {}, 0, 7, 6, "短期1"},
    };
}

QByteArray golden() {
    QFile f(QStringLiteral(QT_TESTCASE_SOURCEDIR "/printing/golden/client_list.csv"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

TEST_P(PrintAllUserTest, TheCsvFileHoldsTheGoldenBytes) {
    for (const Client& c : csvClients()) insert(c);
    QTemporaryDir dir;
    form_->show();
    choose("", 1, 1);
    form_->Fnrm1910_1Edit->setText(dir.filePath(QStringLiteral("out/list.txt")));
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, QStringLiteral("終了しました。"), MsgButton::Yes);
    form_->findChild<QPushButton*>(QStringLiteral("CSVOutButton"))->click();
    QFile written(dir.filePath(QStringLiteral("out/list.csv")));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), golden());
    form_->close();
}

TEST_P(PrintAllUserTest, ThePathButtonStartsFromTheSettingAndKeepsTheChoice) {
    settings().AllUser = QStringLiteral("/srv/riha/利用者.csv");
    form_->show();
    EXPECT_EQ(form_->Fnrm1910_1Edit->text(), settings().AllUser) << "the edit shows the setting";
    form_->Fnrm1910_1Edit->setText(QStringLiteral("typed but not chosen"));
    lum::ScriptedDialogs d;
    d.expectFile(lum::FileMode::Save, QStringLiteral("/srv/riha/2002年5月.csv"));
    form_->findChild<QPushButton*>(QStringLiteral("CSVSearchButton"))->click();
    ASSERT_EQ(d.fileRequests().size(), 1);
    EXPECT_EQ(d.fileRequests()[0].fileName, QStringLiteral("/srv/riha/利用者.csv"));
    EXPECT_EQ(form_->Fnrm1910_1Edit->text(), QStringLiteral("/srv/riha/2002年5月.csv"));
    EXPECT_EQ(settings().AllUser, QStringLiteral("/srv/riha/2002年5月.csv"));

    d.expectFile(lum::FileMode::Save, QString());  // cancelled
    form_->findChild<QPushButton*>(QStringLiteral("CSVSearchButton"))->click();
    EXPECT_EQ(form_->Fnrm1910_1Edit->text(), QStringLiteral("/srv/riha/2002年5月.csv"));
    form_->close();
}

TEST_P(PrintAllUserTest, ThePrintoutListsTheChosenClientsWithTheirTexts) {
    for (const Client& c : csvClients()) insert(c);
    choose("", 1, 1);
    form_->findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    ASSERT_EQ(ui_.previews.size(), 1);
    ASSERT_EQ(form_->frReport1->EMFPages.Count(), 1);
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    const QString pdf = outputFile(QStringLiteral("AllUser-%1.pdf").arg(isSqlite() ? "sqlite" : "pg"));
    writePdf(form_->frReport1->EMFPages, pdf);
    const QString text = pdfText(pdf);
    for (const char* expected : {"利用者一覧表", "平成14年05月20日 作成", "（印刷条件:利用者全員、退所者を含む、過去分の全て）",
                                 "介護老人保健施設 みどり苑", "00000123", "山田", "太郎", "通所リハビリ", "S05.04.01",
                                 "H14.03.01", "72", "A1", "Ⅱa", "要介護1", "00004567", "佐藤,花子", "T14.12.24",
                                 "H14.06.30", "201号室", "89012345", "鈴木\"一\"", "1 / 1"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    }
}

LUM_INSTANTIATE_DATABASE_TESTS(PrintAllUserTest);

}  // namespace
