#include "report/frf/template_stream.h"

#include "report/frf/byte_reader.h"
#include "report/frf/byte_writer.h"
#include "report/frf/frf_error.h"
#include "report/frf/values_stream.h"
#include "report/objects/memo_view.h"
#include "report/objects/view_factory.h"

#include <QFile>
#include <QSaveFile>

namespace lum {

namespace {

constexpr quint8 kRecordPage = 255;
constexpr quint8 kRecordValues = 254;
constexpr quint8 kRecordDataManager = 253;
// An old framed memo: read as a memo, with eight more bytes after its data.
const QString kFramedMemoClass = QStringLiteral("TFRFRAMEDMEMOVIEW");
constexpr qsizetype kFramedMemoExtra = 8;

bool currentEncodings(quint8 version) { return version >= kTemplateVersionCurrent; }

QString readString(ByteReader& in, quint8 version) {
    return currentEncodings(version) ? in.currentString() : in.oldString();
}

void readPage(ByteReader& in, quint8 version, TfrPage& page) {
    page.PaperSize = in.i32();
    page.PaperWidth = in.i32();
    page.PaperHeight = in.i32();
    for (int& m : page.Margins)
        m = in.i32();
    page.Orientation = in.u8();
    if (!currentEncodings(version))
        in.skip(6);
    page.PrintToPrevPage = in.u16() != 0;
    page.UseMargins = in.u16() != 0;
    page.ColCount = in.i32();
    page.ColGap = in.i32();
}

void writePage(ByteWriter& out, const TfrPage& page) {
    out.i32(page.PaperSize);
    out.i32(page.PaperWidth);
    out.i32(page.PaperHeight);
    for (int m : page.Margins)
        out.i32(m);
    out.u8(page.Orientation);
    out.u16(page.PrintToPrevPage ? 0xFFFF : 0);
    out.u16(page.UseMargins ? 0xFFFF : 0);
    out.i32(page.ColCount);
    out.i32(page.ColGap);
}

// Reads one object record after its type byte and adds the object to its page.
void readObject(ByteReader& in, quint8 version, quint8 typ, ReportTemplate& t, UniqueNamer& namer) {
    QString className;
    if (typ == gtAddIn)
        className = readString(in, version);
    const quint8 pageIndex = in.u8();
    if (pageIndex >= t.Pages.Count())
        throw FrfError(QStringLiteral("An object names page %1, but only %2 pages come before it.")
                           .arg(pageIndex + 1)
                           .arg(t.Pages.Count()));
    const bool framedMemo = typ == gtAddIn && className.toUpper() == kFramedMemoClass;
    std::unique_ptr<TfrView> view = CreateViewByType(framedMemo ? quint8(gtMemo) : typ, className);
    if (!view)
        throw FrfError(QStringLiteral("Unknown object type %1.").arg(typ));
    view->LoadFromStream(in, TfrStreamContext{version, TfrStreamMode::Template});
    if (framedMemo)
        in.skip(kFramedMemoExtra);
    if (currentEncodings(version))
        namer.take(view->Name);
    else
        view->Name = namer.make(view->BaseName);
    t.Pages[pageIndex].add(std::move(view));
}

// Reads everything after the version byte into a fresh template.
void readBody(ByteReader& in, quint8 version, ReportTemplate& t) {
    t.Pages.Clear();
    t.PrintToDefault = in.u16();
    t.DoublePass = in.u16();
    t.PrinterName = readString(in, version);
    UniqueNamer namer;
    while (!in.atEnd()) {
        const qsizetype at = in.pos();
        const quint8 record = in.u8();
        if (record == kRecordPage) {
            readPage(in, version, t.Pages.Add());
        } else if (record <= gtLine || record == gtAddIn) {
            readObject(in, version, record, t, namer);
        } else if (record == kRecordValues) {
            readValuesFromStream(in, t.Values);
            t.Variables = currentEncodings(version) ? in.currentLines() : in.oldLines();
        } else if (record == kRecordDataManager) {
            break;
        } else {
            throw FrfError(QStringLiteral("Unknown record %1 at byte %2.").arg(record).arg(at));
        }
    }
}

}  // namespace

TemplateLoadResult LoadTemplateFromStream(const QByteArray& bytes, ReportTemplate& target) {
    TemplateLoadResult result;
    ByteReader in(bytes);
    try {
        quint8 version = in.u8();
        if (version < kTemplateVersionOldest) {
            // Written before streams began with a version: read from the start.
            version = kTemplateVersionOldest;
            in.seek(0);
        }
        result.version = version;
        if (version > kTemplateVersionCurrent) {
            result.status = TemplateLoadResult::Status::UnsupportedVersion;
            result.message = kUnsupportedFrfFormat;
            result.detail = QStringLiteral("Template version %1 is newer than this program reads (%2).")
                                .arg(version)
                                .arg(kTemplateVersionCurrent);
            return result;
        }
        ReportTemplate loaded;
        readBody(in, version, loaded);
        if (loaded.Pages.Count() == 0)
            loaded.Pages.Add();
        target = std::move(loaded);
        return result;
    } catch (const FrfError& e) {
        result.status = TemplateLoadResult::Status::Damaged;
        result.message = kUnsupportedFrfFormat;
        result.detail = e.text();
    } catch (const std::bad_alloc&) {
        result.status = TemplateLoadResult::Status::Damaged;
        result.message = kUnsupportedFrfFormat;
        result.detail = QStringLiteral("The template needs more memory than there is.");
    }
    target = ReportTemplate();  // one empty A4 portrait page
    return result;
}

TemplateLoadResult LoadTemplateFromFile(const QString& fileName, ReportTemplate& target) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        TemplateLoadResult result;
        result.status = TemplateLoadResult::Status::CannotOpen;
        result.message = QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString());
        result.detail = file.errorString();
        return result;
    }
    return LoadTemplateFromStream(file.readAll(), target);
}

