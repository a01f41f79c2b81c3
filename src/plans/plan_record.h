#pragma once
// The treatment plan record TPlan: a head mirrored by the RihaPlan columns and
// the body stored unchanged as the 3700-byte PlanData blob. The treatment plan
// window writes it; the plan printouts and monthly records read it.
#include "clients/person.h"
#include "common/datetime.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

namespace lum {

inline constexpr int PlanDataSize = 3700;

// Ratings are indexes into UmuNames (無 有 問題無 問題有), GradeNames (無 Ⅰ..Ⅵ)
// and AssistNames (自立 一部介助 介助); -1 is "no choice".
struct PlanBody {
    // The nine impairment ratings (UmuNames), in stored order.
    int Kansetsu = 0, MahiUp = 0, MahiDown = 0, MahiFin = 0, Kinryoku = 0, Itami = 0;
    int Shiryoku = 2, LeftChoryoku = 2, RightChoryoku = 2;
    // The three paralysis grades (GradeNames).
    int MahiUpDetail = 0, MahiDownDetail = 0, MahiFinDetail = 0;
    // Remarks on the nine impairments, in the same order (KansetsuComment ..
    // ChoryokuRComment), at most 40 bytes each.
    std::array<QString, 9> ImpairmentComments;
    QString EtcMemo;  // at most 340 bytes stored
    int Shitsugo = 0, Shitsunin = 0;
    // Tukuribanashi, Gencho, Mousou, Haikai, Chuuya, Bougen, Teikou, Fuketsu,
    // Ishoku, Jihatsusei, Kanjyo, Fuann, Hitorigoto, Yokuutsu, Shushuu.
    std::array<bool, 15> Behaviours{};
    QString ShitsugoComment, ShitsuninnComment;  // at most 50 bytes each
    // Negaeri, Zai, Tachiagari, Noriutsuri, Hokou, Haisetsu, Shokuji, Nyuyoku,
    // Kigae, Ishi (AssistNames), and their remarks (at most 78 bytes each).
    std::array<int, 10> DailyLife{};
    std::array<QString, 10> DailyLifeComments;
    QString Sonota;  // at most 540 bytes
    std::array<QString, 6> Mondaiten, Mokuhyo, Program;  // at most 36 bytes each
    QString DrMemo;  // at most 540 bytes

    bool operator==(const PlanBody&) const = default;
};

// The 3700 stored bytes, zeros wherever no field is.
QByteArray encodePlanData(const PlanBody& body);
// Reads the first 3700 bytes; nothing when fewer are given.
std::optional<PlanBody> decodePlanData(QByteArrayView bytes);

// Offsets of the stored layout that more than the codec needs.
namespace plan_layout {
inline constexpr int ImpairmentComment = 48;   // + 51 * i
inline constexpr int EtcMemo = 507;            // area 351
inline constexpr int Shitsugo = 860;
inline constexpr int Behaviours = 868;         // 15 bytes
inline constexpr int ShitsugoComment = 883;    // capacity 60
inline constexpr int ShitsuninnComment = 944;  // capacity 60
inline constexpr int DailyLife = 1008;         // 10 integers
inline constexpr int DailyLifeComment = 1048;  // + 81 * i, capacity 80
inline constexpr int Sonota = 1858;            // area 551
inline constexpr int Mondaiten = 2409;         // + 41 * (k - 1), capacity 40
inline constexpr int Mokuhyo = 2655;
inline constexpr int Program = 2901;
inline constexpr int DrMemo = 3147;            // area 551
}  // namespace plan_layout

// One treatment plan: the head (the RihaPlan columns) and the body.
struct TPlan {
    int PlanNo = 0;  // 0 until the plan is stored or opened
    int CureNo = 0;
    TDateTime PlanRegistDay;
    TDateTime PlanEndDay;
    QString Name;
    int Sex = 0;
    TDateTime Birth;
    int RihaType = -1;
    int KubunCode = 0;
    int Jiritsu_KBN = -1;
    int Ninchi_KBN = -1;
    int YOUKAIGO_KBN = -1;
    std::array<QString, 6> Disease;  // each at most 50 bytes, cut on a character boundary
    QString Creator;                 // the login name, at most 30 characters
    TDateTime CreateDay;
    QString Updator;  // always empty
    TDateTime UpdateDay;
    PlanBody Body;

    bool operator==(const TPlan&) const = default;
};

// A new plan's head taken from the client as registered (each disease cut
// to its 50 bytes); the dates and the body are left for the caller.
TPlan newPlanOf(const TPerson& client);

// Byte limits of the plan's texts as entered (the stored capacity is larger).
namespace plan_limits {
inline constexpr int ImpairmentComment = 40;
inline constexpr int EtcMemo = 340;
inline constexpr int SpeechComment = 50;
inline constexpr int DailyLifeComment = 78;
inline constexpr int Sonota = 540;
inline constexpr int Line = 36;
inline constexpr int DrMemo = 540;
inline constexpr int CreatorChars = 30;
}  // namespace plan_limits

}  // namespace lum
