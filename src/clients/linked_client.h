#pragma once
// A client of the other care system, as its table kgkihn1d holds one, and
// what the pickers do with the rows: one kana order, the filters of their
// search buttons and the texts they show.
#include "common/datetime.h"

#include <QString>
#include <QStringView>
#include <QVariant>

#include <optional>
#include <vector>

namespace lum {

struct LinkedClient {
    std::optional<int> Sid;  // the client's number there; none when the row holds none
    QString Jname;           // name
    QString Kname;           // kana name, half-width katakana
    std::optional<bool> Sex; // true female, false male; none when not stored
    TDateTime Birth;         // the empty date when not stored or not a date
    QString BirthText;       // the stored text of a Birth that is not a date
    QString Mail;            // postal code
    QString ChikuCode;       // district code
    QString MatiCode;        // town code
    QString Add;             // address
    QString Tel;
    QString Fax;

    friend bool operator==(const LinkedClient&, const LinkedClient&) = default;
};

// Stored values as the drivers hand them over. Sex: a Boolean, any number
// (an Access file stores true as -1: any non-zero number is true) or a text
// such as "1", "0", "true"; NULL or anything else is none. Birth: a date-time,
// or a text "yyyy-mm-dd", "yyyy/mm/dd", optionally with a time; NULL or
// another text gives the empty date (the text is kept for showing).
std::optional<bool> linkedSex(const QVariant& stored);
void readLinkedBirth(const QVariant& stored, TDateTime& birth, QString& text);

// Sorts by Kname (ordinal order of the text, which for half-width katakana
// is the order of code page 932), then by Sid: the same order on every source.
void sortByKana(std::vector<LinkedClient>& rows);

// The filters of the pickers, each over all rows and keeping their order.
// The name search: rows whose name begins with `name` or whose kana begins
// with `kana`; the texts are taken literally (no wildcards), letters of the
// Latin alphabet compared without regard to case.
std::vector<LinkedClient> filterByNameOrKana(const std::vector<LinkedClient>& rows, QStringView name,
                                             QStringView kana);
// The number search: the rows whose Sid is the number.
std::vector<LinkedClient> filterBySid(const std::vector<LinkedClient>& rows, qint64 number);
// A kana-row button (0 あ .. 9 わ): the rows whose kana begins with a letter of the row.
std::vector<LinkedClient> filterByKanaRow(const std::vector<LinkedClient>& rows, int row);

// The texts of the picker: 女性 / 男性 / empty; the birth as
// "gg ee年mm月dd日" or the stored text when it is no date.
QString linkedSexText(const LinkedClient& client);
QString linkedBirthText(const LinkedClient& client);
// The sex as an index into SexNames: 1 female, 0 male, -1 not stored.
int linkedSexIndex(const LinkedClient& client);

}  // namespace lum
