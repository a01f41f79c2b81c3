#pragma once
// The client information dialog "利用者情報", shown from a board's client
// list: the caller sets the six fields and shows it through lum::runModal.
#include "common/datetime.h"

#include <QDialog>

class QLabel;
class QPushButton;

class TPersonPropertyForm : public QDialog {
    Q_OBJECT
public:
    explicit TPersonPropertyForm(QWidget* parent = nullptr);

    int CureNo = 0;
    lum::TDateTime NyushoDate;  // 0: none
    lum::TDateTime TaishoDate;  // 0: none
    QString RihaTypeText;
    int KubunCode = 0;
    QString UserName;

    QLabel* CureNoLabel;
    QLabel* NameLabel;
    QLabel* NyushoLabel;
    QLabel* TaishoLabel;
    QLabel* RihaTypeLabel;
    QLabel* KubunLabel;
    QPushButton* CloseButton;

protected:
    void showEvent(QShowEvent* event) override;
};

extern TPersonPropertyForm* PersonPropertyForm;
