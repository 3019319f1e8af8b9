#include "BracketedName.h"

namespace kx::database {

std::string BracketedName(std::string_view name) {
    std::string bracketed;
    bracketed.reserve(name.size() + 2);
    bracketed += '[';
    for (const char c : name) {
        if (c == ']')
            bracketed += ']';
        bracketed += c;
    }
    bracketed += ']';
    return bracketed;
}

} // namespace kx::database
