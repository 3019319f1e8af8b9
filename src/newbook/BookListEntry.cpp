#include "newbook/BookListEntry.h"

#include "catalogue/BookLocation.h"
#include "catalogue/clsBooksList.h"
#include "platform/DiskPath.h"
#include "support/AccountingObject.h"
#include "support/SupportError.h"
#include "newbook/HostNotice.h"

namespace kx::newbook {

std::string BookListEntryLine(const NewBookListEntry& entry) {
    const auto location =
        entry.isSql ? catalogue::BookLocation::FromServerParts(entry.server, entry.userId, entry.password, entry.bookFile)
                    : catalogue::BookLocation::FromFilePath(entry.bookFile);
    return entry.bookName + '\t' + location.BookPathField() + '\t' + location.BookFileField() + '\t' +
           entry.userName + "\t(未知)\t0\t\t";
}

std::string FieldBreakingTheRecord(const NewBookListEntry& entry) {
    const auto breaks = [](const std::string& value) { return value.find_first_of("\t\r\n") != std::string::npos; };
    if (breaks(entry.bookName))
        return "账簿名称";
    if (breaks(entry.userName))
        return "单位名称";
    if (!entry.isSql)
        return {};
    if (breaks(entry.server))
        return "SQL服务器名";
    if (breaks(entry.userId))
        return "SQL服务器的用户名";
    if (breaks(entry.password))
        return "SQL服务器的密码";
    return {};
}

std::string RecordBreakingMessage(const std::string& field, const std::string& consequence) {
    return field + "中不能有制表符、回车符或换行符，" + consequence;
}

namespace {

/// Keeps the first failure the list reports, as its owner would show it.
class FirstFailure final : public catalogue::BooksListEvents {
  public:
    void Error(std::int16_t, const std::string& ErrMsg, const std::string&) override {
        if (message.empty())
            message = ErrMsg;
    }
    std::string message;
};

} // namespace

bool AddBookListEntry(const NewBookListEntry& entry, const std::string& iniFile,
                      support::AccountingObject* acc, std::uint64_t windowHandle, std::string* failure) {
    FirstFailure failures;
    bool saved = false;
    if (const std::string field = FieldBreakingTheRecord(entry); !field.empty()) {
        failures.message = RecordBreakingMessage(field, "无法写入账簿列表。");
    } else {
        catalogue::clsBooksList list;
        list.SetEvents(&failures);
        // A list that could not be read must not be saved: it would replace every
        // book of the file by the one new line.
        if (const auto lock = list.LockListFile(iniFile); lock && list.LoadBooks(iniFile))
            saved = list.AddBook(BookListEntryLine(entry)) && list.SaveBooks("");
        list.SetEvents(nullptr);
    }
    if (!saved && failure != nullptr)
        *failure = failures.message.empty() ? std::string("账簿列表没有保存") : failures.message;
    if (acc == nullptr)
        throw support::SupportError(support::supporterr::ObjectNotSet,
                                    "未设置账务支持对象（Acc），无法通知主程序。");
    acc->SendNotice(HostNotice(windowHandle, "BookList"));
    return saved;
}

} // namespace kx::newbook
