#pragma once
// Engine start for the application: the progress window (made once and
// reused), the preview and error boxes as every report's defaults, and the
// platform's printers for the engine's printer.
namespace lum {

void installReportWindows();

}  // namespace lum
