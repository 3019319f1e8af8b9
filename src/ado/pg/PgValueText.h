#pragma once

#include "ado/AdoConstants.h"
#include "ado/Variant.h"
#include "ado/pg/PgParam.h"

#include <optional>
#include <string>
#include <string_view>

namespace kx::ado::pg {

/// A value in the text form the server writes it (ISO dates, hex bytea), made into
/// the kind a field of `type` (a PgFieldType's type) holds: Bool, Int16, Int32,
/// Int64, Double (adSingle, adDouble), Currency (exact), Date (to the second),
/// Binary, String ("{XXXXXXXX-...}" in capitals for adGUID, as SQL Server gives
/// GUIDs). An adNumeric value becomes a Double when its digits fit one exactly (15
/// significant digits), else it stays the exact decimal text. A text that does not
/// convert (a date beyond year 9999, an amount beyond Currency) is handed out as
/// String rather than lost.
Variant VariantFromPgText(std::string_view text, DataTypeEnum type);

/// The text that the server reads as the value for a column of any fitting type,
/// the form COPY and text parameters need: nothing for Null and Empty; Bool as "1"
/// or "0" (which boolean and number columns both read); whole numbers in decimal;
/// Double in the shortest form that reads back to the same Double ("NaN",
/// "Infinity", "-Infinity" for the special values); Currency as its exact decimal;
/// Date as "yyyy-mm-dd hh:mm:ss"; String unchanged; Binary as bytea hex text ("\x"
/// and two digits per byte).
std::optional<std::string> PgTextOf(const Variant& value);

/// PgTextOf of a Double, put into `out` in place of what it held (without an
/// allocation of its own once `out` has room for a few dozen characters).
void AssignDoubleText(std::string& out, double value);

/// PgTextOf of a Currency, put into `out` in place of what it held.
void AssignCurrencyText(std::string& out, Currency value);

/// A value as a statement parameter: Binary as bytes in binary form (any bytes,
/// whatever their size), Null and Empty as NULL, everything else as PgTextOf.
PgParam PgParamOf(const Variant& value);

} // namespace kx::ado::pg
