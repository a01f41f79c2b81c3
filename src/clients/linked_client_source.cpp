#include "clients/linked_client_source.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace lum {
namespace {

enum Column { Sid, Jname, Kname, Sex, Birth, Mail, ChikuCode, MatiCode, Add, Tel, Fax, ColumnCount };

QString errorText(const QSqlError& error, const QString& fallback) {
    const QString text = error.text().trimmed();
    return text.isEmpty() ? fallback : text;
}

// Runs the statement forward-only; throws when it does not run or the result
// lacks one of the columns.
void run(QSqlQuery& query, const QSqlDatabase& link) {
    if (!link.isValid() || !link.isOpen()) throw LinkReadError(QStringLiteral("link not open"));
    query.setForwardOnly(true);
    if (!query.exec(LinkedClientSource::selectStatement(link))) {
        throw LinkReadError(errorText(query.lastError(), QStringLiteral("SELECT failed")));
    }
    const QSqlRecord record = query.record();
    if (record.count() != ColumnCount) {
        throw LinkReadError(QStringLiteral("%1 columns instead of %2").arg(record.count()).arg(int(ColumnCount)));
    }
    // Some engines read a quoted name that is no column as a text constant
    // ("Fax" for every row); such a result column is not named as the column.
    for (int i = 0; i < ColumnCount; ++i) {
        if (record.fieldName(i).compare(LinkedClientSource::Columns[i], Qt::CaseInsensitive) != 0) {
            throw LinkReadError(QStringLiteral("no column %1 in %2").arg(LinkedClientSource::Columns[i],
                                                                          LinkedClientSource::Table));
        }
    }
}

QString text(const QSqlQuery& query, Column column) {
    const QVariant v = query.value(column);
    return v.isNull() ? QString() : v.toString();
}

std::optional<int> sid(const QVariant& stored) {
    if (stored.isNull()) return std::nullopt;
    bool ok = false;
    const qlonglong n = stored.toLongLong(&ok);
    if (!ok || n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max()) {
        throw LinkReadError(QStringLiteral("Sid is not a number: %1").arg(stored.toString()));
    }
    return int(n);
}

}  // namespace

const QString LinkedClientSource::Table = QStringLiteral("kgkihn1d");
const QStringList LinkedClientSource::Columns = {
    QStringLiteral("Sid"),      QStringLiteral("Jname"), QStringLiteral("Kname"), QStringLiteral("Sex"),
    QStringLiteral("Birth"),    QStringLiteral("Mail"),  QStringLiteral("ChikuCode"), QStringLiteral("MatiCode"),
    QStringLiteral("Add"),      QStringLiteral("Tel"),   QStringLiteral("Fax"),
};

QString LinkedClientSource::selectStatement(const QSqlDatabase& link) {
    const QSqlDriver* driver = link.driver();
    QStringList names;
    for (const QString& column : Columns) {
        names << (driver ? driver->escapeIdentifier(column, QSqlDriver::FieldName) : u'"' + column + u'"');
    }
    return QStringLiteral("SELECT ") + names.join(u',') + QStringLiteral(" FROM ") + Table;
}

std::vector<LinkedClient> LinkedClientSource::read(const QSqlDatabase& link) {
    std::vector<LinkedClient> rows;
    {
        QSqlQuery query(link);
        run(query, link);
        while (query.next()) {
            LinkedClient c;
            c.Sid = sid(query.value(Sid));
            c.Jname = text(query, Jname);
            c.Kname = text(query, Kname);
            c.Sex = linkedSex(query.value(Sex));
            readLinkedBirth(query.value(Birth), c.Birth, c.BirthText);
            c.Mail = text(query, Mail);
            c.ChikuCode = text(query, ChikuCode);
            c.MatiCode = text(query, MatiCode);
            c.Add = text(query, Add);
            c.Tel = text(query, Tel);
            c.Fax = text(query, Fax);
            rows.push_back(std::move(c));
        }
        // A read cut short (a lost connection) is a failure, not a shorter table.
        if (query.lastError().isValid()) throw LinkReadError(errorText(query.lastError(), QStringLiteral("read failed")));
    }
    sortByKana(rows);
    return rows;
}

QString LinkedClientSource::probe(const QSqlDatabase& link) {
    try {
        QSqlQuery query(link);
        run(query, link);
    } catch (const LinkReadError& e) {
        return e.why();
    }
    return {};
}

}  // namespace lum
