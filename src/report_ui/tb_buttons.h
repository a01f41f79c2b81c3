#pragma once
// The engine's tool bar buttons: TfrSpeedButton (a push button with a glyph,
// group latching, a flat look raised under the mouse and a grey glyph while
// inactive), TfrTBButton (flat, for tool bars) and TfrTBSeparator (a gap with
// an etched line). Built on QToolButton, which double-buffers its painting.
#include <QFrame>
#include <QImage>
#include <QToolButton>

namespace lum {

// The glyph in grey: every pixel but transparent ones becomes
// (77 red + 150 green + 29 blue) / 256 in all three channels.
QImage grayedGlyph(const QImage& glyph);

class TfrSpeedButton : public QToolButton {
    Q_OBJECT
public:
    explicit TfrSpeedButton(QWidget* parent = nullptr);

    void setGlyph(const QImage& glyph);
    const QImage& glyph() const { return glyph_; }
    bool flat() const { return autoRaise(); }
    void setFlat(bool flat) { setAutoRaise(flat); }
    int margin() const { return margin_; }
    // Values below -1 are refused (-1 centres the glyph).
    void setMargin(int margin);
    int spacing() const { return spacing_; }
    void setSpacing(int spacing) { spacing_ = spacing; }
    bool grayedInactive() const { return grayedInactive_; }
    void setGrayedInactive(bool on);
    int groupIndex() const { return groupIndex_; }
    void setGroupIndex(int index);
    bool allowAllUp() const { return allowAllUp_; }
    void setAllowAllUp(bool allow) { allowAllUp_ = allow; }
    bool down() const { return isChecked(); }
    // Latches (or releases) a grouped button; latching releases the other
    // buttons of the same group on the same parent.
    void setDown(bool down);
    // Whether the glyph shows grey now (flat, enabled, mouse outside, not pressed).
    bool showsGrey() const;

signals:
    void mouseEntered();
    void mouseLeft();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void nextCheckState() override;

private:
    void updateIcon();
    QImage glyph_;
    int margin_ = -1;
    int spacing_ = 4;
    bool grayedInactive_ = true;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool mouseInside_ = false;
};

class TfrTBButton : public TfrSpeedButton {
    Q_OBJECT
public:
    explicit TfrTBButton(QWidget* parent = nullptr);
};

class TfrTBSeparator : public QFrame {
    Q_OBJECT
public:
    explicit TfrTBSeparator(QWidget* parent = nullptr);
    bool drawBevel() const { return drawBevel_; }
    void setDrawBevel(bool on);

private:
    bool drawBevel_ = true;
};

}  // namespace lum
