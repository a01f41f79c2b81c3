#pragma once
// The body chart's pictures and its drawing. The front (105 x 207) and back
// (102 x 206) body pictures are our own drawings; each sits at (8, 8) in its
// side panel, and the chart panel (ZukeiPanel, 257 x 233) holds the front
// panel on the left and the back panel on the right. Mark positions are in
// their side panel's pixels. The window shows the same pictures in widgets;
// printing draws the chart from its model with paintBodyChart, so the plan
// window and the plan printouts give the same picture.
#include "plans/body_chart_model.h"

#include <QImage>
#include <QRect>
#include <QSize>

class QPainter;

namespace lum {

inline constexpr QSize ChartPanelSize{257, 233};     // ZukeiPanel
inline constexpr QSize ChartImageSize{256, 232};     // the printed bitmap: one pixel less each way
inline constexpr QPoint PictureOffset{8, 8};         // the body picture in its side panel
QRect sidePanelRect(ChartSide side);                 // in ZukeiPanel
QSize bodyPictureSize(ChartSide side);               // 105 x 207, 102 x 206

// The body picture of a side.
const QImage& bodyPicture(ChartSide side);
// The paralysis overlay of one quarter: the picture's size, transparent
// outside the quarter's part of the body.
const QImage& overlayPicture(ChartSide side, Corner corner);

// Draws the whole chart (panels, pictures, shown overlays, marks) with its
// top-left at the painter's origin.
void paintBodyChart(QPainter& painter, const BodyChart& chart);
// The chart as the printout's picture (ChartImageSize, white background).
QImage renderBodyChart(const BodyChart& chart);

}  // namespace lum
