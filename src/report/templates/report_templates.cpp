#include "report/templates/report_templates.h"

#include <QDir>

namespace lum {

const QList<ReportTemplateFile>& reportTemplateFiles() {
    static const QList<ReportTemplateFile> files = {
        {QStringLiteral("CurePlan.frf"), {QStringLiteral("TCurePlanForm"), QStringLiteral("TPrintRihaForm")}},
        {QStringLiteral("PracticePlan.frf"), {QStringLiteral("TPracticePlanForm"), QStringLiteral("TPrintPractForm")}},
        {QStringLiteral("UrinPlan.frf"), {QStringLiteral("TURinPlanForm")}},
        {QStringLiteral("UrinPract.frf"), {QStringLiteral("TURinPractForm")}},
        {QStringLiteral("conference.frf"), {QStringLiteral("TConferenceForm")}},
        {QStringLiteral("BeforeConf.frf"), {QStringLiteral("TBeforeConferenceForm")}},
        {QStringLiteral("Estimate.frf"), {QStringLiteral("TLifeEstimateForm")}},
        {QStringLiteral("OutStandingList.frf"), {QStringLiteral("TPrintOutstandingForm")}},
        {QStringLiteral("AttendSchedule.frf"), {QStringLiteral("TAttendScheduleForm")}},
        {QStringLiteral("UserAttend.frf"), {QStringLiteral("TUserAttendForm")}},
        {QStringLiteral("DayAttend.frf"), {QStringLiteral("TDayAttendForm")}},
        {QStringLiteral("RihaPersonKirokusho.frf"), {QStringLiteral("TPersonMedicalRecordForm")}},
        {QStringLiteral("DailyMedicalRecord.frf"), {QStringLiteral("TDailyMedicalRecordForm")}},
        {QStringLiteral("PrintPersonKirokusho.frf"), {QStringLiteral("TPrintPersonResultForm")}},
        {QStringLiteral("AllUser.frf"), {QStringLiteral("TPrintAllUserForm")}},
        {QStringLiteral("PrintLimit.frf"), {QStringLiteral("TPrintLimitRihaForm")}},
        {QStringLiteral("PrintKeitai.frf"), {QStringLiteral("TPrintKeitaiForm")}},
        {QStringLiteral("PrintScheduleType.frf"), {QStringLiteral("TPrintScheduleTypeForm")}},
        {QStringLiteral("Toukei.frf"), {QStringLiteral("TPrintToukeiForm")}},
    };
    return files;
}

const ReportTemplateFile* findReportTemplateFile(const QString& fileName) {
    for (const ReportTemplateFile& f : reportTemplateFiles())
        if (f.fileName == fileName)
            return &f;
    return nullptr;
}

QString reportTemplatePath(const QString& appDir, const QString& fileName) {
    return QDir(appDir).filePath(fileName);
}

}  // namespace lum
