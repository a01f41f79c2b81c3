#pragma once
// One row per document record kind for the codec tests over every kind
// (record_kinds_test.cpp): the kind's hand-written fixture, what it decodes to,
// and its layout as fields each set alone on an all-zero record. A kind's own
// test file makes its row with recordKind() from its typed pieces and keeps
// the tests only it has.
#include "common/datetime.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace lum::test {

// One field of a layout, as the offset walk sees it.
struct RecordFieldSpan {
    std::string name;
    int offset;
    int width;
    int lastChanged;     // the last byte, from the offset, the filled value reaches
    QByteArray encoded;  // the base record with only this field set, encoded
};

struct RecordKind {
    std::string name;
    int size = 0;
    QByteArray fixture;
    // Expects what the bytes decode to to be the fixture's record.
    std::function<void(QByteArrayView)> expectFixtureRecord;
    // The bytes decoded and encoded again; nothing when decoding refuses them.
    std::function<std::optional<QByteArray>(QByteArrayView)> reencode;
    QByteArray tail;  // bytes after the record, which decoding passes over

    // The layout (empty for a kind whose layout its own tests walk).
    std::vector<RecordFieldSpan> fields;
    size_t fieldCount = 0;                      // how many fields the layout lists (0: not counted)
    std::vector<std::pair<int, int>> reserved;  // (offset, width) of the bytes no field holds
    bool contiguous = true;                     // fields and reserved bytes cover the record
    QByteArray baseBytes;                       // the base record encoded
    bool reencodeEachField = false;             // each field's bytes also read back unchanged
};

inline void PrintTo(const RecordKind& k, std::ostream* out) { *out << k.name; }

// A field of a typed record: how the walk fills it.
template <typename Record>
struct RecordField {
    std::string name;
    int offset;
    int width;
    std::function<void(Record&)> set;
    int lastChanged;
};

// The client's header fields every record holds: the sex, the birth date,
// then the age and the care level after it.
template <typename Record>
void addClientFields(std::vector<RecordField<Record>>& fields, int sexOffset, int birthOffset) {
    fields.push_back({"Sex", sexOffset, 4, [](Record& r) { r.Sex = 0x7f7f7f7f; }, 3});
    fields.push_back({"Birth", birthOffset, 8, [](Record& r) { r.Birth = TDateTime(-12345.678); }, 7});
    fields.push_back({"Old", birthOffset + 8, 4, [](Record& r) { r.Old = 0x7f7f7f7f; }, 3});
    fields.push_back({"Kaigodo", birthOffset + 12, 4, [](Record& r) { r.Kaigodo = 0x7f7f7f7f; }, 3});
}

// Every text of a field table, filled past its capacity: a short string
// reaches its last byte, a zero-terminated area the byte before its zero.
template <typename Record, typename Table>
void addTextFields(std::vector<RecordField<Record>>& fields, const Table& table) {
    for (const auto& f : table) {
        const auto member = f.member;
        const QString text(f.width, QChar(u'x'));
        fields.push_back({f.variable, f.offset, f.width, [member, text](Record& r) { r.*member = text; },
                          f.zeroTerminated ? f.width - 2 : f.width - 1});
    }
}
// Every one-byte flag of a table, set.
template <typename Record, typename Table>
void addFlagFields(std::vector<RecordField<Record>>& fields, const Table& table) {
    for (const auto& f : table) {
        const auto member = f.member;
        fields.push_back({f.variable, f.offset, 1, [member](Record& r) { r.*member = true; }, 0});
    }
}
// Every 32-bit number of a table (the staff codes), with no zero byte.
template <typename Record, typename Table>
void addNumberFields(std::vector<RecordField<Record>>& fields, const Table& table) {
    for (const auto& f : table) {
        const auto member = f.member;
        fields.push_back({f.variable, f.offset, 4, [member](Record& r) { r.*member = 0x7f7f7f7f; }, 3});
    }
}

template <typename Record>
struct RecordCodec {
    std::optional<Record> (*decode)(QByteArrayView);
    QByteArray (*encode)(const Record&);
};

// The row of a kind without a layout walk.
template <typename Record>
RecordKind recordKind(std::string name, int size, RecordCodec<Record> codec, QByteArray fixture,
                      std::function<void(const std::optional<Record>&)> expectFixtureRecord, QByteArray tail) {
    RecordKind k;
    k.name = std::move(name);
    k.size = size;
    k.fixture = std::move(fixture);
    k.expectFixtureRecord = [codec, expectFixtureRecord](QByteArrayView b) { expectFixtureRecord(codec.decode(b)); };
    k.reencode = [codec](QByteArrayView b) -> std::optional<QByteArray> {
        const std::optional<Record> r = codec.decode(b);
        if (!r) return std::nullopt;
        return codec.encode(*r);
    };
    k.tail = std::move(tail);
    return k;
}

// The layout of a kind: each field set alone on `base` and encoded.
template <typename Record>
void addLayout(RecordKind& k, RecordCodec<Record> codec, const Record& base,
               const std::vector<RecordField<Record>>& fields, std::vector<std::pair<int, int>> reserved) {
    k.baseBytes = codec.encode(base);
    k.reserved = std::move(reserved);
    for (const RecordField<Record>& f : fields) {
        Record r = base;
        f.set(r);
        k.fields.push_back({f.name, f.offset, f.width, f.lastChanged, codec.encode(r)});
    }
}

// The rows, one per kind, made in each kind's test file.
RecordKind planRecordKind();
RecordKind practicePlanRecordKind();
RecordKind conferenceRecordKind();
RecordKind beforeConferenceRecordKind();
RecordKind urinPlanRecordKind();
RecordKind urinPractRecordKind();

}  // namespace lum::test
