#pragma once
// The stored form of the variable bindings (record 254 of a template):
// a count, then per binding its kind, special index, data-set name, field
// name or expression, and name.
#include "report/values/tfr_values.h"

namespace lum {

class ByteReader;
class ByteWriter;

void readValuesFromStream(ByteReader& in, TfrValues& values);
void writeValuesToStream(ByteWriter& out, const TfrValues& values);

}  // namespace lum
