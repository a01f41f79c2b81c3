#include "app/link_connection.h"

#include <QList>

namespace lum {
namespace {

struct Attribute {
    QString key;
    QString value;  // braces removed
    QString raw;    // as written, for putting the string together again
};

// Splits "k1=v1;k2={v;2};…" into its attributes; a braced value may hold ';'
// and "}}" stands for one '}'.
QList<Attribute> splitAttributes(const QString& connection) {
    QList<Attribute> out;
    qsizetype i = 0;
    const qsizetype n = connection.size();
    while (i < n) {
        while (i < n && (connection[i] == u';' || connection[i] == u' ')) ++i;
        if (i >= n) break;
        const qsizetype start = i;
        const qsizetype eq = connection.indexOf(u'=', i);
        if (eq < 0) {
            out.append({connection.mid(i).trimmed(), QString(), connection.mid(i).trimmed()});
            break;
        }
        Attribute a{connection.mid(i, eq - i).trimmed(), QString(), QString()};
        i = eq + 1;
        while (i < n && connection[i] == u' ') ++i;
        if (i < n && connection[i] == u'{') {
            ++i;
            while (i < n) {
                if (connection[i] == u'}') {
                    if (i + 1 < n && connection[i + 1] == u'}') {
                        a.value += u'}';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                a.value += connection[i++];
            }
            while (i < n && connection[i] != u';') ++i;
        } else {
            const qsizetype end = connection.indexOf(u';', i);
            a.value = connection.mid(i, end < 0 ? -1 : end - i).trimmed();
            i = end < 0 ? n : end;
        }
        a.raw = connection.mid(start, i - start).trimmed();
        out.append(a);
    }
    return out;
}

QString quoted(const QString& value) {
    const bool braces = value.contains(u';') || value.contains(u'{') || value.contains(u'}') ||
                        value.contains(u' ');
    if (!braces) return value;
    QString v = value;
    v.replace(QStringLiteral("}"), QStringLiteral("}}"));
    return u'{' + v + u'}';
}

}  // namespace

QString linkConnectOptions() {
    return QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1;SQL_ATTR_ACCESS_MODE=SQL_MODE_READ_ONLY")
        .arg(LinkLoginTimeoutSeconds);
}

QString odbcAttribute(const QString& connection, const QString& key) {
    for (const Attribute& a : splitAttributes(connection)) {
        if (a.key.compare(key, Qt::CaseInsensitive) == 0) return a.value;
    }
    return {};
}

QString withOdbcAttribute(const QString& connection, const QString& key, const QString& value) {
    QStringList parts;
    bool replaced = false;
    for (const Attribute& a : splitAttributes(connection)) {
        if (a.key.isEmpty()) continue;
        if (a.key.compare(key, Qt::CaseInsensitive) == 0) {
            if (replaced) continue;
            parts << a.key + u'=' + quoted(value);
            replaced = true;
        } else {
            parts << a.raw;
        }
    }
    if (!replaced) parts << key + u'=' + quoted(value);
    return parts.join(u';');
}

QString linkFilePath(const QString& connection) {
    const QString dbq = odbcAttribute(connection, QStringLiteral("DBQ"));
    if (!dbq.isEmpty()) return dbq;
    return odbcAttribute(connection, QStringLiteral("Database"));
}

}  // namespace lum
