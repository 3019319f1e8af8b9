#include "ApplicationFolder.h"
#include "BooksCommand.h"
#include "ConvertCommand.h"
#include "ServerOption.h"
#include "SqlCommand.h"
#include "WizardCommand.h"
#include "CreateCommand.h"

#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = R"(用法 / usage:
  ledgerwiz [wizard] [--app DIR]
      Opens the new-book wizard window on the application folder (created with
      the sample book and the book list books.txt on first use). Operators of
      the sample book: 主管 / 8888, 出纳 / 6666.
  ledgerwiz books [--app DIR] [--clean] FILE
      Loads the book list FILE (a bare name is taken inside the application
      folder; a missing list is created with the sample book) and prints one row
      per book: position, name, kind (file or server), path, database, company,
      period, shown or hidden. Server passwords are not printed.
      --clean   first removes empty and duplicate entries and books whose
                database file is missing, and prints the report.
  ledgerwiz sql (--book FILE | --server S --user U --password P [--database D]) STATEMENT
      Runs one statement on a book file (opened with the fixed book password)
      or on a server database (PostgreSQL) and prints the rows as an aligned
      table. Server statements are written as for SQL Server and translated.
  ledgerwiz convert BOOK.MDE --server S --user U --password P --database NAME
      Converts the book file BOOK.MDE into the new server database NAME, with a
      progress bar on standard error, and prints every converted table with its
      row count. A failure is written to standard error (exit status 1).
  ledgerwiz create [--app DIR] --template POS|PATH|LOCATION --operator NAME
                   --password PW --name NAME --company TEXT [--director TEXT]
                   --month YYYY-MM [--keep 0,1,2,...|none]
                   [--sql SERVER,USER,PASSWORD]
      Creates a new book headless, as the wizard control does for its host:
      the template is a book list position (0 is the first book), the path of
      a book file or of a template archive (.WAK) — in the book list or not; a
      relative PATH is taken inside the application folder — or a server
      location "user:password@server|database" of the book list. --operator
      and --password name an operator of the template book who may look at
      vouchers (--password "" for an empty password); a template archive needs
      neither. --keep names the retain boxes to set (0 单位资料 1 会计科目
      2 部门资料 3 辅助标识 4 常用摘要 5 会计报表 6 凭证模版 7 人员工资 — set
      means emptied for 7 — 8 固定资产), without it they keep their starting
      states; --sql makes a server book. A progress bar and every message go
      to standard error, the summary to standard output; exit status 0 when
      the book was completed, 1 otherwise.
  ledgerwiz --help
      Prints this text.

  --app DIR   the application folder (default: $XDG_DATA_HOME/kxLedgerWiz, or
              ~/.local/share/kxLedgerWiz); it is created when missing.
  S, SERVER   a PostgreSQL host, host:port or host,port, or the folder of its
              Unix socket, with the port after a colon or a comma
              (/run/postgresql:5432).

Exit status: 0 on success; 1 with the error text on standard error when the
list cannot be read or written or the statement fails; 2 for a command line
that is not understood.
)";

int UsageError(const std::string& message) {
    std::cerr << "ledgerwiz: " << message << "\n\n" << kUsage;
    return 2;
}

/// Reads "--name value" options into the strings of `valued` (noting their names
/// in `given`) and hands every other word to `other`; "" or what is wrong with the
/// command line.
std::string ReadOptions(const std::vector<std::string>& args, const std::map<std::string, std::string*>& valued,
                        const std::function<std::string(const std::string&)>& other,
                        std::set<std::string>* given = nullptr) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (const auto it = valued.find(args[i]); it != valued.end()) {
            if (++i == args.size())
                return it->first + " needs a value";
            *it->second = args[i];
            if (given != nullptr)
                given->insert(it->first);
        } else if (std::string problem = other(args[i]); !problem.empty()) {
            return problem;
        }
    }
    return {};
}

/// "", or "COMMAND needs X, Y" naming the options of `required` not in `given`.
std::string MissingOptions(const std::string& command, const std::set<std::string>& given,
                           const std::vector<std::string>& required) {
    std::string missing;
    for (const std::string& option : required)
        if (given.count(option) == 0)
            missing += (missing.empty() ? "" : ", ") + option;
    return missing.empty() ? missing : command + " needs " + missing;
}

