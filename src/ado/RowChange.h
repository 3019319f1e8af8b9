#pragma once

#include "Variant.h"

#include <vector>

namespace kx::ado {

enum class RowChangeKind { Insert, Update, Delete };

/// One edited row that a client-side cursor hands to its provider to write back.
struct RowChange {
    RowChangeKind kind = RowChangeKind::Update;
    /// Update, Delete: the row's values as they were fetched (or last written).
    std::vector<Variant> original;
    /// Insert, Update: the row's current values, one per column. After a
    /// successful Insert or Update the provider puts the values as stored (the new
    /// identity value among them) here.
    std::vector<Variant> values;
    /// Per column: assigned since the row was fetched or last written.
    std::vector<bool> changed;
    /// The row's identity from RowSet::rowIdentities (empty for a new row); after a
    /// successful Insert or Update the provider puts the row's new identity here.
    std::vector<Variant> identity;
};

} // namespace kx::ado
