#pragma once

#include "NewServerDatabase.h"
#include "ProgressIndicator.h"
#include "ado/Connection.h"
#include "ado/Recordset.h"

#include <cstdint>
#include <string>

namespace kx::database {

/// The title of the box that shows a failed conversion.
inline constexpr const char* kConversionFailureTitle = "从Access数据库恢复数据";

/// The column lists that the conversion builds for one book file table.
struct ConvertedColumns {
    /// "[name] type clause" entries joined by commas.
    std::string definitions;
    /// "[name]" entries, "[#name#]" for values converted on the way, joined by commas.
    std::string copied;
    /// Names of the long text and image columns, each followed by "|".
    std::string longValues;
};

/// Builds the three lists from the fields of `rs`, in field order, with the type
/// map of the conversion. Throws ado::AdoError (errors::InvalidArgument) when a list
/// that needs a trailing comma removed is empty (a table of image columns only).
ConvertedColumns BuildConvertedColumns(const ado::Recordset& rs);

/// The statement that copies the rows of book file table `table` into the server
/// table of that name, reading the file `accessFile` through OPENDATASOURCE with
/// the fixed book password. Each call takes the next value of the rowset counter
/// that all conversions share (16 bits); past 32767 it throws ado::AdoError
/// (errors::Overflow).
std::string MakeInsertSql(const std::string& accessFile, const std::string& table, const std::string& columns);

/// Creates server table `table` from the fields of `rs` (all rows of the book file
/// table) on `rCnn` (whose current database is the new book) and copies its rows,
/// keeping counter values through identity insert; the long values of the tables
/// kxSystem, kxAccReport, kxAccPeriod and kxStatement are copied once more row by
/// row. True when the table was created and every row with every long value
/// arrived; false on any failure, with the cause (the server's own words: a
/// cancelled statement, a lost connection ...) in `cause` when given. Never
/// throws; shows nothing.
bool CreateSqlTableFrom(const std::string& table, ado::Recordset& rs, ado::Connection& rCnn,
                        std::string* cause = nullptr);

/// Converts the book file `accessFile` into the new server database `database` on
/// `server`. First drops the databases that earlier runs left half-made
/// (RemoveAbandonedServerDatabases), then claims and creates the database itself
/// (NewServerDatabase): a database of that name that exists already is never
/// written to, the conversion stops with "数据库<name>已存在。". Then each user table
/// of the file is converted with its rows (CreateSqlTableFrom), and the database is
/// kept once the last table is done. True when at least one table was converted
/// and nothing failed.
///
/// The first failure stops the conversion; the database this call created is
/// dropped, and then the failure is shown in a box titled kConversionFailureTitle
/// through the installed message box service: the first line says what failed
/// ("创建数据表：<table>失败。" for a table), the next one why, in the server's
/// words, and a further line when the database could not be dropped. A book file
/// without user tables gives false and shows nothing (its empty database is
/// dropped as well).
bool CreateSqlBook(const std::string& accessFile, const std::string& server, const std::string& database,
                   const std::string& user, const std::string& password, ProgressIndicator* progress = nullptr);

/// CreateSqlBook into a database that the caller has claimed and created already
/// (NewServerDatabase::Create on its own maintenance connection to `server`),
/// for a caller that chooses the name itself and has more to do in the database
/// after the conversion. Converts the tables into claim.Name(); on success the
/// claim is left as it is, owned and not kept: the caller calls Keep() when all its
/// own work is done too. On a failure the claim's database is dropped (claim.Drop())
/// before the failure box is shown, as CreateSqlBook does; a claim that owns no
/// database fails at once.
bool CreateSqlBookInto(const std::string& accessFile, NewServerDatabase& claim, const std::string& server,
                       const std::string& user, const std::string& password,
                       ProgressIndicator* progress = nullptr);

} // namespace kx::database
