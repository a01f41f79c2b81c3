#include "platform/db/database.h"

#include "platform/db/open_database_files.h"
#include "platform/db/owner_only_file.h"

#include <QFileInfo>
#include <QLibrary>
#include <QLibraryInfo>
#include <QSqlError>
#include <QSqlRecord>

#include <atomic>

namespace lum::db {
namespace {

constexpr int kBusyTimeoutMs = 10000;

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("lumorind-db-%1").arg(++counter);
}

QString errorText(const QSqlError& error) {
    QString text = error.databaseText();
    if (!error.driverText().isEmpty() && !text.contains(error.driverText())) {
        text = text.isEmpty() ? error.driverText() : error.driverText() + QStringLiteral(": ") + text;
    }
    return text.trimmed();
}

QString quotedIdentifier(const QString& name) {
    QString escaped = name;
    escaped.replace(u'"', QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

}  // namespace

std::unique_ptr<Database> Database::open(const QString& connectionString, const QString& user,
                                         const QString& password, Create create) {
    QString error;
    const auto target = parseConnectionString(connectionString, &error);
    if (!target) throw DbError(error);
    return open(*target, user, password, create);
}

std::unique_ptr<Database> Database::open(const ConnectionSpec& target, const QString& user, const QString& password,
                                         Create create) {
    const QString name = nextConnectionName();
    QSqlDatabase db;
    if (target.backend == Backend::SQLite) {
        const bool inMemory = target.dataSource == u":memory:";
        if (create == Create::No && !inMemory && !QFileInfo(target.dataSource).isFile()) {
            throw DbError(QStringLiteral("データベースファイルがありません: %1").arg(target.dataSource));
        }
        // Client records and logins: a new file is its owner's alone.
        if (create == Create::Yes && !inMemory) createOwnerOnlyDatabaseFile(target.dataSource);
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(target.dataSource);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(target.host);
        db.setPort(target.port);
        db.setDatabaseName(target.database);
        db.setUserName(user);
        db.setPassword(password);
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    }
    if (!db.isValid()) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw DbError(QStringLiteral("データベースのドライバーがありません。"));
    }
    if (!db.open()) {
        const QString reason = errorText(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw DbError(QStringLiteral("データベースに接続できません: %1").arg(reason));
    }
    std::unique_ptr<Database> result(new Database(target, db, name));
    result->configure();  // a failure here closes the connection through the destructor
    return result;
}

bool Database::preloadDriver(Backend backend) {
    const QString file = backend == Backend::SQLite ? QStringLiteral("libqsqlite.so") : QStringLiteral("libqsqlpsql.so");
    // Where Qt's own plugin loader looks first; the library stays loaded.
    QLibrary plugin(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/sqldrivers/") + file);
    return plugin.load();
}

Database::Database(ConnectionSpec target, QSqlDatabase db, QString name)
    : target_(std::move(target)), db_(std::move(db)), name_(std::move(name)) {
    if (holdsFile()) registerOpenDatabaseFile(target_.dataSource);
}

bool Database::holdsFile() const {
    return target_.backend == Backend::SQLite && target_.dataSource != u":memory:";
}

Database::~Database() {
    if (level_ > 0) {
        level_ = 1;
        rollbackTrans();
    }
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
    if (holdsFile()) unregisterOpenDatabaseFile(target_.dataSource);
}

void Database::configure() {
    if (target_.backend == Backend::SQLite) {
        // Readers never wait for the writer; a commit reported done is on the
        // disk (the log is synced at every commit, so a power cut loses no
        // save the user was told of); keys of other rows are checked; a
        // writer waits for another instead of failing at once.
        execute(QStringLiteral("PRAGMA journal_mode = WAL"));
        execute(QStringLiteral("PRAGMA synchronous = FULL"));
        execute(QStringLiteral("PRAGMA foreign_keys = ON"));
        execute(QStringLiteral("PRAGMA busy_timeout = %1").arg(kBusyTimeoutMs));
    } else {
        // Dates are stored without a zone and the database never supplies the
        // time, so the session zone is fixed and no conversion can move a date.
        execute(QStringLiteral("SET TIME ZONE 'UTC'"));
        execute(QStringLiteral("SET DateStyle TO ISO, YMD"));
        execute(QStringLiteral("SET client_encoding TO 'UTF8'"));
        execute(QStringLiteral("SET standard_conforming_strings TO on"));
        execute(QStringLiteral("SET client_min_messages TO warning"));
        if (!target_.schema.isEmpty()) execute(QStringLiteral("SET search_path TO ") + quotedIdentifier(target_.schema));
    }
}

QString Database::driverText(const QSqlQuery& query, const QString& sql) const {
    QString statement = sql.simplified();
    if (statement.size() > 200) statement = statement.left(200) + QStringLiteral("…");
    return errorText(query.lastError()) + QStringLiteral("\n[") + statement + u']';
}

QSqlQuery Database::prepare(const QString& sql) const {
    QSqlQuery query(db_);
    if (!query.prepare(sql)) throw DbError(QStringLiteral("SQL を準備できません: ") + driverText(query, sql));
    return query;
}

void Database::exec(QSqlQuery& query) const {
    ++statements_;
    if (!query.exec()) throw DbError(QStringLiteral("SQL を実行できません: ") + driverText(query, query.lastQuery()));
}

void Database::execute(const QString& sql) const {
    QSqlQuery query(db_);
    ++statements_;
    if (!query.exec(sql)) throw DbError(QStringLiteral("SQL を実行できません: ") + driverText(query, sql));
}

qint64 Database::execReturningKey(QSqlQuery& query) const {
    exec(query);
    if (!query.next()) throw DbError(QStringLiteral("追加した行の番号を読めません。\n[") + query.lastQuery() + u']');
    bool ok = false;
    const qint64 key = query.value(0).toLongLong(&ok);
    if (!ok) throw DbError(QStringLiteral("追加した行の番号を読めません。\n[") + query.lastQuery() + u']');
    query.finish();
    return key;
}

int Database::execTouching(QSqlQuery& query) const {
    exec(query);
    const int rows = query.numRowsAffected();
    if (rows <= 0) {
        throw NoRowTouched(QStringLiteral("対象の行がありません。他の端末で削除または変更された可能性があります。\n[") +
                           query.lastQuery().simplified() + u']');
    }
    return rows;
}

int Database::beginTrans() {
    QSqlQuery query(db_);
    QString sql;
    if (level_ == 0) {
        // SQLite: the write lock now, so two writers never deadlock upgrading it.
        sql = target_.backend == Backend::SQLite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN");
    } else {
        sql = QStringLiteral("SAVEPOINT lum_level_%1").arg(level_ + 1);
    }
    if (!query.exec(sql)) {
        lastError_ = errorText(query.lastError());
        return level_;
    }
    lastError_.clear();
    return ++level_;
}

void Database::commitTrans() {
    if (level_ == 0) throw DbError(QStringLiteral("DB Trans Stop error 0"));
    QSqlQuery query(db_);
    const QString sql =
        level_ == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE SAVEPOINT lum_level_%1").arg(level_);
    if (!query.exec(sql)) {
        lastError_ = errorText(query.lastError());
        throw DbError(QStringLiteral("DB Trans Stop error %1\n%2").arg(level_).arg(lastError_));
    }
    --level_;
}

void Database::rollbackTrans() {
    if (level_ == 0) return;
    QSqlQuery query(db_);
    if (level_ == 1) {
        if (!query.exec(QStringLiteral("ROLLBACK"))) lastError_ = errorText(query.lastError());
    } else {
        const QString point = QStringLiteral("lum_level_%1").arg(level_);
        if (!query.exec(QStringLiteral("ROLLBACK TO SAVEPOINT ") + point) ||
            !query.exec(QStringLiteral("RELEASE SAVEPOINT ") + point)) {
            lastError_ = errorText(query.lastError());
        }
    }
    --level_;
}

Transaction::Transaction(Database& db) : db_(db), level_(db.transactionLevel() + 1) {
    // A begin that fails leaves the level where it was; its answer is then
    // not ours, and there is nothing of ours to end.
    const int began = db_.beginTrans();
    if (began != level_) {
        done_ = true;
        throw TransactionStartError(began, db_.lastError());
    }
}

Transaction::~Transaction() {
    if (!done_ && db_.transactionLevel() == level_) db_.rollbackTrans();
}

void Transaction::commit() {
    // Only its own level, once: never a level some other scope opened.
    if (done_ || db_.transactionLevel() != level_)
        throw DbError(QStringLiteral("DB Trans Stop error %1").arg(db_.transactionLevel()));
    db_.commitTrans();
    done_ = true;
}

bool Database::tableExists(const QString& table) const {
    QSqlQuery q = prepare(target_.backend == Backend::SQLite
                              ? QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND "
                                               "lower(name) = lower(:t)")
                              : QStringLiteral("SELECT CASE WHEN to_regclass(lower(:t)) IS NULL THEN 0 ELSE 1 END"));
    q.bindValue(QStringLiteral(":t"), table);
    exec(q);
    return q.next() && q.value(0).toInt() > 0;
}

QStringList Database::columnNames(const QString& table) const {
    QSqlQuery q = prepare(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE 1 = 0"));
    exec(q);
    QStringList names;
    const QSqlRecord record = q.record();
    for (int i = 0; i < record.count(); ++i) names << record.fieldName(i);
    return names;
}

QString Database::likeOperator() const {
    return target_.backend == Backend::SQLite ? QStringLiteral("LIKE") : QStringLiteral("ILIKE");
}

QString Database::likeCondition(const QString& column, const QString& placeholder) const {
    return column + u' ' + likeOperator() + u' ' + placeholder + QStringLiteral(" ESCAPE '\\'");
}

QString likeEscape(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\\' || c == u'%' || c == u'_') out += u'\\';
        out += c;
    }
    return out;
}

QString likePrefix(QStringView text) { return likeEscape(text) + u'%'; }

QString likeContains(QStringView text) { return u'%' + likeEscape(text) + u'%'; }

}  // namespace lum::db
