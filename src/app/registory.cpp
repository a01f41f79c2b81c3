#include "app/registory.h"

#include "platform/settings/settings_key.h"
#include "platform/ui/file_dialog_rules.h"

#include <QDir>

#include <array>

using lum::SettingsKey;
using lum::SettingType;

const QString TRegistory::KeyPath = QStringLiteral("\\Software\\Quorvex\\Lumorind5SHR");
const QString TRegistory::Maximized = QStringLiteral("wsMaximized");
const QString TRegistory::Normal = QStringLiteral("wsNormal");

namespace {

struct TextValue {
    const char* name;
    QString TRegistory::*field;
};

// In the order they are read and written; ServFlg goes between the paths and the link.
constexpr std::array<TextValue, 8> kPaths{{{"Import", &TRegistory::Import},
                                            {"Export", &TRegistory::Export},
                                            {"Toukei0", &TRegistory::Toukei0},
                                            {"Toukei1", &TRegistory::Toukei1},
                                            {"Toukei2", &TRegistory::Toukei2},
                                            {"AllUser", &TRegistory::AllUser},
                                            {"Keitai", &TRegistory::Keitai},
                                            {"PrnSch", &TRegistory::PrnSch}}};
constexpr std::array<TextValue, 5> kLink{{{"Tavelund", &TRegistory::Tavelund},
                                           {"ID", &TRegistory::ID},
                                           {"Password", &TRegistory::Password},
                                           {"MDBConnection", &TRegistory::MDBConnection},
                                           {"WinState", &TRegistory::WinState}}};
const QString kServFlg = QStringLiteral("ServFlg");

QString typeErrorText(const QString& name) {
    return QStringLiteral("設定値 %1 の種類が正しくありません。既定値を使います。").arg(name);
}

}  // namespace

TRegistory::TRegistory() { SetDefault(); }

QString TRegistory::DefaultFolder() {
    const QString folder = lum::documentsLocation();
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

void TRegistory::SetDefault() {
    const QString home = QDir::homePath();
    for (const TextValue& v : kPaths) this->*v.field = DefaultFolder();
    ServFlg = 0;
    Tavelund.clear();
    ID.clear();
    Password.clear();
    MDBConnection = home;
    WinState = Maximized;
}

bool TRegistory::HasLink() const {
    return ServFlg != 0 || !Tavelund.isEmpty() || !ID.isEmpty() || !Password.isEmpty() ||
           !(MDBConnection.isEmpty() || MDBConnection == QDir::homePath());
}

QStringList TRegistory::ReadRegistry() {
    const auto key = SettingsKey::open(KeyPath);
    if (!key) {
        SetDefault();
        return {};
    }
    QStringList errors;
    auto readText = [&](const TextValue& v) {
        const QString name = QString::fromLatin1(v.name);
        try {
            this->*v.field = key->readText(name);
        } catch (const lum::SettingTypeError&) {
            errors << typeErrorText(name);
        }
    };
    for (const TextValue& v : kPaths) readText(v);
    // A missing value or one of another type is link mode 0.
    ServFlg = key->typeOf(kServFlg) == SettingType::Integer ? key->readInteger(kServFlg).value_or(0) : 0;
    for (const TextValue& v : kLink) readText(v);
    return errors;
}

bool TRegistory::WriteRegistry() const {
    const auto key = SettingsKey::openOrCreate(KeyPath);
    if (!key) return false;
    for (const TextValue& v : kPaths) key->writeText(QString::fromLatin1(v.name), this->*v.field);
    key->writeInteger(kServFlg, ServFlg);
    for (const TextValue& v : kLink) key->writeText(QString::fromLatin1(v.name), this->*v.field);
    return key->flush();
}
