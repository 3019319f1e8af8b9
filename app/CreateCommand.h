#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kx::app {

struct CreateOptions {
    std::string appFolder;
    /// A book list position, a book file path, or a SQL location string
    /// ("user:password@server|database") of the list; a ".WAK" path picks a
    /// template archive. A path that neither the list nor the template folder
    /// offers is taken as it stands when the file exists.
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
    /// The server as ServerOption reads it.
    bool toServer = false;
    std::string server;
    std::string user;
    std::string password;
};

/// `ledgerwiz create`: makes a new book headless, as the wizard does when a host
/// drives it: reads the book list and the template archives, picks the template
/// as the drop-down does, checks the operator, and runs the creation with the
/// retain boxes, the new book's fields and the server target of the options. A
/// progress bar goes to `err` from the Process reports, every message too; the
/// result page's lines go to `out`. Needs no QApplication and no widgets.
/// Returns 0 when the book was completed, 1 otherwise; a book that was not
/// completed is removed again, and `err` says which file or database went (or,
/// when it could not be removed, where it stays).
int RunCreateCommand(const CreateOptions& options, std::ostream& out, std::ostream& err);

/// Reads the options of `ledgerwiz create` from `args`; "" on success, else what
/// is wrong. --password is required (it may be empty) unless the template is an
/// archive, which needs no operator either.
std::string ParseCreateOptions(const std::vector<std::string>& args, CreateOptions& options);

} // namespace kx::app
