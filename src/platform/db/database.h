#pragma once
// The one connection to the facility database (RIHADatabase of the data
// module) over Qt SQL, on SQLite (one workstation) or PostgreSQL (several).
//
// Rules every caller keeps:
// - every value is a bound parameter; no user text is put into SQL;
// - dates are bound and read through common/db/sql_date.h, never as QDate or
//   QDateTime;
// - new keys come back from INSERT ... RETURNING (execReturningKey);
// - an UPDATE or DELETE that must touch a row goes through execTouching.
#include "platform/db/connection_string.h"
#include "platform/db/db_error.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>

namespace lum::db {

class Database {
public:
    enum class Create { No, Yes };

    // Opens with the user and password of the connection key (they override
    // anything in the text). An SQLite file is created only with Create::Yes.
    // Throws DbError with a readable reason.
    static std::unique_ptr<Database> open(const QString& connectionString, const QString& user,
                                          const QString& password, Create create = Create::No);
    static std::unique_ptr<Database> open(const ConnectionSpec& target, const QString& user, const QString& password,
                                          Create create = Create::No);
    // Loads the driver plugin of `backend`, and the client library it links,
    // ahead of the first connection; from any thread, before the application
    // object too. The first open() then finds them loaded. False when the
    // plugin could not be loaded (open() reports that itself).
    static bool preloadDriver(Backend backend);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    Backend backend() const { return target_.backend; }
    const ConnectionSpec& target() const { return target_; }
    bool isOpen() const { return db_.isOpen(); }
    // For Qt's models; statements go through the functions below.
    QSqlDatabase handle() const { return db_; }

    // A prepared statement; throws DbError when the SQL does not prepare.
    QSqlQuery prepare(const QString& sql) const;
    // Runs a prepared statement; throws DbError with the driver's text.
    void exec(QSqlQuery& query) const;
    // Runs a statement without parameters (schema changes, pragmas).
    void execute(const QString& sql) const;
    // Runs "INSERT ... RETURNING key" and gives the key.
    qint64 execReturningKey(QSqlQuery& query) const;
    // Runs an UPDATE or DELETE and gives the rows touched; none raises NoRowTouched.
    int execTouching(QSqlQuery& query) const;

    // Transactions are begun, committed and rolled back only through
    // Transaction (below); these tell where they stand.
    bool inTransaction() const { return level_ > 0; }
    int transactionLevel() const { return level_; }
    QString lastError() const { return lastError_; }

    // How many statements exec and execute have run on this connection, for
    // benchmarks and tests that check a screen costs a fixed number of them.
    quint64 statementsRun() const { return statements_; }

    // Whether the table exists where this connection looks for it (the
    // search path on PostgreSQL), and the names of its columns.
    bool tableExists(const QString& table) const;
    QStringList columnNames(const QString& table) const;

    // "LIKE" on SQLite, "ILIKE" on PostgreSQL: both fold ASCII letters only.
    // Use with likePattern()/likeEscape(): column LIKE :p ESCAPE '\'.
    QString likeOperator() const;
    QString likeCondition(const QString& column, const QString& placeholder) const;

private:
    friend class Transaction;

    // beginTrans gives the nesting level afterwards: 1 for the outer
    // transaction (SQLite takes the write lock at once), 2 and more for nested
    // ones (savepoints); when the begin fails the level stays and lastError()
    // says why.
    int beginTrans();
    // Ends the innermost level; throws DbError when the commit fails (the
    // level is then still open and must be rolled back).
    void commitTrans();
    // Undoes the innermost level; never throws.
    void rollbackTrans();

    Database(ConnectionSpec target, QSqlDatabase db, QString name);
    // An SQLite file (not an in-memory database): registered as open while
    // the connection lives, so the file pickers refuse it.
    bool holdsFile() const;
    void configure();
    QString driverText(const QSqlQuery& query, const QString& sql) const;

    ConnectionSpec target_;
    QSqlDatabase db_;
    QString name_;
    int level_ = 0;
    QString lastError_;
    mutable quint64 statements_ = 0;
};

// The one way to write: a scoped transaction. The constructor begins it
// (TransactionStartError, with the level begin gave, when none is open
// afterwards); the destructor rolls it back unless commit() ran, so an early
// return or an exception never leaves a half-written change. The checks that
// decide a write belong inside the same scope.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // The nesting level this transaction opened (1 for the outermost).
    int level() const { return level_; }
    // Commits; throws DbError when the commit fails (the destructor then rolls back).
    void commit();
    bool committed() const { return done_; }

private:
    Database& db_;
    int level_;
    bool done_ = false;
};

// Runs fn() in a Transaction: commits when it returns, rolls back and
// rethrows when it throws. TransactionStartError when it cannot begin.
template <typename Fn>
decltype(auto) inTransaction(Database& db, Fn&& fn) {
    Transaction tx(db);
    if constexpr (std::is_void_v<decltype(fn())>) {
        std::forward<Fn>(fn)();
        tx.commit();
    } else {
        decltype(auto) result = std::forward<Fn>(fn)();
        tx.commit();
        return result;
    }
}

// User text for LIKE: '\', '%' and '_' escaped with '\'.
QString likeEscape(QStringView text);
QString likePrefix(QStringView text);    // "text%"
QString likeContains(QStringView text);  // "%text%"

}  // namespace lum::db
