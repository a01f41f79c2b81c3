// Damaged and unsupported template files: each gives the message, a failed
// load and a template with one empty page; never a crash or a hang.
#include "frf_fixture_bytes.h"

#include "report/frf/template_stream.h"
#include "report/objects/memo_view.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lum;
using frftest::Bytes;

namespace {

Bytes header() {
    Bytes b;
    b.u8(23).u16(0).u16(0).str("");
    return b;
}

Bytes withPage() {
    Bytes b = header();
    b.u8(255).i32(9).i32(2100).i32(2970).i32(0).i32(0).i32(0).i32(0).u8(0).u16(0).u16(0xFFFF).i32(1).i32(0);
    return b;
}

// The common data of an object up to (not including) its type-specific data.
void common(Bytes& b, const QByteArray& name = "X") {
    b.str(name).i32(0).i32(0).i32(10).i32(10).u16(0).u16(0).i32(1).i32(0).u16(0).i32(0x1FFFFFFF);
    b.i32(0).str("").lines({}).lines({}).u16(0xFFFF);
}

QByteArray pictureWithEnd(int kind, qint64 endOffset, bool relativeToStart, const QByteArray& graphic) {
    Bytes b = withPage();
    b.u8(1).u8(0);
    common(b, "P");
    b.u8(kind);
    const qsizetype start = b.size() + 4;
    b.i32(relativeToStart ? start + endOffset : endOffset).raw(graphic);
    return b.data;
}

struct DamagedCase {
    const char* what;
    QByteArray bytes;
    const char* detailContains;
};

std::vector<DamagedCase> damagedCases() {
    std::vector<DamagedCase> cases;
    cases.push_back({"empty file", QByteArray(), "ends"});
    cases.push_back({"header cut short", header().data.left(4), "ends"});
    {
        Bytes b = withPage();
        b.u8(7);
        cases.push_back({"object type 7", b.data, "Unknown record 7"});
    }
    {
        Bytes b = withPage();
        b.u8(100);
        cases.push_back({"record byte 100", b.data, "Unknown record 100"});
    }
    {
        Bytes b = withPage();
        b.u8(10).str("TfrFooView").u8(0);
        common(b);
        cases.push_back({"unregistered add-in", b.data, "Class not found: TfrFooView"});
    }
    {
        Bytes b = withPage();
        b.u8(10).str("TFRSHAPEVIEW").u8(0);
        common(b);
        b.u8(0);
        cases.push_back({"add-in name in capitals", b.data, "Class not found: TFRSHAPEVIEW"});
    }
    {
        Bytes b = withPage();
        b.u8(4).u8(1);
        common(b);
        cases.push_back({"page index beyond the pages", b.data, "names page 2"});
    }
    {
        Bytes b = header();
        b.u8(4).u8(0);
        common(b);
        cases.push_back({"object before any page", b.data, "names page 1"});
    }
    {
        Bytes b = withPage();
        b.u8(4).u8(0).u16(500).raw("abc");
        cases.push_back({"string longer than the stream", b.data, "ends"});
    }
    {
        Bytes b = withPage();
        b.u8(4).u8(0).str("L").i32(0).i32(0);
        cases.push_back({"object cut inside its block", b.data, "ends"});
    }
    {
        Bytes b = withPage();
        b.u8(4).u8(0).str("L").i32(0).i32(0).i32(1).i32(1).u16(0).u16(0).i32(1).i32(0).u16(0).i32(0);
        b.i32(0).str("").u16(3).u16(1).raw("a").u8(13).u16(1).raw("b").u8(13);
        cases.push_back({"text lines that never end", b.data, "ends"});
    }
    cases.push_back({"picture end before its data", pictureWithEnd(1, -1, true, frftest::tinyBitmap()), "end position"});
    cases.push_back({"picture end at the object's start", pictureWithEnd(1, 10, false, frftest::tinyBitmap()),
                     "end position"});
    cases.push_back({"picture end past the stream", pictureWithEnd(1, 1000, true, frftest::tinyBitmap()),
                     "end position"});
    cases.push_back({"picture end negative", pictureWithEnd(1, -5, false, frftest::tinyBitmap()), "end position"});
    cases.push_back({"picture with no graphic bytes", pictureWithEnd(1, 0, true, QByteArray()), "no readable graphic"});
    cases.push_back({"picture that is not a bitmap", pictureWithEnd(1, 30, true, QByteArray(30, 'x')),
                     "no readable graphic"});
    cases.push_back({"picture of unknown kind", pictureWithEnd(9, 0, true, QByteArray()), "unknown graphic kind 9"});
    {
        Bytes b = withPage();
        b.u8(254).i32(0x7FFFFFFF);
        cases.push_back({"binding count far beyond the stream", b.data, "count"});
    }
    {
        Bytes b = withPage();
        b.u8(254).i32(-1);
        cases.push_back({"negative binding count", b.data, "count"});
    }
    {
        Bytes b = withPage();
        b.u8(254).i32(1).u8(1).i32(0).u8(200).raw("abc");
        cases.push_back({"short string past the end", b.data, "ends"});
    }
    {
        Bytes b;
        b.u8(22).u16(0).u16(0).raw("no terminating zero");
        cases.push_back({"old string without its end", b.data, "ends"});
    }
    return cases;
}

void expectDamaged(const TemplateLoadResult& r, const ReportTemplate& t) {
    EXPECT_EQ(r.status, TemplateLoadResult::Status::Damaged);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.message, "Unsupported FRF format");
    ASSERT_EQ(t.Pages.Count(), 1);
    EXPECT_TRUE(t.Pages[0].Objects.empty());
    EXPECT_EQ(t.Pages[0].PaperSize, kPaperA4);
    EXPECT_EQ(t.Pages[0].Orientation, 0);
    EXPECT_EQ(t.Values.Count(), 0);
}

