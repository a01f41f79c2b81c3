#include "report/objects/view_factory.h"

#include "report/frf/frf_error.h"
#include "report/objects/addin_views.h"
#include "report/objects/band_view.h"
#include "report/objects/memo_view.h"
#include "report/objects/picture_view.h"

namespace lum {

namespace {
QList<TfrAddInEntry>& table() {
    static QList<TfrAddInEntry> entries = {
        {QStringLiteral("TfrCheckBoxView"), [] { return std::make_unique<TfrCheckBoxView>(); },
         QStringLiteral("Insert CheckBox object")},
        {QStringLiteral("TfrShapeView"), [] { return std::make_unique<TfrShapeView>(); },
         QStringLiteral("Insert Shape object")},
    };
    return entries;
}
}  // namespace

const QList<TfrAddInEntry>& addInTable() { return table(); }

void RegisterAddIn(const TfrAddInEntry& entry) { table().append(entry); }

std::unique_ptr<TfrView> CreateViewByType(quint8 typ, const QString& className) {
    switch (typ) {
    case gtMemo: return std::make_unique<TfrMemoView>();
    case gtPicture: return std::make_unique<TfrPictureView>();
    case gtBand: return std::make_unique<TfrBandView>();
    case gtSubReport: return std::make_unique<TfrSubReportView>();
    case gtLine: return std::make_unique<TfrLineView>();
    case gtAddIn:
        for (const TfrAddInEntry& e : table()) {
            if (e.className == className) {
                std::unique_ptr<TfrView> view = e.create();
                view->Typ = gtAddIn;
                return view;
            }
        }
        throw FrfError(QStringLiteral("Class not found: %1").arg(className));
    default: return nullptr;
    }
}

}  // namespace lum
