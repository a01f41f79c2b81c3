#pragma once
// The splash window shown while the windows are created. It has no code of its
// own beyond its layout: the main routine creates it, fills the progress
// labels and frees it.
#include <QWidget>

class QLabel;

class TGreetForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 641;
    static constexpr int kClientHeight = 453;

    explicit TGreetForm(QWidget* parent = nullptr);

    // line 1 to 3: GLabel1 .. GLabel3; the line is repainted at once.
    void setProgress(int line, const QString& caption);

    // True once the window has been painted: where the X server maps a window
    // at once (no window manager), show() already paints it.
    bool painted() const { return painted_; }

    QLabel* GLabel1;
    QLabel* GLabel2;
    QLabel* GLabel3;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool painted_ = false;
};
