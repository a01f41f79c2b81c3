#pragma once
// The paper forms' way of marking a choice: an oval drawn around the chosen
// caption. TMarker is one oval; TMarkerPair is a two-way choice (有/無,
// 有り/無し) whose state the pair itself holds, so nothing ever reads a
// choice back from which marker happens to be visible.
#include <QLabel>
#include <QWidget>

// An oval outline laid over a caption; mouse clicks pass through it.
class TMarker : public QWidget {
    Q_OBJECT
public:
    explicit TMarker(QWidget* parent = nullptr);

    // Places the oval around the widget's rectangle (a sibling), with a margin.
    void surround(const QWidget& caption, int margin = 3);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A caption the user chooses with the mouse, or with Space or Enter once Tab
// has brought the focus to it.
class TChoiceLabel : public QLabel {
    Q_OBJECT
public:
    explicit TChoiceLabel(const QString& caption, QWidget* parent = nullptr);

signals:
    void chosen();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

class TMarkerPair : public QWidget {
    Q_OBJECT
public:
    enum class Choice { None, Yes, No };

    // Object names of the two captions and their markers (NyushoAri,
    // NyushoNasi, NyushoShapeAri, NyushoShapeNasi, ...).
    struct Names {
        QString yesLabel, noLabel, yesShape, noShape;
    };
    TMarkerPair(const Names& names, const QString& yesCaption, const QString& noCaption, QWidget* parent = nullptr);

    Choice choice() const { return choice_; }
    bool isYes() const { return choice_ == Choice::Yes; }
    // Sets the choice and its markers without reporting a click.
    void setChoice(Choice choice);
    void setYes(bool yes) { setChoice(yes ? Choice::Yes : Choice::No); }

    TChoiceLabel* YesLabel;
    TChoiceLabel* NoLabel;
    TMarker* YesShape;
    TMarker* NoShape;

signals:
    // The user chose a caption; choice() already tells the new state.
    void clicked(bool yes);

private:
    void choose(bool yes);
    Choice choice_ = Choice::None;
};
