#pragma once
// The pinned font set of the report engine. Templates name the Windows Japanese
// fonts ("ＭＳ ゴシック", "ＭＳ 明朝", ...); this system prints them with the IPA
// fonts of the same design, so text measures the same on every machine.
#include <QString>

namespace lum {

// The family the engine draws for a template's font name: the IPA family for
// the Windows Japanese names (full-width and ASCII spellings), the name itself
// otherwise.
QString mapReportFontFamily(const QString& templateName);

// Registers the same mapping as Qt font substitutions, so a QFont made from a
// template's name resolves to the IPA font even without the system-wide
// fontconfig file. Safe to call more than once.
void installReportFontSubstitutions();

}  // namespace lum
