#pragma once

#include <iosfwd>
#include <string>

namespace kx::app {

struct ConvertOptions {
    std::string bookFile;
    std::string server;
    std::string user;
    std::string password;
    std::string database;
};

/// `ledgerwiz convert`: converts a book file into a new server database, drawing a
/// progress bar on `err`, then prints every table of the new database with its
/// row count. Returns 0, or 1 after the failure text went to `err` (the failure
/// box of the conversion is shown there, never in a window: what failed, then
/// each cause on a line of its own). A name that cannot be a database name
/// (database::DatabaseNameProblem) is refused before the server is reached, with
/// the failure box's title and the reason. A database that exists already is refused;
/// one that a failed conversion made is dropped again.
int RunConvertCommand(const ConvertOptions& options, std::ostream& out, std::ostream& err);

} // namespace kx::app
