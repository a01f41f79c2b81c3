#pragma once
// The save dialog of a CSV path button. Like the dialog component it stands
// for, it remembers the file name it last had: a window either presets
// FileName before Execute or lets it open where the last choice was.
#include <QString>

class QWidget;

namespace lum {

class CsvSaveDialog {
public:
    QString FileName;
    QString Filter = QStringLiteral("ＣＳＶ|*.csv");

    // Asks for the file; on a choice FileName becomes it and true is returned.
    bool Execute(QWidget* parent = nullptr);
};

}  // namespace lum
