#pragma once
// The pictures of the splash window and of the main window's tiles, drawn at
// the size they are shown so they stay sharp (no image files to keep).
#include <QPixmap>
#include <QSize>

namespace lum {

enum class TileSymbol { Client, Documents, Schedule, Results, Print, Settings };

QPixmap tilePicture(TileSymbol symbol, QSize size);
QPixmap splashPicture(QSize size);

}  // namespace lum
