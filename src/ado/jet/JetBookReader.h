#pragma once

#include "ado/tsql/TranslationPlan.h"

#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace kx::ado::jet {

/// Receives one row of a Jet book table as text values (nothing for NULL). The
/// texts are valid only during the call.
using JetRowSink = std::function<void(const std::vector<std::optional<std::string_view>>&)>;

/// The JetRowReader of the "SQLOLEDB.1" provider: reads tables of Jet book files
/// for "INSERT INTO ... SELECT ... FROM OPENDATASOURCE(...)".
///
/// The last book file read stays open for the next table (opening a keyed book
/// costs the key derivation every time); it is opened anew when the path text or
/// the password differ, or when the file on disk is no longer the same file with
/// the same size and times. Release or destruction closes it.
class JetBookReader {
  public:
    JetBookReader();
    ~JetBookReader();
    JetBookReader(JetBookReader&&) noexcept;
    JetBookReader& operator=(JetBookReader&&) noexcept;
    JetBookReader(const JetBookReader&) = delete;
    JetBookReader& operator=(const JetBookReader&) = delete;

    /// Opens the book file of `import` read-only, with its password, as the
    /// "Microsoft.Jet.OLEDB.4.0" provider does, and hands every row of
    /// `import.sourceTable` to `row`: the values of `import.columns` in that order,
    /// each as pg::PgTextOf gives the value of that Field (dates "yyyy-mm-dd hh:mm:ss",
    /// Bool "1"/"0", money as exact decimal, doubles exactly, bytes as bytea hex
    /// text). Memory stays the same whatever the size of the table.
    ///
    /// The rows come in the order of the table's storage (its row numbers), which
    /// is the order in which "Select * From" on the book file gives them, so that
    /// the n-th row stored on the server is the n-th row of the book file.
    ///
    /// A failure of the book file (missing file, wrong password, unknown table or
    /// column) throws AdoError, source kProviderSource, its text quoting the Jet
    /// provider's message; whatever `row` throws passes through unchanged.
    void Read(const tsql::ImportJetTable& import, const JetRowSink& row);

    /// Closes the book file kept open, if any.
    void Release() noexcept;

  private:
    struct OpenBook;
    std::unique_ptr<OpenBook> book_;
};

} // namespace kx::ado::jet
