#include "report/values/tfr_values.h"

#include <algorithm>
#include <array>

namespace lum {
namespace {

struct SpecialName {
    const char* name;
    const char* display;
};
constexpr std::array<SpecialName, SpecialVariableCount> specialNames{{
    {"PAGE#", "Page#"},
    {"", "Expression"},
    {"DATE", "Date"},
    {"TIME", "Time"},
    {"LINE#", "Line#"},
    {"LINETHROUGH#", "Line through#"},
    {"COLUMN#", "Column#"},
    {"CURRENT#", "Current line#"},
    {"TOTALPAGES", "TotalPages"},
}};

int compareNames(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive); }

}  // namespace

QString specialVariableName(int otherKind) {
    if (otherKind < 0 || otherKind >= SpecialVariableCount) return {};
    return QString::fromLatin1(specialNames[static_cast<size_t>(otherKind)].name);
}

QString specialVariableDisplayName(int otherKind) {
    if (otherKind < 0 || otherKind >= SpecialVariableCount) return {};
    return QString::fromLatin1(specialNames[static_cast<size_t>(otherKind)].display);
}

TfrValues::TfrValues(const TfrValues& other) : sorted_(other.sorted_) {
    items_.reserve(other.items_.size());
    for (const Entry& e : other.items_) items_.push_back({e.name, std::make_unique<TfrValue>(*e.value)});
}

TfrValues& TfrValues::operator=(const TfrValues& other) {
    if (this != &other) {
        TfrValues copy(other);
        *this = std::move(copy);
    }
    return *this;
}

TfrValue& TfrValues::Add(const QString& name) {
    items_.push_back({name, std::make_unique<TfrValue>()});
    sorted_ = false;
    return *items_.back().value;
}

void TfrValues::Clear() {
    items_.clear();
    sorted_ = false;
}

void TfrValues::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
}

QStringList TfrValues::Names() const {
    QStringList names;
    names.reserve(Count());
    for (const Entry& e : items_) names.append(e.name);
    return names;
}

int TfrValues::IndexOf(const QString& name) const {
    if (sorted_) {
        const auto it = std::lower_bound(items_.begin(), items_.end(), name,
                                         [](const Entry& e, const QString& n) { return compareNames(e.name, n) < 0; });
        if (it != items_.end() && compareNames(it->name, name) == 0) return static_cast<int>(it - items_.begin());
        return -1;
    }
    for (size_t i = 0; i < items_.size(); ++i)
        if (compareNames(items_[i].name, name) == 0) return static_cast<int>(i);
    return -1;
}

TfrValue* TfrValues::FindVariable(const QString& name) {
    const int i = IndexOf(name);
    return i < 0 ? nullptr : items_[static_cast<size_t>(i)].value.get();
}

const TfrValue* TfrValues::FindVariable(const QString& name) const {
    const int i = IndexOf(name);
    return i < 0 ? nullptr : items_[static_cast<size_t>(i)].value.get();
}

void TfrValues::Sort() {
    std::stable_sort(items_.begin(), items_.end(),
                     [](const Entry& a, const Entry& b) { return compareNames(a.name, b.name) < 0; });
    sorted_ = true;
}

void TfrValues::ClearDataSets() {
    for (Entry& e : items_) e.value->DSet = nullptr;
}

bool operator==(const TfrValues& a, const TfrValues& b) {
    if (a.items_.size() != b.items_.size()) return false;
    for (size_t i = 0; i < a.items_.size(); ++i)
        if (a.items_[i].name != b.items_[i].name || !(*a.items_[i].value == *b.items_[i].value)) return false;
    return true;
}

}  // namespace lum
