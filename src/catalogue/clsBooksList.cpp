#include "clsBooksList.h"

#include "BookLine.h"
#include "BookLocation.h"

#include "platform/AnsiTextFile.h"
#include "platform/DiskPath.h"
#include "platform/PendingEvents.h"
#include "platform/PlatformError.h"
#include "platform/Utf8Text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace kx::catalogue {
namespace {

namespace errnum = platform::errnum;

/// A failure inside one member of the list, reported by that member as its Error.
class ListFailure : public std::runtime_error {
  public:
    ListFailure(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int number() const noexcept { return number_; }

  private:
    int number_;
};

/// A list is a regular file or not there yet: a FIFO would block the reader, and a
/// device or folder must never be replaced by a new list.
void RequireRegularFileOrNothing(const std::filesystem::path& file) {
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        throw ListFailure(errnum::PathFileAccessError, "账簿列表不是普通文件：" + file.string());
}

BooksListEvents& NoEvents() {
    static BooksListEvents none;
    return none;
}

const std::string kTitleSetProperty = "设置账簿属性";
const std::string kTitleGetProperty = "读取账簿属性";
const std::string kTitleServer = "服务器";
const std::string kTitleUserId = "用户名";
const std::string kTitlePassword = "密码";
const std::string kTitleLine = "读取账簿信息行";
const std::string kTitleLoad = "装入账簿列表";
const std::string kTitleSave = "存储账簿列表";
const std::string kTitleAdd = "增加账簿";
const std::string kTitleRemove = "删除账簿";

const std::string kCommandLoad = "Load";
const std::string kCommandSave = "Save";
const std::string kCommandAdd = "Add";

const std::string kLastBookPrompt = "这是最后一套账簿，不能被删除。";
const std::string kSampleRecord = "样本账簿\t..\\Data\tkxSample.mde\t××××有限公司\t(未知)\t0\t\t";

enum FieldIndex : std::int16_t {
    kBookName = 0,
    kBookPath = 1,
    kBookFile = 2,
    kUserName = 3,
    kPeriod = 4,
    kBookVisible = 5,
    kBookNo = 6,
    kBookGuid = 7,
};

const std::array<std::string, kBookFieldCount> kFieldKeys = {
    "bookname", "bookpath", "bookfile", "username", "period", "bookvisible", "bookno", "bookguid"};
const std::array<std::string, kBookFieldCount> kFieldNames = {"BookName", "BookPath", "BookFile", "UserName",
                                                              "Period",   "Visible",  "BookNo",   "BookGuid"};

/// The stored form of a visibility value: "0" shown, "1" hidden.
std::string NormalisedVisibility(const std::string& v) {
    return (v.empty() || v == "True" || v == "0") ? "0" : "1";
}

/// Whether `text` has more than `count` characters (code points); looks no further
/// than it needs to, since records are long and the limits small.
bool HasMoreCharactersThan(std::string_view text, std::size_t count) noexcept {
    std::size_t seen = 0;
    for (const char ch : text) {
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80 && ++seen > count)
            return true;
    }
    return false;
}

std::string NoSuchBook(int index) {
    return "没有序号为 " + std::to_string(index) + " 的账簿";
}

ListFailure TooManyBooks() {
    return ListFailure(errnum::Overflow,
                       "账簿数量已达上限 " + std::to_string(clsBooksList::kMaxEntries) + " 套");
}

/// A line as AddBook stores it: one tab more when it has fewer than eight fields.
std::string Completed(std::string line) {
    if (!PieceOf(line, kBookFieldCount - 1))
        line += '\t';
    return line;
}

/// Calls `take` with each record of a book list file's text that a load keeps: the
/// pieces between carriage returns longer than five characters once spaces are
/// trimmed, untrimmed.
template <typename Take> void ForEachRecord(std::string_view all, Take&& take) {
    std::size_t start = 0;
    for (;;) {
        const auto end = all.find('\r', start);
        const std::string_view record =
            all.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (HasMoreCharactersThan(platform::TrimSpaces(record), 5))
            take(record);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
}

/// The records of a list file's text as a load stores them.
std::vector<std::string> RecordsOf(std::string_view text) {
    std::vector<std::string> records;
    ForEachRecord(text, [&](std::string_view record) { records.push_back(Completed(std::string(record))); });
    return records;
}

/// The number of lines whose visibility reads "1".
int HiddenIn(const std::vector<std::string>& lines) {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
        const auto visible = PieceOf(line, kBookVisible);
        return visible && NormalisedVisibility(std::string(*visible)) == "1";
    }));
}

