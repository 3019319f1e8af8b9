#include "BooksCommand.h"

#include "ApplicationFolder.h"
#include "TextTable.h"
#include "catalogue/BookLocation.h"
#include "catalogue/clsBooksList.h"
#include "platform/ListLock.h"
#include "platform/PlatformError.h"

#include <optional>
#include <ostream>

namespace kx::app {
namespace {

/// Listens to the list as the command's owner: removals are allowed, prompts are
/// printed, and errors are kept for the exit status.
class CommandOwner final : public catalogue::BooksListEvents {
public:
    CommandOwner(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    void Error(std::int16_t ErrNo, const std::string& ErrMsg, const std::string& ErrTitle) override {
        err_ << ErrTitle << "：" << ErrMsg << "（错误 " << ErrNo << "）\n";
        ++errors;
    }
    void BeforeRemove(std::int16_t, bool& Cancel) override { Cancel = false; }
    void Notify(const std::string& Msg, bool) override { out_ << Msg << "\n"; }

    int errors = 0;

private:
    std::ostream& out_;
    std::ostream& err_;
};

} // namespace

int RunBooksCommand(const BooksOptions& options, std::ostream& out, std::ostream& err) {
    std::string appFolder;
    try {
        appFolder = PrepareApplicationFolder(options.appFolder);
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return 1;
    }

    catalogue::clsBooksList list;
    CommandOwner owner(out, err);
    list.SetEvents(&owner);
    list.SetAppPath(appFolder);
    // A clean loads and changes the list as one change: other programs that change
    // the list wait for it, and what they saved before is in what it loads.
    std::optional<platform::ListLock> lock =
        options.clean ? list.LockListFile(options.listFile) : std::nullopt;
    if (options.clean && !lock)
        return 1;
    if (!list.LoadBooks(options.listFile))
        return 1;
    if (options.clean) {
        list.Clean();
        lock.reset();
        if (owner.errors > 0)
            return 1;
    }

    TextTable table({"序号", "账簿名称", "类型", "路径", "数据库", "单位名称", "会计期间", "显示"});
    // Counted in int: a 16-bit index would wrap after the 32,768th book and never end.
    for (int n = 0; n <= list.BookCount(); ++n) {
        const auto i = static_cast<std::int16_t>(n);
        const bool server = list.isSqlBook(i);
        // The list keeps a server book's password in plain text; the terminal does not show it.
        const auto location = catalogue::BookLocation::FromListFields(list.GetProperty(i, 1), list.BookFile(i));
        table.AddRow({std::to_string(i), list.BookName(i), server ? "服务器" : "文件", location.MaskedPath(),
                      location.BookFileField(), list.UserName(i), list.Period(i),
                      list.BookVisible(i) == "1" ? "隐藏" : "显示"});
    }
    out << table.Render();
    return owner.errors > 0 ? 1 : 0;
}

} // namespace kx::app
