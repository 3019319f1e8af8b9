#pragma once

#include "component/kxLedgerWizComponent.h"

#include <optional>
#include <string>
#include <string_view>

namespace kx::component {

/// The registry form of an identifier: upper-case hex digits in braces,
/// "{A5F7AAB1-30BE-447E-A0BF-25132C292A4E}".
std::string FormatGuid(const Guid& guid);

/// Reads an identifier in the registry form; the braces are optional and hex
/// digits may be of either case. Anything else (wrong length, misplaced dashes,
/// stray characters) gives nullopt.
std::optional<Guid> ParseGuid(std::string_view text);

} // namespace kx::component
