#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kx::ado::pg {

/// One value bound to a $n placeholder of a statement. Values travel apart from the
/// statement text, so no value can change what the statement does. Text values go
/// in their text form (a NUL character is refused when the statement runs); byte
/// values go in binary form, whatever they contain.
struct PgParam {
    std::optional<std::string> value;
    bool binary = false;

    static PgParam Null() { return {}; }
    static PgParam Text(std::string_view text) { return {std::string(text), false}; }
    static PgParam Bytes(std::string_view bytes) { return {std::string(bytes), true}; }
};

} // namespace kx::ado::pg
