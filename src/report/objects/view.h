#pragma once
// TfrView: the base of every report object (memo, picture, band, sub-report,
// line and the add-ins). It holds the fields every object stores and reads
// and writes their common stream data; each class adds its own after it.
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <memory>

namespace lum {

class ByteReader;
class ByteWriter;

// A colour as the templates store it: red in the low byte.
using TColor = qint32;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
// The fill colour that means "no fill".
inline constexpr TColor clNone = 0x1FFFFFFF;

// Type bytes of the stream (`Typ`).
enum TfrObjectType : quint8 {
    gtMemo = 0,
    gtPicture = 1,
    gtBand = 2,
    gtSubReport = 3,
    gtLine = 4,
    gtAddIn = 10,
};

// Frame sides in `FrameTyp`.
enum TfrFrameSide : quint16 { frRight = 1, frBottom = 2, frLeft = 4, frTop = 8, frAllSides = 15 };

// Frame pen styles in `FrameStyle`; 5 draws a double line.
enum TfrFrameStyle : quint16 {
    fsSolid = 0,
    fsDash = 1,
    fsDot = 2,
    fsDashDot = 3,
    fsDashDotDot = 4,
    fsDouble = 5,
};

// Bit 15 of `Flags` puts the object on the engine's per-object hook list.
inline constexpr quint16 flHookList = 0x8000;

// What a stream holds of an object: a template keeps everything, a prepared
// page leaves out what only preparation needs.
enum class TfrStreamMode : quint8 { Template = 0, Prepared = 1 };

// The version of the template stream being read decides its encodings.
inline constexpr quint8 kTemplateVersionOldest = 21;
inline constexpr quint8 kTemplateVersionCurrent = 23;

// Where the stream codec of one object reads or writes.
struct TfrStreamContext {
    quint8 version = kTemplateVersionCurrent;
    TfrStreamMode mode = TfrStreamMode::Template;
};

// The display format of a new object: text, 2 decimals, '.' as separator.
inline constexpr qint32 kDefaultDisplayFormat = (2 << 8) | '.';

class TfrView {
public:
    virtual ~TfrView();
    TfrView(const TfrView&) = delete;
    TfrView& operator=(const TfrView&) = delete;

    // A new object (its own ID) with the template fields of this one: what a
    // run-time copy starts from. The expanded text is not copied.
    virtual std::unique_ptr<TfrView> clone() const = 0;
    // The class name an add-in is stored under; empty for built-in types.
    virtual QString addInClassName() const { return {}; }

    // Reads or writes the object's data after its type byte (and page index).
    virtual void LoadFromStream(ByteReader& in, const TfrStreamContext& ctx);
    virtual void SaveToStream(ByteWriter& out, const TfrStreamContext& ctx) const;

    void SetBounds(int left, int top, int width, int height);

    // Called, for an object on the engine's hook list, after a memo object
    // has been written to a prepared page; the built-in objects ignore it.
    virtual void NotifyPrinted(TfrView* /*printed*/) {}

    QString Name;
    int ID = 0;
    quint8 Typ = 0;
    QString BaseName = QStringLiteral("View");
    int Left = 0, Top = 0, Width = 0, Height = 0;
    quint16 Flags = 0;
    quint16 FrameTyp = 0;
    float FrameWidth = 1;
    TColor FrameColor = clBlack;
    quint16 FrameStyle = fsSolid;
    TColor FillColor = clNone;
    qint32 Format = kDefaultDisplayFormat;
    QString FormatStr;
    bool Visible = true;
    QStringList Memo;
    QStringList Memo1;
    QStringList Script;
    TfrStreamMode StreamMode = TfrStreamMode::Template;

protected:
    TfrView(quint8 typ, const QString& baseName);
    // Copies the template fields of TfrView.
    void assignBase(const TfrView& from);
};

// Numbers objects as they are made; never reset while the program runs.
int nextViewId();

// The frame width as the stream holds it: whole widths up to 10 as they are,
// every other width times 1000.
qint32 encodeFrameWidth(float width);
float decodeFrameWidth(qint32 stored);

}  // namespace lum
