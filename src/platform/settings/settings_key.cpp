#include "platform/settings/settings_key.h"

#include "platform/owner_only_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSettings>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lum {
namespace {

QString& rootOverride() {
    static QString folder;
    return folder;
}

// "Software\Quorvex\Lumorind5SHR" -> "Quorvex/Lumorind5SHR"
QString relativeKeyPath(const QString& keyPath) {
    QString path = keyPath;
    path.replace(u'\\', u'/');
    QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
    if (!parts.isEmpty() && parts.first().compare(u"Software", Qt::CaseInsensitive) == 0) parts.removeFirst();
    return parts.join(u'/');
}

#ifndef Q_OS_WIN
// The key file: one value per line, in the registry export style, so a text
// stays a text and a number a number: "Name"="text", "Name"=dword:0000002a,
// "Name"=hex:01,ff. Lines that are not values are skipped.
QString escapeText(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'\\': out += u"\\\\"; break;
        case u'"': out += u"\\\""; break;
        case u'\n': out += u"\\n"; break;
        case u'\r': out += u"\\r"; break;
        default: out += c;
        }
    }
    return out;
}

// Reads a quoted text starting at pos (on the opening quote); pos ends after the closing one.
std::optional<QString> readQuoted(const QString& line, qsizetype& pos) {
    if (pos >= line.size() || line[pos] != u'"') return std::nullopt;
    QString out;
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == u'"') {
            ++pos;
            return out;
        }
        if (c == u'\\' && pos + 1 < line.size()) {
            const QChar e = line[++pos];
            out += e == u'n' ? QChar(u'\n') : e == u'r' ? QChar(u'\r') : e;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

std::optional<QVariant> readValue(QStringView text) {
    if (text.startsWith(u"dword:")) {
        bool ok = false;
        const uint bits = text.mid(6).toUInt(&ok, 16);
        if (!ok || text.size() != 14) return std::nullopt;
        return QVariant(static_cast<qint32>(bits));
    }
    if (text.startsWith(u"hex:")) {
        QByteArray bytes;
        for (QStringView part : text.mid(4).split(u',', Qt::SkipEmptyParts)) {
            bool ok = false;
            const uint b = part.trimmed().toUInt(&ok, 16);
            if (!ok || b > 0xff) return std::nullopt;
            bytes.append(static_cast<char>(b));
        }
        return QVariant(bytes);
    }
    return std::nullopt;
}

bool readKeyFile(QIODevice& device, QSettings::SettingsMap& map) {
    const QString all = QString::fromUtf8(device.readAll());
    for (const QString& line : all.split(u'\n')) {
        qsizetype pos = 0;
        const auto name = readQuoted(line, pos);
        if (!name || pos >= line.size() || line[pos] != u'=') continue;
        ++pos;
        if (pos < line.size() && line[pos] == u'"') {
            if (const auto text = readQuoted(line, pos)) map.insert(*name, *text);
        } else if (const auto value = readValue(QStringView(line).mid(pos).trimmed())) {
            map.insert(*name, *value);
        }
    }
    return true;
}

bool writeKeyFile(QIODevice& device, const QSettings::SettingsMap& map) {
    QString out = QStringLiteral("; Lumorind settings: one value per line\n");
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        out += u'"' + escapeText(it.key()) + QStringLiteral("\"=");
        const QVariant& v = it.value();
        switch (v.metaType().id()) {
        case QMetaType::QByteArray: {
            const QByteArray bytes = v.toByteArray();
            out += QStringLiteral("hex:") + QString::fromLatin1(bytes.toHex(','));
            break;
        }
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            out += QStringLiteral("dword:") +
                   QStringLiteral("%1").arg(static_cast<quint32>(v.toLongLong()), 8, 16, QChar(u'0'));
            break;
        default:
            out += u'"' + escapeText(v.toString()) + u'"';
        }
        out += u'\n';
    }
    return device.write(out.toUtf8()) >= 0;
}

#ifdef Q_OS_UNIX
// A key is for this user's eyes only (the connection key holds the database
// password), so its file is owner-only from the moment it exists: created
// empty with 0600 before QSettings first writes it. QSettings' save writes a
// temporary file and renames it over the key; the temporary file takes the
// mode of the existing one, so the key stays 0600 through every write.
// Best effort: when this fails, QSettings' own write reports the fault.
void makeOwnerOnlyFile(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0) return;
    // A key file left by an older build may still be readable by others.
    (void)::fchmod(fd, S_IRUSR | S_IWUSR);
    ::close(fd);
}
#endif

QSettings::Format keyFileFormat() {
    static const QSettings::Format format = QSettings::registerFormat(QStringLiteral("reg"), readKeyFile, writeKeyFile);
    return format;
}
#endif

}  // namespace

SettingTypeError::SettingTypeError(const QString& valueName, const QString& keyPath)
    : std::runtime_error(QStringLiteral("The value \"%1\" of \"%2\" has another type.").arg(valueName, keyPath)
                             .toStdString()),
      valueName_(valueName) {}

