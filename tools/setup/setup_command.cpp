#include "setup_command.h"

#include "app/dbseting.h"
#include "common/datetime.h"
#include "demo_data.h"
#include "demo_link.h"
#include "facility_admin.h"
#include "platform/clock.h"
#include "platform/db/migrations.h"
#include "platform/settings/settings_key.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <functional>
#include <memory>

namespace lum::setup {
namespace {

class UsageError : public SetupError {
public:
    using SetupError::SetupError;
};

struct Options {
    QString command;
    QMap<QString, QString> values;
    QStringList flags;

    bool has(const QString& name) const { return values.contains(name); }
    QString value(const QString& name) const { return values.value(name); }
    QString required(const QString& name) const {
        if (!has(name)) throw UsageError(QStringLiteral("--%1 を指定してください。").arg(name));
        return value(name);
    }
};

struct CommandSpec {
    const char* name;
    QStringList valueOptions;
    QStringList flagOptions;
};

const QStringList kConnectionOptions = {QStringLiteral("connection"), QStringLiteral("user"), QStringLiteral("password")};

const std::vector<CommandSpec>& commands() {
    static const std::vector<CommandSpec> all = {
        {"init", kConnectionOptions, {}},
        {"add-staff", kConnectionOptions + QStringList{QStringLiteral("code"), QStringLiteral("name"), QStringLiteral("symbol")}, {}},
        {"add-login",
         kConnectionOptions + QStringList{QStringLiteral("staff-code"), QStringLiteral("login-password"), QStringLiteral("name")},
         {QStringLiteral("replace")}},
        {"set-facility", kConnectionOptions + QStringList{QStringLiteral("name")}, {}},
        {"demo", kConnectionOptions + QStringList{QStringLiteral("today")}, {}},
        {"demo-link", {QStringLiteral("file")}, {}},
    };
    return all;
}

Options parse(const QStringList& args) {
    Options o;
    if (args.isEmpty()) throw UsageError(QStringLiteral("コマンドを指定してください。"));
    o.command = args.first();
    const CommandSpec* target = nullptr;
    for (const CommandSpec& c : commands()) {
        if (o.command == QLatin1String(c.name)) target = &c;
    }
    if (!target) throw UsageError(QStringLiteral("\"%1\" というコマンドはありません。").arg(o.command));
    for (int i = 1; i < args.size(); ++i) {
        QString arg = args[i];
        if (!arg.startsWith(QStringLiteral("--"))) throw UsageError(QStringLiteral("余分な引数です: %1").arg(arg));
        arg = arg.mid(2);
        QString value;
        bool inlineValue = false;
        if (const qsizetype eq = arg.indexOf(u'='); eq >= 0) {
            value = arg.mid(eq + 1);
            arg = arg.left(eq);
            inlineValue = true;
        }
        if (target->flagOptions.contains(arg) && !inlineValue) {
            o.flags << arg;
        } else if (target->valueOptions.contains(arg)) {
            if (!inlineValue) {
                if (i + 1 >= args.size()) throw UsageError(QStringLiteral("--%1 の値がありません。").arg(arg));
                value = args[++i];
            }
            if (o.values.contains(arg)) throw UsageError(QStringLiteral("--%1 が二度あります。").arg(arg));
            o.values.insert(arg, value);
        } else {
            throw UsageError(QStringLiteral("%1 に --%2 は使えません。").arg(o.command, arg));
        }
    }
    return o;
}

// The database of --connection (with --user, --password), else of the connection key.
std::unique_ptr<db::Database> openDatabase(const Options& o) {
    if (o.has(QStringLiteral("connection"))) {
        return db::Database::open(o.value(QStringLiteral("connection")), o.value(QStringLiteral("user")),
                                  o.value(QStringLiteral("password")));
    }
    if (o.has(QStringLiteral("user")) || o.has(QStringLiteral("password"))) {
        throw UsageError(QStringLiteral("--user と --password は --connection と一緒に指定します。"));
    }
    TDBSeting seting;
    const QStringList errors = seting.ReadRegistry();
    if (!errors.isEmpty()) throw SetupError(errors.join(u'\n'));
    if (seting.Connection.isEmpty()) {
        throw SetupError(QStringLiteral("接続の設定がありません。先に init --connection で作ってください（%1）。")
                             .arg(lum::SettingsKey::filePathOf(TDBSeting::KeyPath)));
    }
    return db::Database::open(seting.Connection, seting.ID, seting.GetPassword());
}

// A database the application can use: migrated to this program's version.
std::unique_ptr<db::Database> openMigrated(const Options& o) {
    auto db = openDatabase(o);
    db::requireCurrentSchema(*db);
    return db;
}

void removeSqliteFiles(const QString& file) {
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")})
        QFile::remove(file + suffix);
}

int init(const Options& o, QTextStream& out) {
    const QString connection = o.required(QStringLiteral("connection"));
    const QString user = o.value(QStringLiteral("user"));
    const QString password = o.value(QStringLiteral("password"));
    QString error;
    const auto target = db::parseConnectionString(connection, &error);
    if (!target) throw UsageError(error);
    if (!TDBSeting::EncodeSeting(password, &error)) throw UsageError(error);

    // A file this command makes is removed again when the rest fails.
    QString createdFile;
    // (The database layer makes a new SQLite file and its folders owner-only.)
    if (target->backend == db::Backend::SQLite && !QFileInfo::exists(target->dataSource)) {
        createdFile = target->dataSource;
    }
    try {
        {
            auto db = db::Database::open(*target, user, password, db::Database::Create::Yes);
            const int before = db::schemaVersion(*db);
            db::migrate(*db);
            out << QStringLiteral("データベースを版 %1 にしました（元の版 %2）: %3\n")
                       .arg(db::latestSchemaVersion())
                       .arg(before)
                       .arg(connection);
        }
        if (!TDBSeting::WriteRegistry(connection, user, password, &error)) throw SetupError(error);
    } catch (...) {
        if (!createdFile.isEmpty()) removeSqliteFiles(createdFile);
        throw;
    }
    out << QStringLiteral("接続の設定を書きました: %1\n").arg(lum::SettingsKey::filePathOf(TDBSeting::KeyPath));
    return Ok;
}

int addStaffCommand(const Options& o, QTextStream& out) {
    bool ok = false;
    const QString codeText = o.required(QStringLiteral("code"));
    const int code = codeText.toInt(&ok);
    if (!ok) throw UsageError(QStringLiteral("--code は整数です: %1").arg(codeText));
    const QString name = o.required(QStringLiteral("name"));
    auto db = openMigrated(o);
    addStaff(*db, code, name, o.value(QStringLiteral("symbol")));
    out << QStringLiteral("職員 %1 %2 を登録しました。\n").arg(code).arg(name);
    return Ok;
}

int addLoginCommand(const Options& o, QTextStream& out) {
    const QString code = o.required(QStringLiteral("staff-code"));
    const QString password = o.required(QStringLiteral("login-password"));
    auto db = openMigrated(o);
    addLogin(*db, code, password, o.value(QStringLiteral("name")), o.flags.contains(QStringLiteral("replace")));
    out << QStringLiteral("ログイン %1 を登録しました。\n").arg(code);
    return Ok;
}

int setFacilityCommand(const Options& o, QTextStream& out) {
    const QString name = o.required(QStringLiteral("name"));
    auto db = openMigrated(o);
    setFacility(*db, name);
    out << QStringLiteral("施設名を「%1」にしました。\n").arg(name);
    return Ok;
}

int demoCommand(const Options& o, QTextStream& out) {
    QDate today = lum::today();
    if (o.has(QStringLiteral("today"))) {
        const auto parsed = parseDateText(o.value(QStringLiteral("today")));
        if (!parsed) throw UsageError(QStringLiteral("--today は yyyy/mm/dd です: %1").arg(o.value(QStringLiteral("today"))));
        today = parsed->date();
    }
    auto db = openMigrated(o);
    const DemoSummary s = writeDemoData(*db, today);
    // One line, in the order the documents menu lists them.
    out << QStringLiteral("デモデータを作りました: 職員 %1 名、利用者 %2 名、時間枠 %3、予約 %4、治療実績 %5 件、"
                          "治療計画書 %6 件、実施計画書 %7 件、リハビリテーション計画書 %8 件、実施計画書（予防） %9 件、")
               .arg(s.staff)
               .arg(s.clients)
               .arg(s.frames)
               .arg(s.bookings)
               .arg(s.results)
               .arg(s.plans)
               .arg(s.practicePlans)
               .arg(s.urinPlans)
               .arg(s.preventivePlans)
        << QStringLiteral("開始時カンファレンス（調査票） %1 件、カンファレンス %2 件、日常生活機能評価表 %3 件。\n")
               .arg(s.surveys)
               .arg(s.conferences)
               .arg(s.estimates);
    out << QStringLiteral("デモのログイン: ユーザー名 %1 / パスワード %2\n").arg(kDemoLoginCode, kDemoPassword);
    return Ok;
}

int demoLinkCommand(const Options& o, QTextStream& out) {
    const QString file = o.required(QStringLiteral("file"));
    const DemoLinkSummary s = writeDemoLinkSource(file);
    bool stored = false;
    try {
        stored = storeDemoLinkSettings(s.connection);
    } catch (const SetupError&) {
        QFile::remove(file);  // a failed command leaves nothing behind
        throw;
    }
    out << QStringLiteral("連動のデモデータを作りました: 利用者 %1 名 (%2)\n").arg(s.clients).arg(file);
    out << QStringLiteral("接続文字（システム設定 → 他システムデータ取り込み → MS-ACCESS MDB連動）:\n");
    out << s.connection << u'\n';
    out << (stored ? QStringLiteral("連動の設定に書きました（MS-ACCESS MDB連動）。\n")
                   : QStringLiteral("連動の設定が既にあるため、設定は変えていません。\n"));
    return Ok;
}

}  // namespace

QString helpText() {
    return QStringLiteral(
        "lumorind-setup: 施設データベースと接続の設定を準備します。\n"
        "\n"
        "使い方: lumorind-setup <コマンド> [オプション]\n"
        "\n"
        "  init --connection 接続文字列 [--user ID] [--password パスワード]\n"
        "      データベースを作成（既にあれば最新の版に更新）し、接続の設定\n"
        "      (Connection, ID, 暗号化したパスワード DBSeting) を書きます。\n"
        "      接続文字列: \"Provider=SQLite;Data Source=/path/lumorind.db\"\n"
        "              \"Provider=PostgreSQL;Host=…;Port=5432;Database=…\"\n"
        "      --password を省くと空のパスワードを書きます（56 バイトまで）。\n"
        "  add-staff --code 番号 --name 職員名 [--symbol 記号]\n"
        "      職員 (KaigoStuff) を登録します。職員名 30 文字、記号 4 文字まで。\n"
        "  add-login --staff-code コード --login-password パスワード [--name ログイン名] [--replace]\n"
        "      ログイン (LoginUser) を登録します。--name を省くと同じ番号の職員名。\n"
        "      既にあるログインは --replace のときだけ書き換えます。\n"
        "  set-facility --name 施設名\n"
        "      施設名 (Facilities) を設定します（60 文字まで）。\n"
        "  demo [--today yyyy/mm/dd]\n"
        "      空のデータベースにデモデータを作ります: 施設、職員 8 名とログイン、\n"
        "      利用者 60 名、今月の時間枠と予約、前の 2 か月の治療実績。\n"
        "  demo-link --file ファイル\n"
        "      他システム（Tavelund）の利用者 40 名の表 kgkihn1d を持つデモ用の\n"
        "      データベースファイルを作り、その接続文字を表示します（SQLite ODBC\n"
        "      ドライバーで読みます）。既にあるファイルは上書きしません。\n"
        "      連動の設定 (Lumorind5SHR) がまだなければ、MS-ACCESS MDB連動として\n"
        "      その接続文字を書きます。既にある連動の設定は変えません。\n"
        "  --help\n"
        "      この説明を表示します。\n"
        "\n"
        "init と demo-link 以外のコマンドは接続の設定のデータベースを使います。--connection\n"
        "（と --user, --password）を付けると、そのデータベースを使います。\n"
        "設定の場所: $LUMORIND_CONFIG_DIR（なければ ~/.config）/Quorvex/Lumorind5.reg\n"
        "終了コード: 0 成功、1 失敗（何も書き残しません）、2 引数の誤り。\n");
}

int runSetupCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.isEmpty() || args.contains(QStringLiteral("--help")) || args.first() == u"help") {
        (args.isEmpty() ? err : out) << helpText();
        return args.isEmpty() ? BadArguments : Ok;
    }
    try {
        const Options o = parse(args);
        static const QMap<QString, std::function<int(const Options&, QTextStream&)>> run = {
            {QStringLiteral("init"), init},
            {QStringLiteral("add-staff"), addStaffCommand},
            {QStringLiteral("add-login"), addLoginCommand},
            {QStringLiteral("set-facility"), setFacilityCommand},
            {QStringLiteral("demo"), demoCommand},
            {QStringLiteral("demo-link"), demoLinkCommand},
        };
        return run.value(o.command)(o, out);
    } catch (const UsageError& e) {
        err << QStringLiteral("エラー: ") << e.text() << QStringLiteral("\n（lumorind-setup --help で使い方を表示します）\n");
        return BadArguments;
    } catch (const SetupError& e) {
        err << QStringLiteral("エラー: ") << e.text() << u'\n';
    } catch (const db::DbError& e) {
        err << QStringLiteral("エラー: ") << e.text() << u'\n';
    } catch (const std::exception& e) {
        err << QStringLiteral("エラー: ") << QString::fromLocal8Bit(e.what()) << u'\n';
    }
    return Failed;
}

}  // namespace lum::setup
