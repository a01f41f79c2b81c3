#include "clients/person_store.h"

#include "common/db/sql_date.h"
#include "clients/kana_rows.h"

#include <QSqlRecord>

namespace lum {
namespace {

// The columns written from the record, in table order (CureNo and the weekly
// requests apart).
const QStringList kDataColumns = {
    "Name",        "Kana",           "Sex",           "Birth",       "YoubinNo",     "Address",
    "TelNo",       "FaxNo",          "EMail",         "distinctive", "TavelundUserNo", "RihaType",
    "KubunCode",   "KubunDate",      "ROOM_NO",       "Jiritsu_KBN", "Ninchi_KBN",   "YOUKAIGO_KBN",
    "HP_TAISHO_YMD", "NYUSHOBI_YMD", "TAISHOBI_YMD",  "Disease1",    "Disease2",     "Disease3",
    "Disease4",    "Disease5",       "Disease6"};

QStringList weeklyColumns() {
    QStringList columns;
    for (int day = 1; day <= WeekDays; ++day) columns << QStringLiteral("Reserve%1").arg(day, 2, 10, QChar(u'0'));
    for (int day = 1; day <= WeekDays; ++day) columns << QStringLiteral("Funn%1").arg(day, 2, 10, QChar(u'0'));
    return columns;
}

QString placeholders(const QStringList& columns) {
    QStringList names;
    for (const QString& c : columns) names << u':' + c;
    return names.join(QStringLiteral(", "));
}

void bindData(QSqlQuery& q, const TPerson& p) {
    auto text = [&q](const char* column, const QString& value) {
        // Never NULL: an empty text is stored as one.
        q.bindValue(u':' + QString::fromLatin1(column), value.isNull() ? QStringLiteral("") : value);
    };
    auto number = [&q](const char* column, int value) { q.bindValue(u':' + QString::fromLatin1(column), value); };
    auto date = [&q](const char* column, TDateTime value) {
        db::bindDate(q, u':' + QString::fromLatin1(column), value);
    };
    text("Name", p.Name);
    text("Kana", p.Kana);
    number("Sex", p.Sex);
    date("Birth", p.Birth);
    text("YoubinNo", p.YoubinNo);
    text("Address", p.Address);
    text("TelNo", p.TelNo);
    text("FaxNo", p.FaxNo);
    text("EMail", p.EMail);
    text("distinctive", p.distinctive);
    number("TavelundUserNo", p.TavelundUserNo);
    number("RihaType", p.RihaType);
    number("KubunCode", p.KubunCode);
    date("KubunDate", p.KubunDate);
    text("ROOM_NO", p.ROOM_NO);
    number("Jiritsu_KBN", p.Jiritsu_KBN);
    number("Ninchi_KBN", p.Ninchi_KBN);
    number("YOUKAIGO_KBN", p.YOUKAIGO_KBN);
    date("HP_TAISHO_YMD", p.HP_TAISHO_YMD);
    date("NYUSHOBI_YMD", p.NYUSHOBI_YMD);
    date("TAISHOBI_YMD", p.TAISHOBI_YMD);
    for (int i = 0; i < 6; ++i) {
        const QString value = p.Disease[i];
        q.bindValue(QStringLiteral(":Disease%1").arg(i + 1), value.isNull() ? QStringLiteral("") : value);
    }
}

TPerson readRow(const QSqlQuery& q, bool withWeekly) {
    const QSqlRecord r = q.record();
    auto text = [&](const char* column) { return q.value(r.indexOf(QString::fromLatin1(column))).toString(); };
    auto number = [&](const char* column) { return q.value(r.indexOf(QString::fromLatin1(column))).toInt(); };
    auto date = [&](const char* column) { return db::readDate(q.value(r.indexOf(QString::fromLatin1(column)))); };
    TPerson p;
    p.CureNo = number("CureNo");
    p.Name = text("Name");
    p.Kana = text("Kana");
    p.Sex = number("Sex");
    p.Birth = date("Birth");
    p.YoubinNo = text("YoubinNo");
    p.Address = text("Address");
    p.TelNo = text("TelNo");
    p.FaxNo = text("FaxNo");
    p.EMail = text("EMail");
    p.distinctive = text("distinctive");
    p.TavelundUserNo = number("TavelundUserNo");
    p.RihaType = number("RihaType");
    p.KubunCode = number("KubunCode");
    p.KubunDate = date("KubunDate");
    p.ROOM_NO = text("ROOM_NO");
    p.Jiritsu_KBN = number("Jiritsu_KBN");
    p.Ninchi_KBN = number("Ninchi_KBN");
    p.YOUKAIGO_KBN = number("YOUKAIGO_KBN");
    p.HP_TAISHO_YMD = date("HP_TAISHO_YMD");
    p.NYUSHOBI_YMD = date("NYUSHOBI_YMD");
    p.TAISHOBI_YMD = date("TAISHOBI_YMD");
    for (int i = 0; i < 6; ++i) {
        p.Disease[i] = diseaseText(q.value(r.indexOf(QStringLiteral("Disease%1").arg(i + 1))).toString());
    }
    if (withWeekly) {
        for (int day = 0; day < WeekDays; ++day) {
            p.Reserve[day] = db::readDate(q.value(r.indexOf(QStringLiteral("Reserve%1").arg(day + 1, 2, 10, QChar(u'0')))));
            p.Funn[day] = q.value(r.indexOf(QStringLiteral("Funn%1").arg(day + 1, 2, 10, QChar(u'0')))).toInt();
        }
    }
    return p;
}

QString selectColumns() { return QStringLiteral("CureNo, ") + kDataColumns.join(QStringLiteral(", ")); }

}  // namespace

const QStringList& PersonStore::gridColumns() {
    static const QStringList columns = {"CureNo",  "Name",         "Kana",     "Sex",           "Birth",
                                        "Address", "NYUSHOBI_YMD", "RihaType", "TavelundUserNo"};
    return columns;
}

std::vector<TPerson> PersonStore::select(const QString& where, const QString& orderBy,
                                         const std::vector<std::pair<QString, QVariant>>& values) const {
    QString sql = QStringLiteral("SELECT ") + selectColumns() + QStringLiteral(" FROM Person");
    if (!where.isEmpty()) sql += QStringLiteral(" WHERE ") + where;
    sql += QStringLiteral(" ORDER BY ") + orderBy;
    QSqlQuery q = db_.prepare(sql);
    for (const auto& [name, value] : values) q.bindValue(name, value);
    db_.exec(q);
    std::vector<TPerson> rows;
    while (q.next()) rows.push_back(readRow(q, false));
    return rows;
}

std::vector<TPerson> PersonStore::byCureNo(int cureNo) const {
    return select(QStringLiteral("CureNo = :no"), QStringLiteral("CureNo"), {{QStringLiteral(":no"), cureNo}});
}

std::vector<TPerson> PersonStore::byNamePrefix(const QString& name) const {
    return select(db_.likeCondition(QStringLiteral("Name"), QStringLiteral(":p")), QStringLiteral("CureNo"),
                  {{QStringLiteral(":p"), db::likePrefix(name)}});
}

std::vector<TPerson> PersonStore::byKanaPrefix(const QString& kana) const {
    return select(db_.likeCondition(QStringLiteral("Kana"), QStringLiteral(":p")), QStringLiteral("CureNo"),
                  {{QStringLiteral(":p"), db::likePrefix(kana)}});
}

std::vector<TPerson> PersonStore::byTavelundPrefix(const QString& digits) const {
    return select(db_.likeCondition(QStringLiteral("CAST(TavelundUserNo AS TEXT)"), QStringLiteral(":p")),
                  QStringLiteral("CureNo"), {{QStringLiteral(":p"), db::likePrefix(digits)}});
}

std::vector<TPerson> PersonStore::byKanaRow(int row) const {
    std::vector<std::pair<QString, QVariant>> values;
    const QStringList patterns = kanaRowPatterns(row);
    for (int i = 0; i < patterns.size(); ++i) values.push_back({kanaRowPlaceholder(i), patterns[i]});
    return select(kanaRowCondition(QStringLiteral("Kana"), row, db_.likeOperator()), QStringLiteral("Kana, CureNo"),
                  values);
}

std::vector<TPerson> PersonStore::all() const { return select({}, QStringLiteral("CureNo"), {}); }

std::vector<TPerson> PersonStore::byTypeAndCategories(int rihaType, int kubunMask) const {
    return select(QStringLiteral("RihaType = :type AND (KubunCode & :mask) > 0"), QStringLiteral("CureNo"),
                  {{QStringLiteral(":type"), rihaType}, {QStringLiteral(":mask"), kubunMask}});
}

std::vector<TPerson> PersonStore::monthClients(TDateTime monthStart, int rihaType, int kubunMask) const {
    const DateRange month = monthRange(monthStart);
    QString sql = QStringLiteral("SELECT ") + selectColumns() + QStringLiteral(", ") +
                  weeklyColumns().join(QStringLiteral(", ")) +
                  QStringLiteral(" FROM Person WHERE NYUSHOBI_YMD < :next"
                                 " AND (TAISHOBI_YMD = :zero OR TAISHOBI_YMD >= :start)");
    const bool oneType = rihaType != AllRihaTypes;
    if (oneType) sql += QStringLiteral(" AND RihaType = :type AND (KubunCode & :mask) > 0");
    sql += QStringLiteral(" ORDER BY CureNo");
    QSqlQuery q = db_.prepare(sql);
    db::bindDate(q, QStringLiteral(":next"), month.end);
    db::bindDate(q, QStringLiteral(":zero"), TDateTime());
    db::bindDate(q, QStringLiteral(":start"), month.begin);
    if (oneType) {
        q.bindValue(QStringLiteral(":type"), rihaType);
        q.bindValue(QStringLiteral(":mask"), kubunMask);
    }
    db_.exec(q);
    std::vector<TPerson> rows;
    while (q.next()) rows.push_back(readRow(q, true));
    return rows;
}

std::vector<TPerson> PersonStore::sortedBy(int gridColumn, bool ascending) const {
    const QString column = gridColumns().value(gridColumn, QStringLiteral("CureNo"));
    return select({}, column + (ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC")) + QStringLiteral(", CureNo"),
                  {});
}

std::optional<TPerson> PersonStore::find(int cureNo) const {
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT ") + selectColumns() + QStringLiteral(", ") +
                              weeklyColumns().join(QStringLiteral(", ")) +
                              QStringLiteral(" FROM Person WHERE CureNo = :no"));
    q.bindValue(QStringLiteral(":no"), cureNo);
    db_.exec(q);
    if (!q.next()) return std::nullopt;
    return readRow(q, true);
}

std::vector<TPerson> PersonStore::duplicateCandidates(const QString& family, TDateTime birth, int sex,
                                                      TDateTime startDate) const {
    return select(db_.likeCondition(QStringLiteral("Kana"), QStringLiteral(":family")) +
                      QStringLiteral(" AND Birth = :birth AND Sex = :sex AND NYUSHOBI_YMD = :start"),
                  QStringLiteral("CureNo"),
                  {{QStringLiteral(":family"), db::likeContains(family)},
                   {QStringLiteral(":birth"), db::sqlDate(birth)},
                   {QStringLiteral(":sex"), sex},
                   {QStringLiteral(":start"), db::sqlDate(startDate)}});
}

int PersonStore::insert(const TPerson& p) const {
    const QStringList columns = kDataColumns + weeklyColumns();
    QSqlQuery q = db_.prepare(QStringLiteral("INSERT INTO Person (") + columns.join(QStringLiteral(", ")) +
                              QStringLiteral(") VALUES (") + placeholders(columns) +
                              QStringLiteral(") RETURNING CureNo"));
    bindData(q, p);
    for (int day = 0; day < WeekDays; ++day) {
        const QString suffix = QStringLiteral("%1").arg(day + 1, 2, 10, QChar(u'0'));
        db::bindDate(q, QStringLiteral(":Reserve") + suffix, p.Reserve[day]);
        q.bindValue(QStringLiteral(":Funn") + suffix, p.Funn[day]);
    }
    return int(db_.execReturningKey(q));
}

void PersonStore::update(const TPerson& p) const {
    QStringList sets;
    for (const QString& c : kDataColumns) sets << c + QStringLiteral(" = :") + c;
    QSqlQuery q = db_.prepare(QStringLiteral("UPDATE Person SET ") + sets.join(QStringLiteral(", ")) +
                              QStringLiteral(" WHERE CureNo = :CureNo"));
    bindData(q, p);
    q.bindValue(QStringLiteral(":CureNo"), p.CureNo);
    db_.execTouching(q);
}

void PersonStore::updateWeekRequests(int cureNo, const std::array<TDateTime, WeekDays>& reserve,
                                     const std::array<int, WeekDays>& funn) const {
    QStringList sets;
    for (const QString& c : weeklyColumns()) sets << c + QStringLiteral(" = :") + c;
    QSqlQuery q = db_.prepare(QStringLiteral("UPDATE Person SET ") + sets.join(QStringLiteral(", ")) +
                              QStringLiteral(" WHERE CureNo = :CureNo"));
    for (int day = 0; day < WeekDays; ++day) {
        const QString suffix = QStringLiteral("%1").arg(day + 1, 2, 10, QChar(u'0'));
        db::bindDate(q, QStringLiteral(":Reserve") + suffix, reserve[static_cast<size_t>(day)]);
        q.bindValue(QStringLiteral(":Funn") + suffix, funn[static_cast<size_t>(day)]);
    }
    q.bindValue(QStringLiteral(":CureNo"), cureNo);
    db_.execTouching(q);
}

void PersonStore::remove(int cureNo) const {
    QSqlQuery q = db_.prepare(QStringLiteral("DELETE FROM Person WHERE CureNo = :no"));
    q.bindValue(QStringLiteral(":no"), cureNo);
    db_.execTouching(q);
}

}  // namespace lum
