#pragma once
// Text measurement of the report engine: exact, repeatable widths in whole
// pixels, independent of the screen. A font is its (mapped) family, its em
// height in pixels and its style; a width is the sum of the characters'
// unhinted advances, rounded once, plus the character spacing per character.
// Advances are cached per font and character, so measuring growing prefixes
// of a line (word wrap) stays cheap.
#include <QFont>
#include <QString>
#include <QtGlobal>

namespace lum {

// Style bits as templates store them (strike-out is kept in memory only).
enum CanvasFontStyle : quint16 { cfItalic = 1, cfBold = 2, cfUnderline = 4, cfStrikeOut = 8 };

struct CanvasFont {
    QString family = QStringLiteral("ＭＳ ゴシック");  // the template's name; mapped when used
    int pixelHeight = 13;                              // em height in pixels (10 pt at 96 ppi)
    quint16 style = 0;
    qint32 color = 0;     // as the templates store it, red in the low byte
    bool rotated = false; // turned 90 degrees counter-clockwise

    friend bool operator==(const CanvasFont&, const CanvasFont&) = default;
};

// The em height in pixels of a size in points at a resolution (round half to even).
int fontPixelHeight(double points, double dpi);

class TextMetrics {
public:
    // Whole pixels of the text, with `charExtra` pixels after every character.
    static int width(const CanvasFont& font, QStringView text, int charExtra = 0);
    // Unrounded advances of each character (UTF-16 code units; a surrogate pair's
    // advance is on its first unit, 0 on the second).
    static QList<double> advances(const CanvasFont& font, const QString& text);
    // Distance from the top of the character cell to the baseline.
    static double ascent(const CanvasFont& font);
    // The QFont drawing and measuring use (mapped family, pixel size, no hinting).
    static QFont qfont(const CanvasFont& font);
    // The same, made once per font and kept (drawing asks for it per text run).
    static QFont drawingFont(const CanvasFont& font);
};

// The widths of the growing prefixes text[start..i] of one text, each exactly
// what TextMetrics::width gives for that prefix, found in one pass: word wrap
// asks for every prefix of a line.
class PrefixWidths {
public:
    PrefixWidths(const CanvasFont& font, QStringView text, int charExtra);
    ~PrefixWidths();
    PrefixWidths(const PrefixWidths&) = delete;
    PrefixWidths& operator=(const PrefixWidths&) = delete;

    // The next prefixes start at `start`.
    void restart(qsizetype start);
    // Width of text[start..i] (0 when i lies before start); i never goes
    // back between restarts.
    int through(qsizetype i);

private:
    void fold(qsizetype upTo);
    struct TextMetricsFont* font_;
    QStringView text_;
    int charExtra_;
    qsizetype start_ = 0;
    qsizetype next_ = 0;  // first unit not yet in sum_
    double sum_ = 0;
    int chars_ = 0;
};

}  // namespace lum