/// Refuses to replace a list file marked read-only: one without any write permission
/// (whoever saves, root too) or one that this user may not write.
void RequireWritable(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return; // a new file; anything else the write itself reports
    const std::string refusal = "账簿列表文件是只读的，不能改写：" + file.string();
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        throw platform::PlatformError(errnum::PermissionDenied, refusal);
    if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0) {
        const int err = errno;
        throw platform::PlatformError(platform::ErrorNumberFromErrno(err),
                                      refusal + "\n" + std::strerror(err));
    }
}

[[noreturn]] void ThrowMalformedLocation(const char* part) {
    // The location holds a password in plain text, so it never goes into the message.
    throw ListFailure(errnum::InvalidProcedureCall,
                      std::string("SQL Server 位置的格式不对（应为 用户名:密码@服务器），无法取出") + part);
}

using LoginPartReader = std::optional<std::string_view> (BookLocation::*)() const noexcept;

/// One part of a server book's stored login (field 1 as stored: an empty one does
/// not read as the data folder here); a ListFailure naming the part when the login
/// cannot be cut for it.
std::string LoginPartOf(std::string storedPath, LoginPartReader read, const char* name) {
    const BookLocation location = BookLocation::FromListFields(std::move(storedPath), {});
    const auto part = (location.*read)();
    if (!part)
        ThrowMalformedLocation(name);
    return std::string(*part);
}

} // namespace

clsBooksList::clsBooksList() : events_(&NoEvents()) {}

void clsBooksList::SetEvents(BooksListEvents* events) noexcept {
    events_ = events != nullptr ? events : &NoEvents();
}

void clsBooksList::SetBookID(std::int16_t value) noexcept {
    if (value < 0)
        return;
    bookId_ = value > BookCount() ? BookCount() : value;
}

// ---- failures ----------------------------------------------------------------

void clsBooksList::RaiseError(int number, const std::string& description, const std::string& title) const {
    const int clamped = std::clamp(number, int{std::numeric_limits<std::int16_t>::min()},
                                   int{std::numeric_limits<std::int16_t>::max()});
    events_->Error(static_cast<std::int16_t>(clamped), description, title);
}

void clsBooksList::ReportCurrentFailure(const std::string& title) const {
    try {
        throw;
    } catch (const ListFailure& e) {
        RaiseError(e.number(), e.what(), title);
    } catch (const platform::PlatformError& e) {
        RaiseError(e.number(), e.what(), title);
    } catch (const std::bad_alloc&) {
        RaiseError(errnum::OutOfMemory, "内存不足", title);
    } catch (const std::exception& e) {
        RaiseError(errnum::InternalError, e.what(), title);
    } catch (...) {
        RaiseError(errnum::InternalError, "未知错误", title);
    }
}

void clsBooksList::AdjustHiddenCount(int delta) noexcept {
    hiddenCount_ = static_cast<std::int16_t>(std::clamp(int{hiddenCount_} + delta,
                                                        int{std::numeric_limits<std::int16_t>::min()},
                                                        int{std::numeric_limits<std::int16_t>::max()}));
}

std::size_t clsBooksList::ResolvedEntry(std::int16_t Index) const {
    const int resolved = (Index < 0 || Index > BookCount()) ? bookId_ : Index;
    if (lines_.empty())
        throw ListFailure(errnum::SubscriptOutOfRange, "账簿列表中没有账簿");
    if (resolved < 0 || resolved > BookCount())
        throw ListFailure(errnum::SubscriptOutOfRange,
                          "当前账簿（序号 " + std::to_string(resolved) + "）不存在");
    return static_cast<std::size_t>(resolved);
}

