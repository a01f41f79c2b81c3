#include "report_ui/report_windows.h"

#include "report_ui/preview_form.h"
#include "report_ui/progress_form.h"

namespace lum {

void installReportWindows() {
    static TfrProgressForm* progress = new TfrProgressForm;  // lives until exit, as the engine does
    static WidgetReportUi ui;
    setDefaultReportWindows(progress, &ui);
    attachPlatformPrinters();
}

}  // namespace lum
