#include "printing/print_pract_form.h"

#include "app/main_module.h"
#include "app/staff_box.h"
#include "common/code_tables.h"
#include "common/db/sql_date.h"
#include "common/kubun.h"
#include "plans/blob_document_store.h"
#include "plans/document_kinds.h"
#include "plans/practice_plan_values.h"
#include "platform/db/facility_database.h"

#include <QSqlRecord>

#include <stdexcept>

TPrintPractForm* PrintPractForm = nullptr;

const QString PracticeFormatErrorText = QStringLiteral("System DB Read Error:実施計画データの形式エラーです。");

namespace {

const QString kTemplate = QStringLiteral("PracticePlan.frf");

QVector<lum::KanaRowListColumn> listColumns() {
    return {
        lum::cureNoColumn(80, QStringLiteral("利用者番号")),
        {QStringLiteral("Kana"), 120, QStringLiteral("カナ"), {}},
        {QStringLiteral("Name"), 120, QStringLiteral("氏名"), {}},
        TPlanPrintListForm::DateColumn(QStringLiteral("PrcticeDay"), 100, QStringLiteral("評価実施日"),
                                       [](lum::TDateTime day) { return day.toDateText(); }),
        TPlanPrintListForm::TypeColumn(100),
        TPlanPrintListForm::KubunColumn(150),
    };
}

}  // namespace

TPrintPractForm::TPrintPractForm(QWidget* parent)
    : TPlanPrintListForm({QStringLiteral("PrintPractForm"), QStringLiteral("リハビリ実施計画書（印刷）"),
                          QStringLiteral("リハビリ実施計画書（印刷）"), listColumns(), QSize(760, 600)},
                         parent) {
    frUserDataset1.RangeEnd = lum::reCount;
    frUserDataset1.RangeEndCount = lum::PracticeFirstSourceRecords;
    frUserDataset2.RangeEnd = lum::reCount;
    frUserDataset2.RangeEndCount = lum::PracticeSecondSourceRecords;
    frUserDataset3.RangeEnd = lum::reCount;
    frUserDataset3.RangeEndCount = 0;
    for (lum::TfrUserDataset* ds : {&frUserDataset1, &frUserDataset2, &frUserDataset3}) Components.addDataSource(ds);
    frReport1.ReportType = lum::rtMultiple;
    frReport1.Dataset = &frUserDataset3;
    frReport1.OnBeginPage = [this](int) { BeginPage(); };
    frReport1.OnGetValue = [this](const QString& name, lum::ExprValue& value) { GetValue(name, value); };
}

TPrintPractForm::~TPrintPractForm() {
    for (lum::TfrUserDataset* ds : {&frUserDataset1, &frUserDataset2, &frUserDataset3}) Components.remove(ds->Name);
}

QString TPrintPractForm::ListSql(bool recent) const {
    // The plan itself (PracticeData) is read page by page, by its PractNo.
    return QStringLiteral(
               "SELECT Practice.PractNo, Person.CureNo, Practice.PrcticeDay, Person.Kana, Person.Name, "
               "Person.RihaType, Person.KubunCode, Practice.DataFormatVersion "
               "FROM Person INNER JOIN Practice ON Person.CureNo = Practice.CureNo ") +
           (recent ? QStringLiteral("WHERE ( Practice.PrcticeDay >= :from ) ") : QString()) +
           QStringLiteral("ORDER BY Person.Kana, Practice.PrcticeDay, Practice.PractNo");
}

QString TPrintPractForm::NoListMessage() const { return QStringLiteral("*** SystemError : 印刷データがありません。"); }

void TPrintPractForm::PrintRows(const QVector<QSqlRecord>& rows) {
    // The list then shows the last plan a page was formed for.
    if (const std::optional<int> last = PrintChosen(rows, QStringLiteral("PractNo"), frUserDataset3, kTemplate)) {
        List->ShowOnly([last](const QSqlRecord& r) { return r.value(QStringLiteral("PractNo")).toInt() == *last; });
    }
}

void TPrintPractForm::BeginPage() {
    const std::optional<int> practNo = PlanToRead(frUserDataset3.RecNo());
    if (!practNo) return;
    const lum::BlobDocumentStore store(lum::requireFacilityDatabase(),
                                       lum::documentKind(lum::DocumentId::PracticePlan));
    const lum::BlobDocumentStore::Loaded loaded = store.loadByNumber(*practNo);
    switch (loaded.status) {
    case lum::BlobDocumentStore::LoadStatus::Ok:
        plan_ = lum::decodePracticePlan(loaded.record).value_or(lum::TPracticePlan{});
        break;
    case lum::BlobDocumentStore::LoadStatus::NotFound:
        // A plan deleted since the list was read prints nothing of another plan.
        plan_ = lum::TPracticePlan{};
        break;
    case lum::BlobDocumentStore::LoadStatus::FormatError:
    case lum::BlobDocumentStore::LoadStatus::ShortRecord:
        // Ends the printout; the engine shows the text.
        throw std::runtime_error(PracticeFormatErrorText.toStdString());
    }
}

void TPrintPractForm::GetValue(const QString& name, lum::ExprValue& value) {
    const lum::PracticePlanPrint print{plan_, frUserDataset1.RecNo(), frUserDataset2.RecNo(), lum::staffName};
    if (std::optional<lum::ExprValue> v = lum::practicePlanValue(print, name)) value = *v;
}
