#include "app/startup_list.h"

namespace lum {

StartupStep testStartupFlagStep() {
    StartupStep step;
    step.kind = StartupStep::Kind::TestStartupFlag;
    return step;
}

StartupStep progressStep(int line, const QString& caption) {
    StartupStep step;
    step.kind = StartupStep::Kind::Progress;
    step.line = line;
    step.caption = caption;
    return step;
}

bool runStartupSteps(const std::vector<StartupStep>& steps, AppWindows& windows,
                     const StartupHooks& hooks) {
    for (const StartupStep& step : steps) {
        switch (step.kind) {
        case StartupStep::Kind::Create: {
            QObject* object = step.create();
            windows.add(step.className, object);
            if (!step.onCreate) break;
            try {
                step.onCreate(object);
            } catch (...) {
                if (hooks.creationFailed) hooks.creationFailed(std::current_exception());
            }
            break;
        }
        case StartupStep::Kind::TestStartupFlag:
            if (!hooks.startupOk || !hooks.startupOk()) return false;
            break;
        case StartupStep::Kind::Progress:
            if (hooks.progress) hooks.progress(step.line, step.caption);
            break;
        }
    }
    return true;
}

}  // namespace lum
