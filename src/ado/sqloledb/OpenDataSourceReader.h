#pragma once

#include "ado/TableTextReader.h"
#include "ado/tsql/TranslationPlan.h"

#include <memory>

namespace kx::ado::sqloledb {

/// The JetRowReader of the "SQLOLEDB.1" provider: reads the book tables of
/// "INSERT INTO ... SELECT ... FROM OPENDATASOURCE('Microsoft.Jet.OLEDB.4.0', ...)"
/// through the TableTextReader that the provider registry hands out for
/// "Microsoft.Jet.OLEDB.4.0", which keeps the last book open for the next table.
class OpenDataSourceReader {
  public:
    /// Hands every row of `import.sourceTable` to `row`: the values of
    /// `import.columns` (their source columns) in that order, as
    /// TableTextReader::Read gives them.
    ///
    /// A failure of the book file (missing file, wrong password, unknown table or
    /// column) throws AdoError, source kProviderSource, native error 7399, its
    /// text quoting the Jet provider's message and naming the file; whatever `row`
    /// throws passes through unchanged.
    void Read(const tsql::ImportJetTable& import, const TextRowSink& row);

    /// Closes the book kept open, if any.
    void Release() noexcept;

  private:
    std::unique_ptr<TableTextReader> reader_;
};

} // namespace kx::ado::sqloledb
