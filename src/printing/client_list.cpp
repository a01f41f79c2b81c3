#include "printing/client_list.h"

#include "common/calendar_helpers.h"
#include "common/code_tables.h"
#include "common/cp932.h"
#include "common/db/sql_date.h"
#include "common/era_text.h"
#include "common/kubun.h"
#include "common/text_helpers.h"

#include <QSqlRecord>

#include <cmath>

namespace lum {
namespace {

const QString kFullWidthBlank = QStringLiteral("　");

// A degree code: its name, a full-width blank for a negative code.
QString degreeText(const NameTable& names, int code) { return code < 0 ? kFullWidthBlank : names.at(code); }

// Whole days from admission to discharge, or to now while not discharged.
QString daysInCare(const TPerson& row, const QDateTime& now) {
    const TDateTime end = row.TAISHOBI_YMD.value() <= 0 ? TDateTime::fromDateTime(now) : row.TAISHOBI_YMD;
    return QString::number(static_cast<long long>(std::trunc(end.value() - row.NYUSHOBI_YMD.value())));
}

// Whole years from the birth date to now; nothing for an unknown birth date.
QString ageText(const TPerson& row, const QDateTime& now) {
    if (row.Birth.isEmpty()) return QString();
    return QString::number(AgeInYears(row.Birth, TDateTime::fromDateTime(now)));
}

// The type name padded with ten blanks and cut at 14 bytes, then the categories.
QString typeAndCategories(const TPerson& row) {
    TKubun kubun;
    kubun.SetCode(row.KubunCode);
    return cp932::leftBytes(RihaTypeNames.at(row.RihaType) + QString(10, u' '), 14) + kubun.LongText();
}

}  // namespace

BoundStatement clientListStatement(const ClientListConditions& c, QDate today) {
    BoundStatement s;
    s.sql = QStringLiteral(
        "SELECT CureNo, Name, Kana, RihaType, KubunCode, KubunDate, NYUSHOBI_YMD, TAISHOBI_YMD, Sex, Birth, "
        "Jiritsu_KBN, Ninchi_KBN, YOUKAIGO_KBN, ROOM_NO FROM Person");
    QStringList conditions;
    QStringList types;
    const bool ticked[] = {c.nyusho, c.tanki, c.tsusho, c.houmon};
    for (int type = 0; type < 4; ++type) {
        if (!ticked[type]) continue;
        const QString name = QStringLiteral(":type%1").arg(type);
        types << QStringLiteral("( RihaType = %1 )").arg(name);
        s.values.emplace_back(name, type);
    }
    if (!types.isEmpty()) conditions << u'(' + types.join(QStringLiteral(" OR ")) + u')';
    if (c.leavers == 0) {
        // Not discharged (the empty date, 0 or less) or discharged today or later.
        conditions << QStringLiteral(
            "( TAISHOBI_YMD IS NULL OR TAISHOBI_YMD <= :emptyDate OR TAISHOBI_YMD >= :today )");
        s.values.emplace_back(QStringLiteral(":emptyDate"), db::sqlDate(TDateTime()));
        s.values.emplace_back(QStringLiteral(":today"), db::sqlDate(TDateTime::fromDate(today)));
    }
    if (c.period == 0) {
        // Admitted on a later calendar day than the first of the month three months back.
        const QDate threeMonthsBack = today.addMonths(-3);
        const QDate first(threeMonthsBack.year(), threeMonthsBack.month(), 1);
        conditions << QStringLiteral("( NYUSHOBI_YMD >= :admittedFrom )");
        s.values.emplace_back(QStringLiteral(":admittedFrom"), db::sqlDate(TDateTime::fromDate(first.addDays(1))));
    }
    if (!conditions.isEmpty()) s.sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    s.sql += QStringLiteral(" ORDER BY CureNo");
    return s;
}

TPerson clientListRow(const QSqlQuery& query) {
    const QSqlRecord r = query.record();
    const auto value = [&](const char* column) { return query.value(r.indexOf(QString::fromLatin1(column))); };
    const auto date = [&](const char* column) { return db::readDate(value(column)); };
    TPerson p;
    p.CureNo = value("CureNo").toInt();
    p.Name = value("Name").toString();
    p.Kana = value("Kana").toString();
    p.RihaType = value("RihaType").toInt();
    p.KubunCode = value("KubunCode").toInt();
    p.KubunDate = date("KubunDate");
    p.NYUSHOBI_YMD = date("NYUSHOBI_YMD");
    p.TAISHOBI_YMD = date("TAISHOBI_YMD");
    p.Sex = value("Sex").toInt();
    p.Birth = date("Birth");
    p.Jiritsu_KBN = value("Jiritsu_KBN").toInt();
    p.Ninchi_KBN = value("Ninchi_KBN").toInt();
    p.YOUKAIGO_KBN = value("YOUKAIGO_KBN").toInt();
    p.ROOM_NO = value("ROOM_NO").toString();
    return p;
}

QString clientListPrintConditions(const ClientListConditions& c) {
    return QStringLiteral("（印刷条件:") + (c.typeChosen() ? QStringLiteral("条件１有り、") : QStringLiteral("利用者全員、")) +
           (c.leavers == 1 ? QStringLiteral("退所者を含む、") : QStringLiteral("退所者を除く、")) +
           (c.period == 1 ? QStringLiteral("過去分の全て") : QStringLiteral("最新のみ")) + QStringLiteral("）");
}

std::optional<QString> clientListPageValue(const QString& name, const ClientListConditions& c,
                                           const QString& facility, const QDateTime& now) {
    if (name == u"TitleDate") return DateToEraText(TDateTime::fromDateTime(now)) + QStringLiteral(" 作成");
    if (name == u"PrnLmt") return clientListPrintConditions(c);
    if (name == u"Shisetsu") return facility;
    return std::nullopt;
}

std::optional<QString> clientListRowValue(const QString& name, const TPerson& row, const QDateTime& now) {
    if (name == u"Kaishibi") return DateToEraShortText(row.NYUSHOBI_YMD);
    if (name == u"Taishobi") return DateToEraShortText(row.TAISHOBI_YMD);
    if (name == u"Tsusan") return daysInCare(row, now);
    if (name == u"Keitai") return RihaTypeNames.at(row.RihaType);
    if (name == u"Sex") return SexNames.at(row.Sex);
    if (name == u"Old") return ageText(row, now);
    if (name == u"Birth") return DateToEraShortText(row.Birth);
    if (name == u"Jiritsu") return degreeText(JiritsuNames, row.Jiritsu_KBN);
    if (name == u"Ninchi") return degreeText(NinchiNames, row.Ninchi_KBN);
    if (name == u"Kaigo") return degreeText(YoukaigoNames, row.YOUKAIGO_KBN);
    return std::nullopt;
}

QStringList clientListCsvHeader() {
    return {QStringLiteral("治療番号"),   QStringLiteral("氏名"),   QStringLiteral("氏名カナ"),
            QStringLiteral("利用開始日"), QStringLiteral("退所日"), QStringLiteral("リハビリ形態と区分"),
            QStringLiteral("性別"),       QStringLiteral("年齢"),   QStringLiteral("生年月日"),
            QStringLiteral("自立区分"),   QStringLiteral("認知度"), QStringLiteral("要介護度"),
            QStringLiteral("部屋番号")};
}

QStringList clientListCsvValues(const TPerson& row, const QDateTime& now) {
    return {CureNoText(row.CureNo),
            row.Name,
            row.Kana,
            DateToEraShortText(row.NYUSHOBI_YMD),
            DateToEraShortText(row.TAISHOBI_YMD),
            typeAndCategories(row),
            SexNames.at(row.Sex),
            ageText(row, now),
            DateToEraShortText(row.Birth),
            degreeText(JiritsuNames, row.Jiritsu_KBN),
            degreeText(NinchiNames, row.Ninchi_KBN),
            degreeText(YoukaigoNames, row.YOUKAIGO_KBN),
            row.ROOM_NO};
}

}  // namespace lum
