#pragma once
// Combo boxes filled from stock phrases: filling them, and the double-click
// with which the user opens the phrase list behind them or behind a memo
// (neither Qt's combo box nor its memo has a double-click signal of its own).
#include <QStringList>

#include <functional>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace lum {

// Replaces the box's items with the phrases; no selection and an empty text.
void fillComboBox(QComboBox* box, const QStringList& items);

// Runs the action when the box (or its edit field) is double-clicked. The
// binding belongs to the box.
void onDoubleClick(QComboBox* box, std::function<void()> action);
// Likewise for a memo (the stock phrases of a notice) and a line edit.
void onDoubleClick(QPlainTextEdit* memo, std::function<void()> action);
void onDoubleClick(QLineEdit* edit, std::function<void()> action);

}  // namespace lum
