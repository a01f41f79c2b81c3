#pragma once
// The pictures of the splash window and of the main window's tiles, drawn at
// the size they are shown so they stay sharp (no image files to keep).
#include <QPixmap>
#include <QSize>

class QPainter;

namespace lum {

enum class TileSymbol { Client, Documents, Schedule, Results, Print, Settings };

QPixmap tilePicture(TileSymbol symbol, QSize size);
// The splash window's picture over a white ground of `size`, drawn where it is
// shown: a picture of the whole window kept aside would be one more
// window-sized image to fill and copy before anything shows.
void drawSplashPicture(QPainter& p, QSize size);

}  // namespace lum
