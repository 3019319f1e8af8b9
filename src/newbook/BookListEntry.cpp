#include "newbook/BookListEntry.h"

#include "catalogue/SqlServerLocation.h"
#include "catalogue/clsBooksList.h"
#include "platform/DiskPath.h"
#include "support/AccountingObject.h"
#include "support/SupportError.h"
#include "newbook/HostNotice.h"

namespace kx::newbook {

namespace {

std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string BookListEntryLine(const NewBookListEntry& entry) {
    const std::string bookPath =
        entry.isSql ? catalogue::ComposeSqlServerLocation(entry.userId, entry.password, entry.server)
                    : platform::ParentFolderOf(entry.bookFile);
    const std::string bookFile = entry.isSql ? entry.bookFile : FileNameOf(entry.bookFile);
    return entry.bookName + '\t' + bookPath + '\t' + bookFile + '\t' + entry.userName + "\t(未知)\t0\t\t";
}

bool AddBookListEntry(const NewBookListEntry& entry, const std::string& iniFile,
                      support::AccountingObject* acc, std::uint64_t windowHandle) {
    catalogue::clsBooksList list;
    // A list that could not be read must not be saved: it would replace every
    // book of the file by the one new line.
    bool saved = false;
    if (list.LoadBooks(iniFile)) {
        list.AddBook(BookListEntryLine(entry));
        saved = list.SaveBooks("");
    }
    if (acc == nullptr)
        throw support::SupportError(support::supporterr::ObjectNotSet,
                                    "未设置账务支持对象（Acc），无法通知主程序。");
    acc->SendNotice(HostNotice(windowHandle, "BookList"));
    return saved;
}

} // namespace kx::newbook
