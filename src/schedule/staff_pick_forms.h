#pragma once
// The two staff pickers:
// - TStuffAllChangeForm "担当者一括変更": a staff member for all frames of a
//   day board column; StuffCode after Accepted. The choice stays from one use
//   to the next.
// - TStuffSelectForm "スタックの指定": a staff member for a booking of the
//   client month schedule; StuffCode and StuffName after Accepted.
#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

class TStuffAllChangeForm : public QDialog {
    Q_OBJECT
public:
    explicit TStuffAllChangeForm(QWidget* parent = nullptr);
    void FormCreate();

    int StuffCode = -1;

    QLabel* ErrorLabel;
    QComboBox* KaigoStuffBox;
    QPushButton* CancelButton;
    QPushButton* SetButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetButtonClick();
};

class TStuffSelectForm : public QDialog {
    Q_OBJECT
public:
    explicit TStuffSelectForm(QWidget* parent = nullptr);
    void FormCreate();

    // A caller may set it; the picker does not preselect from it.
    int StuffCode = -1;
    QString StuffName;

    QComboBox* KaigoStuffBox;
    QPushButton* CancelButton;
    QPushButton* SetButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetButtonClick();
};

extern TStuffAllChangeForm* StuffAllChangeForm;
extern TStuffSelectForm* StuffSelectForm;
