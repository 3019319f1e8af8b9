#include "StatementRows.h"

#include "ado/ValueCoercion.h"

#include <algorithm>
#include <utility>

namespace kx::ado::jet {

StatementRows::StatementRows(SqliteStatement statement, std::vector<DataTypeEnum> types,
                             std::vector<std::size_t> identityColumns)
    : statement_(std::move(statement)), types_(std::move(types)),
      identityColumns_(std::move(identityColumns)) {}

void StatementRows::ReadAll(std::vector<std::vector<Variant>>& rows,
                            std::vector<std::vector<Variant>>& rowIdentities) {
    const std::size_t n = types_.size();
    // A schema change since the statement was compiled may change its columns.
    const auto present = std::min(n, static_cast<std::size_t>(std::max(statement_.ColumnCount(), 0)));
    while (statement_.Step()) {
        std::vector<Variant> row(n, Variant::Null());
        for (std::size_t i = 0; i < present; ++i)
            row[i] = statement_.ColumnValue(static_cast<int>(i));
        if (!identityColumns_.empty()) {
            std::vector<Variant> identity;
            identity.reserve(identityColumns_.size());
            for (const std::size_t i : identityColumns_)
                identity.push_back(row[i]);
            rowIdentities.push_back(std::move(identity));
        }
        for (std::size_t i = 0; i < present; ++i)
            row[i] = ConvertStoredValue(row[i], types_[i]);
        rows.push_back(std::move(row));
    }
    // Done: the statement lets go of the file now rather than when destroyed.
    statement_ = SqliteStatement(statement_.Database(), nullptr);
}

} // namespace kx::ado::jet
