#pragma once
// The two add-in objects: the check box, crossed or empty by an expression,
// and the shape. Templates store them as type 10 with their class name.
#include "report/objects/view.h"

namespace lum {

class TfrCheckBoxView : public TfrView {
public:
    TfrCheckBoxView();
    std::unique_ptr<TfrView> clone() const override;
    QString addInClassName() const override { return QStringLiteral("TfrCheckBoxView"); }

    // Drawn crossed when the first text line exists, is not empty and does
    // not begin with "0".
    static bool isCrossed(const QStringList& lines);
    bool isCrossed() const { return isCrossed(Memo1.isEmpty() ? Memo : Memo1); }
    // The text a prepared page stores for the value of the expression: the
    // value truncated to an integer (0.9 gives "0", -1 stays "-1").
    static QString preparedText(double value);
};

enum TfrShapeKind : quint8 {
    skRectangle = 0,
    skRoundRectangle = 1,
    skEllipse = 2,
    skTriangle = 3,
    skDiagonal1 = 4,  // top left to bottom right
    skDiagonal2 = 5,  // bottom left to top right
};
inline constexpr int kShapeKindCount = 6;
// The kinds' names as an editor lists them.
QString shapeKindName(int kind);

class TfrShapeView : public TfrView {
public:
    TfrShapeView();
    std::unique_ptr<TfrView> clone() const override;
    QString addInClassName() const override { return QStringLiteral("TfrShapeView"); }
    void LoadFromStream(ByteReader& in, const TfrStreamContext& ctx) override;
    void SaveToStream(ByteWriter& out, const TfrStreamContext& ctx) const override;

    quint8 ShapeType = skRectangle;
};

}  // namespace lum
