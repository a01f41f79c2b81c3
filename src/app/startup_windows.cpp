#include "app/startup_windows.h"

#include "app/login_form.h"
#include "app/main_form.h"
#include "app/main_module.h"
#include "app/system_menu_form.h"
#include "clients/linked_user_form.h"
#include "clients/tavelund_form.h"
#include "clients/user_regist_form.h"
#include "plans/conference_form.h"
#include "plans/cure_plan_form.h"
#include "plans/life_estimate_form.h"
#include "plans/open_document_dialog.h"
#include "plans/paper_menu_form.h"
#include "plans/print_outstanding_form.h"
#include "plans/text_form.h"
#include "plans/urin_plan_form.h"
#include "plans/urin_pract_form.h"
#include "widgets/comment_form.h"
#include "clients/user_search_form.h"
#include "results/daily_medical_record_form.h"
#include "results/copy_mode_form.h"
#include "results/import_schedule_dialog.h"
#include "results/open_gym_dialog.h"
#include "results/person_medical_record_form.h"
#include "results/result_sheet_form.h"
#include "results/results_edit_form.h"
#include "results/results_menu_form.h"
#include "schedule/day_schedule_form.h"
#include "schedule/open_cure_dialog.h"
#include "schedule/attend_schedule_form.h"
#include "schedule/day_attend_form.h"
#include "schedule/person_property_form.h"
#include "schedule/schedule_data.h"
#include "schedule/schedule_menu_form.h"
#include "schedule/staff_pick_forms.h"
#include "schedule/stuff_change_form.h"
#include "schedule/stuff_schedule_form.h"
#include "schedule/stuff_time_form.h"
#include "schedule/time_table_form.h"
#include "schedule/user_attend_form.h"
#include "schedule/user_sheet_form.h"
#include "schedule/user_book_form.h"
#include "schedule/user_schedule_form.h"
#include "printing/print_all_user_form.h"
#include "printing/print_menu_form.h"
#include "printing/print_pract_form.h"
#include "printing/print_riha_form.h"
#include "printing/print_keitai_form.h"
#include "printing/print_limit_riha_form.h"
#include "printing/print_person_result_form.h"
#include "printing/print_schedule_type_form.h"
#include "printing/print_toukei_form.h"

