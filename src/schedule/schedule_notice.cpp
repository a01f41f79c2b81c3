#include "schedule/schedule_notice.h"

namespace lum {

void showNotices(const Notices& notices, QWidget* parent) {
    for (const Notice& n : notices) message(n.kind, n.text, n.buttons, parent);
}

}  // namespace lum
