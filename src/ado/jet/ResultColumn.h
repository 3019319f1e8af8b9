#pragma once

#include "SqliteStatement.h"

#include "ado/ColumnInfo.h"

#include <optional>

namespace kx::ado::jet {

/// How result column `column` of a compiled statement is reported as a Field,
/// known before any row is read (see the type table in JetProvider.h): a column
/// of a table is described by its declared type, with its base table and column,
/// key and counter flags; a column with a declared type but no table (a view's
/// expression) by that type alone, not updatable. A computed column gives
/// nothing: only its values can tell its type.
std::optional<ColumnInfo> DescribeResultColumn(const SqliteStatement& statement, int column);

} // namespace kx::ado::jet
