#pragma once
// A date picker that stands alone (no era-date edit beside it): one Tab
// stop, so Tab leaves it instead of walking its year, month and day; the
// arrows pick the part and change it, the calendar pops up on the mouse.
#include <QDateEdit>

namespace lum {

class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);

protected:
    bool focusNextPrevChild(bool next) override;
};

}  // namespace lum
