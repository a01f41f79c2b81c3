#pragma once
// The process-wide date format of a run. While the application runs, every
// locale-formatted date (date edits, QLocale().toString) reads "yyyy/MM/dd"
// with the separator '/', whatever the workstation's regional format; the
// format found at start is put back at exit.
#include <QChar>
#include <QLocale>
#include <QString>

namespace lum {

class RunDateFormat {
public:
    static constexpr QChar kSeparator = u'/';
    static inline const QString kShortFormat = QStringLiteral("yyyy/MM/dd");

    // Saves the current default locale and makes the run's format the default.
    void hold();
    // Puts the saved default back (once; a second call does nothing).
    void restore();

    QChar savedSeparator() const { return savedSeparator_; }
    QString savedShortFormat() const { return savedShortFormat_; }

private:
    bool holding_ = false;
    QLocale saved_;
    QChar savedSeparator_;
    QString savedShortFormat_;
};

}  // namespace lum
