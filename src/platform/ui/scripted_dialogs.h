#pragma once
// The test double of the dialog service. It records every message, modal
// dialog, file picker and input box, and answers them from a script of the
// steps the user is expected to meet, in order:
//
//     lum::ScriptedDialogs d;   // installed for its lifetime
//     d.expect(lum::MsgKind::Confirm, "登録しますか？", lum::MsgButton::Yes);
//     window.registerButton()->click();
//     EXPECT_TRUE(d.allDone()) << d.report().toStdString();
//
// A dialog the script does not expect next is a failure: it is answered like
// Esc (the negative answer, a rejected dialog, a cancelled picker) and listed in
// failures(). A scripted step that never came is listed in pending(). Failures
// and pending steps also go to the failure reporter when one is set (the test
// main sets one that fails the running test), so a test need not check them.
#include "platform/ui/dialogs.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>
#include <deque>
#include <functional>
#include <variant>

namespace lum {

class ScriptedDialogs final : public Dialogs {
public:
    enum class Install { Yes, No };
    // Sets values on the dialog (or clicks its buttons) and returns its result.
    using ModalAction = std::function<int(QDialog&)>;

    explicit ScriptedDialogs(Install install = Install::Yes);
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // ---- the script
    ScriptedDialogs& expect(MsgKind kind, const QString& text, MsgButton answer);
    ScriptedDialogs& expect(const QString& text, MsgButton answer);  // of any kind
    ScriptedDialogs& expect(MsgKind kind, MsgButton answer);         // with any text
    // A text that varies (a driver's error after a fixed start, say).
    ScriptedDialogs& expect(MsgKind kind, const QRegularExpression& pattern, MsgButton answer);
    // What happens elsewhere while the box waits for its answer (another
    // workstation saving, say): whileOpen runs, then the answer is given.
    ScriptedDialogs& expect(MsgKind kind, const QString& text, MsgButton answer, std::function<void()> whileOpen);
    // `name` is the dialog's objectName or class name ("" matches any dialog).
    // The dialog is shown (not exec'd), the action runs, then the dialog ends
    // with the action's result unless the action ended it itself.
    ScriptedDialogs& expectModal(const QString& name, int result);
    ScriptedDialogs& expectModal(const QString& name, ModalAction action);
    // The file or folder the user picks; "" cancels.
    ScriptedDialogs& expectFile(FileMode mode, const QString& answer);
    // The text the user enters; nothing cancels.
    ScriptedDialogs& expectInput(std::optional<QString> answer);

    // ---- what happened
    const QList<Message>& messages() const { return messages_; }
    const QStringList& modals() const { return modals_; }  // names of the dialogs run
    const QList<FileRequest>& fileRequests() const { return fileRequests_; }
    const QList<InputRequest>& inputRequests() const { return inputRequests_; }
    const QStringList& failures() const { return failures_; }
    QStringList pending() const;
    bool allDone() const { return failures_.isEmpty() && script_.empty(); }
    QString report() const;  // failures and pending steps, one per line

    // Where failures go as they happen (and pending steps when the double ends).
    static void setFailureReporter(std::function<void(const QString&)> reporter);
    // Off for a test that looks at failures() itself.
    void setReportFailures(bool on) { reportFailures_ = on; }
    // On for a test of where the focus goes after a message: each message
    // then takes the keyboard focus as a real box does (a window of its own
    // is active while it is answered, and the window active before it is
    // activated again afterwards).
    void setMessagesTakeFocus(bool on) { messagesTakeFocus_ = on; }

    // ---- Dialogs
    MsgButton message(const Message& message, QWidget* parent) override;
    int runModal(QDialog& dialog) override;
    QString chooseFile(const FileRequest& request) override;
    std::optional<QString> inputText(const InputRequest& request) override;

private:
    struct MessageStep {
        std::optional<MsgKind> kind;
        std::optional<QString> text;
        std::optional<QRegularExpression> pattern;
        MsgButton answer;
        std::function<void()> whileOpen;

        bool matches(const Message& message) const;
    };
    struct ModalStep {
        QString name;
        ModalAction action;
    };
    struct FileStep {
        FileMode mode;
        QString answer;
    };
    struct InputStep {
        std::optional<QString> answer;
    };
    using Step = std::variant<MessageStep, ModalStep, FileStep, InputStep>;

    template <typename T>
    const T* next() const;
    void fail(const QString& what);
    static QString describe(const Step& step);

    std::deque<Step> script_;
    QList<Message> messages_;
    QStringList modals_;
    QList<FileRequest> fileRequests_;
    QList<InputRequest> inputRequests_;
    QStringList failures_;
    bool reportFailures_ = true;
    bool messagesTakeFocus_ = false;
    Dialogs* previous_ = nullptr;
    bool installed_ = false;
};

}  // namespace lum