// ---- generic field access ------------------------------------------------------

std::string clsBooksList::GetProperty(std::int16_t Index, std::int16_t PropIndex) const {
    try {
        const std::size_t entry = ResolvedEntry(Index);
        const auto piece = PieceOf(lines_[entry], PropIndex);
        if (!piece)
            throw ListFailure(errnum::SubscriptOutOfRange, "账簿（序号 " + std::to_string(entry) +
                                                               "）没有序号为 " + std::to_string(PropIndex) +
                                                               " 的字段");
        return std::string(*piece);
    } catch (...) {
        ReportCurrentFailure(kTitleGetProperty);
        return {};
    }
}

void clsBooksList::SetProperty(std::int16_t Index, std::int16_t PropIndex, const std::string& v) {
    std::size_t entry = 0;
    try {
        // A tab would shift the fields after it, a carriage return split the record in the file.
        if (v.find_first_of("\t\r") != std::string::npos)
            throw ListFailure(errnum::InvalidProcedureCall, "账簿属性中不能有制表符或回车符");
        entry = ResolvedEntry(Index);
        std::vector<std::string> pieces = platform::SplitText(lines_[entry], '\t');
        if (PropIndex < 0 || static_cast<std::size_t>(PropIndex) >= pieces.size())
            throw ListFailure(errnum::SubscriptOutOfRange, "账簿（序号 " + std::to_string(entry) +
                                                               "）没有序号为 " + std::to_string(PropIndex) +
                                                               " 的字段");
        pieces[static_cast<std::size_t>(PropIndex)] = v;
        lines_.Replace(entry, JoinFields(pieces));
        isDirty_ = true;
    } catch (...) {
        ReportCurrentFailure(kTitleSetProperty);
        return;
    }
    const bool known = PropIndex >= 0 && PropIndex < kBookFieldCount;
    events_->DataChanged(static_cast<std::int16_t>(entry),
                         known ? kFieldKeys[static_cast<std::size_t>(PropIndex)] : std::string());
}

// ---- field properties ----------------------------------------------------------

void clsBooksList::SetBookName(std::int16_t Index, const std::string& v) {
    SetProperty(Index, kBookName, v);
}

std::string clsBooksList::BookName(std::int16_t Index) const {
    std::string name = GetProperty(Index, kBookName);
    if (name == "\n")
        name.clear();
    return name;
}

void clsBooksList::SetBookPath(std::int16_t Index, const std::string& v) {
    SetProperty(Index, kBookPath, BookLocation::StoredFolder(v, appPath_));
}

std::string clsBooksList::BookPath(std::int16_t Index) const {
    std::string path = GetProperty(Index, kBookPath);
    if (path.empty())
        path = appPath_ + "/data";
    return path;
}

void clsBooksList::SetBookFile(std::int16_t Index, const std::string& v) {
    SetProperty(Index, kBookFile, v);
}
std::string clsBooksList::BookFile(std::int16_t Index) const {
    return GetProperty(Index, kBookFile);
}

void clsBooksList::SetUserName(std::int16_t Index, const std::string& v) {
    SetProperty(Index, kUserName, v);
}
std::string clsBooksList::UserName(std::int16_t Index) const {
    return GetProperty(Index, kUserName);
}

void clsBooksList::SetBookVisible(std::int16_t Index, const std::string& v) {
    SetProperty(Index, kBookVisible, NormalisedVisibility(v));
}

std::string clsBooksList::BookVisible(std::int16_t Index) const {
    return NormalisedVisibility(GetProperty(Index, kBookVisible));
}

void clsBooksList::SetPeriod(std::int16_t Index, const std::string& v) {
    SetProperty(Index, kPeriod, v);
}
std::string clsBooksList::Period(std::int16_t Index) const {
    return GetProperty(Index, kPeriod);
}

