#pragma once
// Making report objects by their stream type: the built-in types and the
// add-in classes registered in the engine's add-in table.
#include "report/objects/view.h"

#include <QList>
#include <functional>

namespace lum {

struct TfrAddInEntry {
    QString className;  // matched exactly, letter case included
    std::function<std::unique_ptr<TfrView>()> create;
    QString hint;  // the tool hint an editor would show
};

// The add-in table; the check box and the shape are registered from the start.
const QList<TfrAddInEntry>& addInTable();
void RegisterAddIn(const TfrAddInEntry& entry);

// An object of the type: 0 memo, 1 picture, 2 band, 3 sub-report, 4 line,
// 10 the add-in class of that name. Any other type yields nothing; an add-in
// name not in the table raises FrfError naming the class.
std::unique_ptr<TfrView> CreateViewByType(quint8 typ, const QString& className = {});

}  // namespace lum
