#pragma once
// One variable binding of a report template: where the value of a name comes
// from when the window's value event does not answer it.
#include <QString>
#include <cstdint>

namespace lum {

class ReportDataSet;  // a data source the engine walks; defined with the data sources

// Kinds of binding (the Typ byte stored in templates).
enum TfrValueType : std::uint8_t {
    vtNone = 0,        // yields the empty text
    vtDataField = 1,   // DataSetName + FieldName
    vtSpecial = 2,     // OtherKind: one of the special variables
    vtExpression = 3,  // FieldName is an expression
};

// Special variables by OtherKind (index 1 is "the binding's expression").
enum TfrSpecialVariable : int {
    svPage = 0,
    svExpression = 1,
    svDate = 2,
    svTime = 3,
    svLine = 4,
    svLineThrough = 5,
    svColumn = 6,
    svCurrentLine = 7,
    svTotalPages = 8,
};
inline constexpr int SpecialVariableCount = 9;

// The name the lookup knows a special variable by ("PAGE#"); empty for svExpression
// and for indexes outside 0..8.
QString specialVariableName(int otherKind);
// The name an editor shows for it ("Page#").
QString specialVariableDisplayName(int otherKind);

class TfrValue {
public:
    std::uint8_t Typ = vtNone;
    int OtherKind = 0;
    QString DataSetName;  // at most 255 bytes once stored
    QString FieldName;    // field name, or the expression text
    // The data set found for DataSetName when a build starts; not owned, cleared when
    // the build ends.
    ReportDataSet* DSet = nullptr;

    friend bool operator==(const TfrValue& a, const TfrValue& b) {
        return a.Typ == b.Typ && a.OtherKind == b.OtherKind && a.DataSetName == b.DataSetName &&
               a.FieldName == b.FieldName && a.DSet == b.DSet;
    }
};

}  // namespace lum
