#include "printing/statistics_csv.h"

#include "common/code_tables.h"
#include "common/kubun.h"
#include "common/text_helpers.h"

namespace lum {
namespace {

QString dayText(TDateTime date) { return date.date().toString(QStringLiteral("yyyyMMdd")); }

}  // namespace

QStringList statisticsCsvHeader() {
    return {QStringLiteral("利用日"),   QStringLiteral("利用者番号"), QStringLiteral("氏名"),
            QStringLiteral("カナ"),     QStringLiteral("リハ形態"),   QStringLiteral("区分"),
            QStringLiteral("入力者"),   QStringLiteral("更新日")};
}

QStringList statisticsCsvValues(const CureResultEntry& e) {
    TKubun kubun;
    kubun.SetCode(e.KubunCode);
    return {dayText(e.CureDate),  CureNoText(e.CureNo), e.Name,      e.Kana, RihaTypeNames.at(e.RihaType),
            kubun.LongText(),     e.LoginName,          dayText(e.UpdateDate)};
}

}  // namespace lum
