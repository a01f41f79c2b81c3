#pragma once
// Who writes a copied or imported result, and when: the logged-in staff
// member goes into LoginCD and LoginName, the moment into UpdateDate.
#include "common/datetime.h"

#include <QString>

namespace lum {

// The widths of LoginCD and LoginName in CureResults.
inline constexpr int LoginColumnWidth = 20;

struct WriterStamp {
    QString LoginCD = QStringLiteral("");  // written, so never NULL
    QString LoginName = QStringLiteral("");
    TDateTime Now;
};

// The data module's logged-in staff member (each text cut to the column's
// width: the login table allows longer ones) and the clock's now.
WriterStamp RunWriterStamp();

}  // namespace lum
