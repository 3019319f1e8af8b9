#include "ado/sqloledb/PgSession.h"

#include "ado/pg/CopyTextFormat.h"
#include "ado/pg/PgCopyIn.h"
#include "ado/pg/PgError.h"
#include "ado/pg/PgQuote.h"
#include "ado/pg/PgStatements.h"
#include "ado/pg/PgTableCopy.h"
#include "ado/tsql/TsqlTranslator.h"

#include <charconv>
#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <thread>
#include <type_traits>
#include <utility>

namespace kx::ado::sqloledb {

namespace {

/// How often, and how far apart, a copy's source is looked at for other sessions.
constexpr int kCopySourceLooks = 10;
constexpr std::chrono::milliseconds kCopySourceLookPause{50};

/// Bytes of COPY data collected before they are sent.
constexpr std::size_t kImportPieceBytes = 32 * 1024;

/// The first `characters` code points of UTF-8 text.
std::string_view FirstCharacters(std::string_view text, int characters) {
    std::size_t end = 0;
    for (int counted = 0; end < text.size(); ++end) {
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && counted++ == characters) {
            break;
        }
    }
    return text.substr(0, end);
}

/// The identity column of `table`, if it has one (and the table exists).
std::optional<std::string> IdentityColumnOf(pg::PgConnection& connection, const std::string& table) {
    const pg::PgParam params[] = {pg::PgParam::Text(pg::QuoteIdent(table))};
    const pg::PgResult result =
        connection.ExecParams("SELECT a.attname::text FROM pg_attribute a WHERE a.attrelid = to_regclass($1) "
                              "AND a.attidentity <> '' AND NOT a.attisdropped",
                              params);
    if (result.RowCount() == 0) {
        return std::nullopt;
    }
    return std::string(result.Value(0, 0));
}

bool IsEmpty(pg::PgConnection& connection, const std::string& table) {
    return connection.Exec("SELECT NOT EXISTS (SELECT 1 FROM " + pg::QuoteIdent(table) + ")").Value(0, 0) ==
           "t";
}

/// The largest whole number among the values an import stores in one column;
/// gives up on a value that is no whole number.
class LargestValue {
  public:
    void See(std::string_view text) {
        std::int64_t value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size()) {
            known_ = false;
        } else if (!top_ || value > *top_) {
            top_ = value;
        }
    }
    bool Known() const noexcept { return known_; }
    /// Nothing when no value was seen.
    std::optional<std::int64_t> Top() const noexcept { return top_; }

  private:
    bool known_ = true;
    std::optional<std::int64_t> top_;
};

} // namespace

PgSession::PgSession(pg::PgConnectionSettings settings)
    : settings_(std::move(settings)), current_(settings_) {}

pg::PgConnection PgSession::OpenConnection(const std::string& database) const {
    pg::PgConnectionSettings settings = settings_;
    settings.database = database;
    return pg::PgConnection(settings);
}

pg::PgConnection& PgSession::ConnectionFor(const std::string& database) {
    if (database.empty() || database == settings_.database) {
        return current_;
    }
    auto found = others_.find(database);
    if (found == others_.end()) {
        found = others_.emplace(database, OpenConnection(database)).first;
    }
    return found->second;
}

PgSession::TableKey PgSession::KeyOf(const std::string& database, const std::string& table) const {
    return {database.empty() ? settings_.database : database, table};
}

bool PgSession::IdentityInsertOn(std::string_view database, std::string_view table) const {
    const std::string db = database.empty() ? settings_.database : std::string(database);
    return identityInsert_.count({db, std::string(table)}) != 0;
}

pg::PgResult PgSession::Execute(std::string_view tsql, const JetRowReader& jetReader) {
    return Run(tsql::TranslateTsql(tsql), jetReader);
}

pg::PgResult PgSession::Run(const tsql::TranslationPlan& plan, const JetRowReader& jetReader) {
    for (const tsql::PlanStep& step : plan.steps) {
        if (std::holds_alternative<tsql::ImportJetTable>(step) && !jetReader) {
            throw std::logic_error("a Jet book import needs a reader of the Jet table");
        }
    }
    pg::PgResult last;
    std::optional<pg::PgResult> lastRows;
    for (const tsql::PlanStep& step : plan.steps) {
        rowsEmptied_.reset();
        last = RunStep(step, jetReader);
        if (const auto* run = std::get_if<tsql::RunSql>(&step); run != nullptr && run->returnsRows) {
            lastRows = last;
        }
    }
    return lastRows ? *lastRows : last;
}

