#include "results/results_csv_exchange.h"

#include "common/csv_file.h"
#include "platform/db/db_error.h"
#include "platform/ui/dialogs.h"
#include "results/cure_results_store.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlQuery>

#include <set>
#include <utility>

namespace lum {
namespace {

void error(const QString& text, QWidget* parent) { message(MsgKind::Error, text, MsgButton::Yes, parent); }

}  // namespace

bool ExportResultsCsvFile(db::Database& database, DateRange period, const QString& file, QWidget* parent) {
    using namespace exchange_text;
    // Only はい overwrites; いいえ, Esc and the close box leave the file alone.
    if (QFileInfo::exists(file) &&
        message(MsgKind::Warning, Overwrite, MsgButton::Yes | MsgButton::No, parent) != MsgButton::Yes) {
        return false;
    }
    std::vector<CureResult> rows;
    try {
        rows = CureResultsStore(database).periodRows(period);
    } catch (const db::DbError& e) {
        error(QueryFailed + u'\n' + e.text(), parent);
        return false;
    }
    if (rows.empty()) {
        message(MsgKind::Warning, NoData, MsgButton::Yes, parent);
        return false;
    }
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        error(CannotCreate + u'\n' + out.errorString(), parent);
        return false;
    }
    CsvLineWriter lines(out, CsvQuoting::EveryValue);
    try {
        lines.writeLine(ResultsCsvHeader());
    } catch (const CsvLineError& e) {
        out.cancelWriting();
        error(HeaderFailed + u'\n' + e.text(), parent);
        return false;
    }
    try {
        for (const CureResult& row : rows) lines.writeLine(ResultsCsvValues(row));
        if (!out.commit()) throw CsvLineError(out.errorString());
    } catch (const CsvLineError& e) {
        // The temporary file goes; the previous file stays as it was.
        out.cancelWriting();
        error(LineFailed + u'\n' + e.text(), parent);
        return false;
    }
    message(MsgKind::Information, Exported, MsgButton::Ok, parent);
    return true;
}

ResultsImportOutcome ImportResultsCsvContent(db::Database& database, const ResultsCsvContent& content) {
    using namespace exchange_text;
    ResultsImportOutcome outcome;
    if (content.refusal) {
        outcome.failure = content.refusal->text();
        return outcome;
    }
    std::optional<db::Transaction> tx;
    try {
        tx.emplace(database);
        if (database.backend() == db::Backend::PostgreSQL) {
            QSqlQuery lock = database.prepare(QStringLiteral("SELECT pg_advisory_xact_lock(:key)"));
            lock.bindValue(QStringLiteral(":key"), ResultsImportLockKey);
            database.exec(lock);
        }
    } catch (const db::DbError& e) {
        outcome.failure = CannotOpenTable + u'\n' + e.text();
        return outcome;
    }
    try {
        const CureResultsStore store(database);
        // The stored results of the file's months counted against its lines.
        ResultsCsvMatch match(content.rows);
        std::set<std::pair<int, int>> months;
        for (const CureResult& row : content.rows) {
            const QDate day = row.CureDate.date();
            months.emplace(day.year(), day.month());
        }
        for (const auto& [year, month] : months) {
            store.forEachPeriodRow(monthRange(year, month),
                                   [&match](const CureResult& stored) { match.countStored(stored); });
        }
        const std::vector<bool> taken = match.added();
        for (const bool add : taken) {
            if (add) {
                ++outcome.added;
            } else {
                ++outcome.skipped;
            }
        }
        store.insertAll(content.rows, [&taken](std::size_t i) { return taken[i]; });
        tx->commit();
        outcome.stored = true;
    } catch (const db::DbError& e) {
        outcome = {};
        outcome.failure = AppendFailed + u'\n' + e.text();
    }
    return outcome;
}

QString ImportedText(const ResultsImportOutcome& outcome) {
    return exchange_text::Imported +
           QStringLiteral("\n追加：%1件　スキップ：%2件").arg(outcome.added).arg(outcome.skipped);
}

bool ImportResultsCsvFile(db::Database& database, const QString& file, const std::vector<StaffMember>& staff,
                          const WriterStamp& stamp, QWidget* parent) {
    using namespace exchange_text;
    if (!QFileInfo::exists(file)) {
        error(NoImportFile, parent);
        return false;
    }
    ResultsCsvContent content;
    {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly)) {
            error(CannotOpenImport, parent);
            return false;
        }
        content = ReadResultsCsv(in, staff, stamp);
    }  // closed before any message or write
    const ResultsImportOutcome outcome = ImportResultsCsvContent(database, content);
    if (!outcome.stored) {
        error(outcome.failure, parent);
        return false;
    }
    message(MsgKind::Information, ImportedText(outcome), MsgButton::Ok, parent);
    return true;
}

}  // namespace lum
