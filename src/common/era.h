#pragma once
// The Japanese era table: every era the application reads or writes, oldest
// first. The era year of a date is its year minus the era's base year, so the
// first year of an era (元年) is year 1.
#include <QChar>
#include <QDate>
#include <QString>
#include <vector>

namespace lum {

struct Era {
    QString name;         // "平成"
    QString firstLetter;  // "平", the first character of the name
    QChar key;            // 'H': the key that picks the era and the letter of the short text
    int baseYear;         // 1988: era year = year - baseYear
    QDate firstDay;       // 1989-01-08
};

// 明治, 大正, 昭和, 平成, 令和.
const std::vector<Era>& eras();

// The era a date falls in; nullptr for an invalid date or one before 明治.
const Era* eraOf(const QDate& date);

// The era year of a date (1 in the first year of an era); 0 when eraOf is nullptr.
int eraYear(const QDate& date);

// The era whose key is the letter (either case: 'h' and 'H' give 平成); nullptr when none.
const Era* eraByKey(QChar key);

// The era whose name starts with the character (平 gives 平成); nullptr when none.
const Era* eraByFirstLetter(QChar letter);

}  // namespace lum
