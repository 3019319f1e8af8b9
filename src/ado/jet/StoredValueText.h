#pragma once

#include "ado/AdoConstants.h"
#include "ado/jet/SqliteStatement.h"

#include <optional>
#include <string>
#include <string_view>

namespace kx::ado::jet {

/// The text that pg::PgTextOf gives for the value in `column` of the current row of
/// `statement` as a Field of `type` reports it (ConvertStoredValue of the stored
/// value), nothing for NULL; the same text, byte for byte, but made without a
/// Variant or an allocation for the usual cases (text in text columns, whole
/// numbers, flags, reals, dates as the book file stores them).
///
/// The text lies either in the statement's own memory, valid until its next
/// Step, or in `scratch`, valid until `scratch` changes.
std::optional<std::string_view> StoredValuePgText(const SqliteStatement& statement, int column,
                                                  DataTypeEnum type, std::string& scratch);

} // namespace kx::ado::jet
