#pragma once
// What a schedule operation has to tell the user, collected while it runs and
// shown after its transaction has ended.
#include "platform/ui/dialogs.h"

#include <QString>

#include <vector>

class QWidget;

namespace lum {

struct Notice {
    MsgKind kind = MsgKind::Error;
    QString text;
    MsgButtons buttons = MsgButton::Ok;

    bool operator==(const Notice&) const = default;
};

using Notices = std::vector<Notice>;

inline Notice errorNotice(const QString& text) { return {MsgKind::Error, text, MsgButton::Ok}; }
inline Notice abortNotice(const QString& text) { return {MsgKind::Error, text, MsgButton::Abort}; }

// Shows each notice in order.
void showNotices(const Notices& notices, QWidget* parent = nullptr);

}  // namespace lum
