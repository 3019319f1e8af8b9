#include "newbook/NewBookDatabase.h"

#include "newbook/OperatorCheck.h"
#include "newbook/SqlLocation.h"
#include "newbook/StagedBookFile.h"
#include "newbook/WizardError.h"
#include "ado/AdoError.h"
#include "database/ServerTableCopy.h"
#include "database/SqlBookConversion.h"
#include "platform/DiskPath.h"
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
        copy.CopyFrom(from);
        return copy.Publish();
    } catch (const std::exception&) {
        return false;
    }
}

namespace {

constexpr std::int16_t kLastCounter = std::numeric_limits<std::int16_t>::max();

/// What the server provider gives, as SQL Server numbers it, when "Create
/// Database" meets a database of that name: "database exists", or the duplicate
/// key of the server's catalogue when two programs create the name at one moment.
constexpr long kNativeDatabaseExists = 1801;
constexpr long kNativeDuplicateKey = 2627;

bool NameTaken(const ado::AdoError& e) {
    return e.NativeError() == kNativeDatabaseExists || e.NativeError() == kNativeDuplicateKey;
}

/// A template server that cannot be reached accepts nobody: the user then reads
/// the message about the template rather than the driver's own words.
bool OperatorAccepted(const catalogue::BookLocation& location, const NewBookDatabaseRequest& request) {
    try {
        return CheckSqlOperator(location, request.operatorName, request.operatorPassword);
    } catch (const std::exception&) {
        return false;
    }
}

/// The book file template copied under a hidden name for the first free file name.
void StageBookFile(const NewBookDatabaseRequest& request, bool sqlTemplate, std::int16_t bookNo,
                   std::string& bookFile, std::unique_ptr<MadeDatabase>& made) {
    std::int16_t counter = 0;
    bookFile = MakeNewBookName(bookNo, false, request.appPath, request.readTarget, counter);
    if (bookFile.empty())
        throw WizardError("AddNewFile", std::string(kBookFileFailure) + "\n账簿文件名已用完。");
    if (sqlTemplate)
        throw WizardError("AddNewFile", std::string(kBookFileFailure) + "\n作为模版的账簿在服务器上，不能复制成账簿文件。");
    std::unique_ptr<StagedBookFile> file;
    try {
        file = std::make_unique<StagedBookFile>(platform::ToDiskPath(request.templateFile),
                                                platform::ToDiskPath(bookFile));
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

/// A new database on the server of `location`, created under the first free name
/// of the rule, with every table of the location's database copied into it. The
/// copy drops and refills tables of the destination: it must be a database made
/// here, never one that already existed, so a name that "Create Database" finds
/// taken is passed over.
bool CopySqlBook(const catalogue::BookLocation& location, const NewBookDatabaseRequest& request,
                 std::int16_t bookNo, std::string& bookFile, std::unique_ptr<MadeDatabase>& made,
                 std::string* failure) {
    const ServerLogin login{std::string(location.Server().value_or("")), std::string(location.UserId().value_or("")),
                            std::string(location.Password().value_or(""))};
    const std::string& templateDatabase = location.Database();

    ado::Connection cnn;
    support::SharedAccountingObject().PrepareConnection(cnn, templateDatabase, login.server, login.user,
                                                        login.password);
    cnn.Open({}, {}, {}, -1);
    std::int16_t counter = 0;
    bookFile = MakeNewBookName(bookNo, true, request.appPath, request.readTarget, counter);
    for (;;) {
        try {
            cnn.Execute("Create Database " + bookFile, nullptr, -1);
            break;
        } catch (const ado::AdoError& e) {
            if (!NameTaken(e) || counter == kLastCounter) {
                if (failure != nullptr)
                    *failure = e.what();
                cnn.Close();
                return false;
            }
        }
        ++counter;
        bookFile = MakeNewBookName(bookNo, true, request.appPath, request.readTarget, counter);
    }
    made = std::make_unique<MadeDatabase>(bookFile, login);
    const bool copied = database::CopySqlAllTables(templateDatabase, bookFile, cnn);
    cnn.Close();
    return copied;
}

} // namespace

bool StageNewBookDatabase(const NewBookDatabaseRequest& request, std::string& bookFile,
                          std::unique_ptr<MadeDatabase>& made, std::string* failure) {
    const std::string& source = request.templateFile;
    const auto location = catalogue::BookLocation::FromTemplateLocation(source);
    const bool sqlTemplate = location.IsServerBook();
    if (!sqlTemplate && !platform::FileExists(source, request.appPath))
        throw WizardError("AddNewFile", "未找到作为模版的当前账簿的数据库文件，无法创建账簿文件。");
    if (sqlTemplate && !OperatorAccepted(location, request))
        throw WizardError("AddNewFile", "未找到作为模版的当前账簿的数据库，无法创建账簿。");

    const std::int16_t bookNo = BookNumberOf(request.bookNo);
    if (request.isSql && sqlTemplate)
        return CopySqlBook(location, request, bookNo, bookFile, made, failure);
    if (request.isSql) {
        bookFile = MakeNewBookName(bookNo, true, request.appPath, request.readTarget);
        const ServerLogin target = request.readTarget();
        if (!database::CreateSqlBook(source, target.server, bookFile, target.user, target.password, nullptr))
            throw WizardError("CreateSqlBook", "创建Sql数据库时错误（转换Access数据库失败）");
        made = std::make_unique<MadeDatabase>(bookFile, target);
        return true;
    }
    StageBookFile(request, sqlTemplate, bookNo, bookFile, made);
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
