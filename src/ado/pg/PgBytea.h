#pragma once

#include <string>
#include <string_view>

namespace kx::ado::pg {

/// Bytes in the hex text form of a PostgreSQL bytea value: "\x" and two lower-case
/// hex digits per byte ("\x" alone for no bytes).
std::string EncodeByteaHex(std::string_view bytes);

/// The value of one hex digit (either case), -1 for any other character.
int HexDigitValue(char c) noexcept;

/// The bytes of a hex-form bytea text, as the server writes it with
/// bytea_output = hex. Throws std::invalid_argument for any other text.
std::string DecodeByteaHex(std::string_view text);

} // namespace kx::ado::pg
