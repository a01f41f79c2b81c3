#include "report/expr/function_library.h"

#include <algorithm>

namespace lum {
namespace {
bool lessCi(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; }
}  // namespace

void TfrFunctionLibrary::addFunction(const QString& name) {
    const auto it = std::lower_bound(list_.begin(), list_.end(), name, lessCi);
    if (it != list_.end() && QString::compare(*it, name, Qt::CaseInsensitive) == 0) return;
    list_.insert(it, name);
}

bool TfrFunctionLibrary::TryCall(const QString& name, const ExprValue& p1, const ExprValue& p2,
                                 const ExprValue& p3, QString& val) {
    const auto it = std::lower_bound(list_.begin(), list_.end(), name, lessCi);
    if (it == list_.end() || QString::compare(*it, name, Qt::CaseInsensitive) != 0) return false;
    CallFunction(static_cast<int>(it - list_.begin()), p1, p2, p3, val);
    return true;
}

bool TfrFunctionLibraries::TryCall(const QString& name, const ExprValue& p1, const ExprValue& p2,
                                   const ExprValue& p3, QString& val) {
    for (const auto& lib : libraries_)
        if (lib->TryCall(name, p1, p2, p3, val)) return true;
    return false;
}

}  // namespace lum
