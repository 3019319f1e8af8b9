#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kx::app {

struct CreateOptions {
    std::string appFolder;
    /// A book list position, a book file path, or a SQL location string
    /// ("user:password@server|database"); a ".WAK" path picks a template archive.
    std::string templateChoice;
    std::string operatorName;
    std::string operatorPassword;
    std::string bookName;
    std::string company;
    std::string director;
    int year = 0;
    int month = 0;
    /// The retain boxes to set, the others cleared; nullptr-like `keepGiven` false
    /// leaves them in their starting states.
    bool keepGiven = false;
    std::vector<int> keep;
    /// A server target "SERVER,USER,PASSWORD" for a server book; empty for a file.
    bool toServer = false;
    std::string server;
    std::string user;
    std::string password;
};

/// `ledgerwiz create`: drives the wizard control headless through its public
/// interface, as a host does: loads the list, selects the template, types the
/// fields, checks the operator, sets the retain boxes and steps to page 4. A
/// progress bar goes to `err` from the Process events, every Notify message too;
/// the summary page's lines go to `out`. Needs a QApplication. Returns 0 when the
/// book was completed, 1 otherwise.
int RunCreateCommand(const CreateOptions& options, std::ostream& out, std::ostream& err);

/// Reads the options of `ledgerwiz create` from `args`; "" on success, else what
/// is wrong.
std::string ParseCreateOptions(const std::vector<std::string>& args, CreateOptions& options);

} // namespace kx::app
