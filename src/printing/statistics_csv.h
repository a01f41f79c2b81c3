#pragma once
// The statistics' CSV files: one per month, the month's results one a line,
// every value quoted.
#include "results/cure_result.h"

#include <QStringList>

namespace lum {

QStringList statisticsCsvHeader();
// 利用日 and 更新日 as "YYYYMMDD", the client number in eight digits, the
// type's name and the categories' long texts.
QStringList statisticsCsvValues(const CureResultEntry& entry);

}  // namespace lum
