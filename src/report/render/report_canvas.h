#pragma once
// Where report objects draw: a small canvas with the semantics the engine's
// layout relies on.
//  - Text positions are the TOP-LEFT of the character cell (not the baseline).
//  - Text is always clipped to a rectangle.
//  - Character spacing adds a fixed number of pixels after every character,
//    in measurement and drawing alike.
//  - Justified text spreads extra pixels over the blanks (the first blanks get
//    one pixel more when it does not divide evenly); placed text stretches or
//    squeezes its characters so the run is exactly a given width.
//  - Rotated text runs upwards from (x, y), the cell's top towards +x.
// Implementations: QPainterCanvas (screen, printer, image, PDF) and
// RecordingCanvas (tests and text search), which share the measuring.
#include "report/render/text_metrics.h"

#include <QImage>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <QtGlobal>

namespace lum {

// A colour as the templates store it: red in the low byte. 0x1FFFFFFF is
// "none"; values with the top bit set are system colours.
using CanvasColor = qint32;
inline constexpr CanvasColor kNoColor = 0x1FFFFFFF;
QColor toQColor(CanvasColor color);

// Pen styles: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot.
struct CanvasPen {
    CanvasColor color = 0;
    int width = 1;
    int style = 0;
};

class ReportCanvas {
public:
    virtual ~ReportCanvas() = default;
    ReportCanvas() = default;
    ReportCanvas(const ReportCanvas&) = delete;
    ReportCanvas& operator=(const ReportCanvas&) = delete;

    // Text. The font's pixelHeight is in this canvas's pixels.
    void setFont(const CanvasFont& font) { font_ = font; }
    const CanvasFont& font() const { return font_; }
    void setCharExtra(int pixels) { charExtra_ = pixels; }
    int charExtra() const { return charExtra_; }
    // Whole pixels the text takes with the current font and spacing.
    int textWidth(const QString& text) const { return TextMetrics::width(font_, text, charExtra_); }
    // The widest line of a multi-line text ("\n" or "\r\n" separated).
    int blockWidth(const QString& text) const;

    virtual void textOut(int x, int yTop, const QString& text, const QRect& clip) = 0;
    // `extra` pixels spread over the blanks of the text.
    virtual void textOutJustified(int x, int yTop, const QString& text, int extra, const QRect& clip) = 0;
    // The characters placed so that the run is exactly `extent` pixels wide.
    virtual void textOutPlaced(int x, int yTop, const QString& text, int extent, const QRect& clip) = 0;

    // Shapes. A line or rectangle leaves its end point (the right and bottom
    // edge) unpainted, so shapes that meet there do not overlap.
    void setPen(const CanvasPen& pen) { pen_ = pen; }
    const CanvasPen& pen() const { return pen_; }
    // Brush colour for shapes and for the gaps of dashed lines; kNoColor: none.
    void setBrush(CanvasColor color) { brush_ = color; }
    CanvasColor brush() const { return brush_; }
    virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
    virtual void drawRect(const QRect& r) = 0;  // outline with the pen, filled with the brush
    virtual void fillRect(const QRect& r, CanvasColor color) = 0;
    virtual void drawEllipse(const QRect& r) = 0;
    virtual void drawRoundRect(const QRect& r, int cornerWidth, int cornerHeight) = 0;
    virtual void drawPolygon(const QPolygon& points) = 0;
    // The image stretched to the target rectangle.
    virtual void drawImage(const QRect& target, const QImage& image) = 0;

    // Pixels per inch of the device (96 for the screen, the printer's for paper).
    virtual int dpiY() const { return 96; }
    virtual bool isPrinter() const { return false; }

    // Start x of every piece of a justified run (pieces split after blanks),
    // and of every character of a placed run; shared by the implementations.
    struct Piece {
        int x;
        QString text;
    };
    QList<Piece> justifiedPieces(int x, const QString& text, int extra) const;
    QList<Piece> placedCharacters(int x, const QString& text, int extent) const;

private:
    CanvasFont font_;
    int charExtra_ = 0;
    CanvasPen pen_;
    CanvasColor brush_ = kNoColor;
};

}  // namespace lum
