#include "ado/pg/ServerAddress.h"

#include <algorithm>
#include <stdexcept>

namespace kx::ado::pg {

namespace {

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string CheckedPort(std::string_view text, std::string_view dataSource) {
    const std::string_view port = TrimBlanks(text);
    const bool digits = !port.empty() && port.size() <= 5 &&
                        std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || std::stoi(std::string(port)) < 1 || std::stoi(std::string(port)) > 65535) {
        throw std::invalid_argument("the Data Source \"" + std::string(dataSource) +
                                    "\" names no valid port (1 to 65535)");
    }
    return std::string(port);
}

} // namespace

ServerAddress ParseDataSource(std::string_view dataSource) {
    const std::string_view text = TrimBlanks(dataSource);
    if (text.empty() || text == "." || text == "(local)") {
        return {};
    }
    std::string_view host = text;
    std::string port;
    if (const std::size_t comma = text.rfind(','); comma != std::string_view::npos) {
        host = TrimBlanks(text.substr(0, comma));
        port = CheckedPort(text.substr(comma + 1), dataSource);
    } else if (text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close != std::string_view::npos && close + 1 < text.size() && text[close + 1] == ':') {
            port = CheckedPort(text.substr(close + 2), dataSource);
            host = text.substr(0, close + 1);
        }
    } else if (text.front() != '/' && std::count(text.begin(), text.end(), ':') == 1) {
        const std::size_t colon = text.find(':');
        host = TrimBlanks(text.substr(0, colon));
        port = CheckedPort(text.substr(colon + 1), dataSource);
    }
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    }
    if (!host.empty() && host.front() != '/' && host.find('\\') != std::string_view::npos) {
        throw std::invalid_argument("the Data Source \"" + std::string(dataSource) +
                                    "\" names a server instance; give the host and its port instead");
    }
    if (host == "." || host == "(local)") {
        host = {};
    }
    return ServerAddress{std::string(host), port};
}

} // namespace kx::ado::pg
