#pragma once

#include <iosfwd>
#include <string>

namespace kx::app {

struct BooksOptions {
    std::string appFolder;
    std::string listFile;
    bool clean = false;
};

/// `ledgerwiz books`: loads the book list (creating it with the sample record when
/// it is missing), optionally cleans it answering every removal with yes, and prints
/// one aligned row per entry. Returns the exit status: 0, or 1 after writing the
/// list's error texts to `err`.
int RunBooksCommand(const BooksOptions& options, std::ostream& out, std::ostream& err);

} // namespace kx::app
