#include "facility_admin.h"

#include "common/cp932.h"

namespace lum::setup {
namespace {

int countWhere(db::Database& db, const QString& sql, const QString& placeholder, const QVariant& value) {
    QSqlQuery q = db.prepare(sql);
    q.bindValue(placeholder, value);
    db.exec(q);
    return q.next() ? q.value(0).toInt() : 0;
}

}  // namespace

void checkText(const QString& label, const QString& text, int width, bool required) {
    if (required && text.isEmpty()) throw SetupError(QStringLiteral("%1を指定してください。").arg(label));
    if (text.size() > width) {
        throw SetupError(QStringLiteral("%1は %2 文字までです（%3 文字あります）。").arg(label).arg(width).arg(text.size()));
    }
    QString bad;
    if (!cp932::canEncode(text, &bad)) throw SetupError(QStringLiteral("%1に使えない文字があります: %2").arg(label, bad));
}

void addStaff(db::Database& db, int code, const QString& name, const QString& symbol) {
    if (code < 0) throw SetupError(QStringLiteral("職員コードは 0 以上の整数です。"));
    checkText(QStringLiteral("職員名"), name, kStaffNameWidth);
    checkText(QStringLiteral("記号"), symbol, kStaffSymbolWidth, false);
    db::inTransaction(db, [&] {
        if (countWhere(db, QStringLiteral("SELECT COUNT(*) FROM KaigoStuff WHERE CD = :c"), QStringLiteral(":c"), code) > 0)
            throw SetupError(QStringLiteral("職員コード %1 は既に登録されています。").arg(code));
        QSqlQuery q = db.prepare(QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (:c, :n, :k)"));
        q.bindValue(QStringLiteral(":c"), code);
        q.bindValue(QStringLiteral(":n"), name);
        q.bindValue(QStringLiteral(":k"), symbol);
        db.exec(q);
    });
}

void addLogin(db::Database& db, const QString& staffCode, const QString& password, const QString& name,
              bool replace) {
    checkText(QStringLiteral("ログインの職員コード"), staffCode, kLoginCodeWidth);
    checkText(QStringLiteral("パスワード"), password, kLoginPasswordWidth);
    checkText(QStringLiteral("ログイン名"), name, kLoginNameWidth, false);
    db::inTransaction(db, [&] {
        QString loginName = name;
        if (loginName.isEmpty()) {
            bool numeric = false;
            const int code = staffCode.toInt(&numeric);
            QSqlQuery q = db.prepare(QStringLiteral("SELECT StuffName FROM KaigoStuff WHERE CD = :c"));
            q.bindValue(QStringLiteral(":c"), code);
            db.exec(q);
            if (!numeric || !q.next()) {
                throw SetupError(QStringLiteral("職員コード %1 の職員がいないため、ログイン名を --name で指定してください。")
                                     .arg(staffCode));
            }
            loginName = q.value(0).toString().left(kLoginNameWidth);
        }
        const bool exists = countWhere(db, QStringLiteral("SELECT COUNT(*) FROM LoginUser WHERE STAFF_CD = :s"),
                                       QStringLiteral(":s"), staffCode) > 0;
        if (exists && !replace) {
            throw SetupError(
                QStringLiteral("ログイン %1 は既に登録されています（変えるときは --replace）。").arg(staffCode));
        }
        QSqlQuery q = db.prepare(exists ? QStringLiteral("UPDATE LoginUser SET PASS_WORD = :p, LoginNAME = :n "
                                                         "WHERE STAFF_CD = :s")
                                        : QStringLiteral("INSERT INTO LoginUser (STAFF_CD, PASS_WORD, LoginNAME) "
                                                         "VALUES (:s, :p, :n)"));
        q.bindValue(QStringLiteral(":s"), staffCode);
        q.bindValue(QStringLiteral(":p"), password);
        q.bindValue(QStringLiteral(":n"), loginName);
        if (exists) {
            db.execTouching(q);
        } else {
            db.exec(q);
        }
    });
}

void setFacility(db::Database& db, const QString& name) {
    checkText(QStringLiteral("施設名"), name, kFacilityNameWidth);
    db::inTransaction(db, [&] {
        QSqlQuery first = db.prepare(QStringLiteral("SELECT ID FROM Facilities ORDER BY ID LIMIT 1"));
        db.exec(first);
        QSqlQuery q;
        if (first.next()) {
            q = db.prepare(QStringLiteral("UPDATE Facilities SET FACILITIES_NAME = :n WHERE ID = :i"));
            q.bindValue(QStringLiteral(":i"), first.value(0));
            q.bindValue(QStringLiteral(":n"), name);
            db.execTouching(q);
        } else {
            q = db.prepare(QStringLiteral("INSERT INTO Facilities (FACILITIES_NAME) VALUES (:n)"));
            q.bindValue(QStringLiteral(":n"), name);
            db.exec(q);
        }
    });
}

}  // namespace lum::setup
