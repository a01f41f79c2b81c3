#pragma once
// The RihaPlan and Figure tables: the treatment plan's seven row operations
// and the two whole writes built on them. Every value is bound; the plan's
// start is stored as the day alone and its plans are sought by calendar day.
#include "plans/body_chart_model.h"
#include "plans/plan_record.h"
#include "platform/db/database.h"

#include <functional>
#include <optional>
#include <vector>

namespace lum {

class PlanStore {
public:
    explicit PlanStore(db::Database& database) : db_(database) {}

    // The RihaPlan row of a plan; nothing when there is none. A PlanData
    // shorter than 3700 bytes throws db::DbError, like any read failure.
    std::optional<TPlan> LoadPlanRow(int planNo) const;
    // The Figure rows of a plan in AutoNo order ("Figure Table Open Error").
    std::vector<FigureRow> LoadFigures(int planNo) const;
    // A new RihaPlan row from the record, with Creator (cut to 30 characters)
    // and today as CreateDay and UpdateDay; gives the new PlanNo.
    int AppendPlanRow(const TPlan& plan, const QString& creator, TDateTime today) const;
    void AppendFigureRow(int planNo, const FigureRow& row) const;
    // The rows in the order given ("Figure Table Write Error").
    void SaveFigures(int planNo, const std::vector<FigureRow>& rows) const;
    // Throws db::NoRowTouched when the row is gone.
    void DeletePlanRow(int planNo) const;
    // A plan without marks has no rows: touching none is no error.
    void DeleteFigureRows(int planNo) const;
    // PlanNo of the client's plans that start on the day (any time of it).
    std::vector<int> PlansOfDay(int cureNo, TDateTime day) const;

    // The save command's write, in one transaction: the client's plans that
    // start on the same day are sought inside it. When mayReplace accepts
    // each of them, they go with their marks, the plan is appended, its chart
    // rows written and planNo is the new PlanNo; otherwise nothing is written
    // and stored lists them. On any failure nothing has changed.
    struct SaveOutcome {
        std::optional<int> planNo;
        std::vector<int> stored;
    };
    SaveOutcome SavePlan(const TPlan& plan, const std::vector<FigureRow>& rows, const QString& creator,
                         TDateTime today, const std::function<bool(int planNo)>& mayReplace) const;
    // The same replacing whatever plans that day holds; gives the new PlanNo.
    int SavePlan(const TPlan& plan, const std::vector<FigureRow>& rows, const QString& creator,
                 TDateTime today) const;
    // The plan and its marks, in one transaction; db::NoRowTouched when the
    // plan row is gone.
    void DeletePlan(int planNo) const;

private:
    db::Database& db_;
};

}  // namespace lum
