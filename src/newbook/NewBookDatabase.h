#pragma once

#include "catalogue/BookLocation.h"
#include "newbook/MadeDatabase.h"
#include "newbook/NewBookName.h"

#include <functional>
#include <memory>
#include <string>

namespace kx::newbook {

/// What making the new book's database needs from the control.
struct NewBookDatabaseRequest {
    /// The template: a book file path, or a SQL location string (archives are
    /// already unpacked).
    std::string templateFile;
    /// Why a template archive could not be unpacked, told after the message about
    /// the missing template file.
    std::string templateFailure;
    /// Make a server database rather than a book file.
    bool isSql = false;
    /// The control's `BookNo` text.
    std::string bookNo;
    /// The operator typed on page 1, checked once more on a server template.
    std::string operatorName;
    std::string operatorPassword;
    /// The application folder; new book files go to its Data folder.
    std::string appPath;
    /// The server target of a book file converted into a server database, read
    /// afresh where the name rule asks for it.
    std::function<ServerLogin()> readTarget;
    /// Told the new book's name as soon as it is chosen, before anything is copied
    /// or converted, so that whoever handles events meanwhile already sees it.
    std::function<void(const std::string&)> bookFileChosen;
};

/// The disk path of a book file template: a relative text is taken inside
/// `appPath`, whatever the working folder. Each step that reaches the template
/// (the existence checks, the copy, the conversion's connection) uses this one path.
std::string TemplateDiskPath(const std::string& templateFile, const std::string& appPath);

/// Makes the new book's database from the template, as MakeNewBookDatabase does,
/// but does not keep it yet: `made` holds it as soon as anything exists, also when
/// a later part of the making fails (the caller then removes it), and `bookFile`
/// (and `request.bookFileChosen`) the name as soon as it is chosen.
/// - a book file template into a book file: a copy, staged under a hidden
///   temporary name until MadeDatabase::Place puts it at its name;
/// - a book file template into a server database: the conversion into a new
///   database on the target server;
/// - a server template into a server database: a new database on the template's
///   own server made by the server as a copy of the template's database, or,
///   when the server refuses that (another session holds the template open),
///   a new database with every table copied one by one.
/// A new server database is claimed (database::NewServerDatabase) under the first
/// free name of the name rule; when another program creates that name first, the
/// next one is taken. It stays marked as being made until MadeDatabase::Place, so
/// that a run killed half-way leaves nothing that a later run does not remove:
/// each server route first drops such leftovers on its server.
/// False, without an error, when a server copy failed; `failure` (when given)
/// then says why, if the server said so. Throws WizardError (522) with the source
/// and message the user is shown, the system's reason on the line after a failed
/// copy of a book file, and lets the platform's errors (a book number that is not
/// a number or too large) and the table copy's error through. An existing file or
/// database is never written to. A server template whose database name cannot be
/// one (database::DatabaseNameProblem) is refused before its server is reached:
/// "作为模版的账簿的数据库名无效，无法创建账簿。" and the reason on the next line.
bool StageNewBookDatabase(const NewBookDatabaseRequest& request, std::string& bookFile,
                          std::unique_ptr<MadeDatabase>& made, std::string* failure = nullptr);

/// Makes the new book's database from the template and stores its location (the
/// file path, or the database name) in `bookFile` as soon as it is chosen, and
/// again when the name had to change because another program took it: a new book
/// file appears under its name only when complete. What was made is removed again
/// when the making fails. Answers and throws as StageNewBookDatabase.
bool MakeNewBookDatabase(const NewBookDatabaseRequest& request, std::string& bookFile);

/// Copies the book file `source` to `target`; true when the target exists
/// afterwards. `source` is only read, and what its write-ahead log holds comes
/// along (see ado::jet::CopyBookFileContent). The copy is made under a temporary name beside the target and
/// appears under `target` only when complete and only when no file of that name
/// exists (a book is never overwritten). Never throws.
bool CopyBookFile(const std::string& source, const std::string& target);

} // namespace kx::newbook
