#pragma once
// A shutdown of the workstation or a kill sends SIGTERM (SIGHUP when the
// session ends, SIGINT from a terminal). Left alone they end the process at
// once and the settings of the run are lost; this turns them into a call on
// the user-interface thread, where the main routine closes the main window
// the normal way.
#include <QObject>
#include <functional>

class QSocketNotifier;

namespace lum {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // One instance at a time; its destruction puts the default handlers back.
    explicit TerminationSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;

private:
    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace lum
