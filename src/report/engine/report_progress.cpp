#include "report/engine/report_progress.h"

namespace lum {

bool HeadlessProgress::runModal(const QString& caption, const QString& label, const std::function<void()>& job) {
    ++runs;
    captions.append(caption);
    visible_ = true;
    ok_ = true;
    setLabel(label);
    struct Hide {
        bool& v;
        ~Hide() { v = false; }
    } hide{visible_};
    job();
    return ok_;
}

void HeadlessProgress::setLabel(const QString& label) {
    labels.append(label);
    if (cancelAtLabel > 0 && labels.size() == cancelAtLabel && OnCancel) {
        ok_ = false;
        OnCancel();
    }
}

void HeadlessProgress::close(bool ok) {
    ok_ = ok;
    visible_ = false;
}

}  // namespace lum
