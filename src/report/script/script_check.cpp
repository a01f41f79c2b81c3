#include "report/script/script_check.h"

#include "report/expr/expr_error.h"
#include "report/objects/report_template.h"
#include "report/script/report_interpreter.h"

namespace lum {

QStringList checkTemplateScripts(const ReportTemplate& t) {
    QStringList out;
    for (int p = 0; p < t.Pages.Count(); ++p) {
        for (const auto& view : t.Pages[p].Objects) {
            if (view->Script.isEmpty()) continue;
            const QString where = QStringLiteral("Page %1, %2: ").arg(p + 1).arg(view->Name);
            const std::unique_ptr<TfrView> copy = view->clone();
            try {
                CompileViewScript(*copy);
                for (const QString& e : ScriptInterpreter().Errors) out.append(where + e);
            } catch (const ReportExprError& e) {
                out.append(where + e.message());
            }
        }
    }
    return out;
}

}  // namespace lum
