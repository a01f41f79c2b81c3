#pragma once
// What every results grid shows alike: the colours and captions of the four
// category columns of each type, and the texts of a failed write.
#include <QColor>
#include <QString>

namespace lum {

// The category colours ($BBGGRR in the design): 短期集中, 認知症, 集団, 個別.
inline const QColor kCategoryColours[] = {QColor(0xEF, 0xEF, 0xFE), QColor(0xE7, 0xFE, 0xF5),
                                          QColor(0xFF, 0xFA, 0xF4), QColor(0xFF, 0xE8, 0xE8)};
inline const char16_t* const kCategoryCaptions[] = {u"短期\n集中", u"認知\n症", u"集団", u"個別"};
// The groups of the fourteen flags: four per type, two for home visits.
inline const char16_t* const kFlagGroupCaptions[] = {u"入所", u"短期入所", u"通所", u"訪問"};

// A write to CureResults failed, or its row was deleted on another workstation.
inline const QString kResultWriteFailed = QStringLiteral("*** System Error 結果の登録に失敗しました。");
inline const QString kResultGoneElsewhere =
    QStringLiteral("この実績は他の端末で削除されています。\n最新の状態を表示し直します。");

}  // namespace lum