// A template that was loaded before the damaged one.
ReportTemplate loadedTemplate() {
    ReportTemplate t;
    t.Pages.Add();
    t.Pages[1].add(std::make_unique<TfrMemoView>());
    t.Values.Add("Stale");
    return t;
}

}  // namespace

TEST(FrfDamaged, EachDamagedFileFailsWithTheMessage) {
    for (const DamagedCase& c : damagedCases()) {
        SCOPED_TRACE(c.what);
        ReportTemplate t = loadedTemplate();
        const TemplateLoadResult r = LoadTemplateFromStream(c.bytes, t);
        expectDamaged(r, t);
        EXPECT_TRUE(r.detail.contains(QLatin1String(c.detailContains))) << r.detail.toStdString();
    }
}

TEST(FrfDamaged, EveryCutOfAGoodFileLoadsOrFailsCleanly) {
    Bytes b = withPage();
    b.u8(0).u8(0);
    common(b, "M");
    b.str("Arial").i32(9).u16(0).i32(0).i32(0).u16(1).u16(0).i32(0).i32(0).str("");
    b.u8(254).i32(1).u8(0).i32(0).shortStr("").shortStr("").shortStr("V").lines({"x"});
    for (qsizetype n = 0; n < b.size(); ++n) {
        ReportTemplate t = loadedTemplate();
        const TemplateLoadResult r = LoadTemplateFromStream(b.data.left(n), t);
        // Cuts at a record boundary are whole (shorter) templates.
        if (r.ok())
            continue;
        SCOPED_TRACE(n);
        expectDamaged(r, t);
    }
}

TEST(FrfDamaged, NewerVersionIsRefusedAndTheTemplateStays) {
    for (int version : {24, 25, 255}) {
        ReportTemplate t = loadedTemplate();
        QByteArray bytes = withPage().data;
        bytes[0] = char(version);
        const TemplateLoadResult r = LoadTemplateFromStream(bytes, t);
        EXPECT_EQ(r.status, TemplateLoadResult::Status::UnsupportedVersion);
        EXPECT_EQ(r.message, "Unsupported FRF format");
        EXPECT_EQ(t.Pages.Count(), 2);
        EXPECT_EQ(t.Values.Count(), 1);
    }
}

TEST(FrfDamaged, MissingFileFailsAndKeepsTheTemplate) {
    QTemporaryDir dir;
    ReportTemplate t = loadedTemplate();
    const TemplateLoadResult r = LoadTemplateFromFile(dir.filePath("absent.frf"), t);
    EXPECT_EQ(r.status, TemplateLoadResult::Status::CannotOpen);
    EXPECT_TRUE(r.message.contains("absent.frf"));
    EXPECT_EQ(t.Pages.Count(), 2);
}

TEST(FrfDamaged, DataManagerBlockEndsReadingWhateverFollows) {
    Bytes b = withPage();
    b.u8(253).raw("\x07\x07 anything");
    ReportTemplate t;
    ASSERT_TRUE(LoadTemplateFromStream(b.data, t).ok());
    EXPECT_EQ(t.Pages.Count(), 1);
}
