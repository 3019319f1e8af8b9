#include "newbook/NewBookDatabase.h"

#include "newbook/OperatorCheck.h"
#include "newbook/SqlLocation.h"
#include "newbook/WizardError.h"
#include "database/ServerTableCopy.h"
#include "database/SingleStatements.h"
#include "database/SqlBookConversion.h"
#include "platform/DiskPath.h"
#include "platform/PublishedFile.h"
#include "support/AccountingObject.h"

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

bool CopySqlBook(const std::string& location, const std::string& newDatabase) {
    return CopySqlBook(catalogue::BookLocation::FromSqlLocation(location), newDatabase);
}

bool CopySqlBook(const catalogue::BookLocation& location, const std::string& newDatabase) {
    const std::string server(location.Server().value_or(""));
    const std::string user(location.UserId().value_or(""));
    const std::string password(location.Password().value_or(""));
    const std::string& templateDatabase = location.Database();

    ado::Connection cnn;
    support::SharedAccountingObject().PrepareConnection(cnn, templateDatabase, server, user, password);
    cnn.Open({}, {}, {}, -1);
    // The copy drops and refills tables of the destination: it must be a database
    // made here, never one that already existed.
    if (!database::CreateDatabase(newDatabase, cnn)) {
        cnn.Close();
        return false;
    }
    const bool copied = database::CopySqlAllTables(templateDatabase, newDatabase, cnn);
    cnn.Close();
    return copied;
}

namespace {

/// A template server that cannot be reached accepts nobody: the user then reads
/// the message about the template rather than the driver's own words.
bool OperatorAccepted(const catalogue::BookLocation& location, const NewBookDatabaseRequest& request) {
    try {
        return CheckSqlOperator(location, request.operatorName, request.operatorPassword);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

bool MakeNewBookDatabase(const NewBookDatabaseRequest& request, std::string& bookFile) {
    const std::string& source = request.templateFile;
    const auto location = catalogue::BookLocation::FromTemplateLocation(source);
    const bool sqlTemplate = location.IsServerBook();
    if (!sqlTemplate && !platform::FileExists(source, request.appPath))
        throw WizardError("AddNewFile", "未找到作为模版的当前账簿的数据库文件，无法创建账簿文件。");
    if (sqlTemplate && !OperatorAccepted(location, request))
        throw WizardError("AddNewFile", "未找到作为模版的当前账簿的数据库，无法创建账簿。");

    bookFile = MakeNewBookName(BookNumberOf(request.bookNo), request.isSql, request.appPath, request.readTarget);

    if (request.isSql && sqlTemplate)
        return CopySqlBook(location, bookFile);
    if (request.isSql) {
        const ServerLogin target = request.readTarget();
        if (!database::CreateSqlBook(source, target.server, bookFile, target.user, target.password, nullptr))
            throw WizardError("CreateSqlBook", "创建Sql数据库时错误（转换Access数据库失败）");
        return true;
    }
    if (!CopyBookFile(source, bookFile))
        throw WizardError("AddNewFile", "创建新账簿的数据库文件遇到错误。");
    return true;
}

} // namespace kx::newbook
