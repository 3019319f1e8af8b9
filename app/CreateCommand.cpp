#include "CreateCommand.h"

#include "ApplicationFolder.h"
#include "ServerOption.h"
#include "TemplateRows.h"
#include "TerminalMessageBox.h"
#include "TerminalProgress.h"
#include "catalogue/BookLocation.h"
#include "catalogue/clsBooksList.h"
#include "newbook/CreationObserver.h"
#include "newbook/NewBookCreation.h"
#include "newbook/OperatorCheck.h"
#include "newbook/PathText.h"
#include "newbook/SqlLocation.h"
#include "newbook/TemplateUnpacker.h"
#include "platform/DiskPath.h"
#include "support/AccountingObject.h"

#include <QDate>

#include <algorithm>
#include <optional>
#include <ostream>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace kx::app {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

/// The list position of the book whose database is `choice` (a book file path or a
/// SQL location string); -1 when the list holds none.
int ListPositionOf(const std::string& listFile, const std::string& appFolder, const std::string& choice) {
    catalogue::clsBooksList list;
    list.SetAppPath(appFolder);
    if (!list.LoadBooks(listFile))
        return -1;
    const bool sql = catalogue::BookLocation::IsServerText(choice);
    const auto wanted = sql ? std::filesystem::path() : platform::ToDiskPath(choice, appFolder);
    // Counted in int: a 16-bit index would wrap after the 32,768th book and never end.
    for (int n = 0; n <= list.BookCount(); ++n) {
        const auto i = static_cast<std::int16_t>(n);
        if (sql ? list.isSqlBook(i) &&
                      catalogue::BookLocation::FromListFields(list.GetProperty(i, 1), list.BookFile(i))
                              .SqlLocation() == choice
                : !list.isSqlBook(i) && platform::ToDiskPath(list.BookPathFile(i), appFolder) == wanted)
            return i;
    }
    return -1;
}

/// The creation's reports as a terminal shows them: the progress bar and every
/// message on `err`, the result page kept for printing.
class CommandReport final : public newbook::CreationObserver {
  public:
    explicit CommandReport(TerminalProgress& progress) : progress_(progress) {}

    void Process(short indicator) override {
        if (indicator < 0)
            progress_.EndLine();
        else
            progress_.Draw(indicator);
    }
    void Prompt(const std::string& message, bool) override { progress_.Message(message); }
    void BookFileChosen(const std::string& bookFile) override { bookFile_ = bookFile; }
    void StepFailed(const newbook::CreationSummary& summary) override { page_ = summary; }
    void Finished(const newbook::CreationSummary& summary) override { page_ = summary; }

    bool Completed() const noexcept { return page_ && page_->completed; }
    /// What the result page said at the end, without the window's closing line
    /// (it points at the wizard's button), then the new database of a completed
    /// book. Nothing when the creation stopped before a result: its message is on
    /// `err` already, and the page's captions would have stayed empty.
    void Print(std::ostream& out) const {
        if (!page_)
            return;
        out << page_->title << "\n";
        for (const std::string& line : page_->lines)
            if (!line.empty())
                out << line << "\n";
        if (page_->completed)
            out << "数据库：" << bookFile_ << "\n";
    }

  private:
    TerminalProgress& progress_;
    std::optional<newbook::CreationSummary> page_;
    std::string bookFile_;
};

} // namespace

std::string ParseCreateOptions(const std::vector<std::string>& args, CreateOptions& options) {
    std::string month;
    std::string keep;
    std::string sql;
    bool passwordGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* target = a == "--app"        ? &options.appFolder
                              : a == "--template" ? &options.templateChoice
                              : a == "--operator" ? &options.operatorName
                              : a == "--password" ? &options.operatorPassword
                              : a == "--name"     ? &options.bookName
                              : a == "--company"  ? &options.company
                              : a == "--director" ? &options.director
                              : a == "--month"    ? &month
                              : a == "--keep"     ? &keep
                              : a == "--sql"      ? &sql
                                                  : nullptr;
        if (target == nullptr)
            return "unknown option " + a;
        if (++i == args.size())
            return a + " needs a value";
        *target = args[i];
        if (a == "--keep")
            options.keepGiven = true;
        if (a == "--sql")
            options.toServer = true;
        if (a == "--password")
            passwordGiven = true;
    }
    // An archive needs no operator: the wizard hides the operator's boxes for one.
    const bool archive = newbook::IsArchiveLocation(options.templateChoice);
    std::string missing;
    for (const auto& [name, value] : {std::pair{"--template", &options.templateChoice},
                                      {"--operator", archive ? nullptr : &options.operatorName},
                                      {"--name", &options.bookName},
                                      {"--company", &options.company},
                                      {"--month", &month}})
        if (value != nullptr && value->empty())
            missing += (missing.empty() ? "" : ", ") + std::string(name);
    if (!archive && !passwordGiven)
        missing += (missing.empty() ? "" : ", ") + std::string("--password (--password \"\" for none)");
    if (!missing.empty())
        return "create needs " + missing;
    std::smatch m;
    if (!std::regex_match(month, m, std::regex("([0-9]{4})-([0-9]{1,2})")))
        return "--month takes YYYY-MM, not " + month;
    options.year = std::stoi(m[1]);
    options.month = std::stoi(m[2]);
    if (options.month < 1 || options.month > 12)
        return "--month " + month + " names no month: the month is 01 to 12";
    if (options.year < 1900 || options.year > 3000)
        return "--month " + month + ": the year is 1900 to 3000";
    if (options.keepGiven && keep != "none") {
        std::stringstream boxes(keep);
        for (std::string box; std::getline(boxes, box, ',');) {
            if (!std::regex_match(box, std::regex("[0-8]")))
                return "--keep takes box numbers 0 to 8, or none";
            options.keep.push_back(std::stoi(box));
        }
    }
    if (options.toServer) {
        std::stringstream parts(sql);
        std::getline(parts, options.server, ',');
        std::getline(parts, options.user, ',');
        std::getline(parts, options.password);
        if (options.server.empty() || options.user.empty())
            return "--sql takes SERVER,USER,PASSWORD";
        try {
            options.server = ServerOption(options.server);
        } catch (const std::invalid_argument& e) {
            return std::string("--sql: ") + e.what();
        }
        // The book list keeps "user:password@server|database" and reads it back by
        // the first ":" and the first "@": what would be cut elsewhere is refused.
        if (options.user.find_first_of(":@|") != std::string::npos ||
            options.password.find_first_of("@|") != std::string::npos ||
            options.server.find('|') != std::string::npos)
            return "--sql: the user may not hold \":\", \"@\" or \"|\", the password not \"@\" or \"|\", the "
                   "server not \"|\" (the book list could not read them back)";
    }
    return {};
}

