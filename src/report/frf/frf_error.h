#pragma once
// The error a template or prepared-page stream raises when its bytes cannot
// be read (or a model cannot be written): the reader turns it into a failed
// load, never a crash.
#include <QString>
#include <stdexcept>

namespace lum {

class FrfError : public std::runtime_error {
public:
    explicit FrfError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

}  // namespace lum
