#pragma once
// What no window of the application writes: the staff list, the logins and
// the facility row. Each call checks its values first (a clear message in
// SetupError) and writes in one transaction.
#include "platform/db/database.h"

#include <QString>

#include <optional>
#include <stdexcept>

namespace lum::setup {

class SetupError : public std::runtime_error {
public:
    explicit SetupError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

// Limits chosen so every copy the application makes of these values fits:
// a login code and name are copied into results (20 characters each).
inline constexpr int kStaffNameWidth = 30;
inline constexpr int kStaffSymbolWidth = 4;
inline constexpr int kLoginCodeWidth = 20;
inline constexpr int kLoginNameWidth = 20;
inline constexpr int kLoginPasswordWidth = 255;
inline constexpr int kFacilityNameWidth = 60;

void addStaff(db::Database& db, int code, const QString& name, const QString& symbol);

// name empty: the name of the staff member whose code is the login code.
void addLogin(db::Database& db, const QString& staffCode, const QString& password, const QString& name,
              bool replace);

// Names the facility: the first Facilities row, made when there is none.
void setFacility(db::Database& db, const QString& name);

// Throws SetupError unless the text is non-empty (when required), fits the
// width in characters and has only characters code page 932 holds.
void checkText(const QString& label, const QString& text, int width, bool required = true);

}  // namespace lum::setup
