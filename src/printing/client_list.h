#pragma once
// The client list (利用者一覧表): which clients it takes, what its printout
// answers for each of them and its 13-column CSV lines. Plain functions, so
// the window only binds its check boxes and radio groups to them.
#include "clients/person.h"

#include <QDate>
#include <QDateTime>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <utility>
#include <vector>

namespace lum {

struct ClientListConditions {
    // 条件１: the types taken; none ticked takes every client.
    bool nyusho = false;  // 入所
    bool tanki = false;   // 短期入所
    bool tsusho = false;  // 通所リハビリ
    bool houmon = false;  // 訪問リハビリ
    // 条件２: 0 退所者を除く (only clients not discharged before today), 1 退所者を含む.
    int leavers = 0;
    // 条件３: 0 ３ヶ月以内 (admitted after the first day of the month three
    // months back), 1 過去分の全て.
    int period = 0;

    bool typeChosen() const { return nyusho || tanki || tsusho || houmon; }
};

// SQL with its values, every value bound.
struct BoundStatement {
    QString sql;
    std::vector<std::pair<QString, QVariant>> values;
};

// The list query in CureNo order. The type alternatives form one group in
// parentheses, joined with AND to the conditions of 条件２ and 条件３.
BoundStatement clientListStatement(const ClientListConditions& conditions, QDate today);

// The row the list query is on.
TPerson clientListRow(const QSqlQuery& query);

// "（印刷条件:条件１有り、退所者を除く、最新のみ）" and its other forms.
QString clientListPrintConditions(const ClientListConditions& conditions);

// The printout's values: those of the page (TitleDate, PrnLmt, Shisetsu) and
// those of a row (Kaishibi .. Kaigo); nothing for a name the window does not
// answer (the template's fields then).
std::optional<QString> clientListPageValue(const QString& name, const ClientListConditions& conditions,
                                           const QString& facility, const QDateTime& now);
std::optional<QString> clientListRowValue(const QString& name, const TPerson& row, const QDateTime& now);

QStringList clientListCsvHeader();
QStringList clientListCsvValues(const TPerson& row, const QDateTime& now);

}  // namespace lum
