#pragma once
// Reading the other care system's client table kgkihn1d over a link of the
// data module. One statement is ever sent: a SELECT of the eleven columns,
// each name quoted by the link's driver as the other system spells it (Add is
// a reserved word there). The rows are sorted in the program, so every source
// gives the same kana order, and nothing is ever written.
#include "clients/linked_client.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

namespace lum {

class LinkReadError : public std::runtime_error {
public:
    explicit LinkReadError(const QString& why) : std::runtime_error(why.toStdString()), why_(why) {}
    const QString& why() const { return why_; }

private:
    QString why_;
};

class LinkedClientSource {
public:
    static const QString Table;          // "kgkihn1d"
    static const QStringList Columns;    // Sid, Jname, Kname, Sex, Birth, Mail, ChikuCode, MatiCode, Add, Tel, Fax

    // The statement, with the column names quoted by the link's driver.
    static QString selectStatement(const QSqlDatabase& link);

    // All rows, sorted by kana. Throws LinkReadError when the link is not
    // open, the table or a column is missing, or a row cannot be read; then
    // nothing is returned, never a part of the table.
    static std::vector<LinkedClient> read(const QSqlDatabase& link);
    // Runs the statement and checks its eleven columns without fetching the
    // rows: empty when the table reads, else why not.
    static QString probe(const QSqlDatabase& link);
};

}  // namespace lum
