#pragma once

#include <string>
#include <variant>
#include <vector>

namespace kx::ado::tsql {

// Every name in a plan is already folded to lower case (pg::FoldName) and not quoted;
// every SQL text in a plan is complete PostgreSQL with its names quoted and its
// literals escaped. An empty `database` means the connection's current database.

/// Run PostgreSQL statement text on the connection of `database`.
struct RunSql {
    std::string sql;
    std::string database;
    /// The statement answers with rows (a SELECT).
    bool returnsRows = false;
};

/// "Use [db]": the statements that follow run on `database`.
struct SwitchDatabase {
    std::string database;
};

/// "Create Database" (or "Create Database [x] As Copy Of [y]"): PostgreSQL cannot
/// create a database inside a transaction block, so run `createSql` on its own;
/// then, on a connection to the new database, run `setupSql` (it creates the
/// case-insensitive Chinese collation that the translated tables use, and sets the
/// identity sequences of a copy), dropping the new database again when that fails.
struct CreateDatabase {
    std::string database;
    std::string createSql;
    std::string setupSql;
    /// The database that `createSql` copies, "" for none: while another session
    /// is connected to it the step fails with SQLSTATE 55006 within half a
    /// second, where the server itself would wait five seconds first.
    std::string copiedDatabase;
};

/// "Drop Database": run `dropSql` on its own, after the session has closed its own
/// connections to `database` (the server refuses to drop a database in use).
struct DropDatabase {
    std::string database;
    std::string dropSql;
};

/// The shrink batch: run `vacuumSql` outside a transaction block on a connection to
/// `database`. Truncating a transaction log has no counterpart here, as the server
/// manages its own write-ahead log.
struct ShrinkDatabase {
    std::string database;
    std::string vacuumSql;
};

/// SET IDENTITY_INSERT: the translated identity columns take explicit values at any
/// time, so nothing runs for this step; it only tells the provider the state. Turning
/// it OFF is followed by a SyncIdentity step.
struct SetIdentityInsert {
    std::string database;
    std::string table;
    bool on = false;
};

/// Moves the identity of `table` past the values stored in its identity column
/// (pg::IdentitySyncSql), so that generated values do not meet them. The session may
/// leave it out when nothing can have stored explicit identity values in the table
/// since it last brought the identity in line (see PgSession).
struct SyncIdentity {
    std::string database;
    std::string table;
};

/// One column of a Jet book import.
struct JetImportColumn {
    /// The column of the Jet table, as written in the statement (not folded).
    std::string sourceColumn;
    std::string targetColumn;
    /// CONVERT(varchar(n), ...) on the way: the value is cut to its first n
    /// characters. 0 when the value goes as it is.
    int truncateToCharacters = 0;
};

/// INSERT INTO t (...) SELECT ... FROM OPENDATASOURCE('Microsoft.Jet.OLEDB.4.0',
/// '...')...[T]: the provider opens the Jet book file `filePath` with `password`,
/// reads every row of `sourceTable` and streams the columns, in the order of
/// `columns`, into `targetTable` with `copySql` (a text-format COPY FROM STDIN).
/// A SyncIdentity step for the target table follows.
struct ImportJetTable {
    std::string filePath;
    std::string password;
    /// The Jet table, as written in the statement (not folded).
    std::string sourceTable;
    std::string database;
    std::string targetTable;
    std::vector<JetImportColumn> columns;
    std::string copySql;
};

/// SELECT * INTO [db]..[t] FROM [db]..[t]: make the target table with the source
/// table's columns, types, nullability and identity, and copy all its rows
/// (pg::CopyTableBetweenConnections does exactly that).
struct CopyTableBetweenDatabases {
    std::string sourceDatabase;
    std::string sourceTable;
    std::string targetDatabase;
    std::string targetTable;
};

/// "Delete From t" without a condition: run `deleteSql`, or `truncateSql` when
/// pg::TruncateAllowedSql answers that nobody can tell the two apart. TRUNCATE
/// keeps the identity sequence where it is (CONTINUE IDENTITY), as a DELETE does.
/// Either way the rows deleted are counted.
struct EmptyTable {
    std::string database;
    std::string table;
    std::string deleteSql;
    std::string truncateSql;
};

using PlanStep =
    std::variant<RunSql, SwitchDatabase, CreateDatabase, DropDatabase, ShrinkDatabase, SetIdentityInsert,
                 SyncIdentity, ImportJetTable, CopyTableBetweenDatabases, EmptyTable>;

/// What the provider does, step by step in this order, to carry out one T-SQL text.
struct TranslationPlan {
    std::vector<PlanStep> steps;

    /// True when a step answers with rows.
    bool ReturnsRows() const noexcept;
    /// Appends the steps of `other`.
    void Append(TranslationPlan&& other);
};

} // namespace kx::ado::tsql
