#pragma once

#include "ado/TableTextReader.h"
#include "ado/pg/PgConnection.h"
#include "ado/pg/PgConnectionSettings.h"
#include "ado/pg/PgResult.h"
#include "ado/tsql/TranslationPlan.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kx::ado::sqloledb {

/// Hands the rows of a Jet book table to an import: calls `row` once per row of
/// `import.sourceTable` with the values of `import.columns`, in that order, as
/// text (nothing for NULL; the texts need to stay valid only during the call),
/// and returns when all rows have been handed over.
using JetRowReader = std::function<void(const tsql::ImportJetTable& import, const TextRowSink& row)>;

/// A SQL Server-like session on PostgreSQL: one current database, as T-SQL's
/// "Use" sees it, and the T-SQL statements of tsql::TranslateTsql carried out step by
/// step. Statements that name another database ("[db]..[t]") run on a further
/// connection to that database, opened on first use with the same login and kept
/// for the life of the session. Every statement commits on its own; "Create
/// Database" is whole or not at all (a database whose setup failed is dropped
/// again before the step fails).
///
/// Identities: the session remembers the tables whose identity it has brought in
/// line with their stored values and which none of its statements can have given
/// explicit identity values since (any statement that does not answer with rows
/// makes it forget them all). A tsql::SyncIdentity step for such a table reads nothing.
/// A Jet import moves the identity past the largest value it stored itself when
/// the table was empty or in line before, so that a table filled by an import
/// needs no reading of its rows afterwards. Explicit identity values stored by
/// other sessions are brought in line by their own tsql::SyncIdentity steps.
class PgSession {
  public:
    /// Connects to `settings.database` (a PostgreSQL name: pg::FoldDatabaseName a T-SQL one).
    /// Throws pg::PgError when that fails.
    explicit PgSession(pg::PgConnectionSettings settings);

    /// Translates and carries out T-SQL text. Returns the rows of the last step
    /// that answers with rows, or else the outcome of the last statement run.
    /// Throws tsql::TranslationError for text outside the supported shapes (before
    /// anything runs), pg::PgError when the server fails a step (the steps before it
    /// stay done), and std::logic_error for a Jet import without a `jetReader`.
    pg::PgResult Execute(std::string_view tsql, const JetRowReader& jetReader = {});

    /// Carries out a plan, as Execute does after translating.
    pg::PgResult Run(const tsql::TranslationPlan& plan, const JetRowReader& jetReader = {});

    /// The database that statements without a database part run on.
    const std::string& CurrentDatabase() const noexcept { return settings_.database; }
    /// The connection to the current database.
    pg::PgConnection& Current() noexcept { return current_; }
    /// Whether "SET IDENTITY_INSERT ... ON" was last given for the table (the
    /// translated identity columns take explicit values either way).
    bool IdentityInsertOn(std::string_view database, std::string_view table) const;
    /// To be called after rows were written on a connection of the session other
    /// than through Execute or Run: the session no longer takes any identity for
    /// being in line with the stored values.
    void ForgetIdentitiesInLine() noexcept { identityInLine_.clear(); }
    /// The rows that the last step of the last Run removed when it emptied a table
    /// by TRUNCATE (whose outcome counts no rows); nothing otherwise.
    std::optional<long long> RowsEmptied() const noexcept { return rowsEmptied_; }

  private:
    pg::PgConnection& ConnectionFor(const std::string& database);
    pg::PgConnection OpenConnection(const std::string& database) const;
    using TableKey = std::pair<std::string, std::string>;
    TableKey KeyOf(const std::string& database, const std::string& table) const;
    pg::PgResult RunStep(const tsql::PlanStep& step, const JetRowReader& jetReader);
    pg::PgResult Import(const tsql::ImportJetTable& import, const JetRowReader& jetReader);
    pg::PgResult Sync(const tsql::SyncIdentity& sync);
    pg::PgResult Empty(const tsql::EmptyTable& empty);
    void RefuseCopyOfDatabaseInUse(const std::string& source);

    pg::PgConnectionSettings settings_;
    pg::PgConnection current_;
    std::map<std::string, pg::PgConnection> others_;
    std::set<TableKey> identityInsert_;
    std::set<TableKey> identityInLine_;
    std::optional<long long> rowsEmptied_;
};

} // namespace kx::ado::sqloledb