namespace lum {

// A window built by a later subsystem goes in at its place, one line each.
std::vector<StartupStep> startupWindows() {
    return {
        // The first batch. The data module connects and runs the login.
        createStep<TMainForm>("TMainForm", MainForm),
        createStep<TLoginForm>("TLoginForm", LoginForm),
        createStep<TMainModule>("TMainModule", MainModule),
        createStep<TPaperMenuForm>("TPaperMenuForm", PaperMenuForm),
        createStep<TCurePlanForm>("TCurePlanForm", CurePlanForm),
        createStep<TGetPractPlanForm>("TGetPractPlanForm", GetPractPlanForm),
        createStep<TUserSearchForm>("TUserSearchForm", UserSearchForm),
        createStep<TSystemMenuForm>("TSystemMenuForm", SystemMenuForm),
        createStep<TURinPractForm>("TURinPractForm", URinPractForm),
        createStep<TURinPlanForm>("TURinPlanForm", URinPlanForm),
        createStep<TGetUrinPractForm>("TGetUrinPractForm", GetUrinPractForm),
        createStep<TGetConfForm>("TGetConfForm", GetConfForm),
        createStep<TConferenceForm>("TConferenceForm", ConferenceForm),
        createStep<TGetEstimateForm>("TGetEstimateForm", GetEstimateForm),
        createStep<TGetBeforeConfForm>("TGetBeforeConfForm", GetBeforeConfForm),
        createStep<TOpenCureDialog>("TOpenCureDialog", OpenCureDialog),
        createStep<TUserBookForm>("TUserBookForm", UserBookForm),
        createStep<TUserSheetForm>("TUserSheetForm", UserSheetForm),
        createStep<TOpenGYMDialog>("TOpenGYMDialog", OpenGYMDialog),
        createStep<TGetCurePlanForm>("TGetCurePlanForm", GetCurePlanForm),
        createStep<TLifeEstimateForm>("TLifeEstimateForm", LifeEstimateForm),
        createStep<TGetUrinPlanForm>("TGetUrinPlanForm", GetUrinPlanForm),
        testStartupFlagStep(),
        createStep<TPersonMedicalRecordForm>("TPersonMedicalRecordForm", PersonMedicalRecordForm),
        createStep<TTextForm>("TTextForm", TextForm),
        createStep<TStuffScheduleForm>("TStuffScheduleForm", StuffScheduleForm),
        createStep<TDayScheduleForm>("TDayScheduleForm", DayScheduleForm),
        createStep<TUserScheduleForm>("TUserScheduleForm", UserScheduleForm),
        createStep<TStuffChangeForm>("TStuffChangeForm", StuffChangeForm),
        createStep<TTimeTableForm>("TTimeTableForm", TimeTableForm),
        createStep<TStuffAllChangeForm>("TStuffAllChangeForm", StuffAllChangeForm),
        progressStep(1, QStringLiteral("計画書の準備ができました。")),
        createStep<TScheduleData>("TScheduleData", ScheduleData),
        createStep<TPersonPropertyForm>("TPersonPropertyForm", PersonPropertyForm),
        createStep<TResultsEditForm>("TResultsEditForm", ResultsEditForm),
        createStep<TResultsMenuForm>("TResultsMenuForm", ResultsMenuForm),
        createStep<TCopyModeForm>("TCopyModeForm", CopyModeForm),
        createStep<TResultSheetForm>("TResultSheetForm", ResultSheetForm),
        createStep<TStuffTimeForm>("TStuffTimeForm", StuffTimeForm),
        createStep<TStuffSelectForm>("TStuffSelectForm", StuffSelectForm),
        progressStep(2, QStringLiteral("スケジュールの準備ができました。")),
        createStep<TCommentForm>("TCommentForm", CommentForm),
        createStep<TDayAttendForm>("TDayAttendForm", DayAttendForm),
        createStep<TUserAttendForm>("TUserAttendForm", UserAttendForm),
        createStep<TAttendScheduleForm>("TAttendScheduleForm", AttendScheduleForm),
        createStep<TStringsForm>("TStringsForm", StringsForm),
        createStep<TImportScheduleDialog>("TImportScheduleDialog", ImportScheduleDialog),
        progressStep(3, QStringLiteral("印刷の準備ができました。")),
        createStep<TDailyMedicalRecordForm>("TDailyMedicalRecordForm", DailyMedicalRecordForm),
        createStep<TScheduleMenuForm>("TScheduleMenuForm", ScheduleMenuForm),
        createStep<TUserRegistForm>("TUserRegistForm", UserRegistForm),
        createStep<TTavelundForm>("TTavelundForm", TavelundForm),
        createStep<TTavelundUserForm>("TTavelundUserForm", TavelundUserForm),
        createStep<TAccessUserForm>("TAccessUserForm", AccessUserForm),
        createStep<TPrintMenuForm>("TPrintMenuForm", PrintMenuForm),
        createStep<TPrintAllUserForm>("TPrintAllUserForm", PrintAllUserForm),
        createStep<TPrintRihaForm>("TPrintRihaForm", PrintRihaForm),
        createStep<TPrintPractForm>("TPrintPractForm", PrintPractForm),
        createStep<TPrintPersonResultForm>("TPrintPersonResultForm", PrintPersonResultForm),
        createStep<TPrintLimitRihaForm>("TPrintLimitRihaForm", PrintLimitRihaForm),
        createStep<TPrintOutstandingForm>("TPrintOutstandingForm", PrintOutstandingForm),
        createStep<TPrintToukeiForm>("TPrintToukeiForm", PrintToukeiForm),
        createStep<TPrintScheduleTypeForm>("TPrintScheduleTypeForm", PrintScheduleTypeForm),
        createStep<TPrintKeitaiForm>("TPrintKeitaiForm", PrintKeitaiForm),
    };
}

}  // namespace lum
