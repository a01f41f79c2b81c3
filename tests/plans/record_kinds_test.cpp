// The codecs of the document records, one row per kind: the hand-written
// fixture decodes to its record and encodes back byte for byte; a blob shorter
// than the record is refused and a longer one read to the record's end; every
// field of a layout sits at its offset and changes only its own bytes, and the
// fields with the reserved bytes cover the record.
#include "plans/record_kind.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using lum::test::RecordFieldSpan;
using lum::test::RecordKind;

std::string kindName(const testing::TestParamInfo<RecordKind>& info) { return info.param.name; }

class RecordCodecTest : public testing::TestWithParam<RecordKind> {};

TEST_P(RecordCodecTest, HandWrittenFixtureDecodesAndEncodesBackByteForByte) {
    const RecordKind& k = GetParam();
    ASSERT_EQ(k.fixture.size(), k.size);
    k.expectFixtureRecord(k.fixture);
    EXPECT_EQ(k.reencode(k.fixture), k.fixture);
    // A zero record reads as zeros and empty texts and writes back the same.
    const QByteArray zeros(k.size, '\0');
    EXPECT_EQ(k.reencode(zeros), zeros);
}

TEST_P(RecordCodecTest, BlobsShorterThanTheRecordAreRefusedLongerOnesReadToItsEnd) {
    const RecordKind& k = GetParam();
    EXPECT_FALSE(k.reencode(k.fixture.left(k.size - 1)));
    EXPECT_FALSE(k.reencode(QByteArray()));
    const QByteArray longer = k.fixture + k.tail;
    k.expectFixtureRecord(longer);
    EXPECT_EQ(k.reencode(longer), k.fixture);
}

INSTANTIATE_TEST_SUITE_P(Kinds, RecordCodecTest,
                         testing::Values(lum::test::planRecordKind(), lum::test::practicePlanRecordKind(),
                                         lum::test::conferenceRecordKind(), lum::test::beforeConferenceRecordKind(),
                                         lum::test::urinPlanRecordKind(), lum::test::urinPractRecordKind()),
                         kindName);

class RecordLayoutTest : public testing::TestWithParam<RecordKind> {};

TEST_P(RecordLayoutTest, EveryFieldIsAtItsOffset) {
    const RecordKind& k = GetParam();
    ASSERT_FALSE(k.fields.empty());
    if (k.fieldCount) {
        EXPECT_EQ(k.fields.size(), k.fieldCount);
    }
    if (k.contiguous) {
        std::vector<std::pair<int, int>> spans = k.reserved;
        for (const RecordFieldSpan& f : k.fields) spans.emplace_back(f.offset, f.width);
        std::sort(spans.begin(), spans.end());
        int next = 0;
        for (const auto& [offset, width] : spans) {
            EXPECT_EQ(offset, next);
            next = offset + width;
        }
        EXPECT_EQ(next, k.size);
    }
    ASSERT_EQ(k.baseBytes, QByteArray(k.size, '\0'));
    for (const RecordFieldSpan& f : k.fields) {
        ASSERT_EQ(f.encoded.size(), k.size) << f.name;
        int first = -1, last = -1;
        for (int i = 0; i < k.size; ++i) {
            if (f.encoded[i] == k.baseBytes[i]) continue;
            if (first < 0) first = i;
            last = i;
        }
        EXPECT_EQ(first, f.offset) << f.name;
        EXPECT_EQ(last, f.offset + f.lastChanged) << f.name;
        if (k.reencodeEachField) {
            EXPECT_EQ(k.reencode(f.encoded), f.encoded) << f.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, RecordLayoutTest,
                         testing::Values(lum::test::practicePlanRecordKind(), lum::test::conferenceRecordKind(),
                                         lum::test::beforeConferenceRecordKind(), lum::test::urinPlanRecordKind(),
                                         lum::test::urinPractRecordKind()),
                         kindName);

}  // namespace
