#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx::ado {

/// One row of a table, each value in the text form PostgreSQL reads for it (the
/// form of a COPY text field before escaping), nothing for NULL. The texts are
/// valid only during the call that hands the row over.
using TextRow = std::vector<std::optional<std::string_view>>;

/// Receives the rows of a TableTextReader, one call per row.
using TextRowSink = std::function<void(const TextRow&)>;

/// Which table of which book to read, and which of its columns.
struct TableTextRequest {
    /// The book, as its provider's "Data Source" names it (a book file's path).
    std::string dataSource;
    std::string password;
    /// The table and its columns, as a statement writes them (not folded).
    std::string table;
    std::vector<std::string> columns;
};

/// Reads whole tables of a book of one provider as text rows, so that another
/// provider can stream them into its own tables (a server's OPENDATASOURCE
/// import of a book file). ProviderRegistry's CreateTableTextReader hands out the
/// reader of a provider; providers meet only through this interface.
class TableTextReader {
  public:
    virtual ~TableTextReader() = default;

    /// Hands every row of `request.table` to `row`: the values of
    /// `request.columns` in that order, each as pg::PgTextOf gives the value of
    /// that Field (dates "yyyy-mm-dd hh:mm:ss", Bool "1"/"0", money as exact
    /// decimal, doubles exactly, bytes as bytea hex text), the rows in the order
    /// in which "Select * From" on the book gives them. Memory stays the same
    /// whatever the size of the table.
    ///
    /// A failure of the book (missing, wrong password, unknown table or column)
    /// throws AdoError as the book's own provider reports it; whatever `row`
    /// throws passes through unchanged.
    virtual void Read(const TableTextRequest& request, const TextRowSink& row) = 0;

    /// Lets go of whatever the reader keeps open between reads.
    virtual void Release() noexcept = 0;
};

} // namespace kx::ado
