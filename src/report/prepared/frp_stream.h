#pragma once
// The prepared report file (.frp): the pages a preparation formed, each with
// its paper and object stream, so a report can be shown and printed again
// without its data. Loading checks every count and position against the
// file and replaces the pages only when the whole file was read; saving goes
// through a temporary file, so a failed save never destroys the old file.
#include "report/engine/prepared_pages.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace lum {

inline const QString kCompressedFrpRefused =
    QStringLiteral("Compressed prepared report files are not supported");

struct FrpContext {
    // Selects the printer named in the file (nothing happens when unset).
    std::function<void(const QString& printerName)> selectPrinter;
    // The printer geometry of a page's paper (paper code, width and height in
    // tenths of a millimetre, orientation); the Default printer's when unset.
    std::function<PageGeometry(int paperSize, int width, int height, int orientation)> setupPaper;
};

struct FrpLoadResult {
    bool ok = false;
    QString message;      // shown to the user (caption "Error") when not ok
    QString printerName;  // the printer the file names
};

QByteArray SavePreparedToStream(const TfrEMFPages& pages, const QString& printerName);
bool SavePreparedToFile(const QString& fileName, const TfrEMFPages& pages, const QString& printerName,
                        QString* error = nullptr);

FrpLoadResult LoadPreparedFromStream(const QByteArray& bytes, TfrEMFPages& pages, const FrpContext& ctx = {});
FrpLoadResult LoadPreparedFromFile(const QString& fileName, TfrEMFPages& pages, const FrpContext& ctx = {});

}  // namespace lum
