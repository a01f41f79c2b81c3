#pragma once
// The results sheet's CSV exchange with other software, from the file the
// user chose on: the export of a month and the import of a file, with their
// messages (the dialog service), callable without a window.
//
// The export writes through a temporary file, so a failure keeps the old
// file; an empty month writes no file. The import reads and checks every
// line first, then stores all rows in one transaction or none. Lines for
// which the export would write the same seventeen values are counted
// against the stored results of their month with those values (however
// they were entered): only the lines beyond them are added, so importing a
// file again adds nothing, a month restored from its own export gets every
// result back, twins included, and a line differing in any value is added.
// Imports are serialised
// (the database's write lock on SQLite, an advisory lock on PostgreSQL), so
// two workstations importing one file add it once.
#include "app/staff_list.h"
#include "common/datetime.h"
#include "platform/db/database.h"
#include "results/results_csv.h"
#include "results/writer_stamp.h"

#include <QString>

class QWidget;

namespace lum {

// The key of the advisory lock on PostgreSQL.
inline constexpr qint64 ResultsImportLockKey = 0x4C756D496D707274;  // "LumImprt"

namespace exchange_text {
inline const QString Overwrite = QStringLiteral("同じ名前のCSVファイルが既に有ります。\n上書きしますか？");
inline const QString QueryFailed = QStringLiteral("データの抽出に失敗しました。");
inline const QString NoData = QStringLiteral("条件に該当するデータがありません。");
inline const QString CannotCreate = QStringLiteral("CSVファイル名をオープンできません。");
inline const QString HeaderFailed = QStringLiteral("タイトルの書き出しができません。");
inline const QString LineFailed = QStringLiteral("書き出しでエラーが発生しました。");
inline const QString Exported = QStringLiteral("エクスポートを完了しました。");
inline const QString NoImportFile = QStringLiteral("インポートファイルが見つかりません。");
inline const QString CannotOpenImport = QStringLiteral("インポートファイルをオープンできません。");
inline const QString CannotOpenTable = QStringLiteral("結果テーブルをオープンできません。");
inline const QString AppendFailed = QStringLiteral("*** System Error 結果テーブル（追加）");
inline const QString Imported = QStringLiteral("インポートしました。");
}  // namespace exchange_text

// Writes the results of the period to the file (already named ".csv"):
// the overwrite question when it exists, the rows in CureNo, CureDate,
// ResultNo order after the header, the end message. True when written.
bool ExportResultsCsvFile(db::Database& database, DateRange period, const QString& file, QWidget* parent = nullptr);

struct ResultsImportOutcome {
    bool stored = false;  // committed (perhaps with nothing to add)
    int added = 0;
    int skipped = 0;
    QString failure;      // the message when nothing was stored
};

// Stores the rows of a file's content in one transaction: of the rows with
// equal exported values (ResultsCsvKey), as many are skipped as its month
// stores results with those values (ResultsCsvMatch), so a month exported
// and read back adds nothing. A refused content stores nothing and gives its
// refusal's text.
ResultsImportOutcome ImportResultsCsvContent(db::Database& database, const ResultsCsvContent& content);

// The text of the end message: "インポートしました。" with the counts.
QString ImportedText(const ResultsImportOutcome& outcome);

// Reads the file, stores its rows and shows the outcome. True when stored.
bool ImportResultsCsvFile(db::Database& database, const QString& file, const std::vector<StaffMember>& staff,
                          const WriterStamp& stamp, QWidget* parent = nullptr);

}  // namespace lum
