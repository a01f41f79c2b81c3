#include "report/values/tfr_variables.h"

namespace lum {

int TfrVariables::IndexOf(const QString& name) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (QString::compare(items_[i].name, name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

void TfrVariables::SetVariable(const QString& name, const ExprValue& value) {
    const int i = IndexOf(name);
    if (i >= 0) items_[size_t(i)].value = value;
    else items_.push_back({name, value});
}

ExprValue TfrVariables::GetVariable(const QString& name) const {
    const int i = IndexOf(name);
    return i >= 0 ? items_[size_t(i)].value : ExprValue();
}

void TfrVariables::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
}

}  // namespace lum
