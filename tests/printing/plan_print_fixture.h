#pragma once
// What the tests of the two plan printouts share: the window made with
// headless report windows and shown, clients of the lists, the list's rows
// by their plan number, its cells, and rows chosen in it.
#include "clients/person_store.h"
#include "print_fixture.h"
#include "report/engine/report_progress.h"
#include "report/engine/tfr_report.h"

#include <QAbstractItemModel>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSqlRecord>
#include <QTableView>

#include <memory>

namespace lum::test {

template <typename Form>
class PlanPrintTest : public PrintWindowTest {
protected:
    // `numberField`: the list's plan number ("PlanNo", "PractNo").
    explicit PlanPrintTest(const char* numberField) : numberField_(QString::fromLatin1(numberField)) {
        clientBase_.Sex = 1;
        clientBase_.Birth = TDateTime::fromYmd(1931, 7, 14);
    }
    void TearDown() override {
        form_.reset();
        PrintWindowTest::TearDown();
    }

    void makeForm() {
        form_ = std::make_unique<Form>();
        form_->frReport1.Ui = &ui_;
        form_->frReport1.Progress = &progress_;
        form_->show();
    }
    // A client as clientBase_ holds it, with these name, kana, type and categories.
    int addClient(const QString& name, const QString& kana, int type, int kubun) {
        TPerson p = clientBase_;
        p.Name = name;
        p.Kana = kana;
        p.RihaType = type;
        p.KubunCode = kubun;
        return PersonStore(db()).insert(p);
    }

    Form& f() { return *form_; }
    QPushButton* button(const char* name) { return f().template findChild<QPushButton*>(QString::fromLatin1(name)); }
    // The plan numbers listed, in list order.
    QVector<int> listed() const {
        QVector<int> n;
        for (int r = 0; r < form_->List->rowCount(); ++r) n << form_->List->row(r).value(numberField_).toInt();
        return n;
    }
    QString cell(int row, int column) const {
        QAbstractItemModel* m = form_->List->DBGrid1->model();
        return m->data(m->index(row, column)).toString();
    }
    void select(const QVector<int>& rows) {
        for (int r : rows)
            f().List->DBGrid1->selectionModel()->select(f().List->DBGrid1->model()->index(r, 0),
                                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    TPerson clientBase_;
    HeadlessReportUi ui_;
    HeadlessProgress progress_;
    std::unique_ptr<Form> form_;

private:
    QString numberField_;
};

}  // namespace lum::test