void SettingsKey::setRootFolder(const QString& folder) { rootOverride() = folder; }

QString SettingsKey::rootFolder() {
    if (!rootOverride().isEmpty()) return rootOverride();
    const QString env = qEnvironmentVariable("LUMORIND_CONFIG_DIR");
    if (!env.isEmpty()) return env;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString SettingsKey::filePathOf(const QString& keyPath) {
    return QDir(rootFolder()).filePath(relativeKeyPath(keyPath) + QStringLiteral(".reg"));
}

SettingsKey::SettingsKey(QString keyPath, std::unique_ptr<QSettings> settings)
    : keyPath_(std::move(keyPath)), settings_(std::move(settings)) {}

SettingsKey::~SettingsKey() = default;

#ifdef Q_OS_WIN
namespace {
QString registryPath(const QString& keyPath) {
    QString path = keyPath;
    path.replace(u'/', u'\\');
    while (path.startsWith(u'\\')) path.remove(0, 1);
    return QStringLiteral("HKEY_CURRENT_USER\\") + path;
}
}  // namespace

std::unique_ptr<SettingsKey> SettingsKey::open(const QString& keyPath) {
    const QString path = registryPath(keyPath);
    const qsizetype cut = path.lastIndexOf(u'\\');
    QSettings parent(path.left(cut), QSettings::NativeFormat);
    if (!parent.childGroups().contains(path.mid(cut + 1), Qt::CaseInsensitive)) return nullptr;
    return std::unique_ptr<SettingsKey>(
        new SettingsKey(keyPath, std::make_unique<QSettings>(path, QSettings::NativeFormat)));
}

std::unique_ptr<SettingsKey> SettingsKey::openOrCreate(const QString& keyPath) {
    return std::unique_ptr<SettingsKey>(
        new SettingsKey(keyPath, std::make_unique<QSettings>(registryPath(keyPath), QSettings::NativeFormat)));
}
#else
std::unique_ptr<SettingsKey> SettingsKey::open(const QString& keyPath) {
    const QString file = filePathOf(keyPath);
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable()) return nullptr;
    return std::unique_ptr<SettingsKey>(new SettingsKey(keyPath, std::make_unique<QSettings>(file, keyFileFormat())));
}

std::unique_ptr<SettingsKey> SettingsKey::openOrCreate(const QString& keyPath) {
    const QString file = filePathOf(keyPath);
    // The key's folders are the user's alone, like the key itself.
    if (!makeOwnerOnlyFolders(QFileInfo(file).absolutePath())) return nullptr;
#ifdef Q_OS_UNIX
    makeOwnerOnlyFile(file);
#endif
    return std::unique_ptr<SettingsKey>(new SettingsKey(keyPath, std::make_unique<QSettings>(file, keyFileFormat())));
}
#endif

SettingType SettingsKey::typeOf(const QString& name) const {
    const QVariant v = settings_->value(name);
    if (!v.isValid()) return SettingType::Missing;
    switch (v.metaType().id()) {
    case QMetaType::QByteArray: return SettingType::Binary;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return SettingType::Integer;
    default: return SettingType::Text;
    }
}

void SettingsKey::requireType(const QString& name, SettingType wanted) const {
    const SettingType actual = typeOf(name);
    if (actual != SettingType::Missing && actual != wanted) throw SettingTypeError(name, keyPath_);
}

QString SettingsKey::readText(const QString& name) const {
    requireType(name, SettingType::Text);
    return settings_->value(name).toString();
}

std::optional<qint32> SettingsKey::readInteger(const QString& name) const {
    requireType(name, SettingType::Integer);
    const QVariant v = settings_->value(name);
    if (!v.isValid()) return std::nullopt;
    return static_cast<qint32>(v.toLongLong());
}

QByteArray SettingsKey::readBinary(const QString& name) const {
    requireType(name, SettingType::Binary);
    return settings_->value(name).toByteArray();
}

void SettingsKey::writeText(const QString& name, const QString& value) { settings_->setValue(name, value); }

void SettingsKey::writeInteger(const QString& name, qint32 value) { settings_->setValue(name, value); }

void SettingsKey::writeBinary(const QString& name, const QByteArray& value) { settings_->setValue(name, value); }

bool SettingsKey::flush() {
#ifdef Q_OS_UNIX
    // The key file (or its folder) may have been removed since it was opened:
    // made again owner-only first, so the save keeps that mode instead of the
    // umask's (QSettings would make a missing folder with the umask's).
    makeOwnerOnlyFolders(QFileInfo(settings_->fileName()).absolutePath());
    makeOwnerOnlyFile(settings_->fileName());
#endif
    settings_->sync();
    if (settings_->status() != QSettings::NoError) return false;
#ifndef Q_OS_WIN
    // Like a registry key under the current user: for this user's eyes only.
    QFile::setPermissions(settings_->fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
#endif
    return true;
}

}  // namespace lum
