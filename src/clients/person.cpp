#include "clients/person.h"

#include "common/cp932.h"

namespace lum {

QString diseaseText(QStringView text) { return cp932::leftBytes(text, DiseaseBytes); }

}  // namespace lum
