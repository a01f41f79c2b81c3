#pragma once
// The results exchange file ResultsCsv: code page 932, CR LF, a header line,
// then one result a line in 17 fields, each between double quotes.
//
// The writer's values (ResultsCsvValues) and the reader (ReadResultsCsv)
// need no window and no database: bytes and the staff list in, rows (or the
// first refused line) out. The reader skips a first line equal to the header
// and blank lines, undoubles the quotes of a quoted value, and refuses a line
// whose bytes are not code page 932. Values are written so that they read
// back: a quote is doubled, CR and LF become blanks, 備考 is cut to 20 bytes
// on a character boundary.
#include "app/staff_list.h"
#include "results/cure_result.h"
#include "results/writer_stamp.h"

#include <QByteArrayView>
#include <QtGlobal>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

class QIODevice;

namespace lum {

inline constexpr int ResultsCsvFieldCount = 17;
// 氏名 and カナ氏名: at most this many bytes, and no more characters than the columns hold.
inline constexpr int ResultsCsvNameBytes = 36;
inline constexpr int ResultsCsvNameChars = 20;
inline constexpr int ResultsCsvCommentBytes = 20;

// "利用者番号","氏名", ... ,"担当者" as values.
const QStringList& ResultsCsvHeader();

// The 17 values the export writes for a row.
QStringList ResultsCsvValues(const CureResult& row);

// What tells one result from another in a file: a digest of the line the
// export writes for the row. A stored result and the row a line gives have
// the same key exactly when the export writes the same 17 values for both
// (the start as "hh:nn", the staff member by name, the first 20 bytes of
// the remark).
struct ResultsCsvKey {
    quint64 high = 0;
    quint64 low = 0;
    bool operator==(const ResultsCsvKey&) const = default;
};
ResultsCsvKey ResultsCsvKeyOf(const CureResult& row);

// A refused line: the field's message and the line (from 1, the header
// counted). text() is what the import shows: the message, "\n", n + "行目".
struct ResultsCsvRefusal {
    int line = 0;
    QString message;
    QString text() const;
    bool operator==(const ResultsCsvRefusal&) const = default;
};

// One data line's bytes (without its line end) as the row the import
// stores, or the message that refuses it. A row holds the values of the
// import road: ReserveNo -1, the start planned at the stamp's time of day
// with 0 minutes, the flags by the category-flag rule, KubunDate and
// UpdateDate the stamp's moment, no room and no hospital discharge date,
// the stamp's login.
std::variant<CureResult, QString> ReadResultsCsvLine(QByteArrayView line, const std::vector<StaffMember>& staff,
                                                     const WriterStamp& stamp);

struct ResultsCsvContent {
    std::vector<CureResult> rows;
    std::vector<int> lines;  // the line of each row
    std::optional<ResultsCsvRefusal> refusal;  // set: the file is refused as a whole
};

// Every line of a file: lines end with CR LF, LF or CR; a first line equal
// to the header and blank lines are passed over; the first refused line
// stops the reading. A line is refused for its number of fields before its
// text is decoded. The device is read a block at a time: only the rows and
// the line being read are held.
ResultsCsvContent ReadResultsCsv(QIODevice& in, const std::vector<StaffMember>& staff, const WriterStamp& stamp);
ResultsCsvContent ReadResultsCsv(QByteArrayView bytes, const std::vector<StaffMember>& staff,
                                 const WriterStamp& stamp);

namespace results_csv_text {
inline const QString FieldCount = QStringLiteral("インポートファイルの項目が一致しません。");
inline const QString BadBytes = QStringLiteral("文字コードの変換に失敗しました。");
inline const QString ReadFailed = QStringLiteral("インポートファイルを読み込めません。");
}  // namespace results_csv_text

}  // namespace lum
