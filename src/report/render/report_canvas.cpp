#include "report/render/report_canvas.h"

#include <QColor>
#include <QStringList>
#include <cmath>

namespace lum {

QColor toQColor(CanvasColor color) {
    if (color < 0) {
        // System colours of old templates: the usual light-grey face, black text,
        // white windows.
        switch (color & 0xFF) {
        case 5: return Qt::white;            // window
        case 8: case 18: return Qt::black;   // window text, button text
        default: return QColor(0xF0, 0xF0, 0xF0);
        }
    }
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

int ReportCanvas::blockWidth(const QString& text) const {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    int w = 0;
    for (const QString& line : t.split(QLatin1Char('\n'))) w = qMax(w, textWidth(line));
    return w;
}

QList<ReportCanvas::Piece> ReportCanvas::justifiedPieces(int x, const QString& text, int extra) const {
    // Pieces end after each blank; every blank gets extra / blanks pixels, the
    // first (extra mod blanks) blanks one more.
    const int blanks = int(text.count(QLatin1Char(' ')));
    QList<Piece> pieces;
    if (blanks == 0 || extra == 0) {
        pieces.append({x, text});
        return pieces;
    }
    const int each = extra / blanks;
    int rest = extra % blanks;
    const int sign = extra < 0 ? -1 : 1;
    if (rest < 0) rest = -rest;
    int pos = x;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != QLatin1Char(' ')) continue;
        const QString piece = text.mid(start, i - start + 1);
        pieces.append({pos, piece});
        pos += textWidth(piece) + each + (rest > 0 ? sign : 0);
        if (rest > 0) --rest;
        start = i + 1;
    }
    if (start < text.size()) pieces.append({pos, text.mid(start)});
    return pieces;
}

QList<ReportCanvas::Piece> ReportCanvas::placedCharacters(int x, const QString& text, int extent) const {
    // Natural positions scaled so the last character ends exactly at x + extent.
    QList<Piece> out;
    const QList<double> adv = TextMetrics::advances(font(), text);
    double natural = 0;
    int chars = 0;
    for (qsizetype i = 0; i < adv.size(); ++i) {
        natural += adv[i] + (text.at(i).isLowSurrogate() ? 0 : charExtra());
        if (!text.at(i).isLowSurrogate()) ++chars;
    }
    if (chars == 0) return out;
    const double k = natural > 0 ? extent / natural : 0;
    double pos = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isLowSurrogate()) continue;
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size();
        out.append({x + int(std::floor(pos * k + 0.5)), text.mid(i, pair ? 2 : 1)});
        pos += adv[i] + charExtra();
    }
    return out;
}

}  // namespace lum
