#pragma once
// Failures of the database layer. The text is fit for a message box: what
// failed, then the driver's own words.
#include <QString>

#include <stdexcept>

namespace lum::db {

class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

// An UPDATE or DELETE that had to touch a row touched none: the row is gone
// or was changed by someone else.
class NoRowTouched : public DbError {
public:
    using DbError::DbError;
};

// A transaction could not be begun; level is the nesting level afterwards.
class TransactionStartError : public DbError {
public:
    explicit TransactionStartError(int level, const QString& detail)
        : DbError(QStringLiteral("DB Trans Start error %1\n%2").arg(level).arg(detail)), level_(level) {}
    int level() const { return level_; }

private:
    int level_;
};

}  // namespace lum::db
