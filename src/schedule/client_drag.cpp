#include "schedule/client_drag.h"

#include <QMimeData>

namespace lum {

const QString ClientDragMimeType = QStringLiteral("application/x-lumorind-client");

QByteArray encodeClientDrag(int cureNo) { return QByteArray::number(cureNo); }

std::optional<int> decodeClientDrag(const QByteArray& payload) {
    if (payload.isEmpty() || payload.size() > 10) return std::nullopt;
    for (char c : payload) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    bool ok = false;
    const int number = payload.toInt(&ok);
    if (!ok || number <= 0) return std::nullopt;
    return number;
}

QMimeData* clientDragMimeData(int cureNo) {
    auto* data = new QMimeData;
    data->setData(ClientDragMimeType, encodeClientDrag(cureNo));
    return data;
}

bool isClientDrag(const QMimeData* data) { return data && data->hasFormat(ClientDragMimeType); }

}  // namespace lum
