#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kx::catalogue {

/// The parts of a SQL Server location, the text "UserID:Password@Server" that a
/// SQL Server book keeps in its book path. A location is cut at its first ":" and
/// its first "@"; a user ID or password that itself holds one of them does not
/// survive the encoding. Each part is nullopt when the text cannot be cut for it.

/// The text before the first ":"; nullopt when there is no ":".
std::optional<std::string_view> UserIdOf(std::string_view location) noexcept;

/// The text between the first ":" and the first "@", or before the first "@" when
/// there is no ":"; nullopt when there is no "@" or the "@" stands before the ":".
std::optional<std::string_view> PasswordOf(std::string_view location) noexcept;

/// The text after the first "@"; nullopt when there is no "@".
std::optional<std::string_view> ServerOf(std::string_view location) noexcept;

/// "userId:password@server".
std::string ComposeSqlServerLocation(std::string_view userId, std::string_view password,
                                     std::string_view server);

} // namespace kx::catalogue
