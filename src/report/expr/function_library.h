#pragma once
// Function libraries: each knows a sorted list of names and evaluates a function
// by its number (its position in that list). The engine asks the registered
// libraries in registration order; the first that knows a name answers.
#include "report/expr/expr_value.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace lum {

class TfrFunctionLibrary {
public:
    TfrFunctionLibrary() = default;
    TfrFunctionLibrary(const TfrFunctionLibrary&) = delete;
    TfrFunctionLibrary& operator=(const TfrFunctionLibrary&) = delete;
    virtual ~TfrFunctionLibrary() = default;

    // Finds `name` (letter case ignored) and evaluates it; false (val untouched) when unknown.
    bool TryCall(const QString& name, const ExprValue& p1, const ExprValue& p2,
                 const ExprValue& p3, QString& val);
    // `fno` is the position of the name in List(). Arguments are expression texts;
    // val is the result as expression text.
    virtual void CallFunction(int fno, const ExprValue& p1, const ExprValue& p2,
                              const ExprValue& p3, QString& val) = 0;

    const QStringList& List() const { return list_; }

protected:
    // Adds a name in sorted place (a library adds all its names in its constructor).
    void addFunction(const QString& name);

private:
    QStringList list_;
};

// The engine's registered libraries, in registration order.
class TfrFunctionLibraries {
public:
    template <typename Library, typename... Args>
    Library& RegisterFunctionLibrary(Args&&... args) {
        auto lib = std::make_unique<Library>(std::forward<Args>(args)...);
        Library& ref = *lib;
        libraries_.push_back(std::move(lib));
        return ref;
    }
    void UnregisterAll() { libraries_.clear(); }
    int Count() const { return static_cast<int>(libraries_.size()); }
    TfrFunctionLibrary& Item(int i) { return *libraries_.at(static_cast<size_t>(i)); }

    // The first library that knows `name` evaluates it; false when none does.
    bool TryCall(const QString& name, const ExprValue& p1, const ExprValue& p2,
                 const ExprValue& p3, QString& val);

private:
    std::vector<std::unique_ptr<TfrFunctionLibrary>> libraries_;
};

}  // namespace lum
