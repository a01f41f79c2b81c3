#pragma once
// A message box takes the keyboard focus, and the grid editor or overlay it
// came from may be gone when the box closes; the window would then give the
// focus to its first field. Held over a step that starts from a cell of a
// grid, this puts the focus back into the grid at that cell when the step
// showed a message (just after the step, from the event loop), so the arrow
// keys keep moving in the grid.
class QTableWidget;

namespace lum {

class CellAfterMessage {
public:
    // The grid's current cell as the step begins, or the cell given; row -1:
    // the grid keeps whatever cell the step made current.
    explicit CellAfterMessage(QTableWidget* grid);
    CellAfterMessage(QTableWidget* grid, int row, int column);
    ~CellAfterMessage();
    CellAfterMessage(const CellAfterMessage&) = delete;
    CellAfterMessage& operator=(const CellAfterMessage&) = delete;

private:
    QTableWidget* grid_;
    int row_;
    int column_;
    unsigned messages_;
};

}  // namespace lum
