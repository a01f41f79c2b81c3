#pragma once
// TfrProgressForm: the modal window under which the engine prepares and
// prints, so that the user can cancel. The job runs from inside the window's
// own modal loop (posted when the window opens); it writes its progress into
// `Label1` and the window closes when the job ends or on "Cancel".
#include "report/engine/report_progress.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace lum {

class TfrProgressForm : public QDialog, public ReportProgress {
    Q_OBJECT
public:
    explicit TfrProgressForm(QWidget* parent = nullptr);

    bool runModal(const QString& caption, const QString& label, const std::function<void()>& job) override;
    bool isVisible() const override { return QDialog::isVisible(); }
    void setLabel(const QString& label) override;
    void close(bool ok) override;
    void processEvents() override;

    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;

protected:
    void reject() override;  // Esc and "Cancel"

private:
    bool cancelled_ = false;
};

}  // namespace lum
