#pragma once
// The rehabilitation and preventive-care plan windows' tests: the plans
// fixture's clients, a data module with a staff list and the facility name,
// and the steps every test takes through the open dialog.
#include "app/main_module.h"
#include "common/db/sql_date.h"
#include "plans/open_document_dialog.h"
#include "plans/plans_fixture.h"
#include "plans/text_form.h"
#include "platform/ui/scripted_dialogs.h"
#include "report/engine/tfr_report.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTableWidget>

#include <memory>

namespace lum::test {

class UrinTest : public PlansTest {
protected:
    void SetUp() override {
        PlansTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        module_ = std::make_unique<TMainModule>();
        MainModule = module_.get();
        setStaff({{3, QStringLiteral("佐藤　理学")}, {5, QStringLiteral("田中　作業")}, {9, QStringLiteral("鈴木　言語")}});
        module_->FacilityName = QStringLiteral("介護老人保健施設　さくらの丘");
    }
    void TearDown() override {
        MainModule = nullptr;
        module_.reset();
        PlansTest::TearDown();
    }
    void setStaff(const std::vector<std::pair<int, QString>>& staff) {
        module_->StuffCD.clear();
        module_->StuffNames.clear();
        for (const auto& [code, name] : staff) {
            module_->StuffCD.push_back(code);
            module_->StuffNames << name;
            module_->StuffKigo << name.left(1);
        }
        module_->StuffCount = static_cast<int>(staff.size());
    }

    // The open dialog in mode 1 or 2: the number typed, 確認 pressed; with
    // several documents, the row of `day` chosen and 確定 pressed.
    static ScriptedDialogs::ModalAction typeNumber(int cureNo, std::optional<TDateTime> day = std::nullopt) {
        return [cureNo, day](QDialog& dialog) {
            auto& d = static_cast<TGetDocumentForm&>(dialog);
            d.setResult(QDialog::Rejected);  // as running it afresh does: not the last run's result
            d.CureNoEdit->setText(QString::number(cureNo));
            d.ConFirmButton->click();
            if (day && d.result() != QDialog::Accepted) {
                for (int r = 0; r < d.DBGrid1->rowCount(); ++r) {
                    if (d.DBGrid1->item(r, 0)->text() == day->toDateText())
                        d.DBGrid1->setCurrentCell(r, 0);
                }
                d.DecideButtonClick();
            }
            return d.result();
        };
    }

    // Text typed over whatever an editable box shows, as the input method
    // commits it; an empty text erases it.
    static void typeInto(QComboBox* box, const QString& text) {
        box->setFocus();
        box->lineEdit()->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
            return;
        }
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(box->lineEdit(), &commit);
    }

    int rowCount(const QString& table, int cureNo) {
        QSqlQuery q = db().prepare(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE CureNo = :c").arg(table));
        q.bindValue(QStringLiteral(":c"), cureNo);
        db().exec(q);
        return q.next() ? q.value(0).toInt() : -1;
    }
    // The stored blob of the client's document of that day (empty when none).
    QByteArray storedBlob(const QString& table, const QString& column, int cureNo, TDateTime day) {
        QSqlQuery q = db().prepare(
            QStringLiteral("SELECT %1 FROM %2 WHERE CureNo = :c AND UrinDay = :d").arg(column, table));
        q.bindValue(QStringLiteral(":c"), cureNo);
        db::bindDate(q, QStringLiteral(":d"), day);
        db().exec(q);
        return q.next() ? q.value(0).toByteArray() : QByteArray();
    }
    void storeRow(const QString& table, const QString& column, int cureNo, TDateTime day, int version,
                  const QByteArray& blob) {
        QSqlQuery q = db().prepare(
            QStringLiteral("INSERT INTO %1 (CureNo, UrinDay, DataFormatVersion, %2) VALUES (:c, :d, :v, :b)")
                .arg(table, column));
        q.bindValue(QStringLiteral(":c"), cureNo);
        db::bindDate(q, QStringLiteral(":d"), day);
        q.bindValue(QStringLiteral(":v"), version);
        q.bindValue(QStringLiteral(":b"), blob);
        db().exec(q);
    }

    // Every memo text of the first prepared page, one line each.
    static QString printedText(const TfrReport& report) {
        QStringList out;
        for (const auto& v : report.EMFPages.GetPage(0).objects()) out << v->Memo.join(u'\n');
        return out.join(u'\n');
    }

    std::unique_ptr<TMainModule> module_;
};

// One plan window shown and active, with the steps through its open dialog.
template <class Form>
class UrinFormTest : public UrinTest {
protected:
    const TDateTime kToday = TDateTime::fromYmd(2024, 1, 31);  // the fixture's today

