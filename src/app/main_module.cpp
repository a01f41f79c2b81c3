#include "app/main_module.h"

#include "app/dbseting.h"
#include "app/link_connection.h"
#include "app/login_form.h"
#include "app/login_loop.h"
#include "app/main_form.h"
#include "app/registory.h"
#include "app/staff_list.h"
#include "common/code_tables.h"
#include "platform/db/facility_database.h"
#include "platform/db/migrations.h"
#include "platform/error_handler.h"
#include "platform/ui/dialogs.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

TMainModule* MainModule = nullptr;

namespace {

const QString kConnectFailed = QStringLiteral("接続に失敗しました。\nシステムを停止します。");
const QString kNotOpen = QStringLiteral("System Open Error\nシステムを終了します。");
const QString kTavelundFailed = QStringLiteral("System Open Error\nTavelund接続を終了します。");
const QString kAccessFailed = QStringLiteral("System Open Error\nシステムを終了します。");
const QString kLoginTableFailed =
    QStringLiteral("System Error\n他で使用されているか又はシステム設定を確認してください。\nシステムを終了します。");
const QString kStaffFailed = QStringLiteral("System DB Read Error:\n職員の一覧を読み込めませんでした。\nシステムを終了します。");
const QString kFacilityFailed = QStringLiteral("System DB Read Error:\n施設名を読み込めませんでした。\nシステムを終了します。");

void showError(const QString& text) { lum::message(lum::MsgKind::Error, text, lum::MsgButton::Yes); }

// A connection name of its own for each module and link, so two modules (in
// tests) never share one.
QString linkName(const TMainModule* module, const char* link) {
    return QStringLiteral("%1-%2").arg(QLatin1String(link)).arg(reinterpret_cast<quintptr>(module), 0, 16);
}

void closeLink(QSqlDatabase& link) {
    if (!link.isValid()) return;
    const QString name = link.connectionName();
    link.close();
    link = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

// Opens a link through the ODBC driver; empty when it opened, else why not.
QString openLink(QSqlDatabase& link, const QString& name, int mode, const TMainModule::LinkValues& values) {
    if (mode == lum::AccessLink) {
        // The SQLite ODBC driver creates a file it cannot find; a link must
        // never make a database where the other system keeps none.
        const QString file = lum::linkFilePath(values.connection);
        if (!file.isEmpty() && !QFileInfo(file).isFile()) {
            return QStringLiteral("データベースファイルがありません: %1").arg(file);
        }
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC"))) return QStringLiteral("ODBC driver missing");
    link = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name);
    link.setDatabaseName(values.connection);
    link.setConnectOptions(lum::linkConnectOptions());
    if (link.open(values.user, values.password)) return {};
    QString why = link.lastError().text();
    if (why.trimmed().isEmpty()) why = QStringLiteral("ODBC connection failed");
    return why;
}

const char* linkKind(int mode) { return mode == lum::TavelundLink ? "TavelundConnection" : "AccessConnection"; }

}  // namespace

TMainModule::TMainModule(QObject* parent) : QObject(parent) { setObjectName(QStringLiteral("MainModule")); }

TMainModule::~TMainModule() {
    if (RIHADatabase && lum::facilityDatabase() == RIHADatabase.get()) lum::setFacilityDatabase(nullptr);
    RIHADatabase.reset();
    CloseLinks();
}

void TMainModule::FormCreate() {
    // Whatever goes wrong here stops start-up with a message: the run never
    // goes on without a database and a logged-in staff member.
    try {
        if (!Connect()) return;
        OpenLink();
        if (!ReadTables()) return;
        RunLogin();
    } catch (...) {
        const QString text = lum::exceptionText(std::current_exception());
        Fail(QStringLiteral("System Error\n%1\nシステムを終了します。").arg(text));
    }
}

void TMainModule::Fail(const QString& text) {
    showError(text);
    if (MainForm) MainForm->StartupOK = 0;
}

bool TMainModule::Connect() {
    if (!MainForm || !MainForm->DBSeting) {
        Fail(kConnectFailed);
        return false;
    }
    const TDBSeting& seting = *MainForm->DBSeting;
    try {
        RIHADatabase = lum::db::Database::open(seting.Connection, seting.ID, seting.GetPassword());
    } catch (const lum::db::DbError&) {
        Fail(kConnectFailed);
        return false;
    }
    if (!RIHADatabase || !RIHADatabase->isOpen()) {
        Fail(kNotOpen);
        return false;
    }
    try {
        // A database older or newer than this program would fail later, in the middle of work.
        lum::db::requireCurrentSchema(*RIHADatabase);
    } catch (const lum::db::DbError& e) {
        Fail(QStringLiteral("System Error\n%1\nシステムを終了します。").arg(e.text()));
        return false;
    }
    // The shared dialogs of common work on it from here on.
    lum::setFacilityDatabase(RIHADatabase.get());
    return true;
}

void TMainModule::OpenLink() {
    if (!MainForm || !MainForm->Registory) return;
    // A link that cannot be opened is reported and closed; start-up goes on.
    switch (MainForm->Registory->ServFlg) {
    case lum::TavelundLink:
        if (!TavelundConnection.isOpen() && !EnsureLink(lum::TavelundLink).isEmpty()) showError(kTavelundFailed);
        break;
    case lum::AccessLink:
        if (!AccessConnection.isOpen() && !EnsureLink(lum::AccessLink).isEmpty()) showError(kAccessFailed);
        break;
    default:
        break;
    }
}

TMainModule::LinkValues TMainModule::SettingsLinkValues(int mode) {
    const TRegistory* settings = MainForm ? MainForm->Registory.get() : nullptr;
    if (!settings) return {};
    if (mode == lum::TavelundLink) return {settings->Tavelund, settings->ID, settings->Password};
    if (mode == lum::AccessLink) return {settings->MDBConnection, QString(), QString()};
    return {};
}

QSqlDatabase* TMainModule::Link(int mode) {
    if (mode == lum::TavelundLink) return &TavelundConnection;
    if (mode == lum::AccessLink) return &AccessConnection;
    return nullptr;
}

QString TMainModule::OpenLinkWith(int mode, const LinkValues& values) {
    QSqlDatabase* link = Link(mode);
    if (!link) return QStringLiteral("no link mode %1").arg(mode);
    closeLink(*link);
    const QString why = openLink(*link, linkName(this, linkKind(mode)), mode, values);
    if (!why.isEmpty()) {
        qWarning("Link %d not opened: %s", mode, qPrintable(why));
        closeLink(*link);
    }
    return why;
}

QString TMainModule::EnsureLink(int mode) {
    QSqlDatabase* link = Link(mode);
    if (link && link->isOpen()) return {};
    return OpenLinkWith(mode, SettingsLinkValues(mode));
}

void TMainModule::CloseLink(int mode) {
    if (QSqlDatabase* link = Link(mode)) closeLink(*link);
}

void TMainModule::CloseLinks() {
    closeLink(TavelundConnection);
    closeLink(AccessConnection);
}

QString TMainModule::WithTestLink(int mode, const LinkValues& values,
                                  const std::function<QString(QSqlDatabase&)>& use) {
    if (mode != lum::TavelundLink && mode != lum::AccessLink) return QStringLiteral("no link mode %1").arg(mode);
    QSqlDatabase test;
    QString why = openLink(test, linkName(this, "TestConnection"), mode, values);
    if (why.isEmpty() && use) why = use(test);
    closeLink(test);
    return why;
}

bool TMainModule::ReadTables() {
    try {
        LoadStuff();
    } catch (const lum::db::DbError&) {
        Fail(kStaffFailed);
        return false;
    }
    try {
        LoadFacility();
    } catch (const lum::db::DbError&) {
        Fail(kFacilityFailed);
        return false;
    }
    try {
        // The login table must be readable before anyone is asked to log in.
        QSqlQuery probe = RIHADatabase->prepare(QStringLiteral("SELECT STAFF_CD FROM LoginUser WHERE 1 = 0"));
        RIHADatabase->exec(probe);
    } catch (const lum::db::DbError&) {
        Fail(kLoginTableFailed);
        return false;
    }
    return true;
}

bool TMainModule::RunLogin() {
    if (!LoginForm) {
        Fail(kLoginTableFailed);
        return false;
    }
    const auto ask = []() -> std::optional<lum::LoginCredentials> {
        if (lum::runModal(*LoginForm) != QDialog::Accepted) return std::nullopt;
        return lum::LoginCredentials{LoginForm->UserEdit->text(), LoginForm->PassEdit->text()};
    };
    const auto find = [this](const lum::LoginCredentials& c) { return FindLogin(c); };
    lum::LoginOutcome outcome;
    try {
        outcome = lum::LoginLoop::run(ask, find, lum::LoginRetry + 1);
    } catch (const lum::db::DbError&) {
        Fail(kLoginTableFailed);
        return false;
    }
    if (!outcome.loggedIn()) {
        if (MainForm) MainForm->StartupOK = 0;
        return false;
    }
    LoginStaffCD = outcome.match.staffCd;
    LoginName = outcome.match.loginName;
    return true;
}

void TMainModule::LoadStuff() {
    const std::vector<lum::StaffMember> staff = lum::ReadStaffList(*RIHADatabase);
    StuffCD.clear();
    StuffNames.clear();
    StuffKigo.clear();
    for (const lum::StaffMember& s : staff) {
        StuffCD.push_back(s.code);
        StuffNames << s.name;
        StuffKigo << s.symbol;
    }
    StuffCount = static_cast<int>(StuffCD.size());
}

void TMainModule::LoadFacility() {
    FacilityName.clear();
    QSqlQuery query =
        RIHADatabase->prepare(QStringLiteral("SELECT FACILITIES_NAME FROM Facilities ORDER BY ID LIMIT 1"));
    RIHADatabase->exec(query);
    if (query.next()) FacilityName = query.value(0).toString();
}

std::optional<lum::LoginMatch> TMainModule::FindLogin(const lum::LoginCredentials& credentials) const {
    QSqlQuery query = RIHADatabase->prepare(
        QStringLiteral("SELECT STAFF_CD, LoginNAME FROM LoginUser WHERE STAFF_CD = :user AND PASS_WORD = :password"));
    query.bindValue(QStringLiteral(":user"), credentials.user);
    query.bindValue(QStringLiteral(":password"), credentials.password);
    RIHADatabase->exec(query);
    if (!query.next()) return std::nullopt;
    return lum::LoginMatch{query.value(0).toString(), query.value(1).toString()};
}

int TMainModule::IndexOfStuff(int code) const {
    for (int i = 0; i < StuffCount; ++i) {
        if (StuffCD[static_cast<size_t>(i)] == code) return i;
    }
    return -1;
}

QString TMainModule::GetStuffName(int code) const {
    const int i = IndexOfStuff(code);
    return i < 0 ? QString() : StuffNames.value(i);
}

QString TMainModule::GetStuffKigo(int code) const {
    const int i = IndexOfStuff(code);
    return i < 0 ? QString() : StuffKigo.value(i);
}

void TMainModule::GetStuffName(int code, QString& name) const { name = GetStuffName(code); }
void TMainModule::GetStuffKigo(int code, QString& symbol) const { symbol = GetStuffKigo(code); }

int TMainModule::GetStuffCD(const QString& name) const {
    const int i = StuffNames.indexOf(name);
    return i < 0 || i >= StuffCount ? -1 : StuffCD[static_cast<size_t>(i)];
}
