#include "app/dbseting.h"

#include "common/cp932.h"
#include "platform/settings/blowfish_cfb.h"
#include "platform/settings/settings_key.h"

#include <algorithm>

const QString TDBSeting::KeyPath = QStringLiteral("\\Software\\Quorvex\\Lumorind5");
const QString TDBSeting::DefaultPassword = QStringLiteral("4!+&=9-%");

namespace {

// The constants every tool that prepares the value shares with the application.
const QByteArray kCipherKey = QByteArrayLiteral("KdhTwqPLmvbaRsyeXoZfUnGcjHiQtpMWrkNEuBYl");
const QByteArray kCipherIv = QByteArrayLiteral("vandrelo");

const QString kConnection = QStringLiteral("Connection");
const QString kId = QStringLiteral("ID");
const QString kSeting = QStringLiteral("DBSeting");

QByteArray shortStringImage(const QByteArray& bytes) {
    QByteArray image(TDBSeting::SetingSize, '\0');
    image[0] = static_cast<char>(bytes.size());
    image.replace(1, bytes.size(), bytes);
    return image;
}

}  // namespace

TDBSeting::TDBSeting() {
    const QByteArray image = shortStringImage(DefaultPassword.toLatin1());
    std::copy(image.cbegin(), image.cend(), password_.begin());
}

QStringList TDBSeting::ReadRegistry() {
    const auto key = lum::SettingsKey::open(KeyPath);
    if (!key) return {};
    QStringList errors;
    auto typeError = [&](const QString& name) {
        errors << QStringLiteral("設定値 %1 の種類が正しくありません。").arg(name);
    };
    try {
        Connection = key->readText(kConnection);
    } catch (const lum::SettingTypeError&) {
        typeError(kConnection);
    }
    try {
        ID = key->readText(kId);
    } catch (const lum::SettingTypeError&) {
        typeError(kId);
    }
    try {
        const QByteArray stored = key->readBinary(kSeting);
        if (stored.size() > SetingSize) {
            errors << QStringLiteral("設定値 DBSeting が %1 バイトあります（%2 バイトまで）。").arg(stored.size()).arg(SetingSize);
        } else if (stored.size() == SetingSize && !DecodeSeting(stored)) {
            errors << QStringLiteral("設定値 DBSeting を復号できません。");
        }
    } catch (const lum::SettingTypeError&) {
        typeError(kSeting);
    }
    return errors;
}

QString TDBSeting::StoredConnection() {
    try {
        const auto key = lum::SettingsKey::open(KeyPath);
        return key ? key->readText(kConnection) : QString();
    } catch (const lum::SettingTypeError&) {
        return {};
    }
}

bool TDBSeting::DecodeSeting(QByteArrayView enciphered) {
    if (enciphered.size() != SetingSize) return false;
    const QByteArray plain = lum::blowfish::cfb64Decrypt(kCipherKey, kCipherIv, enciphered);
    if (static_cast<unsigned char>(plain[0]) > MaxPasswordBytes) return false;
    std::copy(plain.cbegin(), plain.cend(), password_.begin());
    return true;
}

QString TDBSeting::GetPassword() const {
    const auto length = static_cast<qsizetype>(password_[0]);
    return lum::cp932::decode(QByteArrayView(reinterpret_cast<const char*>(password_.data()) + 1, length));
}

std::optional<QByteArray> TDBSeting::EncodeSeting(const QString& password, QString* error) {
    QString unmappable;
    const auto bytes = lum::cp932::encode(password, &unmappable);
    if (!bytes) {
        if (error) *error = QStringLiteral("パスワードに使えない文字があります: %1").arg(unmappable);
        return std::nullopt;
    }
    if (bytes->size() > MaxPasswordBytes) {
        if (error) {
            *error = QStringLiteral("パスワードが長すぎます（%1 バイト、%2 バイトまで）。").arg(bytes->size()).arg(MaxPasswordBytes);
        }
        return std::nullopt;
    }
    return lum::blowfish::cfb64Encrypt(kCipherKey, kCipherIv, shortStringImage(*bytes));
}

bool TDBSeting::WriteRegistry(const QString& connection, const QString& id, const QString& password, QString* error) {
    const auto enciphered = EncodeSeting(password, error);
    if (!enciphered) return false;
    const auto key = lum::SettingsKey::openOrCreate(KeyPath);
    if (!key) {
        if (error) *error = QStringLiteral("設定を作成できません: %1").arg(lum::SettingsKey::filePathOf(KeyPath));
        return false;
    }
    key->writeText(kConnection, connection);
    key->writeText(kId, id);
    key->writeBinary(kSeting, *enciphered);
    if (!key->flush()) {
        if (error) *error = QStringLiteral("設定を書き込めません: %1").arg(lum::SettingsKey::filePathOf(KeyPath));
        return false;
    }
    return true;
}
