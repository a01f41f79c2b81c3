#include "schedule/staff_drag.h"

#include "schedule/client_drag.h"

#include <QMimeData>

namespace lum {

const QString StaffDragMimeType = QStringLiteral("application/x-lumorind-staff");

QByteArray encodeStaffDrag(int staffCode) { return encodeClientDrag(staffCode); }

std::optional<int> decodeStaffDrag(const QByteArray& payload) { return decodeClientDrag(payload); }

QMimeData* staffDragMimeData(int staffCode) {
    auto* data = new QMimeData;
    data->setData(StaffDragMimeType, encodeStaffDrag(staffCode));
    return data;
}

}  // namespace lum
