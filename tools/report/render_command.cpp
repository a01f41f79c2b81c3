#include "render_command.h"

#include "report/data/report_components.h"
#include "report/engine/tfr_report.h"
#include "report/prepared/frp_stream.h"
#include "report/prepared/page_draw.h"
#include "report/prepared/print_prepared.h"
#include "report/print/qt_printer_device.h"
#include "report/render/font_map.h"
#include "report/render/painter_canvas.h"
#include "report_ui/preview_form.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

void say(FILE* to, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), to);
}

int fail(const QString& text) {
    say(stderr, text + QLatin1Char('\n'));
    return 1;
}

struct Options {
    QString input;
    QList<QPair<QString, int>> records;
    QString valuesFile;
    QString pdf, pngDir, frp;
    bool preview = false;
    double pngScale = 2;
};

bool parse(const QStringList& args, Options& o, QString& error) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const auto next = [&](QString& to) {
            if (i + 1 >= args.size()) {
                error = a + QStringLiteral(" needs a value");
                return false;
            }
            to = args[++i];
            return true;
        };
        QString v;
        if (a == QLatin1String("--records")) {
            if (!next(v)) return false;
            const int eq = int(v.indexOf(QLatin1Char('=')));
            bool ok = false;
            const int n = eq > 0 ? v.mid(eq + 1).toInt(&ok) : 0;
            if (!ok || n < 0) {
                error = QStringLiteral("--records wants NAME=N, not \"%1\"").arg(v);
                return false;
            }
            o.records.append({v.left(eq), n});
        } else if (a == QLatin1String("--values")) {
            if (!next(o.valuesFile)) return false;
        } else if (a == QLatin1String("--pdf")) {
            if (!next(o.pdf)) return false;
        } else if (a == QLatin1String("--png")) {
            if (!next(o.pngDir)) return false;
        } else if (a == QLatin1String("--frp")) {
            if (!next(o.frp)) return false;
        } else if (a == QLatin1String("--preview")) {
            o.preview = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            error = QStringLiteral("unknown option ") + a;
            return false;
        } else if (o.input.isEmpty()) {
            o.input = a;
        } else {
            error = QStringLiteral("one input file only");
            return false;
        }
    }
    if (o.input.isEmpty()) error = QStringLiteral("no input file");
    else if (o.pdf.isEmpty() && o.pngDir.isEmpty() && o.frp.isEmpty() && !o.preview) error = QStringLiteral("no output given");
    return error.isEmpty();
}

// name=value lines (UTF-8); later lines win.
bool readValues(const QString& fileName, QHash<QString, QString>& values, QString& error) {
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, f.errorString());
        return false;
    }
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        const int eq = int(line.indexOf(QLatin1Char('=')));
        if (eq > 0) values.insert(line.left(eq), line.mid(eq + 1).replace(QLatin1String("\\n"), QLatin1String("\n")));
    }
    return true;
}

bool writePngs(const lum::TfrEMFPages& pages, const QString& dir, double scale, QString& error) {
    if (!QDir().mkpath(dir)) {
        error = QStringLiteral("Cannot create folder \"%1\"").arg(dir);
        return false;
    }
    for (int i = 0; i < pages.Count(); ++i) {
        const lum::TfrPreparedPage& page = pages.GetPage(i);
        const QSize size(qRound(page.Geometry.pageWidth * scale), qRound(page.Geometry.pageHeight * scale));
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            lum::QPainterCanvas canvas(painter);
            lum::DrawPage(page, canvas, lum::pageDrawRect(page, 0, 0, scale));
        }
        const QString name = QDir(dir).filePath(QStringLiteral("page-%1.png").arg(i + 1, 3, 10, QLatin1Char('0')));
        if (!image.save(name, "PNG")) {
            error = QStringLiteral("Cannot write \"%1\"").arg(name);
            return false;
        }
    }
    return true;
}

bool writePdf(lum::TfrEMFPages& pages, const QString& fileName, const QString& title, QString& error) {
    lum::PdfPrinterPlatform platform(fileName);
    lum::TfrPrinter printer(&platform);
    lum::PrintRun run;
    run.title = title;
    return lum::PrintPageList(pages, printer, run, &error) == lum::PrintOutcome::Printed;
}

}  // namespace

int renderCommand(const QStringList& args) {
    Options o;
    QString error;
    if (!parse(args, o, error)) return fail(QStringLiteral("render: ") + error);
    lum::installReportFontSubstitutions();

    lum::ReportComponents components(QStringLiteral("RenderForm"));
    std::vector<std::unique_ptr<lum::TfrUserDataset>> sources;
    for (const auto& [name, count] : o.records) {
        auto ds = std::make_unique<lum::TfrUserDataset>(name);
        ds->RangeEnd = lum::reCount;
        ds->RangeEndCount = count;
        components.addDataSource(ds.get());
        sources.push_back(std::move(ds));
    }
    lum::TfrReport report(&components);
    report.ShowProgress = false;

    if (o.input.endsWith(QLatin1String(".frp"), Qt::CaseInsensitive)) {
        const lum::FrpLoadResult r = lum::LoadPreparedFromFile(o.input, report.EMFPages);
        if (!r.ok) return fail(o.input + QStringLiteral(": ") + r.message);
    } else {
        QHash<QString, QString> values;
        if (!o.valuesFile.isEmpty() && !readValues(o.valuesFile, values, error)) return fail(error);
        report.OnGetValue = [&values](const QString& name, lum::ExprValue& value) {
            const auto it = values.constFind(name);
            if (it != values.constEnd()) value = lum::ExprValue(*it);
        };
        lum::HeadlessReportUi ui;
        report.Ui = &ui;
        if (!report.LoadTemplateFromFile(o.input)) return fail(o.input + QStringLiteral(": ") + ui.errors.join(' '));
        try {
            report.Prepare();
        } catch (const std::exception& e) {
            return fail(o.input + QStringLiteral(": ") + QString::fromUtf8(e.what()));
        }
        if (!ui.errors.isEmpty()) return fail(o.input + QStringLiteral(": ") + ui.errors.join(' '));
    }
    if (report.EMFPages.Count() == 0) return fail(o.input + QStringLiteral(": no pages"));
    if (!o.frp.isEmpty() && !lum::SavePreparedToFile(o.frp, report.EMFPages, lum::kDefaultPrinterName, &error))
        return fail(error);
    if (!o.pngDir.isEmpty() && !writePngs(report.EMFPages, o.pngDir, o.pngScale, error)) return fail(error);
    if (!o.pdf.isEmpty() && !writePdf(report.EMFPages, o.pdf, report.Title, error)) return fail(error);
    say(stdout, QStringLiteral("%1 page(s)\n").arg(report.EMFPages.Count()));
    if (o.preview) {
        // The application's preview window, to look at the pages by eye.
        lum::WidgetReportUi ui;
        report.ModalPreview = true;
        ui.showPreview(report, QStringLiteral("Preview"));
    }
    return 0;
}
