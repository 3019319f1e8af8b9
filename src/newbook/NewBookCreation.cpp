#include "newbook/NewBookCreation.h"

#include "newbook/BookInfoWriter.h"
#include "newbook/BookListEntry.h"
#include "newbook/CreationObserver.h"
#include "newbook/NewBookDatabase.h"
#include "newbook/SqlLocation.h"
#include "newbook/TemplateLocation.h"
#include "newbook/WizardError.h"
#include "platform/PendingEvents.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace kx::newbook {

namespace {

/// An unpacked archive is a private copy of the template: it goes once the new
/// database exists, and also when making it failed.
class UnpackedTemplate {
  public:
    explicit UnpackedTemplate(std::string path) : path_(std::move(path)) {}
    ~UnpackedTemplate() {
        if (!path_.empty()) {
            std::error_code ec;
            std::filesystem::remove(path_, ec);
        }
    }
    UnpackedTemplate(const UnpackedTemplate&) = delete;
    UnpackedTemplate& operator=(const UnpackedTemplate&) = delete;

  private:
    std::string path_;
};

CreationSummary StepFailure(const std::string& what) {
    return {"创建账簿时遇到错误：", {what}, {}, false};
}

} // namespace

CreationSummary CreationUnderWay() {
    return {"正在创建新账簿...", {"账簿名称：", "单位名称：", "财务主管：", "建账日期：       年     月"}, {}, false};
}

NewBookCreation::NewBookCreation(NewBookRequest request, CreationObserver& observer, TemplateUnpacker& unpacker)
    : request_(std::move(request)), observer_(observer), unpacker_(unpacker) {}

bool NewBookCreation::Run() {
    observer_.Process(0);
    bool result = false;
    std::string pendingMessage;
    try {
        observer_.Process(5);
        platform::LetPendingEventsRun();
        if (!AddNewFile())
            throw WizardError("CreateNewAccBook", "创建新账簿时遇到错误。”");
        observer_.Process(20);
        if (!WriteBookInfo())
            observer_.StepFailed(StepFailure("    无法创建新账簿的数据库文件。"));
        observer_.Process(40);
        if (!ClearNewBook())
            observer_.StepFailed(StepFailure("    无法清理新账簿的数据库。"));
        observer_.Process(60);
        if (AddBookListEntry()) {
            observer_.Finished({"已创建新账簿：",
                                {"    账簿名称：" + request_.bookName, "    单位名称：" + request_.company,
                                 "    财务主管：" + request_.director,
                                 "    建账日期：" + YearMonthText(request_.beginDate)},
                                "单击“完成”按钮，结束向导。",
                                true});
        } else {
            observer_.Finished(StepFailure("    无法更新账簿列表。"));
        }
        observer_.Process(100);
        platform::LetPendingEventsRun();
        result = true;
    } catch (const std::exception& e) {
        pendingMessage = e.what();
    }
    observer_.Process(-1);
    if (!result)
        observer_.Prompt(pendingMessage, true);
    return result;
}

bool NewBookCreation::AddNewFile() {
    NewBookDatabaseRequest request;
    request.templateFile = GetTemplateFile(QString::fromStdString(request_.templateLocation),
                                           QString::fromStdString(request_.appPath), unpacker_,
                                           [this](const QString& message) {
                                               observer_.Prompt(message.toStdString(), true);
                                           })
                               .toStdString();
    request.isSql = request_.isSql;
    request.bookNo = request_.bookNo;
    request.operatorName = request_.operatorName;
    request.operatorPassword = request_.operatorPassword;
    request.appPath = request_.appPath;
    request.readTarget = [this] { return request_.target; };

    const UnpackedTemplate unpacked(IsArchiveLocation(request_.templateLocation) ? request.templateFile
                                                                                 : std::string());
    std::string bookFile;
    try {
        const bool made = MakeNewBookDatabase(request, bookFile);
        request_.bookFile = bookFile;
        observer_.BookFileChosen(bookFile);
        return made;
    } catch (...) {
        request_.bookFile = bookFile;
        observer_.BookFileChosen(bookFile);
        throw;
    }
}

bool NewBookCreation::WriteBookInfo() {
    return newbook::WriteBookInfo(request_.isSql, request_.bookFile, request_.target,
                                  {request_.bookName, request_.company, request_.beginDate},
                                  [this](const std::string& message, bool box) { observer_.Prompt(message, box); });
}

bool NewBookCreation::ClearNewBook() {
    return newbook::ClearNewBook(request_.isSql, request_.bookFile, request_.target, request_.retain, request_.acc,
                                 Events());
}

bool NewBookCreation::AddBookListEntry() {
    NewBookListEntry entry;
    entry.bookName = request_.bookName;
    entry.userName = request_.company;
    entry.bookFile = request_.bookFile;
    entry.isSql = request_.isSql;
    entry.server = request_.target.server;
    entry.userId = request_.target.user;
    entry.password = request_.target.password;
    return newbook::AddBookListEntry(entry, request_.listFile, request_.acc, request_.noticeWindow);
}

ClearingEvents NewBookCreation::Events() {
    return {[this](short value) { observer_.Process(value); },
            [this](const std::string& message, bool box) { observer_.Prompt(message, box); }};
}

} // namespace kx::newbook
