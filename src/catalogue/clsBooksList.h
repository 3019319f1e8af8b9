#pragma once

#include "catalogue/BooksListEvents.h"
#include "catalogue/TrackedLines.h"
#include "platform/FileDescriptor.h"
#include "platform/FileVersion.h"
#include "platform/ListLock.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx::catalogue {

/// The in-memory book list: one entry per account book, each entry one line of
/// eight tab-separated fields (name, path, database file or name, company, period,
/// visibility, number, GUID), kept exactly as added. Loads from and saves to the
/// book list file, a GB18030 text of records separated by carriage returns.
///
/// No member throws. A member that fails raises `Error(ErrNo, ErrMsg, ErrTitle)`
/// with its operation's Chinese title and returns its neutral result ("", nullopt
/// or false). Events go to the listener set with SetEvents.
///
/// Index rules: the field members resolve `Index` first; an index outside the
/// entries (the default -1 included) means the current book, `BookID`. `Field` and
/// `Line` take their index as given.
///
/// Texts are UTF-8; character counts are code points. Not thread-safe: one list is
/// used by one thread, and handlers may call back into it while a member runs.
///
/// Several programs may share one book list file. Whatever changes the file holds
/// its lock (platform::ListLock) and works on the file as it is inside the lock: a
/// save re-reads the file and applies this list's own changes since its load or
/// last save to what it finds (TrackedLines::MergedOnto), so the entries that other
/// programs added, changed or removed meanwhile stay as they made them. Loading an
/// existing file takes no lock. `Clean` holds the lock while the owner answers its
/// BeforeRemove questions; other programs wait for it, up to their timeout.
class clsBooksList {
  public:
    /// The most entries a list holds, so that `BookCount` fits its 16 bits.
    static constexpr int kMaxEntries = 32768;

    clsBooksList();
    clsBooksList(const clsBooksList&) = delete;
    clsBooksList& operator=(const clsBooksList&) = delete;

    /// Sets the listener that receives the events; nullptr for none. The list does
    /// not own it; it must outlive the list or be replaced first.
    void SetEvents(BooksListEvents* events) noexcept;

    /// The application folder (no trailing separator) that ".." stands for in
    /// stored paths. Set by the owner, never by the list.
    const std::string& AppPath() const noexcept { return appPath_; }
    void SetAppPath(const std::string& value) { appPath_ = value; }

    /// The current book, meant when an index is omitted or out of range. A negative
    /// value is ignored; one above `BookCount` stores `BookCount` (-1 on an empty list).
    void SetBookID(std::int16_t value) noexcept;
    std::int16_t BookID() const noexcept { return bookId_; }

    /// True once an entry was changed or removed; only the owner sets it back.
    void SetIsDirty(bool value) noexcept { isDirty_ = value; }
    bool IsDirty() const noexcept { return isDirty_; }

    /// Replaces piece `PropIndex` of the entry's line by `v`, sets `IsDirty` and
    /// raises `DataChanged` with the resolved index and the field's key. A missing
    /// entry or piece, or a value holding a tab or carriage return (it would break
    /// the line or the file apart), is an Error "设置账簿属性" that changes nothing.
    void SetProperty(std::int16_t Index, std::int16_t PropIndex, const std::string& v);
    /// Piece `PropIndex` of the entry's line; "" and Error "读取账簿属性" when the
    /// entry or the piece does not exist.
    std::string GetProperty(std::int16_t Index = -1, std::int16_t PropIndex = 0) const;

    /// Field 0. A stored name that is a lone line feed reads as "".
    void SetBookName(std::int16_t Index, const std::string& v);
    void SetBookName(const std::string& v) { SetBookName(-1, v); }
    std::string BookName(std::int16_t Index = -1) const;

    /// Field 1: the folder with ".." for `AppPath`, or a SQL Server location. An empty
    /// stored value reads as `AppPath` + "/data". The setter stores `v` with every
    /// occurrence of `AppPath` (exact case) replaced by "..".
    void SetBookPath(std::int16_t Index, const std::string& v);
    void SetBookPath(const std::string& v) { SetBookPath(-1, v); }
    std::string BookPath(std::int16_t Index = -1) const;

    /// Field 2: the database file name, or the SQL Server database name.
    void SetBookFile(std::int16_t Index, const std::string& v);
    void SetBookFile(const std::string& v) { SetBookFile(-1, v); }
    std::string BookFile(std::int16_t Index = -1) const;

    /// Field 3: the company that keeps the book.
    void SetUserName(std::int16_t Index, const std::string& v);
    void SetUserName(const std::string& v) { SetUserName(-1, v); }
    std::string UserName(std::int16_t Index = -1) const;

    /// Field 5: "0" shown, "1" hidden. Reads "0" for a stored "True", "0" or "",
    /// "1" for anything else; stores "0" for "", "True" or "0", "1" for anything else.
    void SetBookVisible(std::int16_t Index, const std::string& v);
    void SetBookVisible(const std::string& v) { SetBookVisible(-1, v); }
    std::string BookVisible(std::int16_t Index = -1) const;

