#pragma once
// The canvas over a QPainter: screen widgets, images, the printer and PDF files.
#include "report/render/report_canvas.h"

#include <span>

class QPainter;

namespace lum {

class QPainterCanvas : public ReportCanvas {
public:
    // The painter must stay active while the canvas is used. `dpi` is the
    // device's resolution; `printer` tells objects that they draw on paper.
    explicit QPainterCanvas(QPainter& painter, int dpi = 96, bool printer = false);

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

private:
    // Draws the pieces (each at its own x) with the current font, clipped.
    void drawPieces(int yTop, std::span<const Piece> pieces, const QRect& clip, bool spacing);
    void applyPenAndBrush();

    QPainter& p_;
    int dpi_;
    bool printer_;
};

}  // namespace lum
