#pragma once

#include "ado/sqloledb/TranslationPlan.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kx::ado::sqloledb {

/// Receives one row of a Jet book table as text values (nothing for NULL).
using JetRowSink = std::function<void(const std::vector<std::optional<std::string>>&)>;

/// Rows fetched from the book file per query; memory stays at about this many rows
/// whatever the size of the table.
inline constexpr long kJetRowsPerBatch = 5000;

/// The JetRowReader of the "SQLOLEDB.1" provider: opens the book file of `import`
/// read-only through a Connection with the "Microsoft.Jet.OLEDB.4.0" provider and
/// its password, and hands every row of `import.sourceTable` to `row`, the values
/// of `import.columns` in that order, as PgTextOf writes them (dates "yyyy-mm-dd
/// hh:mm:ss", Bool "1"/"0", money as exact decimal, doubles exactly, bytes as bytea
/// hex text).
///
/// The rows come in the order of the table's storage (its row numbers), which is
/// the order in which "Select * From" on the book file gives them, so that the
/// n-th row stored on the server is the n-th row of the book file. They are read
/// in batches of kJetRowsPerBatch, each batch continuing after the last row number
/// of the one before.
///
/// A failure of the book file (missing file, wrong password, unknown table or
/// column) throws AdoError, source kProviderSource, its text quoting the Jet
/// provider's message; whatever `row` throws passes through unchanged.
void ReadJetBookTable(const ImportJetTable& import, const JetRowSink& row);

} // namespace kx::ado::sqloledb
