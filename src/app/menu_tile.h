#pragma once
// A menu tile of the main window: a panel with a picture filling it and a label
// on the picture. A click on any of the three runs the tile's click.
#include "app/pictures.h"

#include <QFrame>

class QLabel;

namespace lum {

class MenuTile : public QFrame {
    Q_OBJECT
public:
    // objectName is the panel's control name; the picture and the label get
    // the same name with "Image" and "Label" appended.
    MenuTile(const QString& objectName, const QString& caption, TileSymbol symbol, QWidget* parent);

    QLabel* picture() const { return picture_; }
    QLabel* label() const { return label_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateLook();

    TileSymbol symbol_;
    QLabel* picture_;
    QLabel* label_;
    bool pressed_ = false;
    bool hovered_ = false;
};

}  // namespace lum
