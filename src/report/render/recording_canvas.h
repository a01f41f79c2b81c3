#pragma once
// A canvas that records what is drawn, where, with which font and clip. Tests
// assert layouts with it; the preview's text search reads its text runs.
#include "report/render/report_canvas.h"

#include <QLine>
#include <QList>

namespace lum {

struct CanvasOp {
    enum Kind { Text, TextJustified, TextPlaced, Line, Rect, Fill, Ellipse, RoundRect, Polygon, Image };
    Kind kind = Text;
    // Text runs: start (x, yTop), the text, the clip, the font and spacing;
    // `extra` the justification pixels, `extent` the placed width.
    int x = 0;
    int y = 0;
    QString text;
    QRect clip;
    CanvasFont font;
    int charExtra = 0;
    int extra = 0;
    int extent = 0;
    // Shapes.
    QLine line;
    QRect rect;
    QPolygon polygon;
    CanvasPen pen;
    CanvasColor brush = kNoColor;
    CanvasColor fill = kNoColor;
    QSize imageSize;

    bool isText() const { return kind == Text || kind == TextJustified || kind == TextPlaced; }
    // Pixels the run takes as recorded (placed runs: their extent).
    int width() const;
};

class RecordingCanvas : public ReportCanvas {
public:
    explicit RecordingCanvas(int dpi = 96, bool printer = false) : dpi_(dpi), printer_(printer) {}

    void textOut(int x, int yTop, const QString& text, const QRect& clip) override;
    void textOutJustified(int x, int yTop, const QString& text, int extra, const QRect& clip) override;
    void textOutPlaced(int x, int yTop, const QString& text, int extent, const QRect& clip) override;
    void drawLine(int x1, int y1, int x2, int y2) override;
    void drawRect(const QRect& r) override;
    void fillRect(const QRect& r, CanvasColor color) override;
    void drawEllipse(const QRect& r) override;
    void drawRoundRect(const QRect& r, int cornerWidth, int cornerHeight) override;
    void drawPolygon(const QPolygon& points) override;
    void drawImage(const QRect& target, const QImage& image) override;
    int dpiY() const override { return dpi_; }
    bool isPrinter() const override { return printer_; }

    const QList<CanvasOp>& ops() const { return ops_; }
    QList<CanvasOp> textRuns() const;
    // The texts of the runs in drawing order.
    QStringList texts() const;
    void clear() { ops_.clear(); }

private:
    CanvasOp shapeOp(CanvasOp::Kind kind) const;
    QList<CanvasOp> ops_;
    int dpi_;
    bool printer_;
};

}  // namespace lum
