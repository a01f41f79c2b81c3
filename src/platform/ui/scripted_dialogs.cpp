#include "platform/ui/scripted_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QPushButton>

namespace lum {

namespace {

std::function<void(const QString&)>& failureReporter() {
    static std::function<void(const QString&)> reporter;
    return reporter;
}

QString modeName(FileMode mode) {
    switch (mode) {
    case FileMode::Open: return QStringLiteral("open-file picker");
    case FileMode::Save: return QStringLiteral("save-file picker");
    case FileMode::Directory: return QStringLiteral("folder picker");
    }
    return {};
}

QString dialogName(const QDialog& dialog) {
    return dialog.objectName().isEmpty() ? QString::fromLatin1(dialog.metaObject()->className())
                                         : dialog.objectName();
}

bool dialogMatches(const QDialog& dialog, const QString& name) {
    if (name.isEmpty() || dialog.objectName() == name) return true;
    const QString className = QString::fromLatin1(dialog.metaObject()->className());
    return className == name || className.endsWith(QStringLiteral("::") + name);
}

}  // namespace

ScriptedDialogs::ScriptedDialogs(Install install) {
    if (install == Install::Yes) {
        previous_ = setDialogs(this);
        installed_ = true;
    }
}

ScriptedDialogs::~ScriptedDialogs() {
    if (installed_) setDialogs(previous_);
    if (reportFailures_ && failureReporter()) {
        for (const QString& step : pending()) {
            failureReporter()(QStringLiteral("scripted dialog never came: ") + step);
        }
    }
}

ScriptedDialogs& ScriptedDialogs::expect(MsgKind kind, const QString& text, MsgButton answer) {
    script_.push_back(MessageStep{kind, text, std::nullopt, answer, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expect(const QString& text, MsgButton answer) {
    script_.push_back(MessageStep{std::nullopt, text, std::nullopt, answer, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expect(MsgKind kind, MsgButton answer) {
    script_.push_back(MessageStep{kind, std::nullopt, std::nullopt, answer, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expect(MsgKind kind, const QRegularExpression& pattern,
                                         MsgButton answer) {
    script_.push_back(MessageStep{kind, std::nullopt, pattern, answer, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expect(MsgKind kind, const QString& text, MsgButton answer,
                                         std::function<void()> whileOpen) {
    script_.push_back(MessageStep{kind, text, std::nullopt, answer, std::move(whileOpen)});
    return *this;
}

bool ScriptedDialogs::MessageStep::matches(const Message& message) const {
    return (!kind || *kind == message.kind) && (!text || *text == message.text) &&
           (!pattern || pattern->match(message.text).hasMatch());
}

ScriptedDialogs& ScriptedDialogs::expectModal(const QString& name, int result) {
    script_.push_back(ModalStep{name, [result](QDialog&) { return result; }});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectModal(const QString& name, ModalAction action) {
    script_.push_back(ModalStep{name, std::move(action)});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectFile(FileMode mode, const QString& answer) {
    script_.push_back(FileStep{mode, answer});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectInput(std::optional<QString> answer) {
    script_.push_back(InputStep{std::move(answer)});
    return *this;
}

QStringList ScriptedDialogs::pending() const {
    QStringList list;
    for (const Step& step : script_) list.append(describe(step));
    return list;
}

QString ScriptedDialogs::report() const {
    QStringList lines = failures_;
    for (const QString& step : pending()) lines.append(QStringLiteral("never came: ") + step);
    return lines.join(u'\n');
}

void ScriptedDialogs::setFailureReporter(std::function<void(const QString&)> reporter) {
    failureReporter() = std::move(reporter);
}

template <typename T>
const T* ScriptedDialogs::next() const {
    return script_.empty() ? nullptr : std::get_if<T>(&script_.front());
}

void ScriptedDialogs::fail(const QString& what) {
    QString text = what;
    text += script_.empty() ? QStringLiteral("; nothing more was expected")
                            : QStringLiteral("; expected next: ") + describe(script_.front());
    failures_.append(text);
    if (reportFailures_ && failureReporter()) failureReporter()(text);
}

QString ScriptedDialogs::describe(const Step& step) {
    if (const auto* m = std::get_if<MessageStep>(&step)) {
        return QStringLiteral("message %1「%2」answered %3")
            .arg(m->kind ? kindTitle(*m->kind) : QStringLiteral("(any kind)"),
                 m->pattern ? QStringLiteral("/%1/").arg(m->pattern->pattern())
                            : m->text.value_or(QStringLiteral("(any text)")),
                 buttonText(m->answer));
    }
    if (const auto* d = std::get_if<ModalStep>(&step)) {
        return QStringLiteral("modal dialog %1").arg(d->name.isEmpty() ? QStringLiteral("(any)") : d->name);
    }
    if (const auto* f = std::get_if<FileStep>(&step)) {
        return QStringLiteral("%1 answered \"%2\"").arg(modeName(f->mode), f->answer);
    }
    const auto& i = std::get<InputStep>(step);
    return QStringLiteral("input box answered %1")
        .arg(i.answer ? QStringLiteral("\"%1\"").arg(*i.answer) : QStringLiteral("(cancel)"));
}

namespace {

// What a box does to the focus: its own window is active while it is
// answered; closing it activates the window that was active before.
class FocusTakingBox {
public:
    FocusTakingBox() : before_(QApplication::activeWindow()) {
        box_.setObjectName(QStringLiteral("ScriptedMessageBox"));
        auto* button = new QPushButton(QStringLiteral("OK"), &box_);
        box_.resize(120, 60);
        box_.show();
        box_.activateWindow();
        button->setFocus();
        QCoreApplication::processEvents();
    }
    ~FocusTakingBox() {
        box_.hide();
        if (before_) before_->activateWindow();
        QCoreApplication::processEvents();
    }
    FocusTakingBox(const FocusTakingBox&) = delete;
    FocusTakingBox& operator=(const FocusTakingBox&) = delete;

private:
    QPointer<QWidget> before_;
    QWidget box_;
};

}  // namespace

MsgButton ScriptedDialogs::message(const Message& message, QWidget*) {
    std::optional<FocusTakingBox> box;
    if (messagesTakeFocus_) box.emplace();
    messages_.append(message);
    const MsgButton escape = negativeAnswer(message.buttons);
    const MessageStep* step = next<MessageStep>();
    if (!step || !step->matches(message)) {
        fail(QStringLiteral("unexpected message ") + lum::describe(message));
        return escape;
    }
    const MsgButton answer = step->answer;
    const std::function<void()> whileOpen = step->whileOpen;
    script_.pop_front();
    if (whileOpen) whileOpen();
    if (!buttonList(message.buttons).contains(answer)) {
        fail(QStringLiteral("scripted answer %1 is not a button of %2")
                 .arg(buttonText(answer), lum::describe(message)));
        return escape;
    }
    return answer;
}

int ScriptedDialogs::runModal(QDialog& dialog) {
    const QString name = dialogName(dialog);
    modals_.append(name);
    const ModalStep* step = next<ModalStep>();
    if (!step || !dialogMatches(dialog, step->name)) {
        fail(QStringLiteral("unexpected modal dialog ") + name);
        return QDialog::Rejected;
    }
    // Taken off the script first: the action may run nested dialogs.
    const ModalAction action = step->action;
    script_.pop_front();

    // Shown like exec() shows it, so its show handlers run, but never blocking.
    QPointer<QDialog> guard(&dialog);
    bool ended = false;
    const auto connection =
        QObject::connect(&dialog, &QDialog::finished, [&ended] { ended = true; });
    dialog.show();
    int result = action(dialog);
    if (!guard) return result;
    QObject::disconnect(connection);
    if (ended) return dialog.result();
    dialog.done(result);
    return result;
}

QString ScriptedDialogs::chooseFile(const FileRequest& request) {
    fileRequests_.append(request);
    const FileStep* step = next<FileStep>();
    if (!step || step->mode != request.mode) {
        fail(QStringLiteral("unexpected %1 「%2」").arg(modeName(request.mode), request.caption));
        return {};
    }
    const QString answer = step->answer;
    script_.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::inputText(const InputRequest& request) {
    inputRequests_.append(request);
    const InputStep* step = next<InputStep>();
    if (!step) {
        fail(QStringLiteral("unexpected input box 「%1」").arg(request.prompt));
        return std::nullopt;
    }
    const std::optional<QString> answer = step->answer;
    script_.pop_front();
    return answer;
}

}  // namespace lum
