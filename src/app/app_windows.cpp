#include "app/app_windows.h"

namespace lum {

namespace {
AppWindows* currentWindows = nullptr;
}

AppWindows::~AppWindows() {
    destroyAll();
    if (currentWindows == this) currentWindows = nullptr;
}

void AppWindows::add(const QString& className, QObject* object) {
    items_.emplace_back(className, object);
}

QObject* AppWindows::find(const QString& className) const {
    for (const auto& [name, object] : items_) {
        if (name == className) return object;
    }
    return nullptr;
}

QObject* AppWindows::first() const { return items_.empty() ? nullptr : items_.front().second; }

QStringList AppWindows::created() const {
    QStringList names;
    for (const auto& item : items_) names << item.first;
    return names;
}

void AppWindows::destroyAll() {
    while (!items_.empty()) {
        QObject* object = items_.back().second;
        items_.pop_back();
        delete object;
    }
}

AppWindows* AppWindows::current() { return currentWindows; }
void AppWindows::setCurrent(AppWindows* windows) { currentWindows = windows; }

}  // namespace lum
