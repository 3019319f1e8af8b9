#pragma once

#include "AdoConstants.h"
#include "Variant.h"

namespace kx::ado {

/// The value made into the kind that a field of `type` holds, as assigning to
/// Field.Value does: Null and Empty give Null; integer types give Int16 (adSmallInt,
/// adUnsignedTinyInt 0..255), Int32 (adInteger) or Int64 (adBigInt); adBoolean
/// gives Bool; adSingle, adDouble, adDecimal, adNumeric give Double; adCurrency gives
/// Currency; adDate and adDBTimeStamp give Date; text types and adGUID give String
/// (Binary must then be valid UTF-8); binary types give Binary (a String gives its
/// UTF-8 bytes); adVariant and unknown types keep the value.
/// Throws AdoError: errors::DataConversion for a value that does not convert,
/// errors::Overflow for one out of the type's range.
Variant CoerceToColumnType(const Variant& value, DataTypeEnum type);

/// Like CoerceToColumnType, but a stored value that does not convert is returned
/// unchanged instead of throwing (a text in a number column stays a String, a
/// number too large for adInteger stays Int64), so that reading never loses data.
Variant ConvertStoredValue(const Variant& value, DataTypeEnum type);

/// True for the text types (adChar, adWChar, adVarChar, adVarWChar, adLongVarChar,
/// adLongVarWChar) and adGUID.
bool IsTextType(DataTypeEnum type) noexcept;
/// True for adBinary, adVarBinary and adLongVarBinary.
bool IsBinaryType(DataTypeEnum type) noexcept;

} // namespace kx::ado
