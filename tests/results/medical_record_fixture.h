#pragma once
// What the medical-record tests share: a facility database on both backends
// handed to the windows, three staff members in the data module's list, a
// fixed "now", a main window holding the settings and the folder of the
// built templates, and helpers that write results and plans, legacy forms
// included (a CureDate with a time of day, a start time with a date).
#include "app/main_form.h"
#include "app/main_module.h"
#include "app/registory.h"
#include "app/staff_list.h"
#include "common/db/sql_date.h"
#include "plans/plan_store.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "platform/settings/settings_key.h"
#include "results/medical_record_form.h"
#include "results_fixture.h"
#include "widgets/comment_form.h"
#include "widgets/comment_store.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace lum::test {

struct StaffRow {
    int code;
    const char* name;
    const char* symbol;
};
inline constexpr StaffRow kStaff[] = {{3, "鈴木 一郎", "ス"}, {7, "佐藤 花子", "サ"}, {9, "田中 次郎", "タ"}};

class MedicalRecordTest : public ResultsDatabaseTest {
protected:
    void SetUp() override {
        ResultsDatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(settingsDir_.isValid());
        SettingsKey::setRootFolder(settingsDir_.path());
        facility_ = std::make_unique<ScopedFacilityDatabase>(db());
        if (seedStaff_) {
            for (const StaffRow& s : kStaff) {
                QSqlQuery q =
                    db().prepare(QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (:c, :n, :k)"));
                q.bindValue(QStringLiteral(":c"), s.code);
                q.bindValue(QStringLiteral(":n"), QString::fromUtf8(s.name));
                q.bindValue(QStringLiteral(":k"), QString::fromUtf8(s.symbol));
                db().exec(q);
            }
            CommentStore(db()).append(QStringLiteral("ResultEdit"), 0, QStringLiteral("歩行訓練"),
                                      TDateTime::fromYmd(2024, 5, 1));
        }
        mainForm_ = std::make_unique<TMainForm>();
#ifdef LUMORIND_TEMPLATE_DIR
        mainForm_->AppDir = QStringLiteral(LUMORIND_TEMPLATE_DIR);
#endif
        mainForm_->Registory = std::make_unique<TRegistory>();
        MainForm = mainForm_.get();
        module_ = std::make_unique<TMainModule>();
        module_->FacilityName = QStringLiteral("介護老人保健施設 みどり苑");
        MainModule = module_.get();
        reloadStaff();
    }
    // The data module's staff list as the table holds it now.
    void reloadStaff() {
        module_->StuffCD.clear();
        module_->StuffNames.clear();
        module_->StuffKigo.clear();
        for (const StaffMember& s : ReadStaffList(db())) {
            module_->StuffCD.push_back(s.code);
            module_->StuffNames << s.name;
            module_->StuffKigo << s.symbol;
        }
        module_->StuffCount = static_cast<int>(module_->StuffCD.size());
    }
    void TearDown() override {
        delete CommentForm;
        MainModule = nullptr;
        module_.reset();
        MainForm = nullptr;
        mainForm_.reset();
        facility_.reset();
        SettingsKey::setRootFolder(QString());
        ResultsDatabaseTest::TearDown();
    }

    static TDateTime ymd(int y, int m, int d) { return TDateTime::fromYmd(y, m, d); }
    static TDateTime hm(int h, int m) { return TDateTime::fromYmdHms(1899, 12, 30, h, m); }

    // A result of the client on the day by a staff member of kStaff (-1:
    // none), planned and done at these times and minutes.
    qint64 addResult(const TPerson& client, TDateTime day, int staffCode, TDateTime start, int minutes,
                     int plannedMinutes = -1, const QString& login = QStringLiteral("入力 太郎")) {
        CureResult r = resultOn(client, day);
        r.StuffCode = staffCode;
        for (const StaffRow& s : kStaff) {
            if (s.code == staffCode) {
                r.StuffName = QString::fromUtf8(s.name);
                r.StuffKigo = QString::fromUtf8(s.symbol);
            }
        }
        r.PStartTime = start;
        r.RStartTime = start;
        r.PMinute = plannedMinutes < 0 ? minutes : plannedMinutes;
        r.RMinute = minutes;
        r.LoginName = login;
        return store().insert(r);
    }
    // Writes a date-time column as older data holds it (a date with a time),
    // past the store, which writes dates and times in one form only.
    void setRaw(qint64 resultNo, const char* column, TDateTime value) {
        QSqlQuery q = db().prepare(QStringLiteral("UPDATE CureResults SET %1 = :v WHERE ResultNo = :n")
                                       .arg(QString::fromLatin1(column)));
        db::bindDate(q, QStringLiteral(":v"), value);
        q.bindValue(QStringLiteral(":n"), resultNo);
        db().exec(q);
    }
    // A treatment plan of the client starting on the day, with these programme lines.
    int addPlan(const TPerson& client, TDateTime start, const QStringList& programs) {
        TPlan plan;
        plan.CureNo = client.CureNo;
        plan.PlanRegistDay = start;
        plan.PlanEndDay = start.addDays(180);
        plan.Name = client.Name;
        for (int k = 0; k < programs.size() && k < 6; ++k) plan.Body.Program[static_cast<size_t>(k)] = programs[k];
        return PlanStore(db()).AppendPlanRow(plan, QStringLiteral("作成者"), start);
    }
    void setPlanData(int planNo, const QByteArray& data) {
        QSqlQuery q = db().prepare(QStringLiteral("UPDATE RihaPlan SET PlanData = :d WHERE PlanNo = :n"));
        q.bindValue(QStringLiteral(":d"), data);
        q.bindValue(QStringLiteral(":n"), planNo);
        db().exec(q);
    }

    // Minutes typed into the first row and a remark into its box are each
    // written at once and turn 保存 off, so the window closes without asking
    // (the question is not scripted: asked, it would fail the test).
    void expectWrittenEditsCloseWithoutAQuestion(TMedicalRecordForm& form, qint64 resultNo) {
        form.ResultGrid->setFocus();
        form.ResultGrid->setCurrentCell(0, form.MinuteColumn());
        QTest::keyClick(form.ResultGrid, Qt::Key_3);
        auto* editor = qobject_cast<QLineEdit*>(form.ResultGrid->indexWidget(form.ResultGrid->currentIndex()));
        ASSERT_NE(editor, nullptr);
        EXPECT_TRUE(form.SaveButton->isEnabled()) << "typing puts the row in edit mode";
        EXPECT_FALSE(form.PrintButton->isEnabled());
        QTest::keyClick(editor, Qt::Key_5);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the delegate commits on its next turn
        EXPECT_EQ(store().find(resultNo)->RMinute, 35);
        EXPECT_FALSE(form.SaveButton->isEnabled()) << "written: nothing left to save";
        form.ResultGrid->setFocus();
        form.ResultGrid->setCurrentCell(0, form.CommentColumn());
        ASSERT_TRUE(form.CommentBox->isVisible());
        form.CommentBox->lineEdit()->insert(QStringLiteral("歩行"));
        EXPECT_EQ(store().find(resultNo)->Comment, QStringLiteral("歩行"));
        EXPECT_FALSE(form.SaveButton->isEnabled());
        form.CloseButton->click();
        EXPECT_FALSE(form.isVisible());
    }

    TMainModule& module() { return *module_; }

    FixedClock clock_{QDateTime(QDate(2024, 5, 20), QTime(10, 15, 30))};
    bool seedStaff_ = true;  // the three staff members and a phrase, before each case

private:
    QTemporaryDir settingsDir_;
    std::unique_ptr<ScopedFacilityDatabase> facility_;
    std::unique_ptr<TMainForm> mainForm_;
    std::unique_ptr<TMainModule> module_;
};

}  // namespace lum::test