void clsBooksList::SetBookNo(std::int16_t Index, const std::string& v) {
    SetProperty(Index, kBookNo, v);
}
std::string clsBooksList::BookNo(std::int16_t Index) const {
    return GetProperty(Index, kBookNo);
}

void clsBooksList::SetBookGuid(std::int16_t Index, const std::string& v) {
    SetProperty(Index, kBookGuid, v);
}
std::string clsBooksList::BookGuid(std::int16_t Index) const {
    return GetProperty(Index, kBookGuid);
}

// ---- derived values -------------------------------------------------------------

bool clsBooksList::isSqlBook(std::int16_t Index) const {
    return BookLocation::IsServerText(BookPath(Index));
}

std::string clsBooksList::BookPathFile(std::int16_t Index) const {
    std::string path = BookPath(Index);
    return BookLocation::FromListFields(std::move(path), BookFile(Index)).PathText(appPath_);
}

std::string clsBooksList::UserID(std::int16_t Index) const {
    if (!isSqlBook(Index))
        return {};
    try {
        return LoginPartOf(GetProperty(Index, kBookPath), &BookLocation::UserId, "用户名");
    } catch (...) {
        ReportCurrentFailure(kTitleUserId);
        return {};
    }
}

std::string clsBooksList::Password(std::int16_t Index) const {
    if (!isSqlBook(Index))
        return {};
    try {
        return LoginPartOf(GetProperty(Index, kBookPath), &BookLocation::Password, "密码");
    } catch (...) {
        ReportCurrentFailure(kTitlePassword);
        return {};
    }
}

std::string clsBooksList::Server(std::int16_t Index) const {
    if (!isSqlBook(Index))
        return {};
    try {
        return LoginPartOf(GetProperty(Index, kBookPath), &BookLocation::Server, "服务器");
    } catch (...) {
        ReportCurrentFailure(kTitleServer);
        return {};
    }
}

void clsBooksList::SetServer(std::int16_t Index, const std::string& v) {
    const std::string userId = UserID(Index);
    const std::string password = Password(Index);
    SetProperty(Index, kBookPath, BookLocation::FromServerParts(v, userId, password, {}).BookPathField());
}

void clsBooksList::SetUserID(std::int16_t Index, const std::string& v) {
    const std::string password = Password(Index);
    const std::string server = Server(Index);
    SetProperty(Index, kBookPath, BookLocation::FromServerParts(server, v, password, {}).BookPathField());
}

void clsBooksList::SetPassword(std::int16_t Index, const std::string& v) {
    const std::string userId = UserID(Index);
    const std::string server = Server(Index);
    SetProperty(Index, kBookPath, BookLocation::FromServerParts(server, userId, v, {}).BookPathField());
}

std::optional<std::string> clsBooksList::Field(std::int16_t Index) const {
    if (Index < 0 || Index >= kBookFieldCount)
        return std::nullopt;
    return kFieldNames[static_cast<std::size_t>(Index)];
}

void clsBooksList::SetFileName(const std::string& value) noexcept {
    try {
        fileName_ = platform::ParentFolderOf(value).empty() ? platform::JoinPath(appPath_, value) : value;
    } catch (...) {
        // The old name stays.
    }
}

std::optional<std::string> clsBooksList::Line(std::int16_t Index) const {
    if (Index < 0 || Index > BookCount()) {
        RaiseError(errnum::SubscriptOutOfRange, NoSuchBook(Index), kTitleLine);
        return std::nullopt;
    }
    return lines_[static_cast<std::size_t>(Index)];
}

// ---- adding, loading and saving -------------------------------------------------

