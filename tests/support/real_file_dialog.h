#pragma once
// Driving the application's real file dialog (Qt's own, as the user sees it)
// in a headless test without ever blocking:
//
//     lum::ScriptedDialogs d;                 // messages and modal dialogs
//     lum::test::RealFilePicker picker(d);     // file pickers: the real dialog
//     lum::test::inNextFileDialog([&](QFileDialog& dialog) {
//         lum::test::typeAndAccept(dialog, "五月");
//     });
//     window.ExportMenu->trigger();
//
// ScopedFreshHome gives the test a new account's home folder (no documents
// folder yet, no user-dirs file) and runs it from another folder, so where a
// dialog opens is the application's choice, not the machine's.
#include "platform/ui/file_dialog_rules.h"
#include "platform/ui/qt_dialogs.h"
#include "platform/ui/scripted_dialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace lum::test {

class ScopedFreshHome {
public:
    ScopedFreshHome() {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR"}) saved_.append({name, qgetenv(name)});
        qputenv("HOME", home_.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", home_.filePath(QStringLiteral(".config")).toUtf8());
        qunsetenv("XDG_DOCUMENTS_DIR");
        workingFolder_ = QDir::currentPath();
        QDir::setCurrent(elsewhere_.path());
        keepFileFoldersIn(QString());
    }
    ~ScopedFreshHome() {
        QDir::setCurrent(workingFolder_);
        for (const auto& [name, value] : saved_) {
            if (value.isNull()) qunsetenv(name);
            else qputenv(name, value);
        }
        keepFileFoldersIn(QString());
    }
    ScopedFreshHome(const ScopedFreshHome&) = delete;
    ScopedFreshHome& operator=(const ScopedFreshHome&) = delete;

    QString home() const { return home_.path(); }
    QString documents() const { return home_.filePath(QStringLiteral("Documents")); }
    // The folder the program runs from.
    QString workingFolder() const { return elsewhere_.path(); }

private:
    QTemporaryDir home_, elsewhere_;
    QString workingFolder_;
    QList<std::pair<const char*, QByteArray>> saved_;
};

// The dialog service with the real file pickers; everything else goes to
// the script. Installed for its lifetime.
class RealFilePicker final : public Dialogs {
public:
    explicit RealFilePicker(ScriptedDialogs& script) : script_(script), previous_(setDialogs(this)) {}
    ~RealFilePicker() override { setDialogs(previous_); }
    RealFilePicker(const RealFilePicker&) = delete;
    RealFilePicker& operator=(const RealFilePicker&) = delete;

    MsgButton message(const Message& message, QWidget* parent) override { return script_.message(message, parent); }
    int runModal(QDialog& dialog) override { return script_.runModal(dialog); }
    QString chooseFile(const FileRequest& request) override { return real_.chooseFile(request); }
    std::optional<QString> inputText(const InputRequest& request) override { return script_.inputText(request); }

private:
    ScriptedDialogs& script_;
    QtDialogs real_;
    Dialogs* previous_;
};

// What the user does in the next file dialog, run from a timer once it is
// up; a dialog the steps leave open is rejected and fails the test.
inline void inNextFileDialog(std::function<void(QFileDialog&)> steps) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, steps] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        steps(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the file dialog is still open";
            dialog->reject();
        }
    });
    poll->start();
}

inline QLineEdit* fileNameEdit(QFileDialog& dialog) {
    return dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

// Types a name and presses the dialog's accept button (保存 or 開く).
inline void typeAndAccept(QFileDialog& dialog, const QString& name) {
    QLineEdit* edit = fileNameEdit(dialog);
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_TRUE(edit && buttons);
    edit->setText(name);
    QPushButton* accept = buttons->button(dialog.acceptMode() == QFileDialog::AcceptSave ? QDialogButtonBox::Save
                                                                                          : QDialogButtonBox::Open);
    ASSERT_TRUE(accept);
    ASSERT_TRUE(accept->isEnabled()) << name.toStdString();
    accept->click();
}

inline QString folderOf(const QFileDialog& dialog) { return dialog.directory().absolutePath(); }

}  // namespace lum::test