int RunCreateCommand(const CreateOptions& options, std::ostream& out, std::ostream& err) {
    std::string appFolder;
    try {
        appFolder = PrepareApplicationFolder(options.appFolder.empty() ? DefaultApplicationFolder()
                                                                       : options.appFolder);
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return 1;
    }
    const QString app = Q(appFolder);

    // The book list and the template archives, as the wizard loads them.
    const QString listFile = newbook::ResolvedListFile(Q(PrepareBookList(appFolder)), app);
    if (!platform::FileExists(listFile.toStdString(), appFolder)) {
        err << "未找到账簿目录文件，无法读入记账列表。\n无法装入账簿列表。\n";
        return 1;
    }
    std::optional<TemplateRows> rows;
    try {
        rows.emplace(listFile, newbook::ResolvedTemplateFolder(QString(), app), app);
    } catch (const std::exception&) {
        err << "无法装入账簿列表。\n";
        return 1;
    }

    // The template, chosen as a user picks it from the drop-down; a book file or an
    // archive that the drop-down does not offer is taken by its path.
    const std::string& choice = options.templateChoice;
    int row = -1;
    std::string directFile;
    if (std::regex_match(choice, std::regex("[0-9]+"))) {
        row = std::stoi(choice) + rows->ArchiveCount();
    } else if (catalogue::BookLocation::IsServerText(choice)) {
        const int position = ListPositionOf(listFile.toStdString(), appFolder, choice);
        if (position < 0) {
            err << "账簿列表中没有这个模板账簿：" << choice << "\n";
            return 1;
        }
        row = position + rows->ArchiveCount();
    } else {
        row = newbook::IsArchiveLocation(choice) ? rows->RowOfFile(choice) : -1;
        if (const int position = row < 0 ? ListPositionOf(listFile.toStdString(), appFolder, choice) : -1;
            position >= 0)
            row = position + rows->ArchiveCount();
        if (row < 0) {
            if (!platform::FileExists(choice, appFolder)) {
                err << "找不到模板账簿文件：" << platform::ToDiskPath(choice, appFolder).string() << "\n";
                return 1;
            }
            directFile = platform::ToDiskPath(choice, appFolder).string();
        }
    }
    if (directFile.empty() && row >= rows->Count()) {
        err << "没有选中模板账簿。\n";
        return 1;
    }
    if (directFile.empty() && !rows->Exists(row))
        err << "未找到指定账簿的数据库文件。\n";

    newbook::NewBookRequest request;
    request.templateLocation = directFile.empty() ? rows->Location(row).toStdString() : directFile;
    request.operatorName = options.operatorName;
    request.operatorPassword = options.operatorPassword;
    if (!newbook::OperatorMayOpenTemplate(request.templateLocation, request.operatorName, request.operatorPassword,
                                          appFolder)) {
        err << "操作员“" << options.operatorName << "”不能打开模板账簿：名称或密码不对，或没有查看凭证的权限。\n";
        return 1;
    }
    request.bookName = options.bookName;
    request.company = options.company;
    request.director = options.director;
    request.beginDate = QDate(options.year, options.month, 1);
    // Without --keep every box keeps its starting state: set.
    for (std::size_t box = 0; box < request.retain.size(); ++box)
        request.retain[box] = !options.keepGiven || std::find(options.keep.begin(), options.keep.end(),
                                                               static_cast<int>(box)) != options.keep.end();
    request.isSql = options.toServer;
    if (options.toServer)
        request.target = {options.server, options.user, options.password};
    request.appPath = appFolder;
    request.listFile = platform::ToDiskPath(listFile.toStdString(), appFolder).string();
    support::AccountingObject acc;
    request.acc = &acc;

    TerminalProgress progress(err);
    const TerminalMessageBox box(progress);
    CommandReport report(progress);
    newbook::DirectTemplateUnpacker unpacker;
    newbook::NewBookCreation(std::move(request), report, unpacker).Run();
    report.Print(out);
    return report.Completed() ? 0 : 1;
}

} // namespace kx::app
