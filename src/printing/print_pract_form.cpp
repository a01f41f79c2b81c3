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
    const auto day = [](const QSqlRecord& r) {
        try {
            return lum::db::readDate(r.value(QStringLiteral("PrcticeDay"))).toDateText();
        } catch (const std::exception&) {
            return QString();
        }
    };
    const auto type = [](const QSqlRecord& r) { return lum::RihaTypeNames.at(r.value(QStringLiteral("RihaType")).toInt()); };
    const auto kubun = [](const QSqlRecord& r) { return lum::KubunLongText(r.value(QStringLiteral("KubunCode")).toInt()); };
    return {
        lum::cureNoColumn(80, QStringLiteral("利用者番号")),
        {QStringLiteral("Kana"), 120, QStringLiteral("カナ"), {}},
        {QStringLiteral("Name"), 120, QStringLiteral("氏名"), {}},
        {QStringLiteral("PrcticeDay"), 100, QStringLiteral("評価実施日"), day},
        {QStringLiteral("RihaType"), 100, QStringLiteral("リハビリ形態"), type},
        {QStringLiteral("KubunCode"), 150, QStringLiteral("リハビリ区分"), kubun},
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
    PractNos.clear();
    for (const QSqlRecord& r : rows) PractNos.push_back(r.value(QStringLiteral("PractNo")).toInt());
    frUserDataset3.RangeEndCount = int(PractNos.size());
    loadedRecord_ = -1;
    RunReport(kTemplate);
    // The list then shows the last plan a page was formed for.
    if (loadedRecord_ >= 0) {
        const int last = PractNos[size_t(loadedRecord_)];
        List->ShowOnly([last](const QSqlRecord& r) { return r.value(QStringLiteral("PractNo")).toInt() == last; });
    }
    PractNos.clear();
    loadedRecord_ = -1;
}

void TPrintPractForm::BeginPage() {
    // Every page of a record starts here; its plan is read once.
    const int record = frUserDataset3.RecNo();
    if (record == loadedRecord_ || record < 0 || record >= int(PractNos.size())) return;
    loadedRecord_ = record;
    const lum::BlobDocumentStore store(lum::requireFacilityDatabase(),
                                       lum::documentKind(lum::DocumentId::PracticePlan));
    const lum::BlobDocumentStore::Loaded loaded = store.loadByNumber(PractNos[size_t(record)]);
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
