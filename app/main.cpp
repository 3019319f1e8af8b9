#include "ApplicationFolder.h"
#include "BooksCommand.h"

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = R"(用法 / usage:
  ledgerwiz books [--app DIR] [--clean] FILE
      Loads the book list FILE (a bare name is taken inside the application
      folder; a missing list is created with the sample book) and prints one row
      per book: position, name, kind (file or server), path, database, company,
      period, shown or hidden. Server passwords are not printed.
      --clean   first removes empty and duplicate entries and books whose
                database file is missing, and prints the report.
  ledgerwiz --help
      Prints this text.

  --app DIR   the application folder (default: $XDG_DATA_HOME/kxLedgerWiz, or
              ~/.local/share/kxLedgerWiz); it is created when missing.

Exit status: 0 on success; 1 with the error text on standard error when the
list cannot be read or written; 2 for a command line that is not understood.
)";

int UsageError(const std::string& message) {
    std::cerr << "ledgerwiz: " << message << "\n\n" << kUsage;
    return 2;
}

int Books(const std::vector<std::string>& args) {
    kx::app::BooksOptions options;
    options.appFolder = kx::app::DefaultApplicationFolder();
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--app") {
            if (++i == args.size())
                return UsageError("--app needs a folder");
            options.appFolder = args[i];
        } else if (a == "--clean") {
            options.clean = true;
        } else if (a.rfind("--", 0) == 0) {
            return UsageError("unknown option " + a);
        } else if (options.listFile.empty()) {
            options.listFile = a;
        } else {
            return UsageError("only one book list file may be named");
        }
    }
    if (options.listFile.empty())
        return UsageError("books needs the book list FILE");
    return kx::app::RunBooksCommand(options, std::cout, std::cerr);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::cout << kUsage;
        return args.empty() ? 2 : 0;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "books")
        return Books(args);
    return UsageError("unknown command " + command);
}
