#pragma once
// A board's one-entry frame clipboard, private to the window: what was
// copied (one frame, or a day or staff column of frames, with or without
// their bookings). A copy records only what to copy; a paste reads the
// frames and bookings then. The platform clipboard is not used.
#include "schedule/timetable_items.h"

#include <QString>

#include <optional>

struct FrameClipboard {
    bool HasClip = false;
    int ClipKind = 0;         // 0 one frame; 1 a day (staff chart) or a staff column (day board)
    bool WithBookings = false;
    QString ClipSource;       // the frame label's name, or the header's ("Day5", "Stuff3")
    TIMETABLE_ITEM ClipFrame;  // ClipKind 0: the frame copied

    void Clear() { *this = FrameClipboard(); }
    // What a frame copy leaves in the status bar: "05/06 09:30 時間枠コピー"
    // (or "… 全てコピー" with its bookings).
    static QString FrameCopyText(const TIMETABLE_ITEM& frame, bool withBookings);
};

// The column a header names: "Day" or "Stuff" followed by 0..30 (at most
// two digits); nothing otherwise.
std::optional<int> HeaderColumn(const QString& headerName, const QString& prefix);
