#include "demo_link.h"

#include "demo_names.h"
#include "facility_admin.h"

#include "app/link_connection.h"
#include "app/registory.h"
#include "platform/settings/settings_key.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <set>

namespace lum::setup {
namespace {

constexpr std::uint64_t kLinkSeed = 20240601;

constexpr const char16_t* kTowns[] = {u"岸町", u"高砂", u"常盤", u"仲町", u"北浦和", u"領家", u"元町", u"本太"};

struct Row {
    int sid;
    QString jname, kname;
    bool female;
    QDate birth;  // null: not known to the other system
    QString mail, chiku, mati, add, tel, fax;
};

std::vector<Row> makeRows() {
    DemoRandom rnd(kLinkSeed);
    std::vector<Row> rows;
    std::set<std::pair<int, int>> usedNames;
    std::set<int> usedNumbers;
    for (int i = 0; i < kDemoLinkClients; ++i) {
        Row r;
        do {
            r.sid = rnd.between(1001, 4999);
        } while (!usedNumbers.insert(r.sid).second);
        r.female = rnd.chance(62);
        const auto& given = r.female ? kWomen : kMen;
        int family = 0, first = 0;
        do {
            family = rnd.below(int(std::size(kFamilies)));
            first = rnd.below(int(std::size(kMen)));
        } while (!usedNames.insert({family, first * 2 + (r.female ? 1 : 0)}).second);
        r.jname = QString::fromUtf16(kFamilies[family].kanji) + u'　' + QString::fromUtf16(given[first].kanji);
        r.kname = QString::fromUtf16(kFamilies[family].kana) + u' ' + QString::fromUtf16(given[first].kana);
        // The other system does not know everyone's birthday.
        if (i != 17) r.birth = QDate(rnd.between(1926, 1948), rnd.between(1, 12), rnd.between(1, 28));
        const int town = rnd.below(int(std::size(kTowns)));
        r.mail = QStringLiteral("330-%1").arg(61 + town, 4, 10, QLatin1Char('0'));
        r.chiku = QStringLiteral("%1").arg(1 + town / 3, 2, 10, QLatin1Char('0'));
        r.mati = QStringLiteral("%1").arg(101 + town, 4, 10, QLatin1Char('0'));
        r.add = QStringLiteral("さいたま市浦和区") + QString::fromUtf16(kTowns[town]) +
                QStringLiteral("%1-%2-%3").arg(rnd.between(1, 9)).arg(rnd.between(1, 30)).arg(rnd.between(1, 20));
        r.tel = QStringLiteral("048-%1-%2").arg(rnd.between(820, 889)).arg(rnd.between(1000, 9999));
        if (rnd.chance(30)) r.fax = QStringLiteral("048-%1-%2").arg(rnd.between(820, 889)).arg(rnd.between(1000, 9999));
        rows.push_back(r);
    }
    return rows;
}

// The table as the other system keeps it (Add quoted: a reserved word there).
void writeTable(const QString& file) {
    const QString name = QStringLiteral("demo-link-") + QUuid::createUuid().toString(QUuid::Id128);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        auto fail = [&](const QString& what) {
            error = what;
            if (db.isOpen()) db.rollback();
        };
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral(
                    "CREATE TABLE kgkihn1d (Sid INTEGER PRIMARY KEY, Jname VARCHAR(40), Kname VARCHAR(20), Sex BIT, "
                    "Birth DATETIME, Mail VARCHAR(8), ChikuCode VARCHAR(6), MatiCode VARCHAR(4), \"Add\" VARCHAR(60), "
                    "Tel VARCHAR(15), Fax VARCHAR(15))")) ||
                !db.transaction()) {
                fail(q.lastError().text());
            } else {
                for (const Row& r : makeRows()) {
                    q.prepare(QStringLiteral("INSERT INTO kgkihn1d VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
                    q.addBindValue(r.sid);
                    q.addBindValue(r.jname);
                    q.addBindValue(r.kname);
                    q.addBindValue(r.female ? -1 : 0);  // true as the other system's file stores it
                    q.addBindValue(r.birth.isNull() ? QVariant(QMetaType(QMetaType::QString))
                                                    : QVariant(r.birth.toString(QStringLiteral("yyyy-MM-dd 00:00:00"))));
                    for (const QString* text : {&r.mail, &r.chiku, &r.mati, &r.add, &r.tel, &r.fax}) q.addBindValue(*text);
                    if (!q.exec()) {
                        fail(q.lastError().text());
                        break;
                    }
                }
                if (error.isEmpty() && !db.commit()) fail(db.lastError().text());
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!error.isEmpty()) throw SetupError(QStringLiteral("連動データを書けません: %1").arg(error));
}

}  // namespace

DemoLinkSummary writeDemoLinkSource(const QString& path) {
    const QFileInfo target(path);
    if (path.isEmpty()) throw SetupError(QStringLiteral("--file にファイル名を指定してください。"));
    if (target.exists()) throw SetupError(QStringLiteral("ファイルが既にあります（上書きしません）: %1").arg(path));
    if (!QDir().mkpath(target.absolutePath())) {
        throw SetupError(QStringLiteral("フォルダーを作れません: %1").arg(target.absolutePath()));
    }
    // Written beside the target and moved into place whole.
    const QString part = target.absoluteFilePath() + QStringLiteral(".part");
    QFile::remove(part);
    try {
        writeTable(part);
    } catch (...) {
        QFile::remove(part);
        throw;
    }
    if (!QFile::rename(part, target.absoluteFilePath())) {
        QFile::remove(part);
        throw SetupError(QStringLiteral("ファイルを置けません: %1").arg(path));
    }
    return {kDemoLinkClients, QStringLiteral("DRIVER={SQLite3};Database=%1").arg(target.absoluteFilePath())};
}

bool storeDemoLinkSettings(const QString& connection) {
    TRegistory settings;
    if (!settings.ReadRegistry().isEmpty() || settings.HasLink()) return false;
    settings.ServFlg = AccessLink;
    settings.MDBConnection = connection;
    if (!settings.WriteRegistry()) {
        throw SetupError(QStringLiteral("設定を書けません: %1").arg(SettingsKey::filePathOf(TRegistory::KeyPath)));
    }
    return true;
}

}  // namespace lum::setup
