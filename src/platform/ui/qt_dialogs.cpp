#include "platform/ui/qt_dialogs.h"

#include "platform/ui/file_dialog_rules.h"
#include "platform/ui/name_only_icon_provider.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace lum {

namespace {

QMessageBox::Icon iconOf(MsgKind kind) {
    switch (kind) {
    case MsgKind::Warning: return QMessageBox::Warning;
    case MsgKind::Error: return QMessageBox::Critical;
    case MsgKind::Information: return QMessageBox::Information;
    case MsgKind::Confirm: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton standardOf(MsgButton button) {
    switch (button) {
    case MsgButton::Yes: return QMessageBox::Yes;
    case MsgButton::No: return QMessageBox::No;
    case MsgButton::Ok: return QMessageBox::Ok;
    case MsgButton::Cancel: return QMessageBox::Cancel;
    case MsgButton::Abort: return QMessageBox::Abort;
    case MsgButton::None: break;
    }
    return QMessageBox::NoButton;
}

QWidget* parentOr(QWidget* parent) { return parent ? parent : QApplication::activeWindow(); }

// Qt's file dialog that refuses, with our message and staying open, a name
// the user cannot have meant (file_dialog_rules.h). Its own refusals (Qt's
// message boxes) would bypass the dialog service, so ours come first.
class CheckedFileDialog final : public QFileDialog {
public:
    CheckedFileDialog(QWidget* parent, const QString& caption, const QString& start, const QString& filter,
                      lum::FileMode mode)
        : QFileDialog(parent, caption, start, filter), mode_(mode) {}

    void accept() override {
        // The name as typed (the dialog would add the kind's suffix to a
        // folder's name and take it as a file), then as the dialog means it.
        const QString chosen = selectedFiles().value(0);
        QStringList names;
        if (auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")); edit && !edit->text().isEmpty())
            names.append(directory().absoluteFilePath(edit->text()));
        if (!chosen.isEmpty()) names.append(chosen);
        for (const QString& name : names) {
            const QString refused = refusedFileNameText(name, mode_);
            if (refused.isEmpty()) continue;
            lum::message(MsgKind::Warning, refused, MsgButton::Ok, this);
            // A folder's name opens that folder, as the dialog's button says.
            if (QFileInfo(name).isDir()) {
                setDirectory(name);
                if (auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) edit->clear();
            }
            return;
        }
        QFileDialog::accept();
    }

private:
    lum::FileMode mode_;  // QFileDialog has a FileMode of its own
};

}  // namespace

MsgButton QtDialogs::message(const Message& message, QWidget* parent) {
    QMessageBox box(parentOr(parent));
    box.setWindowTitle(message.caption());
    box.setIcon(iconOf(message.kind));
    // Texts are shown as they are, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(message.text);

    QHash<QAbstractButton*, MsgButton> answers;
    const MsgButton escape = negativeAnswer(message.buttons);
    const MsgButton preferred = defaultAnswer(message.buttons);
    for (MsgButton b : buttonList(message.buttons)) {
        QPushButton* button = box.addButton(standardOf(b));
        button->setText(buttonText(b));
        answers.insert(button, b);
        if (b == escape) box.setEscapeButton(button);  // Esc and the close box
        if (b == preferred) box.setDefaultButton(button);
    }
    if (message.position) {
        // Placed once it has its size, before it is shown.
        box.adjustSize();
        box.move(*message.position);
    }
    box.exec();
    return answers.value(box.clickedButton(), escape);
}

int QtDialogs::runModal(QDialog& dialog) { return dialog.exec(); }

QString QtDialogs::chooseFile(const FileRequest& request) {
    // Qt's own dialog, never the platform's: the platform dialogs run in this
    // process and read files to tell their types and draw thumbnails, and
    // every file read and closed here takes the database's locks away. Ours
    // tells types by name alone.
    //
    // It opens where this kind of file was last chosen, never in the working
    // folder, and remembers where the choice was made.
    const QString kind = fileKindOf(request);
    CheckedFileDialog dialog(parentOr(request.parent), request.caption, startPathOf(request),
                             qtFileFilter(request.filter), request.mode);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontUseCustomDirectoryIcons);
    NameOnlyIconProvider icons;
    dialog.setIconProvider(&icons);
    switch (request.mode) {
    case FileMode::Open:
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case FileMode::Save:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The application asks its own overwrite question (after forcing the
        // extension), so the dialog asks none.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        // A name typed without a suffix gets the kind's ("報告" -> "報告.pdf").
        if (kind != QStringLiteral("folder")) dialog.setDefaultSuffix(kind);
        break;
    case FileMode::Directory:
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        break;
    }
    if (runModal(dialog) != QDialog::Accepted) return {};
    const QString chosen = dialog.selectedFiles().value(0);
    rememberFileFolder(kind, request.mode == FileMode::Directory ? chosen : QFileInfo(chosen).absolutePath());
    return chosen;
}

std::optional<QString> QtDialogs::inputText(const InputRequest& request) {
    QInputDialog box(parentOr(request.parent));
    box.setWindowTitle(request.caption);
    box.setLabelText(request.prompt);
    box.setTextValue(request.text);
    box.setOkButtonText(buttonText(MsgButton::Ok));
    box.setCancelButtonText(buttonText(MsgButton::Cancel));
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return box.textValue();
}

QString qtFileFilter(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
        const QString suffix = QStringLiteral("(%1)").arg(patterns);
        entries.append(description.endsWith(suffix) ? description
                                                    : QStringLiteral("%1 %2").arg(description, suffix));
    }
    return entries.join(QStringLiteral(";;"));
}

}  // namespace lum
