#include "widgets/cell_after_message.h"

#include "platform/ui/dialogs.h"

#include <QPointer>
#include <QTableWidget>

namespace lum {

CellAfterMessage::CellAfterMessage(QTableWidget* grid)
    : CellAfterMessage(grid, grid->currentRow(), grid->currentColumn()) {}

CellAfterMessage::CellAfterMessage(QTableWidget* grid, int row, int column)
    : grid_(grid), row_(row), column_(column), messages_(messagesShown()) {}

CellAfterMessage::~CellAfterMessage() {
    if (messagesShown() == messages_) return;
    // Once the key that ended the typing has done its part (Tab and Enter
    // close the editor and may move on after the step).
    QMetaObject::invokeMethod(
        grid_,
        [grid = QPointer<QTableWidget>(grid_), row = row_, column = column_] {
            if (!grid) return;
            if (row >= 0 && row < grid->rowCount() && column >= 0 && column < grid->columnCount()) {
                grid->setCurrentCell(row, column);
            }
            grid->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
}

}  // namespace lum
