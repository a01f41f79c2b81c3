#include "platform/db/connection_string.h"

#include <QMap>

namespace lum::db {
namespace {

// Splits "a=b; c = \"d;e\"" into lower-case keys and values.
std::optional<QMap<QString, QString>> splitPairs(QStringView text, QString* error) {
    QMap<QString, QString> pairs;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype eq = text.indexOf(u'=', i);
        const qsizetype semi = text.indexOf(u';', i);
        if (eq < 0 || (semi >= 0 && semi < eq)) {
            const QStringView rest = text.mid(i, semi < 0 ? -1 : semi - i).trimmed();
            if (!rest.isEmpty()) {
                if (error) *error = QStringLiteral("接続文字列の \"%1\" に = がありません。").arg(rest.toString());
                return std::nullopt;
            }
            if (semi < 0) break;
            i = semi + 1;
            continue;
        }
        const QString key = text.mid(i, eq - i).trimmed().toString().toLower();
        qsizetype j = eq + 1;
        while (j < text.size() && text[j].isSpace()) ++j;
        QString value;
        if (j < text.size() && text[j] == u'"') {
            const qsizetype close = text.indexOf(u'"', j + 1);
            if (close < 0) {
                if (error) *error = QStringLiteral("接続文字列の引用符が閉じていません。");
                return std::nullopt;
            }
            value = text.mid(j + 1, close - j - 1).toString();
            j = text.indexOf(u';', close);
            if (j < 0) j = text.size();
        } else {
            const qsizetype end = text.indexOf(u';', j);
            value = text.mid(j, end < 0 ? -1 : end - j).trimmed().toString();
            j = end < 0 ? text.size() : end;
        }
        pairs.insert(key, value);
        i = j + 1;
    }
    return pairs;
}

QString quoted(const QString& value) {
    return value.contains(u';') || value != value.trimmed() ? u'"' + value + u'"' : value;
}

}  // namespace

std::optional<ConnectionSpec> parseConnectionString(QStringView text, QString* error) {
    const auto pairs = splitPairs(text, error);
    if (!pairs) return std::nullopt;
    const QString provider = pairs->value(QStringLiteral("provider"));
    ConnectionSpec target;
    if (provider.compare(u"SQLite", Qt::CaseInsensitive) == 0) {
        target.backend = Backend::SQLite;
        target.dataSource = pairs->value(QStringLiteral("data source"));
        if (target.dataSource.isEmpty()) {
            if (error) *error = QStringLiteral("接続文字列に Data Source がありません。");
            return std::nullopt;
        }
        return target;
    }
    if (provider.compare(u"PostgreSQL", Qt::CaseInsensitive) == 0) {
        target.backend = Backend::PostgreSQL;
        target.host = pairs->value(QStringLiteral("host"), QStringLiteral("localhost"));
        target.database = pairs->value(QStringLiteral("database"));
        target.schema = pairs->value(QStringLiteral("schema"));
        if (target.database.isEmpty()) {
            if (error) *error = QStringLiteral("接続文字列に Database がありません。");
            return std::nullopt;
        }
        const QString port = pairs->value(QStringLiteral("port"));
        if (!port.isEmpty()) {
            bool ok = false;
            target.port = port.toInt(&ok);
            if (!ok || target.port < 1 || target.port > 65535) {
                if (error) *error = QStringLiteral("接続文字列の Port \"%1\" が正しくありません。").arg(port);
                return std::nullopt;
            }
        }
        return target;
    }
    if (error) {
        *error = provider.isEmpty()
                     ? QStringLiteral("接続文字列に Provider がありません（SQLite または PostgreSQL）。")
                     : QStringLiteral("Provider \"%1\" には対応していません（SQLite または PostgreSQL）。").arg(provider);
    }
    return std::nullopt;
}

QString ConnectionSpec::toString() const {
    if (backend == Backend::SQLite) return QStringLiteral("Provider=SQLite;Data Source=") + quoted(dataSource);
    QString text = QStringLiteral("Provider=PostgreSQL;Host=%1;Port=%2;Database=%3")
                       .arg(quoted(host))
                       .arg(port)
                       .arg(quoted(database));
    if (!schema.isEmpty()) text += QStringLiteral(";Schema=") + quoted(schema);
    return text;
}

}  // namespace lum::db
