#include "widgets/phrase_picking.h"

#include "platform/ui/dialogs.h"
#include "widgets/comment_form.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>

namespace lum {

bool PickPhrasesToClipboard(const QString& programName, int commentCode, QPlainTextEdit* copyMemo) {
    TStringsForm& form = stringsForm();
    form.ProgramName = programName;
    form.CommentCode = commentCode;
    if (runModal(form) == QDialog::Rejected) return false;
    copyMemo->setPlainText(form.ChosenTexts().join(u'\n'));
    copyMemo->selectAll();
    QGuiApplication::clipboard()->setText(copyMemo->toPlainText());
    return true;
}

}  // namespace lum
