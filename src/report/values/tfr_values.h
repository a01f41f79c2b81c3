#pragma once
// The template's variable bindings: a list of names, each with its TfrValue.
// Loaded unsorted (the order of the file); sorted by name, letter case ignored,
// while a report is built so that FindVariable can search it by halves.
#include "report/values/tfr_value.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace lum {

class TfrValues {
public:
    TfrValues() = default;
    TfrValues(const TfrValues& other);
    TfrValues& operator=(const TfrValues& other);
    TfrValues(TfrValues&&) noexcept = default;
    TfrValues& operator=(TfrValues&&) noexcept = default;
    ~TfrValues() = default;

    int Count() const { return static_cast<int>(items_.size()); }
    bool isEmpty() const { return items_.empty(); }

    // Appends a binding named `name` (kept where it is until Sort) and returns it.
    // The returned reference stays valid until the binding is removed or the list cleared.
    TfrValue& Add(const QString& name);
    void Clear();
    void Delete(int index);  // an index outside the list is ignored

    const QString& Name(int index) const { return items_.at(static_cast<size_t>(index)).name; }
    TfrValue& Item(int index) { return *items_.at(static_cast<size_t>(index)).value; }
    const TfrValue& Item(int index) const { return *items_.at(static_cast<size_t>(index)).value; }
    QStringList Names() const;

    // Index of the first binding named `name` (case ignored), or -1.
    int IndexOf(const QString& name) const;
    // The binding named `name` (case ignored), or nullptr. Searches by halves while sorted.
    TfrValue* FindVariable(const QString& name);
    const TfrValue* FindVariable(const QString& name) const;

    // Orders the bindings by name, letter case ignored; equal names keep their order.
    void Sort();
    bool Sorted() const { return sorted_; }
    // Drops the sorted state (a loaded list keeps the file's order until Sort).
    void Unsort() { sorted_ = false; }

    // Clears every binding's DSet (a build is over; the data sets may go away).
    void ClearDataSets();

    friend bool operator==(const TfrValues& a, const TfrValues& b);

private:
    struct Entry {
        QString name;
        std::unique_ptr<TfrValue> value;
    };
    std::vector<Entry> items_;
    bool sorted_ = false;
};

}  // namespace lum
