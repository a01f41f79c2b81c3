#include "app/login_loop.h"

#include "platform/ui/dialogs.h"

namespace lum {

QString unknownLoginText() { return QStringLiteral("ユーザー名またはパスワードが不明です"); }

LoginOutcome LoginLoop::run(const Ask& ask, const Find& find, int tries) {
    for (int attempt = 0; attempt < tries; ++attempt) {
        const std::optional<LoginCredentials> credentials = ask();
        if (!credentials) return {LoginOutcome::Kind::Cancelled, {}};
        if (std::optional<LoginMatch> match = find(*credentials)) {
            return {LoginOutcome::Kind::LoggedIn, *match};
        }
        message(MsgKind::Warning, unknownLoginText(), MsgButton::Yes);
    }
    return {LoginOutcome::Kind::Refused, {}};
}

}  // namespace lum