/// The server option made ready for a connection; "" or what is wrong with it.
std::string ReadServer(std::string& server) {
    try {
        server = kx::app::ServerOption(server);
        return {};
    } catch (const std::invalid_argument& e) {
        return std::string("--server: ") + e.what();
    }
}

int Books(const std::vector<std::string>& args) {
    kx::app::BooksOptions options;
    options.appFolder = kx::app::DefaultApplicationFolder();
    const std::string problem = ReadOptions(args, {{"--app", &options.appFolder}}, [&](const std::string& word) {
        if (word == "--clean")
            options.clean = true;
        else if (word.rfind("--", 0) == 0)
            return "unknown option " + word;
        else if (!options.listFile.empty())
            return std::string("only one book list file may be named");
        else
            options.listFile = word;
        return std::string();
    });
    if (!problem.empty())
        return UsageError(problem);
    if (options.listFile.empty())
        return UsageError("books needs the book list FILE");
    return kx::app::RunBooksCommand(options, std::cout, std::cerr);
}

int Sql(const std::vector<std::string>& args) {
    kx::app::SqlOptions options;
    bool haveStatement = false;
    std::set<std::string> given;
    std::string problem =
        ReadOptions(args,
                    {{"--book", &options.bookFile},
                     {"--server", &options.server},
                     {"--user", &options.user},
                     {"--password", &options.password},
                     {"--database", &options.database}},
                    [&](const std::string& word) {
                        if (word.rfind("--", 0) == 0)
                            return "unknown option " + word;
                        if (haveStatement)
                            return std::string("only one statement may be given (quote it)");
                        options.statement = word;
                        haveStatement = true;
                        return std::string();
                    },
                    &given);
    if (!problem.empty())
        return UsageError(problem);
    if (!haveStatement)
        return UsageError("sql needs a STATEMENT");
    if (options.bookFile.empty() == options.server.empty())
        return UsageError("sql needs either --book FILE or --server S");
    if (!options.server.empty()) {
        if (problem = MissingOptions("sql --server", given, {"--user", "--password"}); !problem.empty())
            return UsageError(problem + " (--password \"\" for none)");
        if (problem = ReadServer(options.server); !problem.empty())
            return UsageError(problem);
    }
    return kx::app::RunSqlCommand(options, std::cout, std::cerr);
}

int Convert(const std::vector<std::string>& args) {
    kx::app::ConvertOptions options;
    std::set<std::string> given;
    std::string problem = ReadOptions(args,
                                            {{"--server", &options.server},
                                             {"--user", &options.user},
                                             {"--password", &options.password},
                                             {"--database", &options.database}},
                                            [&](const std::string& word) {
                                                if (word.rfind("--", 0) == 0)
                                                    return "unknown option " + word;
                                                if (!options.bookFile.empty())
                                                    return std::string("only one book file may be converted");
                                                options.bookFile = word;
                                                return std::string();
                                            },
                                            &given);
    if (!problem.empty())
        return UsageError(problem);
    if (options.bookFile.empty())
        return UsageError("convert needs the book file BOOK.MDE");
    if (problem = MissingOptions("convert", given, {"--server", "--user", "--password", "--database"});
        !problem.empty())
        return UsageError(problem + " (--password \"\" for none)");
    if (options.server.empty() || options.database.empty())
        return UsageError("convert needs a --server and a --database that are not empty");
    if (problem = ReadServer(options.server); !problem.empty())
        return UsageError(problem);
    return kx::app::RunConvertCommand(options, std::cout, std::cerr);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        std::cout << kUsage;
        return 0;
    }
    // No command, or only options (--app, Qt's -platform ...): the window.
    if (args.empty() || args[0] == "wizard" || args[0].rfind('-', 0) == 0)
        return kx::app::RunWizardCommand(argc, argv);
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "books")
        return Books(args);
    if (command == "create") {
        kx::app::CreateOptions options;
        if (const std::string problem = kx::app::ParseCreateOptions(args, options); !problem.empty())
            return UsageError(problem);
        return kx::app::RunCreateCommand(options, std::cout, std::cerr);
    }
    if (command == "sql")
        return Sql(args);
    if (command == "convert")
        return Convert(args);
    return UsageError("unknown command " + command);
}
