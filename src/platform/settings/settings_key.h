#pragma once
// The per-user settings store: one key of named values, each of one type
// (text, 32-bit integer or binary), the way the registry keeps them under the
// current user. On Linux a key is a file under the user's config folder
// (~/.config/Quorvex/Lumorind5SHR.reg for "Software\Quorvex\Lumorind5SHR"),
// written through QSettings in a format that keeps the three types apart; on
// Windows it is the registry key itself.
#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <stdexcept>

class QSettings;

namespace lum {

enum class SettingType { Missing, Text, Integer, Binary };

// A value read as one type while it is stored as another.
class SettingTypeError : public std::runtime_error {
public:
    SettingTypeError(const QString& valueName, const QString& keyPath);
    const QString& valueName() const { return valueName_; }

private:
    QString valueName_;
};

class SettingsKey {
public:
    // The key when it exists and can be read; nothing is created.
    static std::unique_ptr<SettingsKey> open(const QString& keyPath);
    // The key, created when it is missing; nullptr when it can be neither.
    static std::unique_ptr<SettingsKey> openOrCreate(const QString& keyPath);

    // Where keys live on Linux: $LUMORIND_CONFIG_DIR when set (tests and
    // the setup tool use it), else the user's config folder. A folder given
    // here wins over both; an empty text goes back to them.
    static void setRootFolder(const QString& folder);
    static QString rootFolder();
    static QString filePathOf(const QString& keyPath);

    ~SettingsKey();
    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;

    const QString& keyPath() const { return keyPath_; }
    SettingType typeOf(const QString& name) const;

    // A missing value reads as empty; a value of another type raises SettingTypeError.
    QString readText(const QString& name) const;
    std::optional<qint32> readInteger(const QString& name) const;
    QByteArray readBinary(const QString& name) const;

    void writeText(const QString& name, const QString& value);
    void writeInteger(const QString& name, qint32 value);
    void writeBinary(const QString& name, const QByteArray& value);

    // Writes what was changed; false when it could not be stored.
    bool flush();

private:
    SettingsKey(QString keyPath, std::unique_ptr<QSettings> settings);
    void requireType(const QString& name, SettingType wanted) const;

    QString keyPath_;
    std::unique_ptr<QSettings> settings_;
};

}  // namespace lum