bool clsBooksList::AddBook(std::string rLine) {
    if (!HasMoreCharactersThan(rLine, 4))
        return false;
    bool cancel = false;
    events_->BeforeCommand(kCommandAdd, cancel);
    if (cancel)
        return false;
    try {
        if (rLine.find('\r') != std::string::npos)
            throw ListFailure(errnum::InvalidProcedureCall, "账簿记录中不能有回车符");
        if (lines_.size() >= static_cast<std::size_t>(kMaxEntries))
            throw TooManyBooks();
        lines_.Append(Completed(std::move(rLine)));
    } catch (...) {
        ReportCurrentFailure(kTitleAdd);
        return false;
    }
    if (BookVisible(BookCount()) == "1")
        AdjustHiddenCount(+1);
    events_->AfterCommand(kCommandAdd);
    return true;
}

bool clsBooksList::LoadBooks(const std::string& rFileName) {
    bool cancel = false;
    events_->BeforeCommand(kCommandLoad, cancel);
    if (cancel)
        return false;
    try {
        if (!rFileName.empty())
            SetFileName(rFileName);
        if (fileName_.empty())
            throw ListFailure(errnum::PathFileAccessError, "没有指定账簿列表文件");
        RequireRegularFileOrNothing(DiskFile());
        if (!platform::FileExists(fileName_, appPath_)) {
            // Two programs starting on a folder without a list must not both write one:
            // the second finds the first one's list once it has the lock.
            const platform::ListLock lock(DiskFile());
            if (!platform::FileExists(fileName_, appPath_))
                CreateInitialList(fileName_);
        }

        // Read and decode everything before dropping an entry, so that an unreadable
        // file leaves the list as it was.
        const std::filesystem::path file = DiskFile();
        const auto version = platform::VersionOf(file);
        const std::string text = platform::ReadAnsiTextFile(file);
        lines_.Clear();
        hiddenCount_ = 0;
        std::size_t beyond = 0;
        ForEachRecord(text, [this, &beyond](std::string_view record) {
            if (lines_.size() < static_cast<std::size_t>(kMaxEntries))
                AddBook(std::string(record));
            else
                ++beyond;
        });
        lines_.SetBaseline();
        SetBaselineFile(file, version);
        // The books past the bound stay in the file only if it is never rewritten
        // from this list: saves are refused until a list is loaded whole.
        partial_ = beyond > 0;
        if (partial_)
            RaiseError(errnum::Overflow,
                       "账簿列表有 " + std::to_string(lines_.size() + beyond) + " 套账簿，超过上限 " +
                           std::to_string(kMaxEntries) + " 套：只装入了前 " + std::to_string(kMaxEntries) +
                           " 套，这个列表不能改写。",
                       kTitleLoad);
    } catch (...) {
        ReportCurrentFailure(kTitleLoad);
        return false;
    }
    events_->AfterCommand(kCommandLoad);
    return true;
}

bool clsBooksList::SaveBooks(const std::string& rFileName) {
    if (!rFileName.empty())
        SetFileName(rFileName);
    bool cancel = false;
    events_->BeforeCommand(kCommandSave, cancel);
    if (cancel)
        return false;
    try {
        if (lines_.empty())
            throw ListFailure(errnum::SubscriptOutOfRange, "账簿列表中没有账簿，不能存储");
        if (fileName_.empty())
            throw ListFailure(errnum::PathFileAccessError, "没有指定账簿列表文件");
        const std::filesystem::path file = DiskFile();
        RequireRegularFileOrNothing(file);
        const platform::ListLock lock(file);
        if (partial_)
            throw ListFailure(errnum::Overflow, "账簿列表没有完整装入（超过 " + std::to_string(kMaxEntries) +
                                                    " 套），不能改写：否则其余的账簿会丢失。");
        RequireWritable(file);
        // What other programs saved since this list's load or last save stays: this
        // list's own changes go onto the file as it is now.
        std::optional<TrackedLines> merged;
        if (FileChangedSinceBaseline(file)) {
            merged = MergedWith(platform::ReadAnsiTextFile(file));
            if (merged->empty())
                throw ListFailure(errnum::SubscriptOutOfRange, "账簿列表中没有账簿，不能存储");
        }
        const std::vector<std::string>& lines = merged ? merged->lines() : lines_.lines();
        std::size_t size = 2;
        for (const std::string& line : lines)
            size += line.size() + 1;
        std::string text;
        text.reserve(size);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i != 0)
                text += '\r';
            text += platform::TrimSpaces(lines[i]);
        }
        text += "\r\n";
        platform::WriteAnsiTextFile(file, text);
        // The list now holds what the file holds, others' entries included.
        if (merged)
            TakeMerged(std::move(*merged));
        lines_.SetBaseline();
        SetBaselineFile(file, platform::VersionOf(file));
    } catch (...) {
        ReportCurrentFailure(kTitleSave);
        return false;
    }
    events_->AfterCommand(kCommandSave);
    return true;
}