    /// Field 4: the accounting period as text.
    void SetPeriod(std::int16_t Index, const std::string& v);
    void SetPeriod(const std::string& v) { SetPeriod(-1, v); }
    std::string Period(std::int16_t Index = -1) const;

    /// Field 6: the book number.
    void SetBookNo(std::int16_t Index, const std::string& v);
    void SetBookNo(const std::string& v) { SetBookNo(-1, v); }
    std::string BookNo(std::int16_t Index = -1) const;

    /// Field 7: the book GUID.
    void SetBookGuid(std::int16_t Index, const std::string& v);
    void SetBookGuid(const std::string& v) { SetBookGuid(-1, v); }
    std::string BookGuid(std::int16_t Index = -1) const;

    /// True when `BookPath` contains "@": the book lives in SQL Server.
    bool isSqlBook(std::int16_t Index = -1) const;

    /// Where the book's database is (BookLocation::PathText). SQL Server book:
    /// `BookPath` + "\" + `BookFile` (an identifier, not a path). Access book:
    /// `BookPath` with every ".." replaced by `AppPath`, "/" and `BookFile`; resolve
    /// it with platform::ToDiskPath, or take BookLocation::DiskPath.
    std::string BookPathFile(std::int16_t Index = -1) const;

    /// The parts of a SQL Server book's location "UserID:Password@Server", cut as
    /// BookLocation cuts them; "" for an Access book. A location that cannot be cut for the part is an Error titled
    /// "服务器", "用户名" or "密码" and gives "". A setter reads the other two parts
    /// and writes the whole location to field 1 (raising `DataChanged` "bookpath");
    /// on an Access book this makes it a SQL Server book.
    void SetServer(std::int16_t Index, const std::string& v);
    void SetServer(const std::string& v) { SetServer(-1, v); }
    std::string Server(std::int16_t Index = -1) const;
    void SetUserID(std::int16_t Index, const std::string& v);
    void SetUserID(const std::string& v) { SetUserID(-1, v); }
    std::string UserID(std::int16_t Index = -1) const;
    void SetPassword(std::int16_t Index, const std::string& v);
    void SetPassword(const std::string& v) { SetPassword(-1, v); }
    std::string Password(std::int16_t Index = -1) const;

    /// The field name of field `Index` ("BookName" ... "BookGuid", "Visible" at 5);
    /// nullopt outside 0 to 7.
    std::optional<std::string> Field(std::int16_t Index = 0) const;
    /// Always 8.
    std::int16_t FieldsCount() const noexcept { return 8; }

    /// The book list file. A value without a folder part is placed in `AppPath`
    /// (joined with "/"); any other value is stored unchanged.
    void SetFileName(const std::string& value) noexcept;
    const std::string& FileName() const noexcept { return fileName_; }

    /// Entry `Index`'s line exactly as stored; nullopt and Error "读取账簿信息行"
    /// when there is no such entry (the index is not resolved).
    std::optional<std::string> Line(std::int16_t Index = 0) const;

    /// The index of the last entry: the number of entries minus one, -1 when empty.
    std::int16_t BookCount() const noexcept { return static_cast<std::int16_t>(lines_.size()) - 1; }
    /// Hidden entries counted since the last load (AddBook counts, RemoveBook
    /// discounts); never recomputed from the lines.
    std::int16_t HiddenCount() const noexcept { return hiddenCount_; }

    /// Replaces the entries by the records of the book list file (`rFileName`, when
    /// given, is stored through SetFileName first). A missing file is first created
    /// by CreateInitialList, under the file's lock and only when it is still missing
    /// there. The whole file is read and decoded before any entry is dropped, so a
    /// file that cannot be read or is not valid GB18030 leaves the list and the file
    /// as they were (Error "装入账簿列表", false). Records of 5 characters or fewer
    /// after trimming spaces are skipped; the others go through AddBook untrimmed.
    /// Raises BeforeCommand/AfterCommand "Load" around the load.
    bool LoadBooks(const std::string& rFileName = "");

    /// Writes the entries (spaces trimmed, carriage return between entries, CR LF
    /// after the last) to the book list file, under the file's lock. When the file is
    /// the one this list was loaded from or last saved to and another program changed
    /// it since, the file's records as they are now are written instead, with this
    /// list's removals, changes and additions applied (see TrackedLines::MergedOnto);
    /// the list then holds what was written, and `HiddenCount` follows the hidden
    /// entries that came or went with it. Any other file is replaced by the entries.
    ///
    /// The file is replaced atomically: a failed save (Error "存储账簿列表", false)
    /// leaves it byte for byte, and the message keeps the system's reason. Failures:
    /// an empty list; the lock not had in time; a file marked read-only (no write
    /// permission at all, or none for this user), which is never replaced; a file
    /// that changed and cannot be read; a write that fails. A new file gets mode
    /// 0600, an existing one keeps its mode. Raises BeforeCommand/AfterCommand "Save".
    /// Does not touch `IsDirty`.
    bool SaveBooks(const std::string& rFileName = "");

