#include "newbook/NewBookDatabase.h"

#include "newbook/OperatorCheck.h"
#include "newbook/SqlLocation.h"
#include "newbook/StagedBookFile.h"
#include "newbook/WizardError.h"
#include "ado/jet/BookFileCopy.h"
#include "database/CreateCnn.h"
#include "database/DatabaseNameCheck.h"
#include "database/NewServerDatabase.h"
#include "database/ServerTableCopy.h"
#include "database/SqlBookConversion.h"
#include "platform/DiskPath.h"
#include "platform/MessageBoxService.h"
#include "platform/PublishedFile.h"
#include "support/AccountingObject.h"

#include <limits>
#include <sys/stat.h>

namespace kx::newbook {

bool CopyBookFile(const std::string& source, const std::string& target) {
    try {
        const std::filesystem::path from = platform::ToDiskPath(source);
        struct stat st {};
        if (::stat(from.c_str(), &st) != 0)
            return false;
        // The new book takes the template's permissions, as a plain copy would;
        // NoOverwrite: an existing book is never replaced.
        platform::PublishedFile copy(platform::ToDiskPath(target), platform::PublishMode::NoOverwrite,
                                     st.st_mode & 07777);
        // The source is only read, and what its write-ahead log holds comes along.
        ado::jet::CopyBookFileContent(from.string(), database::kBookDatabasePassword, copy.temporaryPath(),
                                      [&] { copy.CopyFrom(from); });
        return copy.Publish();
    } catch (const std::exception&) {
        return false;
    }
}

std::string TemplateDiskPath(const std::string& templateFile, const std::string& appPath) {
    return platform::ToDiskPath(templateFile, appPath).string();
}

namespace {

constexpr std::int16_t kLastCounter = std::numeric_limits<std::int16_t>::max();
constexpr const char* kConversionFailure = "创建Sql数据库时错误（转换Access数据库失败）";
constexpr const char* kTemplateDatabaseNameRefused = "作为模版的账簿的数据库名无效，无法创建账簿。";

/// A template server that cannot be reached accepts nobody: the user then reads
/// the message about the template rather than the driver's own words.
bool OperatorAccepted(const catalogue::BookLocation& location, const NewBookDatabaseRequest& request) {
    try {
        return CheckSqlOperator(location, request.operatorName, request.operatorPassword);
    } catch (const std::exception&) {
        return false;
    }
}

/// Hands a chosen name on at once; "" is no name.
void TellChosen(const NewBookDatabaseRequest& request, const std::string& bookFile) {
    if (request.bookFileChosen && !bookFile.empty())
        request.bookFileChosen(bookFile);
}

/// The book file template `source` copied under a hidden name for the first free file name.
void StageBookFile(const NewBookDatabaseRequest& request, const std::string& source, bool sqlTemplate,
                   std::int16_t bookNo, std::string& bookFile, std::unique_ptr<MadeDatabase>& made) {
    std::int16_t counter = 0;
    bookFile = MakeNewBookName(bookNo, false, request.appPath, request.readTarget, counter);
    TellChosen(request, bookFile);
    if (bookFile.empty())
        throw WizardError("AddNewFile", std::string(kBookFileFailure) + "\n账簿文件名已用完。");
    if (sqlTemplate)
        throw WizardError("AddNewFile", std::string(kBookFileFailure) + "\n作为模版的账簿在服务器上，不能复制成账簿文件。");
    std::unique_ptr<StagedBookFile> file;
    try {
        file = std::make_unique<StagedBookFile>(source, platform::ToDiskPath(bookFile));
    } catch (const std::exception& e) {
        throw WizardError("AddNewFile", std::string(kBookFileFailure) + "\n" + e.what());
    }
    auto next = [bookNo, appPath = request.appPath, counter]() mutable {
        if (counter == kLastCounter)
            return std::string();
        ++counter;
        return MakeNewBookName(bookNo, false, appPath, {}, counter);
    };
    made = std::make_unique<MadeDatabase>(std::move(file), bookFile, std::move(next));
}

/// Claims the new book's server database on the server of `login` under the first
/// name of the rule that is still free when it is created: a name that another
/// program creates meanwhile is passed over, so that runs at one moment each get
/// their own. The databases that killed runs left half-made go first, so that
/// their names are free again; a sweep that fails stops nothing. `bookFile` gets
/// the name tried last (the rule's first one when the server cannot be reached),
/// `cause` why nothing was claimed. With a `copyOf` database the server makes the
/// new database as a copy of that one.
database::NewServerDatabase ClaimServerDatabase(const ServerLogin& login,
                                                const NewBookDatabaseRequest& request, std::int16_t bookNo,
                                                std::string& bookFile, std::string& cause,
                                                const std::string* copyOf = nullptr) {
    ado::Connection master;
    try {
        database::CreateCnn(master, "master", login.server, login.user, login.password);
        master.Open({}, {}, {}, -1);
        try {
            database::RemoveAbandonedServerDatabases(master);
        } catch (const std::exception&) {
            // What cannot be listed now stays for a later run.
        }
    } catch (const std::exception& e) {
        cause = e.what();
    }
    std::int16_t counter = 0;
    bookFile = MakeNewBookName(bookNo, true, request.appPath, request.readTarget, counter);
    database::NewServerDatabase claim;
    if (!cause.empty())
        return claim;
    for (;;) {
        if (bookFile.empty()) {
            cause = "账簿数据库名已用完。";
            return claim;
        }
        claim = copyOf != nullptr ? database::NewServerDatabase::CreateCopy(master, bookFile, *copyOf)
                                  : database::NewServerDatabase::Create(master, bookFile);
        if (claim.Outcome() != database::NewServerDatabase::Status::NameTaken || counter == kLastCounter)
            break;
        ++counter;
        bookFile = MakeNewBookName(bookNo, true, request.appPath, request.readTarget, counter);
    }
    if (!claim.IsCreated())
        cause = claim.Cause();
    return claim;
}

/// A new database on the server of `location`, claimed under the first free name
/// of the rule, holding what the location's database holds. The server copies the
/// database whole when it can; it refuses while anybody else is connected to the
/// template, and then (as on any failure before the new database exists) every
/// table is copied into a plain new database one by one. That copy drops and
/// refills tables of the destination: it must be a database made here, never one
/// that already existed. Either way the book is the same: tables, rows, collations,
/// and identity columns that carry on from their rows.
bool CopySqlBook(const catalogue::BookLocation& location, const NewBookDatabaseRequest& request,
                 std::int16_t bookNo, std::string& bookFile, std::unique_ptr<MadeDatabase>& made,
                 std::string* failure) {
    const ServerLogin login{std::string(location.Server().value_or("")), std::string(location.UserId().value_or("")),
                            std::string(location.Password().value_or(""))};
    const std::string& templateDatabase = location.Database();

    {
        std::string copyCause;
        database::NewServerDatabase copy =
            ClaimServerDatabase(login, request, bookNo, bookFile, copyCause, &templateDatabase);
        if (copy.IsCreated()) {
            TellChosen(request, bookFile);
            made = std::make_unique<MadeDatabase>(std::move(copy), login);
            return true;
        }
    }

    // Opened only now: a session on the template stops the server's own copy.
    ado::Connection cnn;
    support::SharedAccountingObject().PrepareConnection(cnn, templateDatabase, login.server, login.user,
                                                        login.password);
    cnn.Open({}, {}, {}, -1);
    std::string cause;
    database::NewServerDatabase claim = ClaimServerDatabase(login, request, bookNo, bookFile, cause);
    TellChosen(request, bookFile);
    if (!claim.IsCreated()) {
        if (failure != nullptr)
            *failure = cause;
        cnn.Close();
        return false;
    }
    made = std::make_unique<MadeDatabase>(std::move(claim), login);
    const bool copied = database::CopySqlAllTables(templateDatabase, bookFile, cnn);
    cnn.Close();
    return copied;
}

/// The book file `source` converted into a new database on the target server,
/// claimed as CopySqlBook claims it. A failure has been shown in the conversion's box.
void ConvertBookFile(const NewBookDatabaseRequest& request, const std::string& source, std::int16_t bookNo,
                     std::string& bookFile, std::unique_ptr<MadeDatabase>& made) {
    const ServerLogin target = request.readTarget();
    std::string cause;
    database::NewServerDatabase claim = ClaimServerDatabase(target, request, bookNo, bookFile, cause);
    TellChosen(request, bookFile);
    if (!claim.IsCreated()) {
        // Told in the box in which the conversion tells its own failures.
        platform::CurrentMessageBox().Show("创建数据库" + bookFile + "失败。\n" + cause,
                                           database::kConversionFailureTitle,
                                           platform::msgbox::kCritical + platform::msgbox::kOkOnly);
        throw WizardError("CreateSqlBook", kConversionFailure);
    }
    // A false answer has shown why and dropped the claim's database.
    if (!database::CreateSqlBookInto(source, claim, target.server, target.user, target.password,
                                     nullptr))
        throw WizardError("CreateSqlBook", kConversionFailure);
    made = std::make_unique<MadeDatabase>(std::move(claim), target);
}

} // namespace

bool StageNewBookDatabase(const NewBookDatabaseRequest& request, std::string& bookFile,
                          std::unique_ptr<MadeDatabase>& made, std::string* failure) {
    const auto location = catalogue::BookLocation::FromTemplateLocation(request.templateFile);
    const bool sqlTemplate = location.IsServerBook();
    // Resolved once: a relative template is the one in the application folder for
    // the check, the copy and the conversion alike, wherever the program runs.
    const std::string source = sqlTemplate ? std::string() : TemplateDiskPath(request.templateFile, request.appPath);
    if (!sqlTemplate && !platform::FileExists(source))
        throw WizardError("AddNewFile", "未找到作为模版的当前账簿的数据库文件，无法创建账簿文件。" +
                                            (request.templateFailure.empty() ? "" : "\n" + request.templateFailure));
    // The template's database comes from a list entry: a name that cannot be one
    // never reaches the server.
    if (sqlTemplate) {
        if (const std::string problem = database::DatabaseNameProblem(location.Database()); !problem.empty())
            throw WizardError("AddNewFile", std::string(kTemplateDatabaseNameRefused) + "\n" + problem);
    }
    if (sqlTemplate && !OperatorAccepted(location, request))
        throw WizardError("AddNewFile", "未找到作为模版的当前账簿的数据库，无法创建账簿。");

    const std::int16_t bookNo = BookNumberOf(request.bookNo);
    if (request.isSql && sqlTemplate)
        return CopySqlBook(location, request, bookNo, bookFile, made, failure);
    if (request.isSql) {
        ConvertBookFile(request, source, bookNo, bookFile, made);
        return true;
    }
    StageBookFile(request, source, sqlTemplate, bookNo, bookFile, made);
    return true;
}

bool MakeNewBookDatabase(const NewBookDatabaseRequest& request, std::string& bookFile) {
    std::unique_ptr<MadeDatabase> made;
    if (!StageNewBookDatabase(request, bookFile, made))
        return false;
    made->Place();
    bookFile = made->Name();
    made->Keep();
    return true;
}

} // namespace kx::newbook
