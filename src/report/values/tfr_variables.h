#pragma once
// Named values that template scripts set and memo text reads back ([name]).
// An ordered list; names are compared without regard to letter case and occur
// at most once.
#include "report/expr/expr_value.h"

#include <QString>
#include <vector>

namespace lum {

class TfrVariables {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // Replaces the value of an existing name or appends the name.
    void SetVariable(const QString& name, const ExprValue& value);
    // The value, or an empty value when the name is absent.
    ExprValue GetVariable(const QString& name) const;
    // 0-based index or -1.
    int IndexOf(const QString& name) const;
    // An index outside the list does nothing.
    void Delete(int index);
    void Clear() { items_.clear(); }

    const QString& Name(int index) const { return items_.at(size_t(index)).name; }
    const ExprValue& Value(int index) const { return items_.at(size_t(index)).value; }

private:
    struct Item {
        QString name;
        ExprValue value;
    };
    std::vector<Item> items_;
};

}  // namespace lum
