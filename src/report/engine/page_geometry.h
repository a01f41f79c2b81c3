#pragma once
// The paper of a page as the layout sees it, in the engine's screen pixels
// (90.998 pixels per inch across, 91.626 down). Without a printer (the
// "Default printer") the paper comes from the size table: the unprintable
// offsets are 5 mm and the printable area the paper less both offsets. The
// printer side of the engine can hand real printer geometry in its place.
#include <QtGlobal>

namespace lum {

inline constexpr double kScreenPixelsPerInchX = 90.99804305283757;
inline constexpr double kScreenPixelsPerInchY = 91.6256157635468;

struct PageGeometry {
    int paperSize = 9;     // the size code actually used
    int paperWidth = 2100; // tenths of a millimetre, as oriented
    int paperHeight = 2970;
    int orientation = 0;
    // Screen pixels.
    int pageWidth = 0, pageHeight = 0;
    int offsetLeft = 0, offsetTop = 0;
    int printableWidth = 0, printableHeight = 0;
};

// Tenths of a millimetre to screen pixels (nearest, halves to even).
int tenthsMmToPixelsX(double tenths);
int tenthsMmToPixelsY(double tenths);

// The Default printer's geometry of a paper: code (256 takes the given
// width and height), width and height in tenths of a millimetre (portrait),
// orientation 0 portrait, 1 landscape.
PageGeometry defaultPrinterGeometry(int paperSize, int paperWidth, int paperHeight, int orientation);

}  // namespace lum
