#pragma once

#include "ado/tsql/TranslationPlan.h"

#include <string_view>

namespace kx::ado::tsql {

/// Translates the T-SQL that the book routines send to a SQL Server book into a
/// plan for PostgreSQL 15.
///
/// The statements the book routines send, each with its recognizer
/// (TsqlRecognizers.h):
/// - creating a new book database and making it the current one:
///   "Create Database kxAcc000001", "Create Database [kxAcc000002] As Copy Of
///   [kxAcc000001]" (a copy made by the server), "Use kxAcc000001";
/// - claiming a new database while it is being made, and finding the ones a
///   stopped run left: "EXEC sp_getapplock ..." / "EXEC sp_releaseapplock ...",
///   "EXEC [db].sys.sp_addextendedproperty ..." / "... sp_dropextendedproperty ...",
///   "SELECT d.name, p.value FROM sys.databases d JOIN sys.extended_properties p ...",
///   and "Drop Database [db]";
/// - converting an Access book: "CREATE TABLE t (...) ON [PRIMARY] ",
///   "Select OBJECTPROPERTY(OBJECT_ID('t'),'TableHasIdentity')",
///   "SET IDENTITY_INSERT dbo.t ON " / " OFF ", and the row copy
///   "INSERT INTO t (...) SELECT ... FROM OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0',
///   '...')...[t] Rowset_n";
/// - copying a SQL Server book table by table: "Drop Table [db]..[t]" and
///   "SELECT * INTO [db]..[t] FROM [db]..[t]";
/// - checking an operator: "SELECT * From kxOperator WHERE (opName = '...')";
/// - clearing a new book: "Delete From t " with an optional condition, among them
///   "Delete From kxStatement Where Len(AssistCode)>4", and the shrink batch
///   "DUMP TRANSACTION [db] WITH NO_LOG BACKUP LOG [db] WITH NO_LOG
///   DBCC SHRINKDATABASE([db])";
/// - besides these, plain SELECT (Count(*) among its functions), INSERT ... VALUES
///   and UPDATE over one table, for the book information and the data layer.
///
/// T-SQL names are case-insensitive and PostgreSQL's quoted names are not, so every
/// name (database, table, column, alias) is folded to lower case (pg::FoldName) and
/// then quoted; whoever names a database or table to PostgreSQL directly, such as a
/// connection's Initial Catalog, folds it the same way. String literals are read
/// whole by the tokenizer and written anew (pg::QuoteLiteral), so a properly quoted
/// T-SQL string stays one literal whatever it contains.
///
/// A text may hold several statements, separated by ";" or simply following each
/// other; their plans are joined in order. A statement outside the shapes above,
/// an empty text, or a statement that is malformed fails with a TranslationError
/// that names the statement; nothing is ever passed through untranslated.
TranslationPlan TranslateTsql(std::string_view sql);

} // namespace kx::ado::tsql
