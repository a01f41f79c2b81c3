#pragma once
// What a staff member dragged from the client month schedule's staff list
// carries: the staff code, in a MIME type of our own, so its item labels
// accept a staff member and nothing else (a client from a board, another
// program's text). The payload is the code in decimal ASCII, read by the
// same rule as a client's number (client_drag.h).
#include <QByteArray>
#include <QString>

#include <optional>

class QMimeData;

namespace lum {

// "application/x-lumorind-staff"
extern const QString StaffDragMimeType;

QByteArray encodeStaffDrag(int staffCode);
// The code, or nothing when the bytes are not one positive number.
std::optional<int> decodeStaffDrag(const QByteArray& payload);
// New MIME data carrying the staff member (the caller owns it).
QMimeData* staffDragMimeData(int staffCode);

}  // namespace lum
