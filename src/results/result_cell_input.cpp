#include "results/result_cell_input.h"

#include "common/input_limits.h"
#include "plans/entry_checks.h"
#include "platform/ui/dialogs.h"

#include <QComboBox>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTime>

namespace lum {

std::optional<TDateTime> ReadStartTimeCell(const QString& text, QWidget* parent) {
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,2}):(\\d{2})\\s*$"));
    const auto m = pattern.match(text);
    const QTime t = m.hasMatch() ? QTime(m.captured(1).toInt(), m.captured(2).toInt()) : QTime();
    if (!t.isValid()) {
        message(MsgKind::Warning, QStringLiteral("開始時間は「時:分」（例 09:30）で入力してください。"), MsgButton::Ok,
                parent);
        return std::nullopt;
    }
    return TDateTime::fromYmdHms(1899, 12, 30, t.hour(), t.minute());
}

std::optional<int> ReadMinutesCell(const QString& text, QWidget* parent) {
    const auto minutes = parseWholeNumber(text);
    if (!minutes) {
        message(MsgKind::Warning, QStringLiteral("実施時間（分）は数字で入力してください。"), MsgButton::Ok, parent);
        return std::nullopt;
    }
    if (*minutes < 0) {
        message(MsgKind::Warning, QStringLiteral("負の値です。"), MsgButton::Abort, parent);
        return 0;
    }
    return *minutes;
}

std::optional<CureResultChange> ReadTypedCell(TypedCell cell, const QString& text, QWidget* parent) {
    CureResultChange change;
    if (cell == TypedCell::Start) {
        change.RStartTime = ReadStartTimeCell(text, parent);
        if (!change.RStartTime) return std::nullopt;
    } else {
        change.RMinute = ReadMinutesCell(text, parent);
        if (!change.RMinute) return std::nullopt;
    }
    return change;
}

std::optional<CureResultChange> ReadTypedComment(QComboBox& box, const QString& stored, QWidget* parent) {
    const QString text = box.currentText();
    if (const std::optional<QString> refusal = refuseEntry(text, ResultCommentBytes)) {
        message(MsgKind::Warning, *refusal, MsgButton::Ok, parent);
        const QSignalBlocker block(box);
        box.setEditText(stored);
        box.setFocus();
        return std::nullopt;
    }
    CureResultChange change;
    change.Comment = text;
    return change;
}

}  // namespace lum
