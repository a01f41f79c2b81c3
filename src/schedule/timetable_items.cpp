#include "schedule/timetable_items.h"

#include "schedule/time_span.h"

#include <stdexcept>

namespace {

template <typename List>
void checkIndex(const List& items, int i) {
    if (i < 0 || i >= static_cast<int>(items.size())) throw std::out_of_range("frame list index out of range");
}

template <typename List>
int indexOfName(const List& items, const QString& name) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].LName == name) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

int TTimeTable::Add(const TIMETABLE_ITEM& item) {
    items_.push_back(item);
    return Count() - 1;
}

int TTimeTable::IndexOf(const QString& name) const { return indexOfName(items_, name); }

void TTimeTable::UpdateItem(int i, const TIMETABLE_ITEM& item) {
    checkIndex(items_, i);
    TIMETABLE_ITEM& target = items_[static_cast<size_t>(i)];
    target.RegistDay = item.RegistDay;
    target.Stf = item.Stf;
    target.StartTime = item.StartTime;
    target.Fnn = item.Fnn;
    target.Cap = item.Cap;
}

bool TTimeTable::SetPNo(const QString& name, int column) {
    const int i = IndexOf(name);
    if (i < 0) return false;
    items_[static_cast<size_t>(i)].PNo = column;
    return true;
}

void TTimeTable::Delete(int i) {
    checkIndex(items_, i);
    items_.erase(items_.begin() + i);
}

int TRequestTable::Add(const TREQUEST_ITEM& item) {
    items_.push_back(item);
    return Count() - 1;
}

int TRequestTable::IndexOf(const QString& name) const { return indexOfName(items_, name); }

void TRequestTable::UpdateItem(int i, const TREQUEST_ITEM& item) {
    checkIndex(items_, i);
    TREQUEST_ITEM& target = items_[static_cast<size_t>(i)];
    target.Flag = item.Flag;
    target.ResNo = item.ResNo;
    target.RegistDay = item.RegistDay;
    target.Stf = item.Stf;
    target.StartTime = item.StartTime;
    target.Fnn = item.Fnn;
    target.Cap = item.Cap;
}

void TRequestTable::ReplaceItem(int i, const TREQUEST_ITEM& item) {
    checkIndex(items_, i);
    items_[static_cast<size_t>(i)] = item;
}

void TRequestTable::Delete(int i) {
    checkIndex(items_, i);
    items_.erase(items_.begin() + i);
}

bool TRequestTable::OverlapsOnDay(lum::TDateTime day, lum::TDateTime start, int minutes) const {
    const int dayOfMonth = day.date().day();
    for (const TREQUEST_ITEM& item : items_) {
        if (item.RegistDay.date().day() != dayOfMonth) continue;
        if (lum::spansOverlap(start, minutes, item.StartTime, item.Fnn)) return true;
    }
    return false;
}
