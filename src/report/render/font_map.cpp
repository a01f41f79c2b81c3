#include "report/render/font_map.h"

#include <QFont>
#include <QHash>

namespace lum {
namespace {

const QHash<QString, QString>& familyTable() {
    static const QHash<QString, QString> table = {
        {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")},
        {QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic")},
        {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")},
        {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")},
        {QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic")},
        {QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho")},
        {QStringLiteral("MS Mincho"), QStringLiteral("IPAMincho")},
        {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho")},
        {QStringLiteral("MS PMincho"), QStringLiteral("IPAPMincho")},
    };
    return table;
}

// When an IPA font is missing, the Noto CJK fonts have the glyphs.
QStringList withFallback(const QString& ipa) {
    const bool serif = ipa.contains(QLatin1String("Mincho"));
    return {ipa, serif ? QStringLiteral("Noto Serif CJK JP") : QStringLiteral("Noto Sans CJK JP")};
}

}  // namespace

QString mapReportFontFamily(const QString& templateName) {
    return familyTable().value(templateName, templateName);
}

void installReportFontSubstitutions() {
    static bool done = false;
    if (done) return;
    done = true;
    const auto& table = familyTable();
    for (auto it = table.begin(); it != table.end(); ++it)
        QFont::insertSubstitutions(it.key(), withFallback(it.value()));
}

}  // namespace lum
