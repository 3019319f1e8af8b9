#pragma once

#include "ado/Connection.h"
#include "ado/Recordset.h"

#include <string>

namespace kx::database {

/// Bytes read from a long value at a time, and rows the destination caches.
inline constexpr long kLongValuePieceSize = 1000;

/// Copies the long text and image values named in `columns` (names each followed
/// by "|") from every row of `rs` (a book file table, read from its first row) into
/// the same columns of the server table `table`, the n-th source row into the n-th
/// destination row. The destination rows are those the row copy inserted from the
/// same source table, in the same order: the server provider hands a table's rows
/// out in the order they were inserted. Each value travels through one temporary
/// file in the process's private folder, removed when the table is done. True when
/// every value of every row was copied; the first failure (a value that cannot be
/// read, written or saved, a destination row missing) stops the table and gives
/// false, with its cause in `cause` when given (the rows before keep their new
/// values). Never throws.
bool CopyLongFields(ado::Recordset& rs, ado::Connection& rCnn, const std::string& table,
                    const std::string& columns, std::string* cause = nullptr);

/// Writes field `field` of the current row of `rs` into the file `path`, which then
/// holds that value alone (text as UTF-8). True when the value had at least one
/// byte; false for an empty or Null value, at the end of the rows, and on failure.
bool SaveFieldToFile(const std::string& path, ado::Recordset& rs, const std::string& field);

/// Puts the bytes of the file `path` into field `field` of the current row of `rs`
/// and saves the row. True on success; false on any failure, the field then
/// keeping its earlier value.
bool LoadFieldFromFile(const std::string& path, ado::Recordset& rs, const std::string& field);

} // namespace kx::database