bool clsBooksList::CreateInitialList(const std::string& rFileName) {
    try {
        if (lines_.empty())
            AddBook(kSampleRecord);
        const bool saved = SaveBooks(rFileName);
        platform::LetPendingEventsRun();
        return saved;
    } catch (...) {
        return false;
    }
}

// ---- removing and cleaning -------------------------------------------------------

bool clsBooksList::RemoveBook(std::int16_t rBookID, bool rForce) {
    try {
        if (lines_.size() <= 1) {
            Prompt(kLastBookPrompt, true);
            return false;
        }
        if (rBookID < 0 || rBookID > BookCount())
            throw ListFailure(errnum::SubscriptOutOfRange, NoSuchBook(rBookID));
        if (!rForce) {
            bool cancel = false;
            events_->BeforeRemove(rBookID, cancel);
            if (cancel)
                return false;
            // The owner's handler may have changed the list meanwhile.
            if (lines_.size() <= 1) {
                Prompt(kLastBookPrompt, true);
                return false;
            }
            if (rBookID > BookCount())
                throw ListFailure(errnum::SubscriptOutOfRange, NoSuchBook(rBookID));
        }
        if (BookVisible(rBookID) == "1")
            AdjustHiddenCount(-1);
        lines_.Erase(static_cast<std::size_t>(rBookID));
    } catch (...) {
        ReportCurrentFailure(kTitleRemove);
        return false;
    }
    // Within a clean, the one save at its end writes every removal: a save per
    // removal rewrites the whole file each time, which a big list cannot afford.
    const bool saved = cleaning_ || SaveBooks();
    isDirty_ = true;
    events_->AfterRemove(rBookID);
    return saved;
}

std::optional<platform::ListLock> clsBooksList::LockListFile(const std::string& rFileName) {
    if (!rFileName.empty())
        SetFileName(rFileName);
    try {
        if (fileName_.empty())
            throw ListFailure(errnum::PathFileAccessError, "没有指定账簿列表文件");
        std::optional<platform::ListLock> lock;
        lock.emplace(DiskFile());
        return lock;
    } catch (...) {
        ReportCurrentFailure(kTitleSave);
        return std::nullopt;
    }
}

void clsBooksList::Prompt(const std::string& Msg, bool ShowBox) {
    events_->Notify(Msg, ShowBox);
}

bool clsBooksList::IsDuplicate(std::int16_t i) {
    try {
        if (i < 0 || i > BookCount())
            throw ListFailure(errnum::SubscriptOutOfRange, NoSuchBook(i));
        const std::string& line = lines_[static_cast<std::size_t>(i)];
        for (std::size_t j = static_cast<std::size_t>(i) + 1; j < lines_.size(); ++j) {
            if (lines_[j] == line)
                return true;
        }
        return false;
    } catch (const std::exception& e) {
        Prompt(e.what(), true);
        return false;
    } catch (...) {
        Prompt("未知错误", true);
        return false;
    }
}

bool clsBooksList::IsNetworkPath(std::int16_t i) const {
    try {
        return BookLocation::FromListFields(BookPath(i), {}).IsOnShare();
    } catch (...) {
        return false;
    }
}

