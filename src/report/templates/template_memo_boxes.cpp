#include "report/templates/template_memo_boxes.h"

#include "report/engine/tfr_report.h"

namespace lum {

TemplateMemoBoxes::TemplateMemoBoxes(QString templatePath) : path_(std::move(templatePath)) {}
TemplateMemoBoxes::~TemplateMemoBoxes() = default;

std::optional<memo::Fit> TemplateMemoBoxes::fit(const QString& objectName, const QStringList& printed) {
    if (!report_) {
        report_ = std::make_unique<TfrReport>();
        HeadlessReportUi ui;  // a missing template is told when printing, not here
        report_->Ui = &ui;
        loaded_ = report_->LoadTemplateFromFile(path_);
        report_->Ui = nullptr;
    }
    if (!loaded_) return std::nullopt;
    const auto* m = dynamic_cast<const TfrMemoView*>(report_->FindObject(objectName));
    if (!m) return std::nullopt;
    return memo::fit(*m, printed);
}

}  // namespace lum
