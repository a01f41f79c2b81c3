#pragma once
// The login loop of the data module, without windows or database: ask for a
// user and password, look them up, warn on a mismatch, at most `tries` times.
#include <QString>
#include <functional>
#include <optional>

namespace lum {

struct LoginCredentials {
    QString user;
    QString password;
};

struct LoginMatch {
    QString staffCd;    // LoginUser.STAFF_CD
    QString loginName;  // LoginUser.LoginNAME
};

struct LoginOutcome {
    enum class Kind { LoggedIn, Cancelled, Refused };
    Kind kind = Kind::Cancelled;
    LoginMatch match;  // LoggedIn only
    bool loggedIn() const { return kind == Kind::LoggedIn; }
};

// "ユーザー名またはパスワードが不明です"
QString unknownLoginText();

class LoginLoop {
public:
    // Shows the login dialog; nothing when it was cancelled.
    using Ask = std::function<std::optional<LoginCredentials>()>;
    // The row matching user and password exactly, if any. A database error throws.
    using Find = std::function<std::optional<LoginMatch>(const LoginCredentials&)>;

    // Each mismatch shows the warning (one はい button) and asks again; a
    // cancel ends at once without a message. Exceptions of find pass through.
    static LoginOutcome run(const Ask& ask, const Find& find, int tries);
};

}  // namespace lum
