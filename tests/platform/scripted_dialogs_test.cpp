// The scripted double that every window test uses in place of the dialogs.
#include "platform/ui/scripted_dialogs.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace lum {

// A dialog with a value field, a show handler and its own OK button.
class PickerDialog : public QDialog {
    Q_OBJECT
public:
    PickerDialog() {
        setObjectName("TPickerForm");
        edit = new QLineEdit(this);
        edit->setObjectName("CodeEdit");
        ok = new QPushButton("確定", this);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    }
    QLineEdit* edit;
    QPushButton* ok;
    int shown = 0;

protected:
    void showEvent(QShowEvent* e) override {
        ++shown;
        QDialog::showEvent(e);
    }
};

namespace {

using B = MsgButton;

TEST(ScriptedDialogs, RecordsEveryMessageAndAnswersInOrder) {
    ScriptedDialogs d;
    d.expect(MsgKind::Confirm, "登録しますか？", B::Yes)
        .expect("削除しますか？", B::No)             // any kind
        .expect(MsgKind::Error, B::Abort);           // any text
    EXPECT_EQ(message(MsgKind::Confirm, "登録しますか？", B::Yes | B::No), B::Yes);
    EXPECT_EQ(message(MsgKind::Warning, "削除しますか？", B::Yes | B::No), B::No);
    EXPECT_EQ(message(MsgKind::Error, "System Error\n接続できません。", B::Abort), B::Abort);

    ASSERT_EQ(d.messages().size(), 3);
    EXPECT_EQ(d.messages()[1].kind, MsgKind::Warning);
    EXPECT_EQ(d.messages()[1].text, "削除しますか？");
    EXPECT_EQ(d.messages()[1].buttons, B::Yes | B::No);
    EXPECT_EQ(d.messages()[2].text, "System Error\n接続できません。");
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST(ScriptedDialogs, UnexpectedMessagesFailAndGetTheNegativeAnswer) {
    QStringList reported;
    ScriptedDialogs::setFailureReporter([&reported](const QString& f) { reported.append(f); });
    {
        ScriptedDialogs d;
        d.expect(MsgKind::Confirm, "登録しますか？", B::Yes);
        // Wrong text, wrong kind: refused, answered like Esc, the step stays.
        EXPECT_EQ(message(MsgKind::Confirm, "更新しますか？", B::Yes | B::No | B::Cancel), B::Cancel);
        EXPECT_EQ(message(MsgKind::Warning, "登録しますか？", B::Yes | B::No), B::No);
        EXPECT_EQ(message(MsgKind::Confirm, "登録しますか？", B::Yes | B::No), B::Yes);
        // Nothing more scripted.
        EXPECT_EQ(message(MsgKind::Information, "登録しました。"), B::Ok);
        EXPECT_EQ(d.failures().size(), 3);
        EXPECT_EQ(d.messages().size(), 4);
        EXPECT_FALSE(d.allDone());
        EXPECT_TRUE(d.failures()[0].contains("更新しますか？"));
        EXPECT_TRUE(d.failures()[0].contains("登録しますか？"));  // names what was expected
        EXPECT_EQ(reported, d.failures());
    }
    ScriptedDialogs::setFailureReporter(nullptr);
}

TEST(ScriptedDialogs, APatternMatchesATextThatVaries) {
    ScriptedDialogs d;
    d.setReportFailures(false);
    const QRegularExpression dbError("^System DB Read Error:");
    d.expect(MsgKind::Error, dbError, B::Ok).expect(MsgKind::Error, dbError, B::Ok);
    EXPECT_EQ(message(MsgKind::Error, "System DB Read Error:no such table: Person"), B::Ok);
    message(MsgKind::Error, "SystemError : 接続できません。");
    ASSERT_EQ(d.failures().size(), 1);
    EXPECT_TRUE(d.failures()[0].contains("/^System DB Read Error:/"));
    EXPECT_EQ(d.pending().size(), 1);
}

TEST(ScriptedDialogs, AScriptedAnswerThatIsNoButtonIsAFailure) {
    ScriptedDialogs d;
    d.setReportFailures(false);
    d.expect(MsgKind::Error, "中止します。", B::Yes);
    EXPECT_EQ(message(MsgKind::Error, "中止します。", B::Abort | B::Ok), B::Abort);
    ASSERT_EQ(d.failures().size(), 1);
    EXPECT_TRUE(d.failures()[0].contains("はい"));
}

TEST(ScriptedDialogs, StepsThatNeverCameArePendingAndReportedAtTheEnd) {
    QStringList reported;
    ScriptedDialogs::setFailureReporter([&reported](const QString& f) { reported.append(f); });
    {
        ScriptedDialogs d;
        d.expect(MsgKind::Information, "保存しました。", B::Ok).expectFile(FileMode::Open, "");
        EXPECT_FALSE(d.allDone());
        EXPECT_EQ(d.pending().size(), 2);
        EXPECT_TRUE(d.report().contains("保存しました。"));
        EXPECT_TRUE(reported.isEmpty());
    }
    ScriptedDialogs::setFailureReporter(nullptr);
    ASSERT_EQ(reported.size(), 2);
    EXPECT_TRUE(reported[0].contains("保存しました。"));
}

TEST(ScriptedDialogs, ModalDialogsRunTheActionWithoutBlocking) {
    ScriptedDialogs d;
    d.expectModal("TPickerForm",
                  [](QDialog& dialog) {
                      dialog.findChild<QLineEdit*>("CodeEdit")->setText("12");
                      return int(QDialog::Accepted);
                  })
        .expectModal("PickerDialog", QDialog::Rejected)  // by class name
        .expectModal("", [](QDialog& dialog) {  // the dialog's own button ends it
            static_cast<PickerDialog&>(dialog).ok->click();
            return int(QDialog::Rejected);
        });

    PickerDialog picker;
    bool accepted = false;
    QObject::connect(&picker, &QDialog::accepted, [&accepted] { accepted = true; });
    EXPECT_EQ(runModal(picker), QDialog::Accepted);
    EXPECT_EQ(picker.edit->text(), "12");
    EXPECT_EQ(picker.shown, 1);          // its show handler ran
    EXPECT_FALSE(picker.isVisible());    // and it is closed again
    EXPECT_TRUE(accepted);
    EXPECT_EQ(picker.result(), QDialog::Accepted);

    picker.setObjectName("");
    EXPECT_EQ(runModal(picker), QDialog::Rejected);
    EXPECT_EQ(runModal(picker), QDialog::Accepted);  // the button's result wins
    EXPECT_EQ(d.modals(),
              QStringList({"TPickerForm", "lum::PickerDialog", "lum::PickerDialog"}));
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST(ScriptedDialogs, AModalActionMayRunNestedDialogs) {
    ScriptedDialogs d;
    d.expectModal("TPickerForm",
                  [](QDialog&) {
                      PickerDialog inner;
                      inner.setObjectName("TUserSearchForm");
                      return runModal(inner) == QDialog::Accepted ? 7 : 0;
                  })
        .expectModal("TUserSearchForm", QDialog::Accepted);
    PickerDialog outer;
    EXPECT_EQ(runModal(outer), 7);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST(ScriptedDialogs, AnUnexpectedModalDialogIsRejectedUnshown) {
    ScriptedDialogs d;
    d.setReportFailures(false);
    d.expectModal("TUserSearchForm", QDialog::Accepted);
    PickerDialog picker;
    EXPECT_EQ(runModal(picker), QDialog::Rejected);
    EXPECT_EQ(picker.shown, 0);
    EXPECT_EQ(d.failures().size(), 1);
    EXPECT_EQ(d.pending().size(), 1);
}

TEST(ScriptedDialogs, FilePickersAndInputBoxesAnswerFromTheScript) {
    ScriptedDialogs d;
    d.expectFile(FileMode::Save, "/tmp/out.csv")
        .expectFile(FileMode::Open, "")  // cancelled
        .expectFile(FileMode::Directory, "/tmp")
        .expectInput(QString("３"))
        .expectInput(std::nullopt);
    EXPECT_EQ(chooseFile({FileMode::Save, "", "/home/a.csv", "ＣＳＶ|*.csv", nullptr}), "/tmp/out.csv");
    EXPECT_EQ(chooseFile({FileMode::Open, "", "", "CSV|*.csv;*.txt", nullptr}), "");
    EXPECT_EQ(chooseFile({FileMode::Directory, "", "", "", nullptr}), "/tmp");
    EXPECT_EQ(inputText({"", "回数", "1", nullptr}), QString("３"));
    EXPECT_EQ(inputText({"", "回数", "1", nullptr}), std::nullopt);

    ASSERT_EQ(d.fileRequests().size(), 3);
    EXPECT_EQ(d.fileRequests()[0].fileName, "/home/a.csv");
    EXPECT_EQ(d.fileRequests()[1].filter, "CSV|*.csv;*.txt");
    ASSERT_EQ(d.inputRequests().size(), 2);
    EXPECT_EQ(d.inputRequests()[0].prompt, "回数");
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST(ScriptedDialogs, APickerOfAnotherModeOrAStepOfAnotherTypeFails) {
    ScriptedDialogs d;
    d.setReportFailures(false);
    d.expectFile(FileMode::Open, "/tmp/in.csv");
    EXPECT_EQ(chooseFile({FileMode::Save, "", "", "", nullptr}), "");
    EXPECT_EQ(message(MsgKind::Information, "完了"), B::Ok);
    EXPECT_EQ(inputText({"", "値", "", nullptr}), std::nullopt);
    EXPECT_EQ(d.failures().size(), 3);
    EXPECT_EQ(chooseFile({FileMode::Open, "", "", "", nullptr}), "/tmp/in.csv");
}

}  // namespace
}  // namespace lum

#include "scripted_dialogs_test.moc"
