#include "ServerOption.h"

#include "ado/pg/ServerAddress.h"

#include <algorithm>

namespace kx::app {

std::string ServerOption(const std::string& text) {
    std::string server = text;
    // "/folder:port": a colon followed by digits only, and no comma that already
    // names the port, is taken as the port's separator.
    if (const std::size_t colon = server.rfind(':');
        !server.empty() && server.front() == '/' && server.find(',') == std::string::npos &&
        colon != std::string::npos && colon + 1 < server.size() &&
        std::all_of(server.begin() + static_cast<std::ptrdiff_t>(colon) + 1, server.end(),
                    [](char c) { return c >= '0' && c <= '9'; }))
        server[colon] = ',';
    ado::pg::ParseDataSource(server); // throws for what a connection could not use
    return server;
}

} // namespace kx::app
