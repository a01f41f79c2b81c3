#include "report/frf/values_stream.h"

#include "report/frf/byte_reader.h"
#include "report/frf/byte_writer.h"
#include "report/frf/frf_error.h"

namespace lum {

namespace {
// kind, special index and three empty short strings
constexpr qsizetype kSmallestBinding = 1 + 4 + 1 + 1 + 1;
}  // namespace

void readValuesFromStream(ByteReader& in, TfrValues& values) {
    const qint32 count = in.i32();
    if (count < 0 || count > in.remaining() / kSmallestBinding)
        throw FrfError(QStringLiteral("The variable bindings give the count %1, more than the stream holds.")
                           .arg(count));
    values.Clear();
    for (qint32 i = 0; i < count; ++i) {
        const quint8 typ = in.u8();
        const qint32 otherKind = in.i32();
        const QString dataSet = in.shortString();
        const QString field = in.shortString();
        TfrValue& v = values.Add(in.shortString());
        v.Typ = typ;
        v.OtherKind = otherKind;
        v.DataSetName = dataSet;
        v.FieldName = field;
    }
}

void writeValuesToStream(ByteWriter& out, const TfrValues& values) {
    out.i32(values.Count());
    for (int i = 0; i < values.Count(); ++i) {
        const TfrValue& v = values.Item(i);
        out.u8(v.Typ);
        out.i32(v.OtherKind);
        out.shortString(v.DataSetName);
        out.shortString(v.FieldName);
        out.shortString(values.Name(i));
    }
}

}  // namespace lum
