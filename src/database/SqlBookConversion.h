#pragma once

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
/// row. False when the table could not be created; a failed row copy alone leaves
/// the table empty and still gives true. Never throws; shows nothing.
bool CreateSqlTableFrom(const std::string& table, ado::Recordset& rs, ado::Connection& rCnn);

/// Converts the book file `accessFile` into the new server database `database` on
/// `server`: creates the database, then each user table of the file with its rows.
/// True when at least one table was converted and nothing failed. The first failure
/// stops the conversion and is shown in a box titled kConversionFailureTitle
/// through the installed message box service; tables made before it stay.
bool CreateSqlBook(const std::string& accessFile, const std::string& server, const std::string& database,
                   const std::string& user, const std::string& password, ProgressIndicator* progress = nullptr);

} // namespace kx::database
