#pragma once
// Prepared pages made by hand for the .frp, drawing and printing tests.
#include "report/engine/prepared_pages.h"
#include "report/frf/byte_writer.h"
#include "report/frf/template_stream.h"
#include "report/objects/addin_views.h"
#include "report/objects/memo_view.h"
#include "report/objects/picture_view.h"

#include <QImage>

namespace lum::test {

inline void addObject(TfrPreparedPage& page, const TfrView& view) {
    ByteWriter out(page.Stream.size());
    writePreparedObject(out, view);
    page.Stream += out.data();
}

// A page of the paper with a framed memo holding `text`, a picture (whose
// end position counts from the page stream's start) and a check box.
inline TfrPreparedPage& addTextPage(TfrEMFPages& pages, const QString& text, int paper = 9, int orientation = 0) {
    TfrPage tpl(paper, 2100, 2970, quint8(orientation));
    TfrPreparedPage& p = pages.InsertPage(pages.Count(), tpl, defaultPrinterGeometry(paper, 2100, 2970, orientation));
    TfrMemoView memo;
    memo.SetBounds(40, 40, 300, 30);
    memo.FrameTyp = frAllSides;
    memo.Memo1 = QStringList{text};
    addObject(p, memo);
    TfrPictureView picture;
    QImage image(6, 6, QImage::Format_RGB32);
    image.fill(Qt::blue);
    picture.setImage(image);
    picture.SetBounds(400, 40, 24, 24);
    picture.Flags = TfrPictureView::flStretch;
    addObject(p, picture);
    TfrCheckBoxView box;
    box.SetBounds(40, 100, 20, 20);
    box.Memo1 = QStringList{QStringLiteral("-1")};
    addObject(p, box);
    return p;
}

}  // namespace lum::test
