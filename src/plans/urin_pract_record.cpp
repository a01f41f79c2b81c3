#include "plans/urin_pract_record.h"

#include "common/calendar_helpers.h"
#include "common/cp932.h"
#include "plans/record_fields.h"

#include <QStringList>

namespace lum {
namespace {

namespace L = urin_pract_layout;

using P = TUrinPract;

// Every text of the record in stored order (padding at 86, 92 and 4548).
constexpr UrinPractTextField kTexts[] = {
    {&P::Shokushu, 4, 31, false, "Shokushu"},
    {&P::UserName, 35, 51, false, "UserName"},
    {&P::Diagnose, 112, 512, true, "Diagnose"},
    {&P::PastDiagnose, 624, 512, true, "PastDiagnose"},
    {&P::AkuryokuR, 1136, 11, false, "AkuryokuR"},
    {&P::AkuryokuL, 1147, 11, false, "AkuryokuL"},
    {&P::StandR, 1158, 11, false, "StandR"},
    {&P::StandL, 1169, 11, false, "StandL"},
    {&P::TUG1, 1180, 11, false, "TUG1"},
    {&P::TUG2, 1191, 11, false, "TUG2"},
    {&P::Stand30Str, 1202, 31, false, "Stand30Str"},
    {&P::Stand30, 1233, 11, false, "Stand30"},
    {&P::MaxWalk1, 1244, 11, false, "MaxWalk1"},
    {&P::MaxWalk2, 1255, 11, false, "MaxWalk2"},
    {&P::HelpGoods, 1266, 41, false, "HelpGoods"},
    {&P::HDS_R, 1307, 11, false, "HDS_R"},
    {&P::Itami, 1318, 512, true, "Itami"},
    {&P::SelfHope, 1830, 512, true, "SelfHope"},
    {&P::ExeWarning, 2342, 512, true, "ExeWarning"},
    {&P::ShortTarget, 2854, 512, true, "ShortTarget"},
    {&P::TotalTarget, 3366, 512, true, "TotalTarget"},
    {&P::Hyuka, 3878, 512, true, "Hyuka"},
    {&P::SonotaText, 4401, 41, false, "SonotaText"},
    {&P::Kaisu, 4442, 11, false, "Kaisu"},
    {&P::kobetsu, 4453, 11, false, "kobetsu"},
    {&P::Shuudan, 4464, 11, false, "Shuudan"},
    {&P::Jikan, 4475, 11, false, "Jikan"},
    {&P::Fuka, 4486, 31, false, "Fuka"},
    {&P::Fukahow, 4517, 31, false, "Fukahow"},
};

}  // namespace

const std::array<const char*, 11> UrinPractProgrammeVariables{
    "Keitaisou", "Baiostep", "Seraband", "Legpress", "HotPack", "MicroWave",
    "LowWave",   "Medomar",  "ADLex",    "NinchiApo", "Sonota"};

std::span<const UrinPractTextField> urinPractTextFields() { return kTexts; }

TUrinPract newUrinPract(const TPerson& client, TDateTime day) {
    TUrinPract p;
    p.UserName = cp932::leftBytes(client.Name, 50);
    p.Sex = client.Sex;
    p.Birth = client.Birth;
    p.Old = AgeInYears(client.Birth, day);
    p.Kaigodo = client.YOUKAIGO_KBN;
    QStringList diagnoses;
    for (const QString& d : client.Disease)
        if (!d.isEmpty()) diagnoses << diseaseText(d);
    p.Diagnose = fitDiagnoses(diagnoses.join(u'\n'));
    return p;
}

QByteArray encodeUrinPract(const TUrinPract& p) {
    record::Writer w(UrinPractSize);
    w.int32(L::Sakusei, p.Sakusei);
    w.int32(L::Sex, p.Sex);
    w.dateTime(L::Birth, p.Birth);
    w.int32(L::Old, p.Old);
    w.int32(L::Kaigodo, p.Kaigodo);
    for (const UrinPractTextField& f : kTexts) {
        if (f.zeroTerminated)
            w.zeroText(f.offset, f.width, p.*f.member);
        else
            w.shortString(f.offset, f.width - 1, p.*f.member);
    }
    for (int i = 0; i < 11; ++i) w.flag(UrinPractProgrammeOffset + i, p.Programme[i]);
    return w.bytes();
}

std::optional<TUrinPract> decodeUrinPract(QByteArrayView bytes) {
    if (bytes.size() < UrinPractSize) return std::nullopt;
    const record::Reader r(bytes.first(UrinPractSize));
    TUrinPract p;
    p.Sakusei = r.int32(L::Sakusei);
    p.Sex = r.int32(L::Sex);
    p.Birth = r.dateTime(L::Birth);
    p.Old = r.int32(L::Old);
    p.Kaigodo = r.int32(L::Kaigodo);
    for (const UrinPractTextField& f : kTexts) {
        p.*f.member = f.zeroTerminated ? r.zeroText(f.offset, f.width) : r.shortString(f.offset, f.width - 1);
    }
    for (int i = 0; i < 11; ++i) p.Programme[i] = r.flag(UrinPractProgrammeOffset + i);
    return p;
}

QString fitDiagnoses(const QString& text) {
    const QByteArray stored = record::encodeText(text, L::TextArea - 1);
    return record::fromStoredLineBreaks(cp932::decode(stored));
}

}  // namespace lum
