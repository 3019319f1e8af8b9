#pragma once

#include "ado/RowSet.h"

#include <optional>
#include <string>

namespace kx::ado::jet {

class SqliteDatabase;

/// The adSchemaPrimaryKeys rows of the book `db`: one row per column of a table's
/// primary key, in the key's order, for the table named `table` (matched without
/// regard to case) or for every table. A counter column is its table's key.
RowSet PrimaryKeyRows(const SqliteDatabase& db, const std::optional<std::string>& table);

} // namespace kx::ado::jet
