#pragma once
// The real dialog service: QMessageBox with the Japanese button texts,
// QDialog::exec, Qt's file dialog (types told by name only) and an input box.
#include "platform/ui/dialogs.h"

namespace lum {

class QtDialogs final : public Dialogs {
public:
    MsgButton message(const Message& message, QWidget* parent) override;
    int runModal(QDialog& dialog) override;
    QString chooseFile(const FileRequest& request) override;
    std::optional<QString> inputText(const InputRequest& request) override;
};

// "CSV|*.csv;*.CSV|すべて|*.*" -> "CSV (*.csv *.CSV);;すべて (*.*)". A description
// that already ends with its patterns in parentheses is kept as it is.
QString qtFileFilter(const QString& pipeFilter);

}  // namespace lum
