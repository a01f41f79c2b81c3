#include "report_ui/report_windows.h"

#include "report_ui/preview_form.h"
#include "report_ui/progress_form.h"

namespace lum {

void installReportWindows() {
    static TfrProgressForm* progress = new TfrProgressForm;  // lives until exit, as the engine does
    static WidgetReportUi ui;
    setDefaultReportWindows(progress, &ui);
    // The printers are read by the first preview (its printer box and print
    // dialog need them), not here: listing them loads the print system's
    // plugin and its libraries, which nothing before the first window needs.
}

}  // namespace lum
