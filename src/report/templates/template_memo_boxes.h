#pragma once
// The memo boxes of one template file, read once, for the windows that
// check at saving that a text prints whole in its box (the same layout the
// engine prints it with: memo_fit.h).
#include "report/draw/memo_fit.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace lum {

class TfrReport;

class TemplateMemoBoxes {
public:
    explicit TemplateMemoBoxes(QString templatePath);
    ~TemplateMemoBoxes();

    // How `printed` (the memo's lines as the printout expands them) lies in
    // memo `objectName`; nothing when the template cannot be read or holds
    // no such memo (printing then says so itself).
    std::optional<memo::Fit> fit(const QString& objectName, const QStringList& printed);

    const QString& path() const { return path_; }

private:
    QString path_;
    std::unique_ptr<TfrReport> report_;
    bool loaded_ = false;
};

}  // namespace lum
