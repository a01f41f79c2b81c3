#include "plans/overwrite_question.h"

#include "platform/ui/dialogs.h"

namespace lum::overwrite_detail {

bool askBetweenAttempts(const DocumentKind& kind, const std::function<bool(bool agreed)>& write, QWidget* parent) {
    for (bool agreed = false; !write(agreed); agreed = true) {
        if (message(MsgKind::Information, QStringLiteral("保存されたデータがあります。\n上書きしますか？"),
                    MsgButton::Yes | MsgButton::No, parent) != MsgButton::Yes) {
            if (!kind.messages.cancelled.isEmpty())
                message(MsgKind::Information, kind.messages.cancelled, MsgButton::Ok, parent);
            return false;
        }
    }
    return true;
}

}  // namespace lum::overwrite_detail
