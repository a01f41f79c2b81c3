#pragma once
// The windows and data modules created at start-up. They live until the end of
// the run and are destroyed in the reverse order of their creation, so the main
// window, created first, goes last and writes the settings after every other
// window is gone.
#include <QObject>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace lum {

class AppWindows {
public:
    AppWindows() = default;
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;
    ~AppWindows();

    // Takes ownership.
    void add(const QString& className, QObject* object);
    // The live object of that class, or null when it was never created.
    QObject* find(const QString& className) const;
    template <class T>
    T* find(const QString& className) const {
        return qobject_cast<T*>(find(className));
    }
    // The first object created (the main window), or null.
    QObject* first() const;
    // Class names in creation order.
    QStringList created() const;
    void destroyAll();

    // The set of the running application (null outside a run). Windows use it
    // to reach the windows they show by class name, so this library needs no
    // link to the subsystems that build them.
    static AppWindows* current();
    static void setCurrent(AppWindows* windows);

private:
    std::vector<std::pair<QString, QObject*>> items_;
};

}  // namespace lum
