#include "common/key_editors.h"

#include "common/era.h"
#include "common/era_text.h"
#include "platform/clock.h"

namespace lum {

const QString EraDateMask = QStringLiteral("＿＿__年__月__日");
const QString EraMonthMask = QStringLiteral("＿＿__年__月");
const QString TimeMask = QStringLiteral("__:__");

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Two places read as an integer: a leading blank is allowed, an underscore is
// not a number.
bool readPlaces(QChar first, QChar second, int& value) {
    if (!isDigit(second)) return false;
    if (first == u' ') {
        value = second.unicode() - u'0';
        return true;
    }
    if (!isDigit(first)) return false;
    value = (first.unicode() - u'0') * 10 + (second.unicode() - u'0');
    return true;
}

QDate orToday(const QDate& today) { return today.isValid() ? today : lum::today(); }

// The era places (0-1), the year places (2-3), 年 (4) and the month's first
// place (5), alike in both era masks. Returns the new state, or -1 for a state
// past these places.
int leadingPlaceKey(int state, QString& text, QChar key, int stateAfterOtherEraKey) {
    switch (state) {
    case 0:
    case 1:
        if (const Era* era = eraByKey(key)) {
            text.replace(0, 2, era->name);
            return 2;
        }
        return stateAfterOtherEraKey;
    case 2:
        if (key == u'0' || key == u' ') {
            text[2] = u' ';
            return 3;
        }
        if (isDigit(key)) {
            text[2] = key;
            return 3;
        }
        return 2;
    case 3: {
        if (!isDigit(key)) return 3;
        int year = 0;
        if (!readPlaces(text[2], key, year)) {
            text.replace(2, 2, QStringLiteral("__"));
            return 2;
        }
        text[3] = year >= 1 ? key : QChar(u'_');
        return year >= 1 ? 5 : 3;
    }
    case 4:
        return 5;
    case 5:
        if (key == u'0' || key == u' ') {
            text[5] = u' ';
            return 6;
        }
        if (key == u'1') {
            text[5] = key;
            return 6;
        }
        return 5;
    default:
        return -1;
    }
}

// The month's second place: a valid month goes on to state 8. Otherwise the
// caret goes to notNumberState (both places cleared) when the two places are
// no number, or to noMonthState (second place cleared) for 0 or 13 and more.
int monthSecondKey(QString& text, QChar key, int notNumberState, int noMonthState) {
    if (!isDigit(key)) return 6;
    int month = 0;
    if (!readPlaces(text[5], key, month)) {
        text.replace(5, 2, QStringLiteral("__"));
        return notNumberState;
    }
    if (month >= 1 && month <= 12) {
        text[6] = key;
        return 8;
    }
    text[6] = u'_';
    return noMonthState;
}

// Texts shorter than the mask (an edit never filled) start from the mask.
void ensureMask(QString& text, const QString& mask) {
    if (text.size() < mask.size()) text = mask;
}

}  // namespace

void EraDateKeyPress(int& state, QString& text, QChar& key, const QDate& today) {
    const QChar k = key;
    key = QChar();
    if (state <= -2) {
        text = DateToEraText(TDateTime::fromDate(orToday(today)));
        state = 0;
        return;
    }
    if (state == -1) {
        text = EraDateMask;
        state = 0;
        return;
    }
    if (state >= 10) return;
    ensureMask(text, EraDateMask);
    if (const int next = leadingPlaceKey(state, text, k, 2); next >= 0) {
        state = next;
        return;
    }
    switch (state) {
    case 6:
        state = monthSecondKey(text, k, 5, 6);
        return;
    case 7:
        state = 8;
        return;
    case 8:
        if (k == u'0' || k == u' ') {
            text[8] = u' ';
            state = 9;
        } else if (k >= u'1' && k <= u'3') {
            text[8] = k;
            state = 9;
        } else {
            text[8] = u'_';
        }
        return;
    case 9: {
        if (!isDigit(k)) return;
        int day = 0;
        if (!readPlaces(text[8], k, day)) {
            text.replace(8, 2, QStringLiteral("__"));
            state = 8;
            return;
        }
        if (day == 0) {
            text[9] = u'_';
            return;
        }
        text[9] = k;
        TDateTime date;
        if (EraTextToDate(text, date)) {
            // A complete date shows its leading zeros, as the era texts of
            // stored dates do ("平成14年 5月 1日" becomes "平成14年05月01日").
            for (const int place : {2, 5, 8})
                if (text[place] == u' ') text[place] = u'0';
            state = 11;
        } else {
            text[9] = u'_';
        }
        return;
    }
    default:
        return;
    }
}

void EraMonthKeyPress(int& state, QString& text, QChar& key, const QDate& today) {
    const QChar k = key;
    key = QChar();
    if (state <= -2) {
        text = DateToEraMonthText(TDateTime::fromDate(orToday(today)));
        state = 0;
        return;
    }
    if (state == -1) {
        text = EraMonthMask;
        state = 0;
        return;
    }
    if (state >= 8) return;
    ensureMask(text, EraMonthMask);
    if (const int next = leadingPlaceKey(state, text, k, 0); next >= 0) {
        state = next;
        return;
    }
    if (state == 6) {
        state = monthSecondKey(text, k, 7, 7);
    } else if (state == 7) {
        state = 8;
    }
}

void TimeKeyPress(int& state, QString& text, QChar& key) {
    const QChar k = key;
    key = QChar();
    if (state < 0) {
        text = TimeMask;
        state = 0;
        return;
    }
    if (state >= 5) return;
    ensureMask(text, TimeMask);
    switch (state) {
    case 0:
        if (k == u'0' || k == u' ') {
            text[0] = u' ';
            state = 1;
        } else if (k == u'1' || k == u'2') {
            text[0] = k;
            state = 1;
        }
        return;
    case 1:
        if (isDigit(k) && (text[0] != u'2' || k <= u'3')) {
            text[1] = k;
            state = 3;
        }
        return;
    case 2:
        text[2] = u':';
        state = 3;
        return;
    case 3:
        if (k == u'0' || k == u' ') {
            text[3] = u' ';
            state = 4;
        } else if (k >= u'1' && k <= u'5') {
            text[3] = k;
            state = 4;
        }
        return;
    case 4:
        if (isDigit(k)) {
            text[4] = k;
            state = 5;
        }
        return;
    default:
        return;
    }
}

}  // namespace lum
