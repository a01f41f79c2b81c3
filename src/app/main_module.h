#pragma once
// The data module: the one connection to the facility database that every
// window uses, the two connections to the other care system, the staff list,
// the facility name and the logged-in staff member. Its creation handler
// connects, reads the staff list and the facility, and runs the login; every
// failure on that road shows a message and clears the main window's start-up
// flag, so start-up never reaches the main window without a login.
#include "platform/db/database.h"

#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace lum {
struct LoginCredentials;
struct LoginMatch;
}  // namespace lum

class TMainModule : public QObject {
    Q_OBJECT
public:
    explicit TMainModule(QObject* parent = nullptr);
    // The destruction handler: closes every connection.
    ~TMainModule() override;

    // The creation handler (run by the start-up list).
    void FormCreate();

    // The facility database; open for the whole run once start-up went through.
    std::unique_ptr<lum::db::Database> RIHADatabase;
    // The other care system: link mode 1 (its database server) and 2 (its
    // database file), both through the ODBC driver. Open only when the link
    // settings ask for them and the open succeeded. Only this module opens
    // and closes them, always read-only and with a login timeout.
    QSqlDatabase TavelundConnection;
    QSqlDatabase AccessConnection;

    // What a link is opened with.
    struct LinkValues {
        QString connection;
        QString user;
        QString password;
    };
    // The values the settings hold for link mode 1 or 2.
    static LinkValues SettingsLinkValues(int mode);
    // The connection of link mode 1 or 2 (null for another mode).
    QSqlDatabase* Link(int mode);
    // Opens link mode 1 or 2 with these values, closing it first. Empty when
    // it opened, else why not. A file link must name a file that exists: the
    // drivers would create a missing one.
    QString OpenLinkWith(int mode, const LinkValues& values);
    // Opens the link of the mode from the settings unless it is open already.
    QString EnsureLink(int mode);
    void CloseLink(int mode);
    void CloseLinks();
    // A connection test: opens a connection of its own with the values, hands
    // it to `use` and closes it again; the open links are not touched. Gives
    // why the open failed, else what `use` gives (empty: all well).
    QString WithTestLink(int mode, const LinkValues& values, const std::function<QString(QSqlDatabase&)>& use);

    // The staff list in CD order; a staff combo box index is an index here.
    int StuffCount = 0;
    std::vector<int> StuffCD;
    QStringList StuffNames;
    QStringList StuffKigo;

    QString FacilityName;
    QString LoginStaffCD;
    QString LoginName;

    // Lookups in the staff list: the first entry with that CD (or name).
    void GetStuffName(int code, QString& name) const;  // empty when none
    void GetStuffKigo(int code, QString& symbol) const;  // empty when none
    QString GetStuffName(int code) const;
    QString GetStuffKigo(int code) const;
    int IndexOfStuff(int code) const;             // -1 when none
    int GetStuffCD(const QString& name) const;    // -1 when none

    // Reads the staff list and the facility name from RIHADatabase; throws
    // lum::db::DbError.
    void LoadStuff();
    void LoadFacility();

    // The LoginUser row of the user and password (compared exactly, both
    // bound as parameters); throws lum::db::DbError.
    std::optional<lum::LoginMatch> FindLogin(const lum::LoginCredentials& credentials) const;

private:
    bool Connect();
    void OpenLink();
    bool ReadTables();
    bool RunLogin();
    void Fail(const QString& text);
};

extern TMainModule* MainModule;
