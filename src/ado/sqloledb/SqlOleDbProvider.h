#pragma once

#include "ado/Provider.h"

#include <memory>

namespace kx::ado::sqloledb {

/// The "SQLOLEDB.1" provider (also reachable as "SQLOLEDB"): server books, kept
/// as databases of a PostgreSQL server and spoken to in T-SQL.
///
/// Opening: "Data Source" (or "Server") names the server as pg::ParseDataSource reads
/// it: a host, "host,port" or "host:port", or the folder of the server's Unix
/// socket, with its port after a comma ("/run/kx,55432"); without a port libpq's
/// default (5432) applies. "Initial Catalog" (or "Database") is the database as
/// T-SQL names it, folded by pg::FoldDatabaseName ("master" and "" are the server's
/// maintenance database); "User ID" (or "UID") and "Password" (or "PWD") log in.
/// ConnectionTimeout limits the login (0: no limit), CommandTimeout each statement
/// on the current database (statement_timeout; 0: no limit). A refused login fails
/// with errors::AuthenticationFailed, "Login failed for user 'u'." and the server's
/// message; a database that does not exist with "Cannot open database ...".
///
/// Commands: text is T-SQL, carried out by tsql::TranslateTsql and a PgSession; a
/// statement the translator does not know fails with errors::ErrorsInCommand and a
/// text that names the statement, before anything runs. The row copy from a Jet
/// book ("INSERT INTO t (...) SELECT ... FROM OPENDATASOURCE('Microsoft.Jet.
/// OLEDB.4.0', ...)...[T] Rowset_n") reads the book file with an OpenDataSourceReader and
/// streams its rows into the table with one COPY. Every failure is an AdoError with
/// source "Microsoft OLE DB Provider for SQL Server", the server's own message and a
/// native code after its SQLSTATE (ServerError).
///
/// Field types follow pg::DescribePgType; an identity column is marked isAutoIncrement
/// and never carries the attributes 90 of a Jet counter.
///
/// A table opened by name (CommandKind::Table, or Unknown with the bare name of a
/// table of the current database) gives all its rows in the order of their place in
/// the table's storage (ORDER BY ctid). For a table whose rows have only been added
/// (COPY, INSERT, SELECT INTO) since it was made, that is exactly the order in which
/// they were added; after rows have been updated or deleted, later rows may take
/// freed places. These rows can be edited without a primary key: each carries its
/// ctid and xmin, by which WriteRowChange finds exactly that version of the row
/// (errors::RowNotFound when it was changed in between). Rows of a view, of
/// another database or of a SELECT statement are read-only.
///
/// OpenSchema offers adSchemaTables (ListTables); a catalog restriction naming
/// another database of the server lists that database over a connection of its own.
///
/// Returns a new, unopened provider.
std::unique_ptr<Provider> NewSqlOleDbProvider();

} // namespace kx::ado::sqloledb
