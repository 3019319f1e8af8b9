#include "SqlServerLocation.h"

namespace kx::catalogue {

std::optional<std::string_view> UserIdOf(std::string_view location) noexcept {
    const auto colon = location.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    return location.substr(0, colon);
}

std::optional<std::string_view> PasswordOf(std::string_view location) noexcept {
    const auto at = location.find('@');
    if (at == std::string_view::npos)
        return std::nullopt;
    const auto colon = location.find(':');
    if (colon == std::string_view::npos)
        return location.substr(0, at);
    if (at < colon)
        return std::nullopt;
    return location.substr(colon + 1, at - colon - 1);
}

std::optional<std::string_view> ServerOf(std::string_view location) noexcept {
    const auto at = location.find('@');
    if (at == std::string_view::npos)
        return std::nullopt;
    return location.substr(at + 1);
}

std::string ComposeSqlServerLocation(std::string_view userId, std::string_view password,
                                     std::string_view server) {
    std::string location;
    location.reserve(userId.size() + password.size() + server.size() + 2);
    location.append(userId).append(1, ':').append(password).append(1, '@').append(server);
    return location;
}

} // namespace kx::catalogue
