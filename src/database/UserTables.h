#pragma once

#include "ado/Connection.h"
#include "ado/Variant.h"

#include <string>
#include <vector>

namespace kx::database {

/// Names of the user tables of an open connection, in the order of the table
/// listing (OpenSchema adSchemaTables with `restrictions`): rows whose
/// "Table_Type" is exactly "TABLE"; views and system tables are left out.
std::vector<std::string> UserTableNames(ado::Connection& cnn, const std::vector<ado::Variant>& restrictions = {});

} // namespace kx::database