pg::PgResult PgSession::RunStep(const tsql::PlanStep& step, const JetRowReader& jetReader) {
    return std::visit(
        [this, &jetReader](const auto& action) -> pg::PgResult {
            using Action = std::decay_t<decltype(action)>;
            if constexpr (std::is_same_v<Action, tsql::RunSql>) {
                if (!action.returnsRows) {
                    // It may store explicit identity values anywhere.
                    identityInLine_.clear();
                }
                return ConnectionFor(action.database).Exec(action.sql);
            } else if constexpr (std::is_same_v<Action, tsql::EmptyTable>) {
                identityInLine_.clear();
                return Empty(action);
            } else if constexpr (std::is_same_v<Action, tsql::SwitchDatabase>) {
                if (action.database != settings_.database) {
                    pg::PgConnection next = OpenConnection(action.database);
                    others_.erase(action.database);
                    current_ = std::move(next);
                    settings_.database = action.database;
                }
                return {};
            } else if constexpr (std::is_same_v<Action, tsql::CreateDatabase>) {
                if (!action.copiedDatabase.empty()) {
                    RefuseCopyOfDatabaseInUse(action.copiedDatabase);
                }
                pg::PgResult created = current_.Exec(action.createSql);
                try {
                    OpenConnection(action.database).Exec(action.setupSql);
                } catch (const pg::PgError&) {
                    // A database without its collation is no book database: the
                    // statement made it, so it takes it away again before it fails.
                    try {
                        current_.Exec(pg::DropDatabaseSql(action.database));
                    } catch (const pg::PgError&) {
                        // The failure of the setup is the one to report.
                    }
                    throw;
                }
                return created;
            } else if constexpr (std::is_same_v<Action, tsql::DropDatabase>) {
                others_.erase(action.database);
                return current_.Exec(action.dropSql);
            } else if constexpr (std::is_same_v<Action, tsql::ShrinkDatabase>) {
                return ConnectionFor(action.database).Exec(action.vacuumSql);
            } else if constexpr (std::is_same_v<Action, tsql::SetIdentityInsert>) {
                const std::string db = action.database.empty() ? settings_.database : action.database;
                if (action.on) {
                    identityInsert_.insert({db, action.table});
                } else {
                    identityInsert_.erase({db, action.table});
                }
                return {};
            } else if constexpr (std::is_same_v<Action, tsql::SyncIdentity>) {
                return Sync(action);
            } else if constexpr (std::is_same_v<Action, tsql::ImportJetTable>) {
                return Import(action, jetReader);
            } else {
                static_assert(std::is_same_v<Action, tsql::CopyTableBetweenDatabases>);
                const std::string sourceDb =
                    action.sourceDatabase.empty() ? settings_.database : action.sourceDatabase;
                const std::string targetDb =
                    action.targetDatabase.empty() ? settings_.database : action.targetDatabase;
                identityInLine_.erase({targetDb, action.targetTable});
                pg::PgConnection& source = ConnectionFor(sourceDb);
                if (sourceDb == targetDb) {
                    // One connection cannot stream out and in at once.
                    pg::PgConnection target = OpenConnection(targetDb);
                    pg::CopyTableBetweenConnections(source, action.sourceTable, target, action.targetTable);
                } else {
                    pg::CopyTableBetweenConnections(source, action.sourceTable, ConnectionFor(targetDb),
                                                    action.targetTable);
                }
                return {};
            }
        },
        step);
}

void PgSession::RefuseCopyOfDatabaseInUse(const std::string& source) {
    // Closed first when this session holds it: only other programs' sessions count.
    others_.erase(source);
    const pg::PgParam params[] = {pg::PgParam::Text(source)};
    // A session that was just closed (a check of the template's operator) may take
    // a moment to end on the server: looked at a few times before refusing.
    for (int look = 1; current_.ExecParams(pg::OtherSessionsOnDatabaseSql(), params).Value(0, 0) != "0";
         ++look) {
        if (look == kCopySourceLooks) {
            const std::string message = "source database \"" + source + "\" is being accessed by other users";
            throw pg::PgError("55006", message, "55006: " + message);
        }
        std::this_thread::sleep_for(kCopySourceLookPause);
    }
}

