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
#include <optional>
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

CreationSummary StepFailure(const std::string& what, const std::string& cause = {}) {
    CreationSummary summary{"创建账簿时遇到错误：", {what}, {}, false};
    if (!cause.empty())
        summary.lines.push_back("    " + cause);
    return summary;
}

CreationSummary BookCreated(const NewBookRequest& request) {
    return {"已创建新账簿：",
            {"    账簿名称：" + request.bookName, "    单位名称：" + request.company, "    财务主管：" + request.director,
             "    建账日期：" + YearMonthText(request.beginDate)},
            "单击“完成”按钮，结束向导。",
            true};
}

std::string WithCause(const std::string& message, const std::string& cause) {
    return cause.empty() ? message : message + "\n" + cause;
}

NewBookListEntry ListEntryOf(const NewBookRequest& request) {
    NewBookListEntry entry;
    entry.bookName = request.bookName;
    entry.userName = request.company;
    entry.bookFile = request.bookFile;
    entry.isSql = request.isSql;
    entry.server = request.target.server;
    entry.userId = request.target.user;
    entry.password = request.target.password;
    return entry;
}

} // namespace

CreationSummary CreationUnderWay() {
    return {"正在创建新账簿...", {"账簿名称：", "单位名称：", "财务主管：", "建账日期：       年     月"}, {}, false};
}

NewBookCreation::NewBookCreation(NewBookRequest request, CreationObserver& observer, TemplateUnpacker& unpacker)
    : request_(std::move(request)), observer_(observer), unpacker_(unpacker) {}

NewBookCreation::~NewBookCreation() = default;

bool NewBookCreation::Run() {
    observer_.Process(0);
    bool result = false;
    std::string pendingMessage;
    try {
        // A value that the book list's record cannot carry would leave a book that
        // cannot be listed: refused before anything is made.
        if (const std::string field = FieldBreakingTheRecord(ListEntryOf(request_)); !field.empty())
            throw WizardError("CreateNewAccBook", RecordBreakingMessage(field, "无法创建新账簿。"));
        observer_.Process(5);
        platform::LetPendingEventsRun();
        std::string failure;
        if (!MakeDatabase(&failure))
            throw WizardError("CreateNewAccBook", WithCause("创建新账簿时遇到错误。”", failure));
        // A failed step is shown at once and the steps after it still run, so that
        // the user learns of every problem; the book is not kept all the same.
        std::optional<CreationSummary> failed;
        observer_.Process(20);
        if (!WriteBookInfo()) {
            failed = StepFailure("    无法创建新账簿的数据库文件。");
            observer_.StepFailed(*failed);
        }
        observer_.Process(40);
        if (!ClearNewBook()) {
            failed = StepFailure("    无法清理新账簿的数据库。");
            observer_.StepFailed(*failed);
        }
        observer_.Process(60);
        if (!failed) {
            PlaceDatabase();
            std::string listFailure;
            bool listed = false;
            try {
                listed = AddBookListEntry(&listFailure);
            } catch (const std::exception&) {
                // The host was not told, but a list that was saved names the book,
                // which therefore stays.
                if (listFailure.empty())
                    made_->Keep();
                throw;
            }
            if (listed) {
                made_->Keep();
                observer_.Finished(BookCreated(request_));
            } else {
                failed = StepFailure("    无法更新账簿列表。", listFailure);
            }
        }
        if (failed) {
            RemoveMade();
            observer_.Finished(*failed);
        }
        observer_.Process(100);
        platform::LetPendingEventsRun();
        result = true;
    } catch (const std::exception& e) {
        pendingMessage = e.what();
    }
    RemoveMade();
    observer_.Process(-1);
    if (!result)
        observer_.Prompt(pendingMessage, true);
    return result;
}

bool NewBookCreation::MakeDatabase(std::string* failure) {
    NewBookDatabaseRequest request;
    request.templateFile = GetTemplateFile(QString::fromStdString(request_.templateLocation),
                                           QString::fromStdString(request_.appPath), unpacker_,
                                           [this](const QString& message) {
                                               observer_.Prompt(message.toStdString(), true);
                                           },
                                           &request.templateFailure)
                               .toStdString();
    request.isSql = request_.isSql;
    request.bookNo = request_.bookNo;
    request.operatorName = request_.operatorName;
    request.operatorPassword = request_.operatorPassword;
    request.appPath = request_.appPath;
    request.readTarget = [this] { return request_.target; };
    request.bookFileChosen = [this](const std::string& bookFile) { ChooseBookFile(bookFile); };

    const UnpackedTemplate unpacked(IsArchiveLocation(request_.templateLocation) ? request.templateFile
                                                                                 : std::string());
    std::string bookFile;
    try {
        const bool made = StageNewBookDatabase(request, bookFile, made_, failure);
        ChooseBookFile(bookFile);
        return made;
    } catch (...) {
        ChooseBookFile(bookFile);
        throw;
    }
}

void NewBookCreation::PlaceDatabase() {
    try {
        made_->Place();
    } catch (...) {
        ChooseBookFile(made_->Name());
        throw;
    }
    ChooseBookFile(made_->Name());
}

void NewBookCreation::ChooseBookFile(const std::string& bookFile) {
    if (bookFile.empty() || bookFile == request_.bookFile)
        return;
    request_.bookFile = bookFile;
    observer_.BookFileChosen(bookFile);
}

std::string NewBookCreation::WorkingDatabase() const {
    return made_ ? made_->WorkingLocation() : request_.bookFile;
}

void NewBookCreation::RemoveMade() {
    const std::unique_ptr<MadeDatabase> made = std::move(made_);
    if (!made || made->Kept())
        return;
    const bool underItsName = made->UnderItsName();
    const std::string where = made->Where();
    const std::string cause = made->Remove();
    if (!cause.empty())
        observer_.Prompt("未能删除本次创建的新账簿，它仍在：" + where + "\n" + cause, true);
    else if (underItsName)
        observer_.Prompt("已删除本次创建的新账簿：" + where, false);
    else
        observer_.Prompt("已删除未完成的新账簿文件：" + where, false);
}

bool NewBookCreation::AddNewFile() {
    try {
        if (!MakeDatabase(nullptr)) {
            RemoveMade();
            return false;
        }
        PlaceDatabase();
    } catch (...) {
        RemoveMade();
        throw;
    }
    made_->Keep();
    made_.reset();
    return true;
}

bool NewBookCreation::WriteBookInfo() {
    return newbook::WriteBookInfo(request_.isSql, WorkingDatabase(), request_.target,
                                  {request_.bookName, request_.company, request_.beginDate},
                                  [this](const std::string& message, bool box) { observer_.Prompt(message, box); });
}

bool NewBookCreation::ClearNewBook() {
    return newbook::ClearNewBook(request_.isSql, WorkingDatabase(), request_.target, request_.retain, request_.acc,
                                 Events());
}

bool NewBookCreation::AddBookListEntry() {
    std::string failure;
    const bool added = AddBookListEntry(&failure);
    // A value that the record cannot carry is the user's to mend: say which.
    if (!added && !FieldBreakingTheRecord(ListEntryOf(request_)).empty())
        observer_.Prompt(failure, true);
    return added;
}

bool NewBookCreation::AddBookListEntry(std::string* failure) {
    return newbook::AddBookListEntry(ListEntryOf(request_), request_.listFile, request_.acc, request_.noticeWindow,
                                     failure);
}

ClearingEvents NewBookCreation::Events() {
    return {[this](short value) { observer_.Process(value); },
            [this](const std::string& message, bool box) { observer_.Prompt(message, box); }};
}

} // namespace kx::newbook
