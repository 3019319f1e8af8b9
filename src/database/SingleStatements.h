#pragma once

#include "ado/Connection.h"

#include <string>

namespace kx::database {

/// Runs "Create Database [name]" (BracketedName: whatever the name holds, it is
/// one name) on an open server connection. True on success; a failure is
/// swallowed and gives false.
bool CreateDatabase(const std::string& name, ado::Connection& rCnn);

/// Runs "Drop Database [name]" (BracketedName) on an open server connection whose
/// current database is another one. True on success; a failure gives false.
bool DropDatabase(const std::string& name, ado::Connection& rCnn);

/// Runs "Drop Table " + `name` (taken as it is: callers bracket it). True on
/// success; a failure is swallowed and gives false.
bool DropTable(const std::string& name, ado::Connection& rCnn);

/// Runs `sql` unchanged. True on success; a failure is swallowed and gives false.
bool DoSql(ado::Connection& rCnn, const std::string& sql);

/// True when server table `table` has an identity column (the name is written
/// into a string, its quotes doubled). Throws ado::AdoError
/// when the statement fails or the name does not resolve to a table.
bool TableHasIdentity(ado::Connection& rCnn, const std::string& table);

} // namespace kx::database
