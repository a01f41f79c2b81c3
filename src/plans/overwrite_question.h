#pragma once
// The overwrite rule of every document save, the seven documents alike.
//
// A save decides inside its own transaction whether it may write, and the
// question "保存されたデータがあります。\n上書きしますか？" is asked only
// between two such attempts, so no message box waits while a transaction
// holds the write lock. はい agrees to replace the records the question was
// about and nothing else: the next attempt replaces a record only when it is
// still equal to one of them, so a record another workstation stored under
// the same key while the box was open is asked about again. いいえ writes
// nothing.
#include "plans/document_kinds.h"

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

class QWidget;

namespace lum {

namespace overwrite_detail {
// Runs write(agreed) until it writes, asking between attempts; いいえ ends
// with the member's cancelled message (when it has one) and false.
bool askBetweenAttempts(const DocumentKind& kind, const std::function<bool(bool agreed)>& write, QWidget* parent);
}  // namespace overwrite_detail

// A save under the rule. attempt(mayReplace) is one attempt, run as one
// transaction: when mayReplace accepts every record stored under the
// document's key it writes and gives nothing back; otherwise it writes
// nothing and gives the records it found. mayReplace accepts a record that
// `unasked` accepts (a member's own document on screen, as opened or saved
// there; none for the members that always ask) and a record equal (==) to
// one the user agreed to replace at the question before. Stored is what
// tells one stored record from another: a row number for rows that are never
// rewritten in place, the whole row for rows that are. True when written;
// failures of attempt pass to the caller.
template <class Stored, class Attempt>
bool writeAskingOverwrite(const DocumentKind& kind, Attempt&& attempt,
                          const std::function<bool(const Stored&)>& unasked, QWidget* parent = nullptr) {
    std::vector<Stored> asked;
    return overwrite_detail::askBetweenAttempts(
        kind,
        [&](bool agreed) {
            const std::vector<Stored> agreedTo = agreed ? std::exchange(asked, {}) : std::vector<Stored>();
            const std::function<bool(const Stored&)> mayReplace = [&](const Stored& stored) {
                return (unasked && unasked(stored)) ||
                       std::find(agreedTo.begin(), agreedTo.end(), stored) != agreedTo.end();
            };
            asked = attempt(mayReplace);
            return asked.empty();
        },
        parent);
}

}  // namespace lum
