#pragma once
// Memo text from template to paper: expansion of bracketed expressions, word
// wrap at the engine's resolution (96 ppi, scale 1), the height a stretched
// memo needs, the automatic width, and drawing with alignment, justification,
// rotation, line and character spacing. Lines that do not fit their stored
// width at the output scale shrink their font, then have their characters
// placed, so nothing overflows its box at any zoom.
#include "report/draw/view_geometry.h"
#include "report/draw/wrapped_lines.h"
#include "report/objects/memo_view.h"
#include "report/render/report_canvas.h"

#include <functional>

namespace lum {

// Layout state of one memo while a report is prepared.
struct MemoLayoutState {
    enum DrawModeValue { Normal = 0, Measured = 2, SplitPart = 3 };
    int DrawMode = Normal;
    int LineHeightPx = 0;  // height of one line found by the last wrap
    int LinesDrawn = 0;    // lines drawn or found to fit by the last pass
    int PrintedHeight = 0; // height printed so far of a memo split over pages
    QList<WrappedLine> Scratch;  // the lines of the last wrap
};

// A memo's text laid out for drawing at template scale, and what it was laid
// out from (memo::draw keeps it on the object and reuses it while all of that
// stays as it was; the result is then the same by construction).
struct MemoDrawLayout {
    QStringList text;
    QString fontName;
    int fontSize = 0;
    quint16 fontStyle = 0;
    qint32 adjust = 0;
    quint16 flags = 0;
    int charSpacing = 0;
    int width = 0, height = 0;
    float frameWidth = 0;

    int autoWidth = -1;  // the width auto width gave; -1 without auto width
    QList<WrappedLine> lines;

    bool laidOutFrom(const TfrMemoView& m, const QStringList& text) const;
};

struct WrapResult {
    QList<WrappedLine> lines;
    int lineHeight = 0;
    int textHeight = 0;  // lines x line height + 2 x GapY
};

namespace memo {

// Lines of a text that may hold line breaks of any kind ("\r\n", "\r", "\n").
QStringList splitLines(const QString& text);

// The font of a memo at an em height in pixels.
CanvasFont canvasFont(const TfrMemoView& m, int pixelHeight);
// The em height at 96 ppi (-font height of the measuring canvas).
int measureHeight(const TfrMemoView& m);

// Every bracketed expression of every line replaced by its text; an inserted
// value is not scanned again, and a value with line breaks adds lines.
QStringList expandText(const QStringList& memo, const std::function<QString(const QString&)>& expandExpression);

// One text line wrapped to `width` pixels (see the .cpp for the rule).
QList<WrappedLine> wrapLine(const QString& s, int width, const CanvasFont& font, int charExtra);
// The text of a memo wrapped as the memo's flags say, at template scale.
WrapResult wrapText(const TfrMemoView& m, const QStringList& text);
// Width the text needs (auto width): the widest line + round(2 x frame) + 2.
int calcWidth(const TfrMemoView& m, const QStringList& lines, double scaleX = 1);
// Height a stretched memo needs for its expanded text; 0 without text.
int calcHeight(const TfrMemoView& m, const QStringList& text, MemoLayoutState& state);

// Draws wrapped lines into the scaled geometry, each where the layout at
// scale 1 puts it, scaled, so every scale draws the lines the box holds at
// its own size. With a null canvas nothing is drawn. In write mode a line
// that passes the clip bottom ends the pass. Returns the number of lines
// drawn (or found to fit).
int showText(const TfrMemoView& m, const ViewGeometry& g, const QList<WrappedLine>& lines, ReportCanvas* canvas,
             bool writeMode, double scaleX, double scaleY);

// The number of lines of `lines` that fit the memo's height (split parts).
int linesThatFit(const TfrMemoView& m, const QList<WrappedLine>& lines);

// The layout drawing uses for a memo: the lines a prepared page holds already
// wrapped as they are, else the text wrapped at template scale (and the auto
// width). Kept on the object (DrawLayout) and reused while it stays valid.
const MemoDrawLayout& drawLayout(const TfrMemoView& m);

// Draws a memo object (prepared or template) on a canvas at a scale: background,
// frame and text (wrapped now unless already wrapped).
void draw(const TfrMemoView& m, ReportCanvas& canvas, double scaleX = 1, double scaleY = 1, int offsX = 0,
          int offsY = 0);

}  // namespace memo

// Background and frame of any object at a scale (nothing for no fill / no sides).
void fillBackground(const TfrView& v, const ViewGeometry& g, ReportCanvas& canvas);
void drawFrame(const TfrView& v, const ViewGeometry& g, ReportCanvas& canvas);

}  // namespace lum
