#include "widgets/ime.h"

#include "widgets/qt_ime_service.h"

#include <QCoreApplication>

namespace lum {
namespace {

ImeService* g_override = nullptr;

QtImeService*& qtService() {
    static QtImeService* service = nullptr;
    return service;
}

// The Qt service must see the input-method events from the start of the run,
// before any window asks for a reading, so it is created with the application.
void createQtService() {
    if (!qtService()) {
        qtService() = new QtImeService;
        qtService()->setParent(QCoreApplication::instance());
        QObject::connect(qtService(), &QObject::destroyed, [] { qtService() = nullptr; });
    }
}
Q_COREAPP_STARTUP_FUNCTION(createQtService)

}  // namespace

ImeService& imeService() {
    if (g_override) return *g_override;
    createQtService();
    return *qtService();
}

void setImeService(ImeService* service) { g_override = service; }

void GetImeReading(QWidget* control, QString& reading) { reading = imeService().reading(control); }

bool ImeConvertText(QWidget* control, const QString& text) { return imeService().convertText(control, text); }

}  // namespace lum
