#pragma once
// Engine start for the application: the progress window (made once and
// reused) and the preview and error boxes as every report's defaults. The
// platform's printers come to the engine's printer when the first preview
// opens (attachPlatformPrinters), once per run.
namespace lum {

void installReportWindows();

}  // namespace lum