    /// Appends `rLine` as the last entry: the one way entries enter the list. A line
    /// of fewer than 5 characters is refused silently; BeforeCommand "Add" may
    /// cancel. A line of fewer than eight fields gets one more tab. A line holding
    /// a carriage return, or a list already at kMaxEntries, is an Error "增加账簿".
    /// Counts the entry in `HiddenCount` when its `BookVisible` reads "1".
    bool AddBook(std::string rLine);

    /// Removes entry `rBookID` (0 to `BookCount`) and saves the list at once; the
    /// result is that of the save. The last remaining entry is never removed (the
    /// user is told through Prompt). Unless `rForce`, BeforeRemove may cancel. Sets
    /// `IsDirty` and raises AfterRemove once the entry is gone. An index outside the
    /// entries is an Error "删除账簿".
    bool RemoveBook(std::int16_t rBookID, bool rForce = false);

    /// Raises `Notify(Msg, ShowBox)`.
    void Prompt(const std::string& Msg, bool ShowBox = false);

    /// Removes empty entries, earlier copies of duplicated lines and (asking the
    /// owner through BeforeRemove) Access entries whose database file is missing;
    /// SQL Server books and network paths are kept unchecked. Then saves the list and
    /// prompts a report in a box. True when the cleaned list was saved.
    ///
    /// Holds the file's lock from the start to the final save, and first takes in
    /// what other programs saved since the load (Error "装入账簿列表" when that file
    /// cannot be read). A lock not had in time is an Error "存储账簿列表". Either
    /// failure ends the clean before it removes anything, without a report.
    bool Clean();

    /// Holds the book list file's lock (platform::ListLock) for as long as the
    /// answer lives, so that a load, changes and saves made meanwhile are one change
    /// that no other program's change falls into; the members that write the file
    /// take it again within (it is reentrant). `rFileName`, when given, is stored
    /// through SetFileName first. nullopt, after Error "存储账簿列表", when the lock
    /// cannot be had in time or no file is named.
    std::optional<platform::ListLock> LockListFile(const std::string& rFileName = "");

    /// Saves the list to `rFileName`, first adding the sample book when the list is
    /// empty. The result is that of the save.
    bool CreateInitialList(const std::string& rFileName);

  private:
    /// True when a later entry has exactly the same line as entry `i`.
    bool IsDuplicate(std::int16_t i);
    /// True when the book path of entry `i` names a network share.
    bool IsNetworkPath(std::int16_t i) const;
    /// Steps of Clean before its save: the removals, then the report's text.
    std::string RemoveUselessEntries();

    /// `FileName` on the disk.
    std::filesystem::path DiskFile() const;
    /// True when `file` is the file of this list's baseline and holds something else
    /// now than when it was loaded or saved.
    bool FileChangedSinceBaseline(const std::filesystem::path& file) const;
    /// The entries merged onto the records of `fileText`; throws when too many.
    TrackedLines MergedWith(std::string_view fileText) const;
    /// Makes `file` the baseline's file, with the version `seen` before it was read or
    /// after it was written when the file still has it.
    void SetBaselineFile(const std::filesystem::path& file, const std::optional<platform::FileVersion>& seen);
    /// Makes a merge the list's entries, counting the hidden entries it brought or took.
    void TakeMerged(TrackedLines merged);
    /// Takes in what was saved to the file since the baseline, keeping this list's own
    /// changes; writes nothing. False after Error "装入账簿列表".
    bool CatchUp();

    /// The entry meant by `Index` after index resolution; throws when there is none.
    std::size_t ResolvedEntry(std::int16_t Index) const;
    /// Reports the exception being handled as an Error with `title`.
    void ReportCurrentFailure(const std::string& title) const;
    void RaiseError(int number, const std::string& description, const std::string& title) const;
    void AdjustHiddenCount(int delta) noexcept;

    BooksListEvents* events_;
    std::string appPath_;
    TrackedLines lines_;
    std::string fileName_;
    /// The file the entries were last loaded from or saved to, its version then (none
    /// when it could not be told), and that file kept open so that no file that
    /// replaces it gets its inode number while the version is compared.
    std::filesystem::path baselineFile_;
    std::optional<platform::FileVersion> baselineVersion_;
    std::unique_ptr<platform::FileDescriptor> baselineOpen_;
    std::int16_t bookId_ = 0;
    bool isDirty_ = false;
    /// The file held more books than the list can: it must not be rewritten from here.
    bool partial_ = false;
    /// A clean is under way: removals leave the saving to its end.
    bool cleaning_ = false;
    std::int16_t hiddenCount_ = 0;
};

} // namespace kx::catalogue
