#pragma once
// Phrases picked for a memo: the stock-phrase picker (TStringsForm) for one
// list, whose non-empty texts, one a line, go through the window's hidden
// copy memo to the clipboard for the user to paste where wanted.
#include <QString>

class QPlainTextEdit;

namespace lum {

// False when the picker was cancelled (the clipboard is left alone).
bool PickPhrasesToClipboard(const QString& programName, int commentCode, QPlainTextEdit* copyMemo);

}  // namespace lum
