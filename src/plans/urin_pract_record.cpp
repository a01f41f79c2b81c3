#include "plans/urin_pract_record.h"

#include "common/cp932.h"

#include <QStringList>

namespace lum {
namespace {

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

constexpr record::IntField<P> kInts[] = {
    {&P::Sakusei, 0, "Sakusei"}, {&P::Sex, 88, "Sex"}, {&P::Old, 104, "Old"}, {&P::Kaigodo, 108, "Kaigodo"}};
constexpr record::DateField<P> kDates[] = {{&P::Birth, 96, "Birth"}};

void writeProgramme(record::Writer& w, const P& p) {
    for (int i = 0; i < 11; ++i) w.flag(UrinPractProgrammeOffset + i, p.Programme[i]);
}

void readProgramme(const record::Reader& r, P& p) {
    for (int i = 0; i < 11; ++i) p.Programme[i] = r.flag(UrinPractProgrammeOffset + i);
}

const record::Layout<P> kLayout{UrinPractSize, kTexts, {}, kInts, kDates, writeProgramme, readProgramme};

// The diagnoses' area: 511 bytes of text and its zero.
constexpr int kDiagnoseArea = 512;

}  // namespace

const std::array<const char*, 11> UrinPractProgrammeVariables{
    "Keitaisou", "Baiostep", "Seraband", "Legpress", "HotPack", "MicroWave",
    "LowWave",   "Medomar",  "ADLex",    "NinchiApo", "Sonota"};

std::span<const UrinPractTextField> urinPractTextFields() { return kTexts; }

TUrinPract newUrinPract(const TPerson& client, TDateTime day) {
    TUrinPract p;
    record::takeClientHeader(p, &P::UserName, client, day);
    QStringList diagnoses;
    for (const QString& d : client.Disease)
        if (!d.isEmpty()) diagnoses << diseaseText(d);
    p.Diagnose = fitDiagnoses(diagnoses.join(u'\n'));
    return p;
}

QByteArray encodeUrinPract(const TUrinPract& pract) { return record::encode(kLayout, pract); }

std::optional<TUrinPract> decodeUrinPract(QByteArrayView bytes) { return record::decode(kLayout, bytes); }

QString fitDiagnoses(const QString& text) {
    const QByteArray stored = record::encodeText(text, kDiagnoseArea - 1);
    return record::fromStoredLineBreaks(cp932::decode(stored));
}

}  // namespace lum
