#pragma once
// The cells of the practice plan's tables that are neither edits nor memos:
// the level cell (selected by the left button, filled through the ABC
// dialog by the right one) and the box with the diagonal line of the
// tables' top-left corner.
#include <QLabel>
#include <QWidget>

class TLevelCell : public QLabel {
    Q_OBJECT
public:
    explicit TLevelCell(QWidget* parent = nullptr);

    bool isSelected() const { return selected_; }
    // Aqua when selected, white otherwise.
    void setSelected(bool on);

signals:
    // The left button released over the cell (or Space with the focus on it).
    void leftReleased();
    // The right button released over the cell (or Enter with the focus on it).
    void rightReleased();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool selected_ = false;
};

// PaintBox1 and PaintBox2: a black line from the top-left corner to the
// bottom-right corner.
class TDiagonalBox : public QWidget {
    Q_OBJECT
public:
    explicit TDiagonalBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
