#pragma once
// What a client dragged from a board's client list carries: the picked
// client's CureNo, in a MIME type of our own, so a frame label accepts a
// client and nothing else (another program's text, a file). The drag and the
// drop both use these two functions; tests build the payload with the same
// encoder.
#include <QByteArray>
#include <QString>

#include <optional>

class QMimeData;

namespace lum {

// "application/x-lumorind-client"
extern const QString ClientDragMimeType;

// The payload: the number in decimal ASCII.
QByteArray encodeClientDrag(int cureNo);
// The number, or nothing when the bytes are not one positive number.
std::optional<int> decodeClientDrag(const QByteArray& payload);

// New MIME data carrying the client (the caller owns it, or hands it to a QDrag).
QMimeData* clientDragMimeData(int cureNo);
// Whether the data is a dragged client.
bool isClientDrag(const QMimeData* data);

}  // namespace lum
