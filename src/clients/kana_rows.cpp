#include "clients/kana_rows.h"

namespace lum {
namespace {

struct Row {
    const char16_t* caption;
    const char16_t* letters;
};

constexpr Row kRows[KanaRowCount] = {
    {u"ア", u"ｱｲｳｴｵ"}, {u"カ", u"ｶｷｸｹｺ"}, {u"サ", u"ｻｼｽｾｿ"}, {u"タ", u"ﾀﾁﾂﾃﾄ"}, {u"ナ", u"ﾅﾆﾇﾈﾉ"},
    {u"ハ", u"ﾊﾋﾌﾍﾎ"}, {u"マ", u"ﾏﾐﾑﾒﾓ"}, {u"ヤ", u"ﾔﾕﾖ"},   {u"ラ", u"ﾗﾘﾙﾚﾛ"}, {u"ワ", u"ﾜ"},
};

constexpr const char* kButtonNames[KanaRowCount] = {"ABtn", "KBtn", "SBtn", "TBtn", "NBtn",
                                                    "HBtn", "MBtn", "YBtn", "RBtn", "WBtn"};

bool validRow(int row) { return row >= 0 && row < KanaRowCount; }

}  // namespace

QString kanaRowCaption(int row) { return validRow(row) ? QString::fromUtf16(kRows[row].caption) : QString(); }

QString kanaRowButtonName(int row) { return validRow(row) ? QString::fromLatin1(kButtonNames[row]) : QString(); }

QStringList kanaRowLetters(int row) {
    QStringList letters;
    if (!validRow(row)) return letters;
    for (QChar c : QString::fromUtf16(kRows[row].letters)) letters << QString(c);
    return letters;
}

bool isInKanaRow(QStringView kana, int row) {
    if (kana.isEmpty()) return false;
    return kanaRowLetters(row).contains(QString(kana.front()));
}

QString kanaRowPlaceholder(int index) { return QStringLiteral(":kanaRow%1").arg(index); }

QStringList kanaRowPatterns(int row) {
    QStringList patterns;
    for (const QString& letter : kanaRowLetters(row)) patterns << letter + u'%';
    return patterns;
}

QString kanaRowCondition(const QString& column, int row, const QString& likeOperator) {
    QStringList terms;
    const qsizetype n = kanaRowLetters(row).size();
    for (qsizetype i = 0; i < n; ++i) {
        terms << column + u' ' + likeOperator + u' ' + kanaRowPlaceholder(int(i));
    }
    // A row outside 0..9 matches nothing.
    if (terms.isEmpty()) return QStringLiteral("( 1 = 0 )");
    return QStringLiteral("( ") + terms.join(QStringLiteral(" OR ")) + QStringLiteral(" )");
}

}  // namespace lum
