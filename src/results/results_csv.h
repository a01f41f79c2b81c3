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

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

class QIODevice;

namespace lum {

inline constexpr int ResultsCsvFieldCount = 17;
// 氏名 and カナ氏名: at most this many bytes, and no more characters than the columns hold.
inline constexpr int ResultsCsvNameBytes = 36;
inline constexpr int ResultsCsvNameChars = 20;
inline constexpr int ResultsCsvCommentBytes = 20;
// The longest line read: every field between its quotes at its widest, with
// the commas between them. A field's widest is twice its byte limit for the
// four texts (each character could be a doubled quote): 氏名 and カナ氏名
// 36 bytes, 備考 20, 担当者 a staff name of 30 double-byte characters with
// blanks around it; any other field (a number, a date, a time or a table's
// name) is given 64 bytes, room to spare for blanks around its value. A
// longer line is refused unread, so a file of one endless line costs no
// more memory than this.
inline constexpr int ResultsCsvOtherFieldBytes = 64;
inline constexpr int ResultsCsvStaffNameBytes = 60;
inline constexpr int ResultsCsvLongestLine =
    ResultsCsvFieldCount * 2 + (ResultsCsvFieldCount - 1)                                 // quotes and commas
    + 2 * (2 * ResultsCsvNameBytes + ResultsCsvCommentBytes + ResultsCsvStaffNameBytes)  // the four texts
    + ResultsCsvOtherFieldBytes                                                           // blanks of 担当者
    + (ResultsCsvFieldCount - 4) * ResultsCsvOtherFieldBytes;                             // the other 13

// "利用者番号","氏名", ... ,"担当者" as values.
const QStringList& ResultsCsvHeader();

// The 17 values the export writes for a row.
QStringList ResultsCsvValues(const CureResult& row);

// What tells one result from another in a file: the seventeen values the
// export writes for a row, held as they are rather than as text. Two keys
// are equal exactly when the export writes the same values for their rows
// (a day as its date, the start to the minute, a table's index as its name,
// the remark's first 20 bytes, the staff member by name, the texts with line
// breaks as blanks and in the form code page 932 stores), whatever else the
// rows hold. A key refers to its row's texts: it lives no longer than the row.
class ResultsCsvKey {
public:
    explicit ResultsCsvKey(const CureResult& row);
    bool operator==(const ResultsCsvKey& other) const;
    // Equal keys have equal hashes.
    std::size_t hash() const;

private:
    std::array<int, 13> numbers_{};
    std::array<QStringView, 4> texts_{};
};

// The lines of a file against the results stored: for each set of lines
// whose keys are equal, as many are added as it holds beyond the stored
// results with that key. So a month exported and read back adds nothing,
// read back into an emptied month gives every result again, twins included,
// and a file read twice adds nothing the second time. It holds only an index
// of the rows (which must outlive it), not their keys.
class ResultsCsvMatch {
public:
    explicit ResultsCsvMatch(const std::vector<CureResult>& rows);
    // A stored result of the rows' months.
    void countStored(const CureResult& stored);
    // For each row: added (true) or skipped as already stored, the earlier
    // lines of a set the ones skipped.
    std::vector<bool> added() const;

private:
    const std::vector<CureResult>& rows_;
    std::vector<std::pair<std::size_t, std::uint32_t>> firsts_;  // hash and row of each set's first row, sorted
    std::vector<std::uint32_t> first_;                            // each row's set: its first row
    std::vector<int> stored_;                                     // by first row: the stored results equal to it
};

// A refused line: the field's message and the line (from 1, the header
// counted). text() is what the import shows: the message, "\n", n + "行目".
struct ResultsCsvRefusal {
    int line = 0;
    QString message;
    QString text() const;
    bool operator==(const ResultsCsvRefusal&) const = default;
};

// One data line's bytes (without its line end) as the row the import
// stores, or the message that refuses it. A line longer than
// ResultsCsvLongestLine, holding a NUL or cut short is refused before it is
// decoded; one cut short lacks a field's end: it leaves a quote open, or,
// without its line end in the file (`ended` false), ends with a comma. A row
// holds the values of the import road: ReserveNo -1, the start planned at
// the stamp's time of day with 0 minutes, the flags by the category-flag
// rule, KubunDate and UpdateDate the stamp's moment, no room and no hospital
// discharge date, the stamp's login.
std::variant<CureResult, QString> ReadResultsCsvLine(QByteArrayView line, const std::vector<StaffMember>& staff,
                                                     const WriterStamp& stamp, bool ended = true);

struct ResultsCsvContent {
    std::vector<CureResult> rows;
    std::vector<int> lines;  // the line of each row
    std::optional<ResultsCsvRefusal> refusal;  // set: the file is refused as a whole
};

// Every line of a file: lines end with CR LF, LF or CR (the last line may
// lack its end, but is then taken only with its last value whole); a first
// line equal to the header and blank lines are passed over; the first
// refused line stops the reading. A line is refused for its length, its
// number of fields (a quote left open cuts a value short) and a NUL before
// its text is decoded. The device is read a block at a
// time: only the rows and the line being read are held, and of a line no
// more than ResultsCsvLongestLine bytes.
ResultsCsvContent ReadResultsCsv(QIODevice& in, const std::vector<StaffMember>& staff, const WriterStamp& stamp);
ResultsCsvContent ReadResultsCsv(QByteArrayView bytes, const std::vector<StaffMember>& staff,
                                 const WriterStamp& stamp);

namespace results_csv_text {
inline const QString FieldCount = QStringLiteral("インポートファイルの項目が一致しません。");
inline const QString BadBytes = QStringLiteral("文字コードの変換に失敗しました。");
inline const QString ReadFailed = QStringLiteral("インポートファイルを読み込めません。");
inline const QString LineTooLong = QStringLiteral("インポートファイルの行が長すぎます。");
inline const QString NulCharacter = QStringLiteral("インポートファイルにNUL文字があります。");
}  // namespace results_csv_text

}  // namespace lum
