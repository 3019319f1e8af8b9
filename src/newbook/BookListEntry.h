#pragma once

#include <cstdint>
#include <string>

namespace kx::support {
class AccountingObject;
}

namespace kx::newbook {

/// What the wizard knows of a book that goes into the book list.
struct NewBookListEntry {
    std::string bookName;
    std::string userName;
    /// Server book: the database name. Book file: its path ("\" or "/"), or "".
    std::string bookFile;
    bool isSql = false;
    /// The server location of a server book.
    std::string server;
    std::string userId;
    std::string password;
};

/// The book list line of `entry`: name, folder (server book: "user:password@server"),
/// file name (server book: database name), company, "(未知)", "0", "", "".
std::string BookListEntryLine(const NewBookListEntry& entry);

/// What the user calls the first field of `entry` that holds a tab, a carriage
/// return or a line feed, which a book list record cannot carry (a tab would shift
/// every later field, the others end the record): "账簿名称", "单位名称", and for
/// a server book "SQL服务器名", "SQL服务器的用户名", "SQL服务器的密码". "" when
/// there is none.
std::string FieldBreakingTheRecord(const NewBookListEntry& entry);

/// "<field>中不能有制表符、回车符或换行符，" followed by `consequence`.
std::string RecordBreakingMessage(const std::string& field, const std::string& consequence);

/// Loads the book list `iniFile` into a list of its own, appends the line of
/// `entry`, saves the list and then sends the "BookList" notice with
/// `windowHandle` through `acc`. The load, the addition and the save are one change
/// under the list file's lock, so that other programs' entries saved meanwhile stay
/// and none of theirs falls between the load and the save.
///
/// Answers whether the entry was added and the list saved; the notice is sent in
/// either case. On false, `failure` (when given) receives the cause in Chinese:
/// a field that the record cannot carry (FieldBreakingTheRecord; the list is then
/// not touched), the list's lock not had in time, a read-only list, the system's
/// reason for a failed read or write. A list file that cannot be read is left
/// untouched, rather than being replaced by a list of the one new line. Throws support::SupportError
/// (ObjectNotSet) when `acc` is null (after saving), and what the notice receiver throws.
/// `failure`, when given, receives why the list was not saved, also when the
/// notice throws afterwards; it stays as it was when the list was saved.
bool AddBookListEntry(const NewBookListEntry& entry, const std::string& iniFile,
                      support::AccountingObject* acc, std::uint64_t windowHandle,
                      std::string* failure = nullptr);

} // namespace kx::newbook
