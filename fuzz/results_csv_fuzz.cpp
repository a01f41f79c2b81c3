// Feeds arbitrary bytes to the results CSV reader as a whole file. Every input
// gives rows or one refused line, never a crash or a hang; and every row
// accepted, written again as the export writes it, reads back as the same row.
#include "common/cp932.h"
#include "common/csv_file.h"
#include "results/results_csv.h"

#include <QByteArrayView>

#include <cstdint>
#include <cstdlib>
#include <variant>

namespace {

const std::vector<lum::StaffMember>& staff() {
    // The demo staff (the seed corpus holds a demo export), a name twice and one with a quote.
    static const std::vector<lum::StaffMember> list{
        {101, QStringLiteral("佐藤　健一"), QStringLiteral("佐")}, {102, QStringLiteral("高橋　由美"), QStringLiteral("高")},
        {103, QStringLiteral("中島　翔太"), QStringLiteral("中")}, {104, QStringLiteral("小川　真理子"), QStringLiteral("小")},
        {105, QStringLiteral("松井　大輔"), QStringLiteral("松")}, {106, QStringLiteral("石田　彩"), QStringLiteral("石")},
        {107, QStringLiteral("森本　和也"), QStringLiteral("森")}, {108, QStringLiteral("林　恵美"), QStringLiteral("林")},
        {109, QStringLiteral("佐藤　健一"), QStringLiteral("健")}, {110, QStringLiteral("a\"b"), QStringLiteral("x")}};
    return list;
}

const lum::WriterStamp stamp{QStringLiteral("101"), QStringLiteral("佐藤　理学"),
                             lum::TDateTime::fromYmdHms(2024, 6, 3, 8, 15, 42)};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const lum::ResultsCsvContent content = lum::ReadResultsCsv(bytes, staff(), stamp);
    if (content.refusal && (content.refusal->line < 1 || content.refusal->message.isEmpty())) std::abort();
    if (content.rows.size() != content.lines.size()) std::abort();
    for (const lum::CureResult& row : content.rows) {
        const std::optional<QByteArray> line =
            lum::cp932::encode(lum::csvLineText(lum::ResultsCsvValues(row), lum::CsvQuoting::EveryValue));
        if (!line) std::abort();  // what was read can always be written
        const auto back = lum::ReadResultsCsvLine(*line, staff(), stamp);
        const auto* again = std::get_if<lum::CureResult>(&back);
        if (!again || !(*again == row)) std::abort();
    }
    return 0;
}
