#include "common/code_tables.h"

namespace lum {

NameTable::NameTable(std::initializer_list<const char16_t*> names) {
    names_.reserve(names.size());
    for (const char16_t* n : names) names_.push_back(QString::fromUtf16(n));
}

QString NameTable::at(int index) const {
    if (index < 0 || index >= size()) return QString();
    return names_[static_cast<size_t>(index)];
}

int NameTable::indexOf(QStringView text) const {
    for (int i = 0; i < size(); ++i)
        if (names_[static_cast<size_t>(i)] == text) return i;
    return -1;
}

const NameTable SexNames{u"男性", u"女性", u"男性から女性へ", u"女性から男性へ", u"中性", u"不明"};
const NameTable JiritsuNames{u"正常", u"J1", u"J2", u"A1", u"A2", u"B1", u"B2", u"C1", u"C2"};
// Roman numerals are the single full-width characters (Ⅰ U+2160 ...); Ｍ is the full-width letter.
const NameTable NinchiNames{u"正常", u"Ⅰ", u"Ⅱa", u"Ⅱb", u"Ⅲa", u"Ⅲb", u"Ⅳ", u"Ｍ"};
const NameTable YoukaigoNames{u"要支援1", u"要支援2", u"要介護1", u"要介護2",
                              u"要介護3", u"要介護4", u"要介護5"};
const NameTable UmuNames{u"無", u"有", u"問題無", u"問題有"};
const NameTable GradeNames{u"無", u"Ⅰ", u"Ⅱ", u"Ⅲ", u"Ⅳ", u"Ⅴ", u"Ⅵ"};
const NameTable AssistNames{u"自立", u"一部介助", u"介助"};
const NameTable SeverityNames{u"軽度", u"中程度", u"重度"};
const NameTable WeekdayNames{u"月曜日", u"火曜日", u"水曜日", u"木曜日", u"金曜日", u"土曜日", u"日曜日"};
const NameTable WeekdayShortNames{u"月", u"火", u"水", u"木", u"金", u"土", u"日"};
const NameTable RihaTypeNames{u"入所", u"短期入所", u"通所リハビリ", u"訪問リハビリ"};

int JiritsuIndex(QStringView text) { return JiritsuNames.indexOf(text); }
int NinchiIndex(QStringView text) { return NinchiNames.indexOf(text); }
int YoukaigoIndex(QStringView text) { return YoukaigoNames.indexOf(text); }

}  // namespace lum
