#include "printing/csv_save_dialog.h"

#include "platform/ui/dialogs.h"

namespace lum {

bool CsvSaveDialog::Execute(QWidget* parent) {
    const QString chosen =
        chooseFile(FileRequest{FileMode::Save, QStringLiteral("CSVファイルの保存場所"), FileName, Filter, parent});
    if (chosen.isEmpty()) return false;
    FileName = chosen;
    return true;
}

}  // namespace lum
