#pragma once

#include "catalogue/BookLocation.h"

#include <string>
#include <string_view>

namespace kx::catalogue {

/// "userId:password@server". Kept only until its last user writes
/// BookLocation::FromServerParts(...).BookPathField() itself; then this header goes.
inline std::string ComposeSqlServerLocation(std::string_view userId, std::string_view password,
                                            std::string_view server) {
    return BookLocation::FromServerParts(server, userId, password, {}).BookPathField();
}

} // namespace kx::catalogue
