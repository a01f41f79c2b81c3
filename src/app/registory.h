#pragma once
// The per-user settings of the main window: the paths remembered by the CSV
// windows, the link to the other care system and the window state. Read once
// at start, written once at exit, under the settings key.
#include <QString>
#include <QStringList>

class TRegistory {
public:
    static const QString KeyPath;  // "\Software\Quorvex\Lumorind5SHR"
    static const QString Maximized;  // "wsMaximized"
    static const QString Normal;     // "wsNormal"

    // The eight CSV paths (TRegistory.CsvPaths), then the link and the window state.
    QString Import;
    QString Export;
    QString Toukei0;
    QString Toukei1;
    QString Toukei2;
    QString AllUser;
    QString Keitai;
    QString PrnSch;
    qint32 ServFlg = 0;  // link mode: 0 none, 1 its database server, 2 its database file
    QString Tavelund;
    QString ID;
    QString Password;  // kept in plain text, as the link settings window shows it
    QString MDBConnection;
    QString WinState;

    TRegistory();

    // The defaults; the paths start as DefaultFolder().
    void SetDefault();
    // The user's documents folder with a closing "/": a folder that names no
    // file yet, so the CSV windows ask for a name and the file dialogs open
    // there.
    static QString DefaultFolder();

    // A missing key gives the defaults; in an existing key a missing value
    // gives an empty text (0 for ServFlg). Every value is read on its own: one
    // stored with another type keeps its default and is named in the texts
    // returned, so the caller can report it while the rest is still read.
    QStringList ReadRegistry();

    // Writes all fourteen values, creating the key; false when it could not.
    bool WriteRegistry() const;

    bool IsMaximized() const { return WinState == Maximized; }
    // A link to the other care system was set: a link mode chosen, or a link
    // value other than its default (a string kept with the link switched off).
    bool HasLink() const;
};
