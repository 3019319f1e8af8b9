#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kx::catalogue {

/// Where a book's database is: either a book file (a folder as the book list keeps
/// it, e.g. "..\Data", and a file name) or a server book (a login text
/// "UserID:Password@Server" and a database name).
///
/// A location is parsed once, where it enters: from a record's BookPath and BookFile
/// fields, from a SQL location string "UserID:Password@Server|Database", from a
/// template location, or from its parts (the wizard's boxes, a command's options).
/// It keeps the texts it was given, so it formats back to the same bytes.
///
/// The login is cut at its first ":" and its first "@": the user ID is the text
/// before the ":", the server the text after the "@", the password the text between
/// them (before the "@" when there is no ":"). A user ID or password that itself
/// holds ":" or "@" does not survive this encoding; a part that cannot be cut is
/// nullopt, so that the book list can report it.
class BookLocation {
  public:
    /// True when a stored book path, or a template location, names a server book:
    /// it holds "@" anywhere.
    static bool IsServerText(std::string_view text) noexcept;

    /// From a record's BookPath (field 1) and BookFile (field 2) exactly as stored:
    /// a server book when the book path holds "@", else a book file.
    static BookLocation FromListFields(std::string bookPath, std::string bookFile);

    /// From a SQL location string: the login before the first "|", the database
    /// after it. A text without "|" is all login, with an empty database.
    static BookLocation FromSqlLocation(std::string_view text);

    /// From a template location: a SQL location string when it holds "@", else the
    /// path of a book file or template archive (see FromFilePath).
    static BookLocation FromTemplateLocation(std::string_view text);

    /// A book file from the text of its path, split at the last "\" or "/" into
    /// folder and file name ("\a" gives the folder "\"; a bare name no folder).
    static BookLocation FromFilePath(std::string_view path);

    /// A book file from its folder as the list keeps it and its file name.
    static BookLocation FromFolderAndFile(std::string folder, std::string fileName);

    /// A folder as the book list keeps it: every occurrence of `appPath` (exact case)
    /// written as ".."; unchanged when `appPath` is empty. PathText undoes it.
    static std::string StoredFolder(std::string_view folder, std::string_view appPath);

    /// A server book from its parts, written "userId:password@server".
    static BookLocation FromServerParts(std::string_view server, std::string_view userId,
                                        std::string_view password, std::string_view database);

    bool IsServerBook() const noexcept { return server_; }

    // ---- a book file ------------------------------------------------------------

    /// The folder as stored ("..\Data", "\\srv\books", "C:\Acc"); "" for none.
    const std::string& Folder() const noexcept { return path_; }
    /// The file name.
    const std::string& FileName() const noexcept { return file_; }
    /// True when the folder names a network share ("\\server\..." or "//server/...").
    bool IsOnShare() const noexcept;
    /// The location as one text against the application folder: for a book file the
    /// folder with every ".." replaced by `appPath`, "/" and the file name (the file
    /// name alone without a folder); for a server book the login, "\" and the
    /// database, which names the book but is no path.
    std::string PathText(std::string_view appPath) const;
    /// The text by which the wizard names a book file row's database: the folder
    /// with every ".." replaced by `appPath`, "\" and the file name; a folder with a
    /// single leading "\" that does not exist as written (from the root) is taken
    /// inside `appPath`. Shares are never prefixed.
    std::string RowFileText(std::string_view appPath) const;
    /// The file on this machine, through platform::ToDiskPath: ".." and a leading
    /// single "\" are the application folder, a bare name lies inside it, "\" and "/"
    /// both separate, drive letters and shares keep their meaning. Empty for a
    /// server book.
    std::filesystem::path DiskPath(std::string_view appPath) const;

    // ---- a server book (nullopt for a book file) -----------------------------------

    /// The text before the first ":"; nullopt without ":".
    std::optional<std::string_view> UserId() const noexcept;
    /// The text between the first ":" and the first "@", or before the "@" when there
    /// is no ":"; nullopt without "@" or when the "@" stands before the ":".
    std::optional<std::string_view> Password() const noexcept;
    /// The text after the first "@"; nullopt without "@".
    std::optional<std::string_view> Server() const noexcept;
    /// The database name ("" when none was given).
    const std::string& Database() const noexcept { return file_; }

    // ---- formatting ---------------------------------------------------------------

    /// The record's field 1: the folder, or the login "UserID:Password@Server".
    const std::string& BookPathField() const noexcept { return path_; }
    /// The record's field 2: the file name, or the database name.
    const std::string& BookFileField() const noexcept { return file_; }
    /// The SQL location string: field 1, "|" and field 2 (a server book read from a
    /// string without "|" gives that string back).
    std::string SqlLocation() const;
    /// The location as one text, as it entered: a SQL location string, or the book
    /// file's folder and name joined by the separator they came with ("\" when they
    /// came as fields).
    std::string Text() const;
    /// Field 1 for display: everything up to the last "@" is replaced by "***"
    /// except a user ID before a ":" that comes before the first "@" ("sa:***@srv",
    /// "***@srv", "***@host:1433"), so that no part of a password shows however the
    /// login is cut. A book file's folder is shown as it is.
    std::string MaskedPath() const;

    /// The same kind and the same two fields (how they were joined in one text aside).
    friend bool operator==(const BookLocation& a, const BookLocation& b) noexcept {
        return a.server_ == b.server_ && a.path_ == b.path_ && a.file_ == b.file_;
    }

  private:
    BookLocation(bool server, std::string path, std::string joint, std::string file);

    bool server_;
    /// Field 1: the folder, or the login.
    std::string path_;
    /// What stood between field 1 and field 2 in the one-text form: "|" or "" for a
    /// server book, "\", "/" or "" for a book file.
    std::string joint_;
    /// Field 2: the file name, or the database.
    std::string file_;
    /// The first ":" and the first "@" of a server book's login (npos when absent).
    std::size_t colon_;
    std::size_t at_;
};

} // namespace kx::catalogue
