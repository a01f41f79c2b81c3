#include "platform/ui/dialogs.h"

#include "platform/db/open_database_files.h"
#include "platform/ui/qt_dialogs.h"

#include <QStringList>

namespace lum {

namespace {

constexpr MsgButton kButtonOrder[] = {MsgButton::Yes, MsgButton::No, MsgButton::Ok,
                                      MsgButton::Cancel, MsgButton::Abort};

Dialogs* installed = nullptr;

Dialogs& qtDialogs() {
    static QtDialogs real;
    return real;
}

}  // namespace

QString kindTitle(MsgKind kind) {
    switch (kind) {
    case MsgKind::Warning: return QStringLiteral("警告");
    case MsgKind::Error: return QStringLiteral("エラー");
    case MsgKind::Information: return QStringLiteral("情報");
    case MsgKind::Confirm: return QStringLiteral("確認");
    }
    return {};
}

QString buttonText(MsgButton button) {
    switch (button) {
    case MsgButton::None: return {};
    case MsgButton::Yes: return QStringLiteral("はい");
    case MsgButton::No: return QStringLiteral("いいえ");
    case MsgButton::Ok: return QStringLiteral("OK");
    case MsgButton::Cancel: return QStringLiteral("キャンセル");
    case MsgButton::Abort: return QStringLiteral("中止");
    }
    return {};
}

QList<MsgButton> buttonList(MsgButtons buttons) {
    QList<MsgButton> list;
    for (MsgButton b : kButtonOrder) {
        if (buttons.testFlag(b)) list.append(b);
    }
    if (list.isEmpty()) list.append(MsgButton::Ok);
    return list;
}

MsgButton negativeAnswer(MsgButtons buttons) {
    const QList<MsgButton> list = buttonList(buttons);
    for (MsgButton b : {MsgButton::Cancel, MsgButton::No, MsgButton::Abort, MsgButton::Ok}) {
        if (list.contains(b)) return b;
    }
    return list.first();
}

MsgButton defaultAnswer(MsgButtons buttons) {
    const QList<MsgButton> list = buttonList(buttons);
    for (MsgButton b : {MsgButton::Ok, MsgButton::Yes}) {
        if (list.contains(b)) return b;
    }
    return list.first();
}

QString describe(const Message& message) {
    QStringList names;
    for (MsgButton b : buttonList(message.buttons)) names.append(buttonText(b));
    return QStringLiteral("%1「%2」[%3]").arg(message.caption(), message.text, names.join(u'/'));
}

Dialogs& dialogs() { return installed ? *installed : qtDialogs(); }

Dialogs* setDialogs(Dialogs* replacement) {
    Dialogs* previous = installed;
    installed = replacement;
    return previous;
}

namespace {
unsigned shownMessages = 0;
}  // namespace

MsgButton message(MsgKind kind, const QString& text, MsgButtons buttons, QWidget* parent) {
    ++shownMessages;
    return dialogs().message(Message{kind, text, buttons, {}}, parent);
}

MsgButton messageAt(QPoint position, MsgKind kind, const QString& text, MsgButtons buttons, QWidget* parent) {
    ++shownMessages;
    return dialogs().message(Message{kind, text, buttons, {}, position}, parent);
}

unsigned messagesShown() { return shownMessages; }

int runModal(QDialog& dialog) { return dialogs().runModal(dialog); }

QString chooseFile(const FileRequest& request) {
    const QString chosen = dialogs().chooseFile(request);
    // Reading or writing the open database's files from outside SQLite would
    // take its locks away (and overwrite or cut it): such a choice is refused.
    if (request.mode != FileMode::Directory && db::isOpenDatabaseFile(chosen)) {
        message(MsgKind::Warning, databaseFileRefusedText(chosen), MsgButton::Ok, request.parent);
        return {};
    }
    return chosen;
}

QString databaseFileRefusedText(const QString& file) {
    return QStringLiteral("このファイルはデータベースが使用中のため選べません。\n%1").arg(file);
}

std::optional<QString> inputText(const InputRequest& request) {
    return dialogs().inputText(request);
}

}  // namespace lum
