#pragma once
// The practice plan record TPracticePlan: the 21480 bytes of
// Practice.PracticeData (two pages: the header and body, two tables of
// daily-life items, the table memos, the page-2 texts and the team).
//
// Texts hold "\n" line breaks in memory. Memos are stored with CR LF; a level
// cell keeps its bare line feed ("AB", LF, "C"), so both count their limits
// on the form they are stored in.
#include "clients/person.h"
#include "common/datetime.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>
#include <span>

namespace lum {

inline constexpr int PracticePlanSize = 21480;
inline constexpr int PracticeRowSize = 192;
inline constexpr int PracticeLevelColumns = 5;  // 自立, 見守り, 一部介助, 全介助, 行わず

// One item of a table (192 bytes stored).
struct TPracticeRow {
    // The level cells: letters of A, B, C ("AB\nC" when all three), "　"
    // when cleared, empty when confirmed without letters.
    std::array<QString, PracticeLevelColumns> ABC;
    QString Goods;  // 使用用具, lines
    QString Kaigo;  // 介護内容, lines
    QString Time;   // 到達時期
    int Special = 0;  // 重点項目: 0 none, 1 ○, 2 ◎

    bool operator==(const TPracticeRow&) const = default;
};

// The row numbers of the two tables: 0 … 12 and 20 … 27.
inline constexpr int FirstTableRows = 13;
inline constexpr int SecondTableRows = 8;
inline constexpr int SecondTableFirstRow = 20;
inline constexpr std::array<int, 21> PracticeRowNumbers{0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                                        11, 12, 20, 21, 22, 23, 24, 25, 26, 27};
bool isPracticeRow(int row);
// The item names of the rows (トイレへの移動, …, 摂食・嚥下); empty for another number.
QString practiceRowItem(int row);

inline constexpr int PracticeTeamSlots = 13;

// Field names are the record's (and mostly the printout's variable names).
struct TPracticePlan {
    TDateTime PlanDate;  // 計画評価実施日, the row's PrcticeDay
    QString UserName;    // at most 50 bytes stored
    int Sex = 0;
    TDateTime Birth;
    int Old = 0;
    int Kaigodo = -1;
    QString KenkouMemo, GapeiMemo, SeikatsuMemo;
    bool HomeBox = false, EtcBox = false;
    QString EtcEdit;
    bool TaiinBox = false;
    QString HomeWorkEdit, SocialEdit, GoOutEdit, FreeTimeEdit, TaiinEdit;
    bool Exercise = false, Sense = false, Brain = false, Koushuku = false, Arthralgia = false, Sonota = false;
    QString ExerciseMemo, SenseMemo, BrainMemo, KoushukuMemo, ArthralgiaMemo, SonotaMemo;
    int HDSR = 0;  // 0 when not entered
    std::array<TPracticeRow, FirstTableRows> Table0;
    QString PTOTST0, Kango0, Jitchi0;
    std::array<TPracticeRow, SecondTableRows> Table1;
    QString PTOTST1, Kango1, Jitchi1;
    QString SelfHope, FarmilyHope, LifePoint, RihaTerget, SelfDo, AskFarmily, DiseseCare, Variation, Remark;
    // TeamBox1 … TeamBox13: KaigoStuff codes, -1 for none.
    std::array<int, PracticeTeamSlots> Team{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

    // A row by its number (0 … 12, 20 … 27); throws std::out_of_range otherwise.
    TPracticeRow& row(int number);
    const TPracticeRow& row(int number) const;

    bool operator==(const TPracticePlan&) const = default;
};

// A new plan of the client on that date: the header from the client row
// (the name cut to 50 bytes on a character boundary), the age at that date,
// every level cell and Time "　", no team.
TPracticePlan newPracticePlan(const TPerson& client, TDateTime planDate);

// Exactly 21480 bytes; zeros in padding and after each text. A text longer
// than its field is cut on a character boundary.
QByteArray encodePracticePlan(const TPracticePlan& plan);
// Reads the first 21480 bytes; nothing when fewer are given.
std::optional<TPracticePlan> decodePracticePlan(QByteArrayView bytes);

// The texts and flags of the record as tables: where each is stored and the
// name the printout asks for. Short strings have a length byte and
// width − 1 bytes; areas are zero-terminated in `width` bytes. The window
// refuses a longer text than `entryLimit` bytes (the name it cuts there).
struct PracticeTextField {
    QString TPracticePlan::*member;
    int offset;
    int width;
    bool zeroTerminated;
    const char* variable;
    int entryLimit;
};
std::span<const PracticeTextField> practiceTextFields();
// The row of the table of a text; throws std::out_of_range for another member.
const PracticeTextField& practiceTextField(QString TPracticePlan::*member);
// The entry limit of a text of the table; throws std::out_of_range for
// another member.
int practiceEntryLimit(QString TPracticePlan::*member);

// What the window accepts in a row: the level cells are cut to
// CellCapacity bytes, the tool and care memos and the target period refused
// beyond these.
inline constexpr int PracticeRowMemoLimit = 58;
inline constexpr int PracticeTimeLimit = 8;

struct PracticeFlagField {
    bool TPracticePlan::*member;
    int offset;
    const char* variable;
};
std::span<const PracticeFlagField> practiceFlagFields();

namespace practice_layout {
inline constexpr int PlanDate = 0;
inline constexpr int UserName = 8;
inline constexpr int Sex = 60;
inline constexpr int Birth = 64;
inline constexpr int Old = 72;
inline constexpr int Kaigodo = 76;
inline constexpr int HDSR = 2012;
inline constexpr int FirstTable = 2016;
inline constexpr int SecondTable = 7588;
inline constexpr int Team = 21424;
// Within a row.
inline constexpr int RowABC = 0;  // five short strings of capacity 10
inline constexpr int RowGoods = 55;
inline constexpr int RowKaigo = 116;
inline constexpr int RowTime = 177;
inline constexpr int RowSpecial = 188;
inline constexpr int CellCapacity = 10;
inline constexpr int MemoCapacity = 60;
inline constexpr int TimeCapacity = 10;
// Where row `number` starts.
int rowOffset(int number);
}  // namespace practice_layout

}  // namespace lum