pg::PgResult PgSession::Empty(const tsql::EmptyTable& empty) {
    pg::PgConnection& connection = ConnectionFor(empty.database);
    if (connection.Exec(pg::TruncateAllowedSql(empty.table)).Value(0, 0) != "t") {
        return connection.Exec(empty.deleteSql);
    }
    // Counted and emptied under one lock, so the count is that of the rows removed.
    const bool ownTransaction = !connection.InTransaction();
    if (ownTransaction) {
        connection.Exec("BEGIN");
    }
    try {
        connection.Exec("LOCK TABLE " + pg::QuoteIdent(empty.table) + " IN ACCESS EXCLUSIVE MODE");
        const std::string counted(
            connection.Exec("SELECT count(*) FROM " + pg::QuoteIdent(empty.table)).Value(0, 0));
        connection.Exec(empty.truncateSql);
        if (ownTransaction) {
            connection.Exec("COMMIT");
        }
        rowsEmptied_ = std::stoll(counted);
    } catch (...) {
        if (ownTransaction) {
            try {
                connection.Exec("ROLLBACK");
            } catch (const pg::PgError&) {
                // The first failure is the one to report.
            }
        }
        throw;
    }
    return {};
}

pg::PgResult PgSession::Sync(const tsql::SyncIdentity& sync) {
    const TableKey key = KeyOf(sync.database, sync.table);
    if (identityInLine_.count(key) != 0) {
        return {};
    }
    pg::PgResult result = ConnectionFor(sync.database).Exec(pg::IdentitySyncSql(sync.table));
    identityInLine_.insert(key);
    return result;
}

pg::PgResult PgSession::Import(const tsql::ImportJetTable& import, const JetRowReader& jetReader) {
    const TableKey key = KeyOf(import.database, import.targetTable);
    const bool inLineBefore = identityInLine_.erase(key) != 0;
    pg::PgConnection& connection = ConnectionFor(import.database);

    // Where the identity has to go afterwards, when the imported values tell it.
    const std::optional<std::string> identity = IdentityColumnOf(connection, import.targetTable);
    std::optional<std::size_t> identityIndex;
    bool identityImported = false;
    for (std::size_t i = 0; identity && i < import.columns.size(); ++i) {
        if (import.columns[i].targetColumn == *identity) {
            identityImported = true;
            if (import.columns[i].truncateToCharacters == 0) {
                identityIndex = i;
            }
        }
    }
    if (identityIndex && !inLineBefore && !IsEmpty(connection, import.targetTable)) {
        // Values stored before may lie beyond the imported ones: tsql::SyncIdentity reads them.
        identityIndex.reset();
    }
    LargestValue largest;

    pg::PgCopyIn copy(connection, import.copySql);
    // Rows go to the server in pieces of many rows: fewer, larger messages.
    pg::CopyTextRowBuilder rows;
    rows.Reserve(kImportPieceBytes + kImportPieceBytes / 4);
    jetReader(import, [&](const std::vector<std::optional<std::string_view>>& values) {
        if (values.size() != import.columns.size()) {
            throw std::logic_error("a Jet row with " + std::to_string(values.size()) + " values for " +
                                   std::to_string(import.columns.size()) + " columns");
        }
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (!values[i]) {
                rows.AddNull();
            } else if (const int limit = import.columns[i].truncateToCharacters; limit > 0) {
                rows.AddText(FirstCharacters(*values[i], limit));
            } else {
                rows.AddText(*values[i]);
            }
        }
        if (identityIndex && values[*identityIndex]) {
            largest.See(*values[*identityIndex]);
        }
        rows.EndRow();
        if (rows.Text().size() >= kImportPieceBytes) {
            copy.Write(rows.Text());
            rows.Clear();
        }
    });
    if (!rows.Text().empty()) {
        copy.Write(rows.Text());
    }
    copy.Finish();

    if (!identity || (!identityImported && inLineBefore)) {
        identityInLine_.insert(key);
    } else if (identityIndex && largest.Known()) {
        if (const std::optional<std::int64_t> top = largest.Top()) {
            connection.Exec(pg::IdentityAdvanceSql(import.targetTable, *top));
        }
        identityInLine_.insert(key);
    }
    return {};
}

} // namespace kx::ado::sqloledb
