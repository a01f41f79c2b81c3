// lumorind-report: the template tool.
//   lumorind-report dump <file.frf>             the template as a readable description (UTF-8)
//   lumorind-report build <source> <file.frf>   a template from such a description
//   lumorind-report render <file.frf> [--records NAME=N ...] [--values FILE]
//                          --pdf OUT.pdf | --png DIR | --frp OUT.frp | --preview
//   lumorind-report render <file.frp> --pdf OUT.pdf | --png DIR | --preview
//   lumorind-report check <file.frf>            the compile errors of the template's scripts
// Templates are written through the engine's own writer, so what the tool
// builds is what the application reads.
#include "render_command.h"
#include "platform/application.h"
#include "report/frf/template_source.h"
#include "report/frf/template_stream.h"
#include "report/script/script_check.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {

void print(FILE* to, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), to);
}

int usage() {
    print(stderr, QStringLiteral("usage: lumorind-report dump <file.frf>\n"
                                 "       lumorind-report build <source> <file.frf>\n"
                                 "       lumorind-report render <file.frf> [--records NAME=N ...] [--values FILE]\n"
                                 "                              --pdf OUT.pdf | --png DIR | --frp OUT.frp | --preview\n"
                                 "       lumorind-report render <file.frp> --pdf OUT.pdf | --png DIR | --preview\n"
                                 "       lumorind-report check <file.frf>\n"));
    return 2;
}

bool load(const QString& fileName, lum::ReportTemplate& t, lum::TemplateLoadResult& r) {
    r = lum::LoadTemplateFromFile(fileName, t);
    if (r.ok()) return true;
    print(stderr, r.message + QLatin1Char('\n'));
    if (!r.detail.isEmpty() && !r.message.contains(r.detail))
        print(stderr, fileName + QStringLiteral(": ") + r.detail + QLatin1Char('\n'));
    return false;
}

int dump(const QString& fileName) {
    lum::ReportTemplate t;
    lum::TemplateLoadResult r;
    if (!load(fileName, t, r)) return 1;
    print(stdout, QStringLiteral("# %1: template version %2\n").arg(QFileInfo(fileName).fileName()).arg(r.version));
    print(stdout, lum::templateToSource(t));
    return 0;
}

// Exit code 1 when a script has errors (each printed), 0 when none has.
int check(const QString& fileName) {
    lum::ReportTemplate t;
    lum::TemplateLoadResult r;
    if (!load(fileName, t, r)) return 1;
    const QStringList errors = lum::checkTemplateScripts(t);
    for (const QString& e : errors) print(stderr, fileName + QStringLiteral(": ") + e + QLatin1Char('\n'));
    return errors.isEmpty() ? 0 : 1;
}

int build(const QString& sourceName, const QString& fileName) {
    QFile source(sourceName);
    if (!source.open(QIODevice::ReadOnly)) {
        print(stderr, QStringLiteral("Cannot open file \"%1\". %2\n").arg(sourceName, source.errorString()));
        return 1;
    }
    lum::ReportTemplate t;
    QString error;
    if (!lum::templateFromSource(QString::fromUtf8(source.readAll()), QFileInfo(sourceName).absolutePath(), t,
                                 &error)) {
        print(stderr, sourceName + QStringLiteral(": ") + error + QLatin1Char('\n'));
        return 1;
    }
    if (!lum::SaveTemplateToFile(fileName, t, &error)) {
        print(stderr, sourceName + QStringLiteral(": ") + error + QLatin1Char('\n'));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Drawing needs a GUI application, the application's own for its previews;
    // without a display it draws offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    lum::Application app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("dump"))
        return dump(args[1]);
    if (args.size() == 3 && args[0] == QLatin1String("build"))
        return build(args[1], args[2]);
    if (args.size() == 2 && args[0] == QLatin1String("check"))
        return check(args[1]);
    if (args.size() >= 2 && args[0] == QLatin1String("render"))
        return renderCommand(args.mid(1));
    return usage();
}
