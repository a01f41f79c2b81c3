#include "common/key_editors.h"

#include <gtest/gtest.h>

#include "support/qt_printers.h"

using lum::EraDateMask;
using lum::EraMonthMask;
using lum::TimeMask;

namespace {

const QDate kToday(2026, 12, 10);

struct Row {
    QString text;
    int state;
    const char* keys;  // typed one by one
    QString wantText;
    int wantState;
};

using Editor = void (*)(int&, QString&, QChar&);

void runRows(Editor editor, const std::vector<Row>& rows) {
    for (const Row& r : rows) {
        QString text = r.text;
        int state = r.state;
        for (QChar key : QString::fromUtf8(r.keys)) {
            editor(state, text, key);
            EXPECT_TRUE(key.isNull()) << "the key is always consumed";
        }
        EXPECT_EQ(text, r.wantText) << qPrintable(r.text) << " from " << r.state << " keys " << r.keys;
        EXPECT_EQ(state, r.wantState) << qPrintable(r.text) << " from " << r.state << " keys " << r.keys;
    }
}

QString s(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

TEST(EraDateKeyPress, Table) {
    const auto editor = [](int& state, QString& text, QChar& key) {
        lum::EraDateKeyPress(state, text, key, kToday);
    };
    runRows(editor, {
        // Resets: -1 the mask, -2 or less today's date.
        {s("平成14年05月01日"), -1, "x", EraDateMask, 0},
        {QString(), -2, "x", s("令和08年12月10日"), 0},
        {QString(), -7, "x", s("令和08年12月10日"), 0},
        // A whole date typed in: a 0 at a first place is a blank.
        {EraDateMask, 0, "H140501", s("平成14年05月01日"), 11},
        {EraDateMask, 0, "H1405", s("平成14年 5月__日"), 8},  // blanks stand for zeros until complete
        {EraDateMask, 0, "h1412", s("平成14年12月__日"), 8},
        {EraDateMask, 0, "R010501", s("令和01年05月01日"), 11},
        {EraDateMask, 0, "r071231", s("令和07年12月31日"), 11},
        {EraDateMask, 0, "R10501", s("令和10年 1月__日"), 8},  // the 5 is no month start
        {EraDateMask, 0, "H310501", s("平成31年05月01日"), 11},  // kept as typed
        {EraDateMask, 0, "S640107", s("昭和64年01月07日"), 11},
        {EraDateMask, 0, "H320110", s("平成32年01月10日"), 11},  // a 平成 year past the era: 2020
        {EraDateMask, 1, "m", s("明治__年__月__日"), 2},
        {EraDateMask, 0, "t", s("大正__年__月__日"), 2},
        {s("平成14年05月01日"), 0, "S", s("昭和14年05月01日"), 2},
        // Any other key at the era places only moves on.
        {EraDateMask, 0, "x", EraDateMask, 2},
        {EraDateMask, 1, "5", EraDateMask, 2},
        // Year: 0 then 0 leaves "_" and the caret stays.
        {EraDateMask, 2, "0", s("＿＿ _年__月__日"), 3},
        {EraDateMask, 2, "00", s("＿＿ _年__月__日"), 3},
        {EraDateMask, 2, "a", EraDateMask, 2},
        {EraDateMask, 3, "5", EraDateMask, 2},        // first place empty: no number
        {EraDateMask, 3, "a", EraDateMask, 3},
        {EraDateMask, 4, "7", EraDateMask, 5},
        // Month: 1 then 3 gives "1_" and the caret stays on the second place.
        {s("平成14年__月__日"), 5, "13", s("平成14年1_月__日"), 6},
        {s("平成14年__月__日"), 5, "00", s("平成14年 _月__日"), 6},
        {s("平成14年__月__日"), 5, "2", s("平成14年__月__日"), 5},
        {s("平成14年__月__日"), 5, "x", s("平成14年__月__日"), 5},   // a letter changes nothing
        {s("平成14年__月__日"), 6, "5", s("平成14年__月__日"), 5},   // first place empty
        {s("平成14年1_月__日"), 6, "x", s("平成14年1_月__日"), 6},
        {s("平成14年05月__日"), 7, "9", s("平成14年05月__日"), 8},
        // Day: no 32nd, no 29 February in a common year.
        {s("平成14年05月__日"), 8, "32", s("平成14年05月3_日"), 9},
        {s("平成13年02月__日"), 8, "29", s("平成13年02月2_日"), 9},
        {s("平成12年02月__日"), 8, "29", s("平成12年02月29日"), 11},
        {s("平成14年05月__日"), 8, "00", s("平成14年05月 _日"), 9},
        {s("平成14年05月__日"), 8, "4", s("平成14年05月__日"), 8},
        // A letter at the day's first place resets it.
        {s("平成14年05月1_日"), 8, "x", s("平成14年05月__日"), 8},
        {s("平成14年05月__日"), 9, "5", s("平成14年05月__日"), 8},
        {s("平成14年05月1_日"), 9, "x", s("平成14年05月1_日"), 9},
        // Without an era no day is complete.
        {s("＿＿14年05月__日"), 8, "15", s("＿＿14年05月1_日"), 9},
        // Past the day nothing happens.
        {s("平成14年05月01日"), 10, "5", s("平成14年05月01日"), 10},
        {s("平成14年05月01日"), 11, "H", s("平成14年05月01日"), 11},
        // An edit never filled starts from the mask.
        {QString(), 0, "H", s("平成__年__月__日"), 2},
    });
}

TEST(EraMonthKeyPress, Table) {
    const auto editor = [](int& state, QString& text, QChar& key) {
        lum::EraMonthKeyPress(state, text, key, kToday);
    };
    runRows(editor, {
        {s("平成14年05月"), -1, "x", EraMonthMask, 0},
        {QString(), -2, "x", s("令和08年12月"), 0},
        {EraMonthMask, 0, "H1405", s("平成14年 5月"), 8},
        {EraMonthMask, 0, "R0812", s("令和 8年12月"), 8},
        {EraMonthMask, 0, "x", EraMonthMask, 0},     // the caret stays on the era
        {EraMonthMask, 1, "x", EraMonthMask, 0},
        {EraMonthMask, 2, "00", s("＿＿ _年__月"), 3},
        {EraMonthMask, 4, "1", EraMonthMask, 5},
        // 1 then 3: "1_" and the caret behind the month.
        {s("平成14年__月"), 5, "13", s("平成14年1_月"), 7},
        {s("平成14年__月"), 6, "5", s("平成14年__月"), 7},
        {s("平成14年1_月"), 6, "x", s("平成14年1_月"), 6},
        {s("平成14年__月"), 7, "1", s("平成14年__月"), 8},
        {s("平成14年05月"), 8, "1", s("平成14年05月"), 8},
    });
}

TEST(TimeKeyPress, Table) {
    runRows(lum::TimeKeyPress, {
        {s("12:30"), -1, "x", TimeMask, 0},
        {TimeMask, 0, "2359", s("23:59"), 5},
        {TimeMask, 0, "0930", s(" 9:30"), 5},
        {TimeMask, 0, "24", s("2_:__"), 1},       // no hour 24: the caret stays
        {TimeMask, 0, "19", s("19:__"), 3},
        {TimeMask, 0, "3", TimeMask, 0},
        {TimeMask, 0, " ", s(" _:__"), 1},
        {s("1_:__"), 1, "x", s("1_:__"), 1},
        {s("12___"), 2, "x", s("12:__"), 3},
        {s("12:__"), 3, "6", s("12:__"), 3},      // minutes start with 0-5
        {s("12:__"), 3, "5a9", s("12:59"), 5},
        {s("12:__"), 3, "0", s("12: _"), 4},
        {s("12:30"), 5, "1", s("12:30"), 5},
    });
}
