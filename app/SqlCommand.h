#pragma once

#include <iosfwd>
#include <string>

namespace kx::app {

struct SqlOptions {
    std::string bookFile;  ///< a book file, or empty for a server book
    std::string server;
    std::string user;
    std::string password;
    std::string database;  ///< empty: the server's maintenance database
    std::string statement;
};

/// `ledgerwiz sql`: runs one statement through the data layer on a book file (with
/// the fixed book password) or a server database, and prints the rows as an
/// aligned table, or the number of rows changed. Returns 0, or 1 after writing the
/// provider's error text to `err`.
int RunSqlCommand(const SqlOptions& options, std::ostream& out, std::ostream& err);

} // namespace kx::app
