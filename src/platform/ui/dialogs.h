#pragma once
// The dialog service: every message box, modal dialog, file picker and input
// box of the application goes through lum::dialogs(), so that tests can put a
// script in its place (ui/scripted_dialogs.h) and never block on a window.
#include <QFlags>
#include <QPoint>
#include <QString>
#include <optional>

class QDialog;
class QWidget;

namespace lum {

// The kind of a message; its Japanese name is the window title.
enum class MsgKind { Warning, Error, Information, Confirm };

enum class MsgButton : unsigned {
    None = 0,
    Yes = 0x01,     // はい
    No = 0x02,      // いいえ
    Ok = 0x04,      // OK
    Cancel = 0x08,  // キャンセル
    Abort = 0x10,   // 中止
};
Q_DECLARE_FLAGS(MsgButtons, MsgButton)

// 警告, エラー, 情報, 確認
QString kindTitle(MsgKind kind);
// はい, いいえ, OK, キャンセル, 中止 ("" for None)
QString buttonText(MsgButton button);
// The buttons of a set in the order they are offered.
QList<MsgButton> buttonList(MsgButtons buttons);
// The answer of Esc and of the close box: キャンセル, else いいえ, else 中止,
// else OK, else the only button there is. An empty set counts as OK alone.
MsgButton negativeAnswer(MsgButtons buttons);
// The button Enter presses first: OK, else はい, else the first one.
MsgButton defaultAnswer(MsgButtons buttons);

struct Message {
    MsgKind kind = MsgKind::Information;
    QString text;
    MsgButtons buttons = MsgButton::Ok;
    QString title;  // "" shows the kind's title; the error handler puts the application's here
    // Where the box's top-left corner goes on the screen; none: over its window.
    std::optional<QPoint> position = std::nullopt;

    QString caption() const { return title.isEmpty() ? kindTitle(kind) : title; }
};
// One line for logs and test failures: 確認「登録しますか？」[はい/いいえ]
QString describe(const Message& message);

enum class FileMode { Open, Save, Directory };

struct FileRequest {
    FileMode mode = FileMode::Open;
    QString caption;
    QString fileName;  // the preset name or folder
    QString filter;    // "CSV|*.csv;*.CSV|すべて|*.*": description|patterns pairs
    QWidget* parent = nullptr;
};

struct InputRequest {
    QString caption;
    QString prompt;
    QString text;  // the preset text
    QWidget* parent = nullptr;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Shows a message and returns the button chosen (Esc and the close box:
    // negativeAnswer(buttons)).
    virtual MsgButton message(const Message& message, QWidget* parent) = 0;
    // Runs a dialog modally and returns its result code.
    virtual int runModal(QDialog& dialog) = 0;
    // The chosen file or folder; "" when cancelled.
    virtual QString chooseFile(const FileRequest& request) = 0;
    // The text entered; nothing when cancelled.
    virtual std::optional<QString> inputText(const InputRequest& request) = 0;
};

// The process-wide service: the Qt dialogs unless a replacement is installed.
Dialogs& dialogs();
// Installs a replacement (nullptr puts the Qt dialogs back); returns the one before.
Dialogs* setDialogs(Dialogs* replacement);

// Installs a replacement for a scope and puts the previous one back.
class ScopedDialogs {
public:
    explicit ScopedDialogs(Dialogs& replacement) : previous_(setDialogs(&replacement)) {}
    ~ScopedDialogs() { setDialogs(previous_); }
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;

private:
    Dialogs* previous_;
};

// Shorthands over dialogs().
MsgButton message(MsgKind kind, const QString& text, MsgButtons buttons = MsgButton::Ok,
                  QWidget* parent = nullptr);
// The same, with the box's top-left corner at a screen position (beside the
// control it is about).
MsgButton messageAt(QPoint position, MsgKind kind, const QString& text, MsgButtons buttons = MsgButton::Ok,
                    QWidget* parent = nullptr);
// How many messages have been shown in this run. A window compares it before
// and after a step to know whether a box took the keyboard focus meanwhile.
unsigned messagesShown();
int runModal(QDialog& dialog);
// The chosen file or folder ("" when cancelled). A file of the open database
// (its -wal, -shm and -journal too) is refused with a warning and gives "".
QString chooseFile(const FileRequest& request);
QString databaseFileRefusedText(const QString& file);
std::optional<QString> inputText(const InputRequest& request);

}  // namespace lum

Q_DECLARE_OPERATORS_FOR_FLAGS(lum::MsgButtons)
