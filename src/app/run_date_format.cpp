#include "app/run_date_format.h"

namespace lum {

namespace {
// The short date format's first non-letter character, e.g. '.' in "dd.MM.yy".
QChar separatorOf(const QString& format) {
    for (QChar c : format) {
        if (!c.isLetter()) return c;
    }
    return QChar();
}
}  // namespace

void RunDateFormat::hold() {
    if (!holding_) {
        saved_ = QLocale();
        savedShortFormat_ = saved_.dateFormat(QLocale::ShortFormat);
        savedSeparator_ = separatorOf(savedShortFormat_);
        holding_ = true;
    }
    // Japanese dates are written "yyyy/MM/dd" in the short form.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
}

void RunDateFormat::restore() {
    if (!holding_) return;
    QLocale::setDefault(saved_);
    holding_ = false;
}

}  // namespace lum
