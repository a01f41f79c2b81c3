#pragma once
// The scroll box that carries a document's paper sheet: the mouse wheel moves
// it 32 pixels a notch wherever the pointer is on the sheet, over a drop-down,
// a spin box or a date field without the focus too, whose value the
// application's wheel rule keeps; and a resize centres the sheet horizontally
// (scrolling back to the top where the document asks for it).
#include <QScrollArea>

class TSheetScrollBox : public QScrollArea {
    Q_OBJECT
public:
    explicit TSheetScrollBox(QWidget* parent = nullptr);

    static constexpr int WheelStep = 32;
    bool ScrollToTopOnResize = false;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Scroll(const QWheelEvent& event);

    int wheelRest_ = 0;  // eighths of a degree not yet a whole notch
};
