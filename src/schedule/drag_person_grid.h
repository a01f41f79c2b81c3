#pragma once
// The client grid of a board (DragPersonDBGrid), the source of the client
// drag. Picking is two steps: a mouse-up on a row tells the board
// (mouseUp), which stores the client and arms the grid; the next
// press-and-move starts a drag carrying the armed client (client_drag.h).
// While armed a press does not move the selection, so the row shown chosen
// is the one dragged; a press released without moving is a plain click.
// The end of a drag is reported (dragEnded); the board disarms then.
// The client month schedule drags a staff member from a grid of the same
// kind (DragStuffDBGrid, staff_drag.h): the grid is told its name and the
// MIME type its drag carries, and arms with the staff code.
#include <QTableView>

class DragPersonGrid : public QTableView {
    Q_OBJECT
public:
    explicit DragPersonGrid(QWidget* parent = nullptr);
    DragPersonGrid(QWidget* parent, const QString& objectName, const QString& mimeType);

    // Arms the drag of a client; the next press-and-move drags it.
    void arm(int cureNo);
    void disarm();
    bool armed() const { return armedCureNo_ > 0; }
    int armedCureNo() const { return armedCureNo_; }

signals:
    // After every mouse-up on the grid, with its button and the keys held.
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    // A drag started here has ended (dropped or not).
    void dragEnded();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void startClientDrag();

    QString mimeType_;
    int armedCureNo_ = 0;
    bool pressPending_ = false;  // armed, pressed, not yet moved far enough
    QPoint pressPos_;
};