    void SetUp() override {
        UrinTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        form_ = std::make_unique<Form>();
        form_->TemplateDir = QStringLiteral(LUMORIND_TEMPLATE_DIR);
        form_->frReport1.Ui = &ui_;
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    }
    void TearDown() override {
        if (form_) {
            form_->DocChanged = false;
            form_->ResetModified();
        }
        form_.reset();
        if (Form::KindId == DocumentId::UrinPlan) delete GetUrinPlanForm;
        else delete GetUrinPractForm;
        delete TextForm;
        UrinTest::TearDown();
    }
    Form& f() { return *form_; }
    template <class T>
    T* control(const char* name) {
        T* c = f().template findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(c) << name;
        return c;
    }
    QString dialogClass() const { return QString::fromLatin1(documentKind(Form::KindId).dialog.className); }
    void newPlan(int cureNo) {
        ScriptedDialogs d;
        d.expectModal(dialogClass(), typeNumber(cureNo));
        f().NewToolButton->click();
        ASSERT_TRUE(d.allDone()) << d.report().toStdString();
    }
    void openPlan(int cureNo, std::optional<TDateTime> day = std::nullopt) {
        ScriptedDialogs d;
        d.expectModal(dialogClass(), typeNumber(cureNo, day));
        f().OpenToolButton->click();
        ASSERT_TRUE(d.allDone()) << d.report().toStdString();
    }
    void save() {
        ScriptedDialogs d;
        d.expect(MsgKind::Information, documentKind(Form::KindId).messages.saved, MsgButton::Ok);
        f().SaveToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    // Save when a plan of the day is stored: the overwrite question answered
    // いいえ, then the cancelled message.
    void saveDeclined() {
        ScriptedDialogs d;
        d.expect(MsgKind::Information, QStringLiteral("保存されたデータがあります。\n上書きしますか？"), MsgButton::No)
            .expect(MsgKind::Information, QStringLiteral("計画書の保存はキャンセルしました。"), MsgButton::Ok);
        f().SaveToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    // A conference window's Save with a name that is no staff member typed
    // into the attendee box: refused by the box's caption, the focus back in
    // the box, nothing stored and the document still modified.
    void saveRefusingAttendee(QComboBox* box, const char* caption) {
        box->setCurrentIndex(1);
        typeInto(box, QStringLiteral("応援の職員"));
        f().ScrollBox1->setFocus();  // the focus elsewhere, as after a click on the sheet
        EXPECT_FALSE(box->hasFocus());
        ScriptedDialogs d;
        d.setMessagesTakeFocus(true);
        d.expect(MsgKind::Information,
                 QStringLiteral("出席者（%1）は職員の一覧にない名前です。\n一覧から選ぶか、空欄にしてください。")
                     .arg(QString::fromUtf8(caption)),
                 MsgButton::Ok);
        f().SaveToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_TRUE(box->hasFocus());
        EXPECT_EQ(rowCount(documentKind(Form::KindId).table, f().DocCureNo), 0);
        EXPECT_TRUE(f().IsModified());
    }

    // Save with a memo whose text its printed box cannot hold whole: refused
    // by the memo's caption and the lines the box holds, the focus back in the
    // memo (it was elsewhere), nothing stored.
    void saveRefusingUnprinted(QPlainTextEdit* memo, const char* caption, int lines) {
        f().ScrollBox1->setFocus();
        EXPECT_FALSE(memo->hasFocus());
        ScriptedDialogs d;
        d.setMessagesTakeFocus(true);
        d.expect(MsgKind::Information,
                 QStringLiteral("%1は印刷欄に入りきりません。\n%2行以内で入力してください。")
                     .arg(QString::fromUtf8(caption))
                     .arg(lines),
                 MsgButton::Ok);
        f().SaveToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_TRUE(memo->hasFocus());
        EXPECT_EQ(rowCount(documentKind(Form::KindId).table, f().DocCureNo), 0);
    }

    // The table's stored blob of the client's plan of that day.
    QByteArray stored(int cureNo, TDateTime day) {
        const DocumentKind& k = documentKind(Form::KindId);
        return storedBlob(k.table, k.blobColumn, cureNo, day);
    }

    HeadlessReportUi ui_;
    std::unique_ptr<Form> form_;
};

}  // namespace lum::test
