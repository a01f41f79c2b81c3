#include "report/frf/template_source.h"

#include "report/frf/frf_error.h"
#include "report/objects/addin_views.h"
#include "report/objects/band_view.h"
#include "report/objects/memo_view.h"
#include "report/objects/picture_view.h"
#include "report/objects/view_factory.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <cmath>
#include <optional>

namespace lum {

namespace {

// ---- names shared by the printer and the parser --------------------------

struct NamedValue {
    int value;
    const char* name;
};

constexpr NamedValue kKinds[] = {{gtMemo, "memo"},        {gtPicture, "picture"}, {gtBand, "band"},
                                 {gtSubReport, "subreport"}, {gtLine, "line"}};
constexpr NamedValue kMemoFlags[] = {{1, "stretched"}, {2, "word-wrap"}, {4, "hyphenation"}, {8, "auto-width"},
                                     {0x8000, "hook"}};
constexpr NamedValue kPictureFlags[] = {{1, "stretch"}, {2, "center"}, {4, "keep-aspect"}, {0x8000, "hook"}};
constexpr NamedValue kBandFlags[] = {{1, "stretched"},     {2, "new-page-after"}, {4, "print-if-empty"},
                                     {8, "allow-split"},   {16, "on-first-page"}, {32, "on-last-page"},
                                     {64, "repeat-header"}, {0x8000, "hook"}};
constexpr NamedValue kLineFlags[] = {{1, "stretched"}, {0x8000, "hook"}};
constexpr NamedValue kOtherFlags[] = {{0x8000, "hook"}};
constexpr NamedValue kSides[] = {{frLeft, "l"}, {frTop, "t"}, {frRight, "r"}, {frBottom, "b"}};
constexpr NamedValue kFrameStyles[] = {{0, "solid"},    {1, "dash"},         {2, "dot"},
                                       {3, "dash-dot"}, {4, "dash-dot-dot"}, {5, "double"}};
constexpr NamedValue kFontStyles[] = {{fsItalic, "italic"}, {fsBold, "bold"}, {fsUnderline, "underline"},
                                      {fsStrikeOut, "strike-out"}};
constexpr NamedValue kAligns[] = {{adLeft, "left"}, {adRight, "right"}, {adCenter, "center"}, {adJustify, "justify"}};
constexpr NamedValue kVAligns[] = {{adTop, "top"}, {adMiddle, "middle"}, {adBottom, "bottom"}};
constexpr NamedValue kBandTypes[] = {
    {0, "title"},          {1, "summary"},          {2, "page-header"},      {3, "page-footer"},
    {4, "master-header"},  {5, "master-data"},      {6, "master-footer"},    {7, "detail-header"},
    {8, "detail-data"},    {9, "detail-footer"},    {10, "subdetail-header"}, {11, "subdetail-data"},
    {12, "subdetail-footer"}, {13, "overlay"},      {14, "column-header"},   {15, "column-footer"},
    {16, "group-header"},  {17, "group-footer"},    {18, "cross-header"},    {19, "cross-data"},
    {20, "cross-footer"},  {21, "none"}};
constexpr NamedValue kShapes[] = {{0, "rectangle"}, {1, "round-rectangle"}, {2, "ellipse"},
                                  {3, "triangle"},  {4, "diagonal1"},       {5, "diagonal2"}};
constexpr NamedValue kGraphics[] = {{0, "none"}, {1, "bitmap"}, {2, "metafile"}, {3, "icon"}};
constexpr NamedValue kBindingKinds[] = {{0, "none"}, {1, "field"}, {2, "special"}, {3, "expression"}};
constexpr NamedValue kOrientations[] = {{0, "portrait"}, {1, "landscape"}};

template <size_t N>
QString nameOf(const NamedValue (&table)[N], int value) {
    for (const NamedValue& nv : table)
        if (nv.value == value)
            return QString::fromLatin1(nv.name);
    return QString::number(value);
}

template <size_t N>
std::optional<int> valueOf(const NamedValue (&table)[N], const QString& name) {
    for (const NamedValue& nv : table)
        if (name == QLatin1String(nv.name))
            return nv.value;
    return std::nullopt;
}

QString kindName(const TfrView& v) {
    if (dynamic_cast<const TfrCheckBoxView*>(&v))
        return QStringLiteral("checkbox");
    if (dynamic_cast<const TfrShapeView*>(&v))
        return QStringLiteral("shape");
    return nameOf(kKinds, v.Typ);
}

std::unique_ptr<TfrView> viewOfKind(const QString& kind) {
    if (kind == QLatin1String("checkbox"))
        return CreateViewByType(gtAddIn, QStringLiteral("TfrCheckBoxView"));
    if (kind == QLatin1String("shape"))
        return CreateViewByType(gtAddIn, QStringLiteral("TfrShapeView"));
    if (const auto typ = valueOf(kKinds, kind))
        return CreateViewByType(quint8(*typ));
    return nullptr;
}

// ---- printing -------------------------------------------------------------

QString quote(const QString& s) {
    QString out = QStringLiteral("\"");
    for (const QChar c : s) {
        switch (c.unicode()) {
        case '"': out += QStringLiteral("\\\""); break;
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

QString hex(quint32 v) { return QStringLiteral("0x") + QString::number(v, 16).toUpper(); }

QString colorText(TColor c) {
    if (c == clNone)
        return QStringLiteral("none");
    if (c >= 0 && c <= 0xFFFFFF)  // red in the low byte
        return QStringLiteral("#%1%2%3")
            .arg(c & 0xFF, 2, 16, QLatin1Char('0'))
            .arg((c >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
            .arg((c >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
            .toUpper();
    return hex(quint32(c));
}

template <size_t N>
QString bitsText(const NamedValue (&table)[N], quint32 bits) {
    if (bits == 0)
        return QStringLiteral("0");
    QStringList parts;
    quint32 left = bits;
    for (const NamedValue& nv : table) {
        if (bits & quint32(nv.value)) {
            parts << QString::fromLatin1(nv.name);
            left &= ~quint32(nv.value);
        }
    }
    if (left)
        parts << hex(left);
    return parts.join(QLatin1Char('|'));
}

QString flagsText(const TfrView& v) {
    if (dynamic_cast<const TfrMemoView*>(&v))
        return bitsText(kMemoFlags, v.Flags);
    if (dynamic_cast<const TfrPictureView*>(&v))
        return bitsText(kPictureFlags, v.Flags);
    if (dynamic_cast<const TfrBandView*>(&v))
        return bitsText(kBandFlags, v.Flags);
    if (dynamic_cast<const TfrLineView*>(&v))
        return bitsText(kLineFlags, v.Flags);
    return bitsText(kOtherFlags, v.Flags);
}

QString sidesText(quint16 sides) {
    if (sides == 0)
        return QStringLiteral("none");
    if (sides & ~quint16(frAllSides))
        return hex(sides);
    QString out;
    for (const NamedValue& nv : kSides)
        if (sides & nv.value)
            out += QLatin1String(nv.name);
    return out;
}

// The shortest text that reads back as the same single-precision value.
QString floatText(float f) {
    for (int digits = 1; digits < 9; ++digits) {
        const QString text = QString::number(double(f), 'g', digits);
        if (text.toFloat() == f)
            return text;
    }
    return QString::number(double(f), 'g', 9);
}
QString yesNo(bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); }

class AttrList {
public:
    void add(const QString& key, const QString& value) { parts_ << key + QLatin1Char('=') + value; }
    template <typename T>
    void addIf(bool differs, const QString& key, const T& value) {
        if (differs)
            add(key, value);
    }
    QString joined() const { return parts_.join(QLatin1Char(' ')); }

private:
    QStringList parts_;
};

void printObject(const TfrView& v, QString& out) {
    const std::unique_ptr<TfrView> d =
        v.Typ == gtAddIn ? CreateViewByType(gtAddIn, v.addInClassName()) : CreateViewByType(v.Typ);
    const auto* band = dynamic_cast<const TfrBandView*>(&v);
    AttrList a;
    a.add(QStringLiteral("bounds"), QStringLiteral("%1,%2,%3,%4").arg(v.Left).arg(v.Top).arg(v.Width).arg(v.Height));
    if (band) {
        a.add(QStringLiteral("type"), nameOf(kBandTypes, band->bandType()));
        a.addIf(!band->FormatStr.isEmpty(), QStringLiteral("dataset"), quote(band->FormatStr));
        a.addIf((v.FrameTyp & 0xFF00) != 0, QStringLiteral("frame-high"), QString::number(v.FrameTyp >> 8));
    } else {
        a.addIf(v.FrameTyp != d->FrameTyp, QStringLiteral("frame"), sidesText(v.FrameTyp));
        a.addIf(v.FormatStr != d->FormatStr, QStringLiteral("format-text"), quote(v.FormatStr));
    }
    a.addIf(v.Flags != d->Flags, QStringLiteral("flags"), flagsText(v));
    a.addIf(encodeFrameWidth(v.FrameWidth) != encodeFrameWidth(d->FrameWidth), QStringLiteral("frame-width"),
            floatText(v.FrameWidth));
    a.addIf(v.FrameColor != d->FrameColor, QStringLiteral("frame-color"), colorText(v.FrameColor));
    a.addIf(v.FrameStyle != d->FrameStyle, QStringLiteral("frame-style"), nameOf(kFrameStyles, v.FrameStyle));
    a.addIf(v.FillColor != d->FillColor, QStringLiteral("fill"), colorText(v.FillColor));
    a.addIf(v.Format != d->Format, QStringLiteral("format"), hex(quint32(v.Format)));
    a.addIf(v.Visible != d->Visible, QStringLiteral("visible"), yesNo(v.Visible));
    if (const auto* m = dynamic_cast<const TfrMemoView*>(&v)) {
        const auto& dm = static_cast<const TfrMemoView&>(*d);
        a.addIf(m->Font.Name != dm.Font.Name, QStringLiteral("font"), quote(m->Font.Name));
        a.addIf(m->Font.Size != dm.Font.Size, QStringLiteral("size"), QString::number(m->Font.Size));
        a.addIf(m->Font.Style != dm.Font.Style, QStringLiteral("style"), bitsText(kFontStyles, m->Font.Style));
        a.addIf(m->Font.Color != dm.Font.Color, QStringLiteral("color"), colorText(m->Font.Color));
        a.addIf(m->Font.Charset != dm.Font.Charset, QStringLiteral("charset"), QString::number(m->Font.Charset));
        if (m->Adjust & ~qint32(31)) {
            a.add(QStringLiteral("adjust"), hex(quint32(m->Adjust)));
        } else {
            a.addIf((m->Adjust & adHorizontalMask) != 0, QStringLiteral("align"),
                    nameOf(kAligns, m->Adjust & adHorizontalMask));
            a.addIf((m->Adjust & adVerticalMask) != 0, QStringLiteral("valign"),
                    nameOf(kVAligns, m->Adjust & adVerticalMask));
            a.addIf((m->Adjust & adRotated) != 0, QStringLiteral("rotated"), yesNo(true));
        }
        a.addIf(m->Highlight.FontStyle != dm.Highlight.FontStyle, QStringLiteral("highlight-style"),
                bitsText(kFontStyles, m->Highlight.FontStyle));
        a.addIf(m->Highlight.FontColor != dm.Highlight.FontColor, QStringLiteral("highlight-color"),
                colorText(m->Highlight.FontColor));
        a.addIf(m->Highlight.FillColor != dm.Highlight.FillColor, QStringLiteral("highlight-fill"),
                colorText(m->Highlight.FillColor));
        a.addIf(!m->HighlightCondition.isEmpty(), QStringLiteral("highlight"), quote(m->HighlightCondition));
    }
    if (const auto* p = dynamic_cast<const TfrPictureView*>(&v)) {
        a.addIf(p->GraphicKind != TfrGraphicKind::None, QStringLiteral("graphic"),
                nameOf(kGraphics, int(p->GraphicKind)));
        a.addIf(!p->GraphicData.isEmpty(), QStringLiteral("data"),
                quote(QString::fromLatin1(p->GraphicData.toBase64())));
    }
    if (const auto* s = dynamic_cast<const TfrSubReportView*>(&v))
        a.add(QStringLiteral("subpage"), QString::number(s->SubPage));
    if (const auto* s = dynamic_cast<const TfrShapeView*>(&v))
        a.addIf(s->ShapeType != skRectangle, QStringLiteral("shape"), nameOf(kShapes, s->ShapeType));

    out += kindName(v) + QLatin1Char(' ') + quote(v.Name) + QLatin1Char(' ') + a.joined() + QLatin1Char('\n');
    for (const QString& line : v.Memo)
        out += QStringLiteral("  text ") + quote(line) + QLatin1Char('\n');
    for (const QString& line : v.Script)
        out += QStringLiteral("  script ") + quote(line) + QLatin1Char('\n');
}

// ---- parsing --------------------------------------------------------------

struct Token {
    QString key;  // empty for a plain word or string
    QString value;
};

QList<Token> tokenize(const QString& line) {
    QList<Token> tokens;
    qsizetype i = 0;
    const qsizetype n = line.size();
    auto readValue = [&]() -> QString {
        QString v;
        if (i < n && line[i] == QLatin1Char('"')) {
            ++i;
            for (;;) {
                if (i >= n)
                    throw FrfError(QStringLiteral("a string has no closing quote"));
                const QChar c = line[i++];
                if (c == QLatin1Char('"'))
                    return v;
                if (c != QLatin1Char('\\')) {
                    v += c;
                    continue;
                }
                if (i >= n)
                    throw FrfError(QStringLiteral("a string ends in a backslash"));
                const QChar e = line[i++];
                switch (e.unicode()) {
                case 'n': v += QLatin1Char('\n'); break;
                case 'r': v += QLatin1Char('\r'); break;
                case 't': v += QLatin1Char('\t'); break;
                case 'x': {
                    bool ok = false;
                    const int code = line.mid(i, 2).toInt(&ok, 16);
                    if (!ok || i + 2 > n)
                        throw FrfError(QStringLiteral("\\x needs two hexadecimal digits"));
                    v += QChar(code);
                    i += 2;
                    break;
                }
                default: v += e;
                }
            }
        }
        while (i < n && !line[i].isSpace())
            v += line[i++];
        return v;
    };
    while (i < n) {
        if (line[i].isSpace()) {
            ++i;
            continue;
        }
        Token t;
        if (line[i] == QLatin1Char('"')) {
            t.value = readValue();
        } else {
            QString word;
            while (i < n && !line[i].isSpace() && line[i] != QLatin1Char('='))
                word += line[i++];
            if (i < n && line[i] == QLatin1Char('=')) {
                ++i;
                t.key = word;
                t.value = readValue();
            } else {
                t.value = word;
            }
        }
        tokens << t;
    }
    return tokens;
}

qint64 parseInteger(const QString& text, const QString& what) {
    bool ok = false;
    qint64 v = 0;
    if (text.startsWith(QLatin1String("0x")) || text.startsWith(QLatin1String("0X")))
        v = text.mid(2).toLongLong(&ok, 16);
    else
        v = text.toLongLong(&ok, 10);
    if (!ok)
        throw FrfError(QStringLiteral("%1 \"%2\" is not a number").arg(what, text));
    return v;
}

qint32 parseInt32(const QString& text, const QString& what) {
    const qint64 v = parseInteger(text, what);
    if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<quint32>::max())
        throw FrfError(QStringLiteral("%1 %2 is out of range").arg(what, text));
    return qint32(quint32(v));
}

template <size_t N>
int parseNamed(const NamedValue (&table)[N], const QString& text, const QString& what) {
    if (const auto v = valueOf(table, text))
        return *v;
    return int(parseInteger(text, what));
}

template <size_t N>
quint16 parseBits(const NamedValue (&table)[N], const QString& text, const QString& what) {
    quint32 bits = 0;
    for (const QString& part : text.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        bits |= quint32(parseNamed(table, part, what));
    if (bits > 0xFFFF)
        throw FrfError(QStringLiteral("%1 %2 is out of range").arg(what, text));
    return quint16(bits);
}

TColor parseColor(const QString& text) {
    if (text == QLatin1String("none"))
        return clNone;
    if (text.startsWith(QLatin1Char('#')) && text.size() == 7) {
        bool ok = false;
        const int rgb = text.mid(1).toInt(&ok, 16);
        if (!ok)
            throw FrfError(QStringLiteral("colour \"%1\" is not #RRGGBB").arg(text));
        return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    }
    return parseInt32(text, QStringLiteral("colour"));
}

bool parseYesNo(const QString& text, const QString& what) {
    if (text == QLatin1String("yes") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("no") || text == QLatin1String("0"))
        return false;
    throw FrfError(QStringLiteral("%1 must be yes or no, not \"%2\"").arg(what, text));
}

// A stored Boolean word: yes is FFFF, no is 0, or the word's own value.
quint16 parseBooleanWord(const QString& text, const QString& what) {
    if (text == QLatin1String("yes"))
        return 0xFFFF;
    if (text == QLatin1String("no"))
        return 0;
    const qint64 v = parseInteger(text, what);
    if (v < 0 || v > 0xFFFF)
        throw FrfError(QStringLiteral("%1 %2 is out of range").arg(what, text));
    return quint16(v);
}

quint16 parseSides(const QString& text) {
    if (text == QLatin1String("none"))
        return 0;
    if (text.startsWith(QLatin1String("0x")) || (!text.isEmpty() && text[0].isDigit()))
        return quint16(parseInteger(text, QStringLiteral("frame")));
    quint16 sides = 0;
    for (const QChar c : text) {
        const auto v = valueOf(kSides, QString(c));
        if (!v)
            throw FrfError(QStringLiteral("frame sides are letters l, t, r, b, not \"%1\"").arg(text));
        sides |= quint16(*v);
    }
    return sides;
}

QList<int> parseNumbers(const QString& text, int count, const QString& what) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != count)
        throw FrfError(QStringLiteral("%1 takes %2 numbers separated by commas").arg(what).arg(count));
    QList<int> out;
    for (const QString& p : parts)
        out << parseInt32(p.trimmed(), what);
    return out;
}

float parseFloat(const QString& text, const QString& what) {
    bool ok = false;
    const float f = text.toFloat(&ok);
    if (!ok)
        throw FrfError(QStringLiteral("%1 \"%2\" is not a number").arg(what, text));
    return f;
}

// A picture file: bitmap, icon and metafile files are stored as they are;
// other pictures are converted to a bitmap.
void loadPictureFile(TfrPictureView& p, const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw FrfError(QStringLiteral("cannot read picture \"%1\": %2").arg(path, f.errorString()));
    const QByteArray bytes = f.readAll();
    for (TfrGraphicKind kind : {TfrGraphicKind::Bitmap, TfrGraphicKind::Icon, TfrGraphicKind::Metafile}) {
        if (graphicHeaderValid(kind, bytes)) {
            p.GraphicKind = kind;
            p.GraphicData = bytes;
            return;
        }
    }
    const QImage image = QImage::fromData(bytes);
    if (image.isNull())
        throw FrfError(QStringLiteral("\"%1\" is no picture this program reads").arg(path));
    p.setImage(image);
}

void applyObjectAttribute(TfrView& v, const Token& t, const QString& baseDir) {
    const QString& k = t.key;
    const QString& val = t.value;
    auto* memo = dynamic_cast<TfrMemoView*>(&v);
    auto* band = dynamic_cast<TfrBandView*>(&v);
    auto* picture = dynamic_cast<TfrPictureView*>(&v);
    if (k == QLatin1String("bounds")) {
        const QList<int> b = parseNumbers(val, 4, k);
        v.SetBounds(b[0], b[1], b[2], b[3]);
    } else if (k == QLatin1String("flags")) {
        if (memo)
            v.Flags = parseBits(kMemoFlags, val, k);
        else if (picture)
            v.Flags = parseBits(kPictureFlags, val, k);
        else if (band)
            v.Flags = parseBits(kBandFlags, val, k);
        else if (dynamic_cast<TfrLineView*>(&v))
            v.Flags = parseBits(kLineFlags, val, k);
        else
            v.Flags = parseBits(kOtherFlags, val, k);
    } else if (k == QLatin1String("frame") && !band) {
        v.FrameTyp = parseSides(val);
    } else if (k == QLatin1String("frame-width")) {
        v.FrameWidth = parseFloat(val, k);
    } else if (k == QLatin1String("frame-color")) {
        v.FrameColor = parseColor(val);
    } else if (k == QLatin1String("frame-style")) {
        v.FrameStyle = quint16(parseNamed(kFrameStyles, val, k));
    } else if (k == QLatin1String("fill")) {
        v.FillColor = parseColor(val);
    } else if (k == QLatin1String("format")) {
        v.Format = parseInt32(val, k);
    } else if (k == QLatin1String("format-text") || (band && k == QLatin1String("dataset"))) {
        v.FormatStr = val;
    } else if (k == QLatin1String("visible")) {
        v.Visible = parseYesNo(val, k);
    } else if (band && k == QLatin1String("type")) {
        band->setBandType(parseNamed(kBandTypes, val, k));
    } else if (band && k == QLatin1String("frame-high")) {
        band->FrameTyp = quint16((band->FrameTyp & 0xFF) | (parseInteger(val, k) << 8));
    } else if (memo && k == QLatin1String("font")) {
        memo->Font.Name = val;
    } else if (memo && k == QLatin1String("size")) {
        memo->Font.Size = parseInt32(val, k);
    } else if (memo && k == QLatin1String("style")) {
        memo->Font.Style = parseBits(kFontStyles, val, k);
    } else if (memo && k == QLatin1String("color")) {
        memo->Font.Color = parseColor(val);
    } else if (memo && k == QLatin1String("charset")) {
        memo->Font.Charset = quint8(parseInteger(val, k));
    } else if (memo && k == QLatin1String("adjust")) {
        memo->Adjust = parseInt32(val, k);
    } else if (memo && k == QLatin1String("align")) {
        memo->Adjust = (memo->Adjust & ~qint32(adHorizontalMask)) | parseNamed(kAligns, val, k);
    } else if (memo && k == QLatin1String("valign")) {
        memo->Adjust = (memo->Adjust & ~qint32(adVerticalMask)) | parseNamed(kVAligns, val, k);
    } else if (memo && k == QLatin1String("rotated")) {
        memo->Adjust = parseYesNo(val, k) ? (memo->Adjust | adRotated) : (memo->Adjust & ~qint32(adRotated));
    } else if (memo && k == QLatin1String("highlight-style")) {
        memo->Highlight.FontStyle = parseBits(kFontStyles, val, k);
    } else if (memo && k == QLatin1String("highlight-color")) {
        memo->Highlight.FontColor = parseColor(val);
    } else if (memo && k == QLatin1String("highlight-fill")) {
        memo->Highlight.FillColor = parseColor(val);
    } else if (memo && k == QLatin1String("highlight")) {
        memo->HighlightCondition = val;
    } else if (picture && k == QLatin1String("graphic")) {
        picture->GraphicKind = TfrGraphicKind(parseNamed(kGraphics, val, k));
    } else if (picture && k == QLatin1String("data")) {
        picture->GraphicData = QByteArray::fromBase64(val.toLatin1());
    } else if (picture && k == QLatin1String("file")) {
        loadPictureFile(*picture, QDir(baseDir).filePath(val));
    } else if (auto* sub = dynamic_cast<TfrSubReportView*>(&v); sub && k == QLatin1String("subpage")) {
        sub->SubPage = parseInt32(val, k);
    } else if (auto* shape = dynamic_cast<TfrShapeView*>(&v); shape && k == QLatin1String("shape")) {
        shape->ShapeType = quint8(parseNamed(kShapes, val, k));
    } else {
        throw FrfError(QStringLiteral("%1 has no attribute \"%2\"").arg(kindName(v), k));
    }
}

void checkPicture(const TfrPictureView& p) {
    if (p.GraphicKind > TfrGraphicKind::Icon)
        throw FrfError(QStringLiteral("picture \"%1\" has an unknown graphic kind").arg(p.Name));
    if (p.GraphicKind != TfrGraphicKind::None && !graphicHeaderValid(p.GraphicKind, p.GraphicData))
        throw FrfError(QStringLiteral("picture \"%1\" holds no readable %2").arg(p.Name, nameOf(kGraphics, int(p.GraphicKind))));
}

void parseLine(const QList<Token>& tokens, const QString& baseDir, ReportTemplate& t, TfrView*& last) {
    const QString& word = tokens[0].value;
    if (!tokens[0].key.isEmpty())
        throw FrfError(QStringLiteral("a line starts with a statement, not \"%1=\"").arg(tokens[0].key));
    auto attributes = tokens.mid(1);
    auto needOneString = [&](const char* what) -> QString {
        if (tokens.size() != 2 || !tokens[1].key.isEmpty())
            throw FrfError(QStringLiteral("%1 takes one quoted text").arg(QLatin1String(what)));
        return tokens[1].value;
    };
    if (word == QLatin1String("report")) {
        for (const Token& a : attributes) {
            if (a.key == QLatin1String("print-to-default"))
                t.PrintToDefault = parseBooleanWord(a.value, a.key);
            else if (a.key == QLatin1String("double-pass"))
                t.DoublePass = parseBooleanWord(a.value, a.key);
            else if (a.key == QLatin1String("printer"))
                t.PrinterName = a.value;
            else
                throw FrfError(QStringLiteral("report has no attribute \"%1\"").arg(a.key));
        }
    } else if (word == QLatin1String("page")) {
        TfrPage& p = t.Pages.Add();
        for (const Token& a : attributes) {
            if (a.key == QLatin1String("paper")) p.PaperSize = parseInt32(a.value, a.key);
            else if (a.key == QLatin1String("width")) p.PaperWidth = parseInt32(a.value, a.key);
            else if (a.key == QLatin1String("height")) p.PaperHeight = parseInt32(a.value, a.key);
            else if (a.key == QLatin1String("orientation")) p.Orientation = quint8(parseNamed(kOrientations, a.value, a.key));
            else if (a.key == QLatin1String("margins")) {
                const QList<int> m = parseNumbers(a.value, 4, a.key);
                std::copy(m.begin(), m.end(), p.Margins);
            } else if (a.key == QLatin1String("use-margins")) p.UseMargins = parseYesNo(a.value, a.key);
            else if (a.key == QLatin1String("previous-page")) p.PrintToPrevPage = parseYesNo(a.value, a.key);
            else if (a.key == QLatin1String("columns")) p.ColCount = parseInt32(a.value, a.key);
            else if (a.key == QLatin1String("gap")) p.ColGap = parseInt32(a.value, a.key);
            else throw FrfError(QStringLiteral("page has no attribute \"%1\"").arg(a.key));
        }
        last = nullptr;
    } else if (word == QLatin1String("text") || word == QLatin1String("script")) {
        if (!last)
            throw FrfError(QStringLiteral("%1 comes before any object").arg(word));
        (word == QLatin1String("text") ? last->Memo : last->Script) << needOneString(word == QLatin1String("text") ? "text" : "script");
    } else if (word == QLatin1String("binding")) {
        if (tokens.size() < 2 || !tokens[1].key.isEmpty())
            throw FrfError(QStringLiteral("binding needs its name in quotes"));
        TfrValue& v = t.Values.Add(tokens[1].value);
        for (const Token& a : tokens.mid(2)) {
            if (a.key == QLatin1String("kind")) v.Typ = quint8(parseNamed(kBindingKinds, a.value, a.key));
            else if (a.key == QLatin1String("special")) v.OtherKind = parseInt32(a.value, a.key);
            else if (a.key == QLatin1String("dataset")) v.DataSetName = a.value;
            else if (a.key == QLatin1String("field")) v.FieldName = a.value;
            else throw FrfError(QStringLiteral("binding has no attribute \"%1\"").arg(a.key));
        }
    } else if (word == QLatin1String("variable")) {
        t.Variables << needOneString("variable");
    } else {
        std::unique_ptr<TfrView> view = viewOfKind(word);
        if (!view)
            throw FrfError(QStringLiteral("unknown statement \"%1\"").arg(word));
        if (t.Pages.Count() == 0)
            throw FrfError(QStringLiteral("an object comes before the first page line"));
        if (tokens.size() < 2 || !tokens[1].key.isEmpty())
            throw FrfError(QStringLiteral("%1 needs its name in quotes").arg(word));
        view->Name = tokens[1].value;
        for (const Token& a : tokens.mid(2)) {
            if (a.key.isEmpty())
                throw FrfError(QStringLiteral("\"%1\" is not an attribute (key=value)").arg(a.value));
            applyObjectAttribute(*view, a, baseDir);
        }
        if (const auto* p = dynamic_cast<const TfrPictureView*>(view.get()))
            checkPicture(*p);
        last = t.Pages[t.Pages.Count() - 1].add(std::move(view));
    }
}

}  // namespace

QString templateToSource(const ReportTemplate& source) {
    QString out;
    AttrList r;
    r.addIf(source.PrintToDefault != 0, QStringLiteral("print-to-default"),
            source.PrintToDefault == 0xFFFF ? QStringLiteral("yes") : hex(source.PrintToDefault));
    r.addIf(source.DoublePass != 0, QStringLiteral("double-pass"),
            source.DoublePass == 0xFFFF ? QStringLiteral("yes") : hex(source.DoublePass));
    r.addIf(!source.PrinterName.isEmpty(), QStringLiteral("printer"), quote(source.PrinterName));
    out += (QStringLiteral("report ") + r.joined()).trimmed() + QLatin1Char('\n');
    const TfrPage fresh;
    for (int i = 0; i < source.Pages.Count(); ++i) {
        const TfrPage& p = source.Pages[i];
        AttrList a;
        a.addIf(p.PaperSize != fresh.PaperSize, QStringLiteral("paper"), QString::number(p.PaperSize));
        a.addIf(p.PaperWidth != fresh.PaperWidth, QStringLiteral("width"), QString::number(p.PaperWidth));
        a.addIf(p.PaperHeight != fresh.PaperHeight, QStringLiteral("height"), QString::number(p.PaperHeight));
        a.addIf(p.Orientation != fresh.Orientation, QStringLiteral("orientation"), nameOf(kOrientations, p.Orientation));
        a.addIf(!std::equal(std::begin(p.Margins), std::end(p.Margins), std::begin(fresh.Margins)),
                QStringLiteral("margins"),
                QStringLiteral("%1,%2,%3,%4").arg(p.Margins[0]).arg(p.Margins[1]).arg(p.Margins[2]).arg(p.Margins[3]));
        a.addIf(p.UseMargins != fresh.UseMargins, QStringLiteral("use-margins"), yesNo(p.UseMargins));
        a.addIf(p.PrintToPrevPage != fresh.PrintToPrevPage, QStringLiteral("previous-page"), yesNo(p.PrintToPrevPage));
        a.addIf(p.ColCount != fresh.ColCount, QStringLiteral("columns"), QString::number(p.ColCount));
        a.addIf(p.ColGap != fresh.ColGap, QStringLiteral("gap"), QString::number(p.ColGap));
        out += QStringLiteral("\n# page %1: %2 object(s)\n").arg(i + 1).arg(p.Objects.size());
        out += (QStringLiteral("page ") + a.joined()).trimmed() + QLatin1Char('\n');
        for (const auto& v : p.Objects)
            printObject(*v, out);
    }
    if (source.Values.Count() > 0 || !source.Variables.isEmpty())
        out += QStringLiteral("\n# variable bindings and variable lines\n");
    for (int i = 0; i < source.Values.Count(); ++i) {
        const TfrValue& v = source.Values.Item(i);
        AttrList a;
        a.add(QStringLiteral("kind"), nameOf(kBindingKinds, v.Typ));
        a.addIf(v.OtherKind != 0, QStringLiteral("special"), QString::number(v.OtherKind));
        a.addIf(!v.DataSetName.isEmpty(), QStringLiteral("dataset"), quote(v.DataSetName));
        a.addIf(!v.FieldName.isEmpty(), QStringLiteral("field"), quote(v.FieldName));
        out += QStringLiteral("binding ") + quote(source.Values.Name(i)) + QLatin1Char(' ') + a.joined() + QLatin1Char('\n');
    }
    for (const QString& line : source.Variables)
        out += QStringLiteral("variable ") + quote(line) + QLatin1Char('\n');
    return out;
}

bool templateFromSource(const QString& text, const QString& baseDir, ReportTemplate& target, QString* error) {
    ReportTemplate t;
    t.Pages.Clear();
    TfrView* last = nullptr;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        try {
            parseLine(tokenize(line), baseDir, t, last);
        } catch (const FrfError& e) {
            if (error)
                *error = QStringLiteral("line %1: %2").arg(n + 1).arg(e.text());
            return false;
        }
    }
    if (t.Pages.Count() == 0) {
        if (error)
            *error = QStringLiteral("the description has no page line");
        return false;
    }
    target = std::move(t);
    return true;
}

}  // namespace lum
