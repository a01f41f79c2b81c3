#pragma once
// The facility database connection settings: the connection string, the
// database user and the enciphered password, under the connection key. The
// application only reads them; the setup tool writes them.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class TDBSeting {
public:
    static const QString KeyPath;          // "\Software\Quorvex\Lumorind5"
    static const QString DefaultPassword;  // used while no valid DBSeting value is read
    static constexpr int SetingSize = 57;  // length byte and 56 bytes of code page 932
    static constexpr int MaxPasswordBytes = SetingSize - 1;

    QString Connection;
    QString ID;

    TDBSeting();

    // A missing key leaves the values of creation. DBSeting is deciphered only
    // when exactly 57 bytes are stored; a shorter value keeps the default
    // password silently, a longer or undecipherable one keeps it and is named in
    // the texts returned, as is a value stored with another type.
    QStringList ReadRegistry();

    // The stored connection string alone, empty when there is none or it
    // cannot be read: what the start-up reads ahead, password left alone.
    static QString StoredConnection();

    // Deciphers the 57 stored bytes into the password. A deciphered length
    // above 56 cannot be a password: it is refused and the password kept.
    bool DecodeSeting(QByteArrayView enciphered);

    QString GetPassword() const;

    // The setup tool's direction: the 57 enciphered bytes of a password, or no
    // value (and the reason in *error) when it is longer than 56 bytes of code
    // page 932 or has a character code page 932 cannot hold.
    static std::optional<QByteArray> EncodeSeting(const QString& password, QString* error = nullptr);

    // Writes the three values of the connection key (the setup tool only).
    static bool WriteRegistry(const QString& connection, const QString& id, const QString& password,
                              QString* error = nullptr);

private:
    std::array<unsigned char, SetingSize> password_{};
};
