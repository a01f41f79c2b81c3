#pragma once
// The demo data set: one facility, eight staff members with logins, sixty
// clients of all four rehabilitation types, the time frames and bookings of
// the current month and the next (each therapist closes one frame on one
// weekday; every working day has a full group session and one with room;
// some bookings carry a phrase of the "Schd" list), the treatment results
// of the three months before it, and this month's bookings before today
// copied into results.
// Everything comes from a fixed seed, so the same day gives the same data.
#include "platform/db/database.h"

#include <QDate>
#include <QString>

namespace lum::setup {

inline const QString kDemoLoginCode = QStringLiteral("101");
inline const QString kDemoPassword = QStringLiteral("lumorind");

struct DemoSummary {
    int staff = 0;
    int clients = 0;
    int frames = 0;
    int bookings = 0;
    int results = 0;
    int urinPlans = 0;        // リハビリテーション計画書
    int preventivePlans = 0;  // リハビリテーション実施計画書（予防）
    int plans = 0;
    int estimates = 0;  // 日常生活機能評価表
    int conferences = 0;  // リハビリテーションカンファレンス
    int practicePlans = 0;  // リハビリテーション実施計画書
    int surveys = 0;    // 開始時カンファレンス（調査票）
};

// Writes the set in one transaction into a migrated database that holds no
// staff, logins or clients yet (SetupError otherwise). today decides the months.
DemoSummary writeDemoData(db::Database& db, QDate today);

}  // namespace lum::setup
