#pragma once
// The picture object. Its graphic is kept as the bytes the stream holds
// (a bitmap file, an enhanced metafile or an icon file), so a template is
// written back exactly as it was read; drawing decodes them on demand.
#include "report/objects/view.h"

#include <QByteArray>
#include <QImage>

namespace lum {

enum class TfrGraphicKind : quint8 { None = 0, Bitmap = 1, Metafile = 2, Icon = 3 };

class TfrPictureView : public TfrView {
public:
    // `Flags` bits of a picture.
    static constexpr quint16 flStretch = 1;
    static constexpr quint16 flCenter = 2;
    static constexpr quint16 flKeepAspect = 4;

    TfrPictureView();
    std::unique_ptr<TfrView> clone() const override;
    void LoadFromStream(ByteReader& in, const TfrStreamContext& ctx) override;
    void SaveToStream(ByteWriter& out, const TfrStreamContext& ctx) const override;

    TfrGraphicKind GraphicKind = TfrGraphicKind::None;
    QByteArray GraphicData;

    bool isEmpty() const { return GraphicKind == TfrGraphicKind::None || GraphicData.isEmpty(); }
    // The bitmap or icon as an image; a null image for a metafile or none.
    QImage image() const;
    // Makes the picture the given image, stored as a bitmap file.
    void setImage(const QImage& image);
    void clear();
};

// Whether bytes begin as a graphic of the kind must (the header a loader
// would check). Kind None accepts anything.
bool graphicHeaderValid(TfrGraphicKind kind, const QByteArray& bytes);

}  // namespace lum
