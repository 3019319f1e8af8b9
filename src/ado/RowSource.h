#pragma once

#include "Variant.h"

#include <vector>

namespace kx::ado {

/// The rows of a query that a provider has prepared but not read yet (see
/// RowSet::unread). The client-side cursor asks for them once, when something
/// beyond the columns is first needed, and destroys the source afterwards or
/// when the recordset closes unread. A source must not outlive the open
/// connection it came from; the cursor makes sure of that by reading it before
/// the connection runs any further command or closes.
class RowSource {
  public:
    virtual ~RowSource() = default;

    /// Reads every row: one value per column, already of the column's kind, and,
    /// when the RowSet has an updateTable, each row's identity (as
    /// RowSet::rowIdentities). Called at most once. Throws AdoError.
    virtual void ReadAll(std::vector<std::vector<Variant>>& rows,
                         std::vector<std::vector<Variant>>& rowIdentities) = 0;
};

} // namespace kx::ado
