#pragma once

#include "SqliteStatement.h"

#include "ado/AdoConstants.h"
#include "ado/RowSource.h"

#include <cstddef>
#include <vector>

namespace kx::ado::jet {

/// The rows of a compiled, not yet run query of the book-file engine, read when a
/// cursor first needs them. Each stored value becomes the kind of its column
/// (ConvertStoredValue with `types`, one per result column); each row's identity
/// is its stored values of `identityColumns` (none when that list is empty).
///
/// The statement keeps its connection busy only while ReadAll runs; until then it
/// holds no lock on the book file.
class StatementRows final : public RowSource {
  public:
    StatementRows(SqliteStatement statement, std::vector<DataTypeEnum> types,
                  std::vector<std::size_t> identityColumns);

    void ReadAll(std::vector<std::vector<Variant>>& rows,
                 std::vector<std::vector<Variant>>& rowIdentities) override;

  private:
    SqliteStatement statement_;
    std::vector<DataTypeEnum> types_;
    std::vector<std::size_t> identityColumns_;
};

} // namespace kx::ado::jet