QByteArray SaveTemplateToStream(const ReportTemplate& source) {
    ByteWriter out;
    out.u8(kTemplateVersionCurrent);
    out.u16(source.PrintToDefault);
    out.u16(source.DoublePass);
    out.currentString(source.PrinterName);
    for (int i = 0; i < source.Pages.Count(); ++i) {
        out.u8(kRecordPage);
        writePage(out, source.Pages[i]);
    }
    const TfrStreamContext ctx{kTemplateVersionCurrent, TfrStreamMode::Template};
    for (int i = 0; i < source.Pages.Count(); ++i) {
        for (const auto& view : source.Pages[i].Objects) {
            if (i > 255)  // an object names its page in one byte
                throw FrfError(QStringLiteral("Object \"%1\" lies on page %2; objects can lie on the first 256 "
                                              "pages only.").arg(view->Name).arg(i + 1));
            out.u8(view->Typ);
            if (view->Typ == gtAddIn)
                out.currentString(view->addInClassName());
            out.u8(quint8(i));
            view->SaveToStream(out, ctx);
        }
    }
    out.u8(kRecordValues);
    writeValuesToStream(out, source.Values);
    out.currentLines(source.Variables);
    return out.take();
}

bool SaveTemplateToFile(const QString& fileName, const ReportTemplate& source, QString* error) {
    QByteArray bytes;
    try {
        bytes = SaveTemplateToStream(source);
    } catch (const FrfError& e) {
        if (error)
            *error = e.text();
        return false;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, file.errorString());
        return false;
    }
    return true;
}

void writePreparedObject(ByteWriter& out, const TfrView& view) {
    out.u8(view.Typ);
    if (view.Typ == gtAddIn)
        out.currentString(view.addInClassName());
    view.SaveToStream(out, TfrStreamContext{kTemplateVersionCurrent, TfrStreamMode::Prepared});
}

std::vector<std::unique_ptr<TfrView>> readPreparedObjects(const QByteArray& stream) {
    ByteReader in(stream);
    std::vector<std::unique_ptr<TfrView>> views;
    if (in.atEnd())
        return views;
    const quint8 version = in.u8();
    if (version != kTemplateVersionCurrent)
        throw FrfError(QStringLiteral("A prepared page of version %1 cannot be read.").arg(version));
    while (!in.atEnd()) {
        const quint8 typ = in.u8();
        const QString className = typ == gtAddIn ? in.currentString() : QString();
        std::unique_ptr<TfrView> view = CreateViewByType(typ, className);
        if (!view)
            throw FrfError(QStringLiteral("Unknown object type %1 on a prepared page.").arg(typ));
        view->LoadFromStream(in, TfrStreamContext{kTemplateVersionCurrent, TfrStreamMode::Prepared});
        views.push_back(std::move(view));
    }
    return views;
}

}  // namespace lum
