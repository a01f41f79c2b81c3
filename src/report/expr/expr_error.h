#pragma once
// Errors of the report engine's expression language. Both carry a message the
// band engine shows as a calculation error.
#include <QString>
#include <exception>

namespace lum {

class ReportExprError : public std::exception {
public:
    explicit ReportExprError(QString message) : message_(std::move(message)), bytes_(message_.toUtf8()) {}
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return bytes_.constData(); }

private:
    QString message_;
    QByteArray bytes_;
};

// An undefined name or an ill-formed expression.
class EParserError : public ReportExprError {
public:
    using ReportExprError::ReportExprError;
};

// A value that cannot be read or combined as asked (a text that is no number, no date).
class EConvertError : public ReportExprError {
public:
    using ReportExprError::ReportExprError;
};

}  // namespace lum
