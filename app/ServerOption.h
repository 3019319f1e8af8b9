#pragma once

#include <string>

namespace kx::app {

/// Reads a server as the command line names it (`--server`, the SERVER of
/// `--sql`): a host, "host:port", "host,port", a socket folder, or a socket
/// folder with its port after a comma or a colon ("/run/postgresql,5432",
/// "/run/postgresql:5432"). Returns the server as the connection and the book
/// list take it: a socket folder's port always after a comma (there a colon
/// could be part of the folder's name); every other text unchanged. Throws
/// std::invalid_argument, saying what is wrong, for a port that is not a number
/// from 1 to 65535 and for a server instance name.
std::string ServerOption(const std::string& text);

} // namespace kx::app