std::string clsBooksList::RemoveUselessEntries() {
    int duplicates = 0;
    int invalid = 0;
    int i = 0;
    while (i <= BookCount()) {
        const auto id = static_cast<std::int16_t>(i);
        const std::size_t before = lines_.size();
        if (BookName(id).empty() && BookFile(id).empty()) {
            RemoveBook(id, true);
        } else if (IsDuplicate(id)) {
            RemoveBook(id, true);
            if (lines_.size() < before)
                ++duplicates;
        } else if (isSqlBook(id) || IsNetworkPath(id)) {
            // Kept unchecked: a server or share may just be out of reach.
        } else if (!platform::FileExists(BookPathFile(id), appPath_)) {
            RemoveBook(id, false);
            if (lines_.size() < before)
                ++invalid;
        }
        // A removal moves the next entry into place i, even when its save failed.
        if (lines_.size() >= before)
            ++i;
    }

    std::string report;
    if (duplicates > 0)
        report += "清理重复项" + std::to_string(duplicates) + "条；\r\n";
    if (invalid > 0)
        report += "清理无效列表项 " + std::to_string(invalid) + " 条。";
    if (report.empty())
        report = "清理完成，未找到重复列表项或无效列表项。";
    return report;
}

bool clsBooksList::Clean() {
    bool saved = false;
    try {
        // Held across the whole clean, its removals' saves included: an entry another
        // program adds meanwhile waits for the clean instead of being judged on a list
        // that does not hold it, and nobody's change falls between two removals.
        std::optional<platform::ListLock> lock = fileName_.empty() ? std::nullopt : LockListFile();
        if (fileName_.empty() || (lock && CatchUp())) {
            cleaning_ = true;
            std::string report;
            try {
                report = RemoveUselessEntries();
            } catch (...) {
                // The removals made before the failure are kept, as their own saves would.
                cleaning_ = false;
                SaveBooks();
                throw;
            }
            cleaning_ = false;
            saved = SaveBooks();
            lock.reset(); // nobody waits while the user reads the report
            Prompt(report, true);
        }
    } catch (...) {
        saved = false;
    }
    platform::LetPendingEventsRun();
    return saved;
}

// ---- sharing the file with other programs ----------------------------------------

std::filesystem::path clsBooksList::DiskFile() const {
    return platform::ToDiskPath(fileName_, appPath_);
}

void clsBooksList::SetBaselineFile(const std::filesystem::path& file,
                                   const std::optional<platform::FileVersion>& seen) {
    baselineFile_ = file;
    baselineVersion_.reset();
    baselineOpen_.reset();
    if (!seen)
        return;
    // A load takes no lock, so another program may have replaced the file since its
    // version was taken: only when the open file still has that version is the text
    // read this file's. It stays open while its version is compared.
    auto open = std::make_unique<platform::FileDescriptor>(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (open->get() >= 0 && platform::VersionOf(open->get()) == seen) {
        baselineVersion_ = seen;
        baselineOpen_ = std::move(open);
    }
}

bool clsBooksList::FileChangedSinceBaseline(const std::filesystem::path& file) const {
    if (file != baselineFile_)
        return false; // not this list's file: written as the list is
    const auto now = platform::VersionOf(file);
    return now && now != baselineVersion_; // without a version known, always
}

TrackedLines clsBooksList::MergedWith(std::string_view fileText) const {
    TrackedLines merged = lines_.MergedOnto(RecordsOf(fileText));
    if (merged.size() > static_cast<std::size_t>(kMaxEntries))
        throw TooManyBooks();
    return merged;
}

void clsBooksList::TakeMerged(TrackedLines merged) {
    AdjustHiddenCount(HiddenIn(merged.lines()) - HiddenIn(lines_.lines()));
    lines_ = std::move(merged);
}

bool clsBooksList::CatchUp() {
    try {
        const std::filesystem::path file = DiskFile();
        if (!FileChangedSinceBaseline(file))
            return true;
        const auto version = platform::VersionOf(file);
        TakeMerged(MergedWith(platform::ReadAnsiTextFile(file)));
        SetBaselineFile(file, version);
        return true;
    } catch (...) {
        ReportCurrentFailure(kTitleLoad);
        return false;
    }
}

} // namespace kx::catalogue
