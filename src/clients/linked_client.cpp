#include "clients/linked_client.h"

#include "clients/kana_rows.h"
#include "common/era_text.h"

#include <QDateTime>
#include <QRegularExpression>

#include <algorithm>

namespace lum {
namespace {

// Only the letters of the Latin alphabet fold, as the client search's LIKE does.
QChar foldAscii(QChar c) { return (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + 32) : c; }

bool startsWithLiterally(QStringView text, QStringView prefix) {
    if (prefix.size() > text.size()) return false;
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        if (foldAscii(text[i]) != foldAscii(prefix[i])) return false;
    }
    return true;
}

template <typename Keep>
std::vector<LinkedClient> keepIf(const std::vector<LinkedClient>& rows, Keep keep) {
    std::vector<LinkedClient> out;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(out), keep);
    return out;
}

std::optional<TDateTime> dateFromText(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*(\d{4})[-/](\d{1,2})[-/](\d{1,2})(?:[ T](\d{1,2}):(\d{2})(?::(\d{2})(?:\.\d+)?)?)?\s*$)"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid()) return std::nullopt;
    const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!time.isValid()) return std::nullopt;
    return TDateTime::fromYmdHms(date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second());
}

}  // namespace

std::optional<bool> linkedSex(const QVariant& stored) {
    if (stored.isNull() || !stored.isValid()) return std::nullopt;
    switch (stored.typeId()) {
    case QMetaType::Bool:
        return stored.toBool();
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QString text = stored.toString().trimmed();
        if (text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0) return true;
        if (text.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0) return false;
        bool ok = false;
        const qlonglong n = text.toLongLong(&ok);
        if (ok) return n != 0;
        return std::nullopt;
    }
    default: {
        bool ok = false;
        const qlonglong n = stored.toLongLong(&ok);
        if (ok) return n != 0;
        return std::nullopt;
    }
    }
}

void readLinkedBirth(const QVariant& stored, TDateTime& birth, QString& text) {
    birth = TDateTime();
    text.clear();
    if (stored.isNull() || !stored.isValid()) return;
    switch (stored.typeId()) {
    case QMetaType::QDateTime: {
        // The wall-clock value as stored; no zone is applied.
        const QDateTime dt = stored.toDateTime();
        if (!dt.isValid()) return;
        const QDate d = dt.date();
        const QTime t = dt.time();
        birth = TDateTime::fromYmdHms(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
        return;
    }
    case QMetaType::QDate: {
        const QDate d = stored.toDate();
        if (d.isValid()) birth = TDateTime::fromDate(d);
        return;
    }
    default: {
        const QString value = stored.toString();
        if (const auto date = dateFromText(value)) {
            birth = *date;
        } else {
            text = value;
        }
        return;
    }
    }
}

void sortByKana(std::vector<LinkedClient>& rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const LinkedClient& a, const LinkedClient& b) {
        const int byKana = QStringView(a.Kname).compare(QStringView(b.Kname), Qt::CaseSensitive);
        if (byKana != 0) return byKana < 0;
        // Rows without a number after those with one.
        if (a.Sid.has_value() != b.Sid.has_value()) return a.Sid.has_value();
        return a.Sid.value_or(0) < b.Sid.value_or(0);
    });
}

std::vector<LinkedClient> filterByNameOrKana(const std::vector<LinkedClient>& rows, QStringView name,
                                             QStringView kana) {
    return keepIf(rows, [&](const LinkedClient& c) {
        return startsWithLiterally(c.Jname, name) || startsWithLiterally(c.Kname, kana);
    });
}

std::vector<LinkedClient> filterBySid(const std::vector<LinkedClient>& rows, qint64 number) {
    return keepIf(rows, [number](const LinkedClient& c) { return c.Sid && qint64(*c.Sid) == number; });
}

std::vector<LinkedClient> filterByKanaRow(const std::vector<LinkedClient>& rows, int row) {
    return keepIf(rows, [row](const LinkedClient& c) { return isInKanaRow(c.Kname, row); });
}

QString linkedSexText(const LinkedClient& client) {
    if (!client.Sex) return {};
    return *client.Sex ? QStringLiteral("女性") : QStringLiteral("男性");
}

QString linkedBirthText(const LinkedClient& client) {
    if (!client.Birth.isEmpty()) return DateToEraSpacedText(client.Birth);
    return client.BirthText;
}

int linkedSexIndex(const LinkedClient& client) {
    if (!client.Sex) return -1;
    return *client.Sex ? 1 : 0;
}

}  // namespace lum
