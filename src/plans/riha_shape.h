#pragma once
// TRihaShape: the small drawn control of a body-chart mark. It shows one
// shape with its own pen and brush, takes no focus and hands its mouse
// events to its parent's handlers. Its geometry is a plain function, and
// makeMark is the one place a mark of each kind gets its size and style, for
// the treatment plan window and the plan printouts alike.
#include "plans/body_chart_model.h"

#include <QBrush>
#include <QPen>
#include <QWidget>

class QPainter;

enum class TShapeType : unsigned char {
    stRectangle,
    stSquare,
    stRoundRect,
    stRoundSquare,
    stEllipse,
    stCircle,
    stBaten,  // both diagonals of the centred square (×)
    stLine,   // the diagonal from top-left to bottom-right
};

namespace lum {

// Where a shape is drawn in a control of width x height with a pen of that
// width: the corners (x, y)-(x + w, y + h), right and bottom edge excluded,
// and the rounded corners' size.
struct ShapeGeometry {
    int x = 0, y = 0, w = 0, h = 0;
    int corner = 0;
    bool operator==(const ShapeGeometry&) const = default;
};
ShapeGeometry shapeGeometry(int width, int height, int penWidth, TShapeType shape);

// Draws the shape into the rectangle `area` (its top-left is the control's).
void paintShape(QPainter& painter, const QRect& area, const QPen& pen, const QBrush& brush, TShapeType shape);

inline constexpr int MarkSize = 17;
struct MarkStyle {
    TShapeType shape;
    QPen pen;
    QBrush brush;
};
// Joint range: a clear circle; weakness: a circle hatched backward-diagonal
// in the window-text colour; pain: ×. All with a solid black pen of width 1.
MarkStyle markStyle(MarkKind kind);

}  // namespace lum

class TRihaShape : public QWidget {
    Q_OBJECT
public:
    explicit TRihaShape(QWidget* parent = nullptr);

    const QPen& Pen() const { return pen_; }
    void setPen(const QPen& pen);
    const QBrush& Brush() const { return brush_; }
    void setBrush(const QBrush& brush);
    TShapeType Shape() const { return shape_; }
    // Repaints only when the shape changes.
    void setShape(TShapeType shape);
    void StyleChanged();

    // Repaints asked for so far (tests).
    int repaintRequests() const { return repaints_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPen pen_;
    QBrush brush_;
    TShapeType shape_ = TShapeType::stRectangle;
    int repaints_ = 0;
};

namespace lum {
// A 17 x 17 mark of that kind with its top-left at `topLeft`, on `parent`.
TRihaShape* makeMark(MarkKind kind, QWidget* parent, QPoint topLeft);
}  // namespace lum
