#pragma once

#include "catalogue/BookLocation.h"
#include "newbook/NewBookName.h"

#include <functional>
#include <string>

namespace kx::newbook {

/// What making the new book's database needs from the control.
struct NewBookDatabaseRequest {
    /// The template: a book file path, or a SQL location string (archives are
    /// already unpacked).
    std::string templateFile;
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
};

/// Makes the new book's database from the template and stores its location (the
/// file path, or the database name) in `bookFile` as soon as it is chosen:
/// - a book file template into a book file: a copy under the new name;
/// - a book file template into a server database: the conversion;
/// - a server template into a server database: a new database on the template's
///   own server with every table copied (false, without an error, when the copy
///   fails).
/// Throws WizardError (522) with the source and message the user is shown, and
/// lets the platform's errors (a book number that is not a number or too large)
/// and the table copy's error through. An existing file or database is never
/// written to: a new book file appears under its name only when complete, and a
/// server copy stops when its new database cannot be created.
bool MakeNewBookDatabase(const NewBookDatabaseRequest& request, std::string& bookFile);

/// Copies the book file `source` to `target`; true when the target exists
/// afterwards. The copy is made under a temporary name beside the target and
/// appears under `target` only when complete and only when no file of that name
/// exists (a book is never overwritten). Never throws.
bool CopyBookFile(const std::string& source, const std::string& target);

/// Creates server database `newDatabase` on the server of the SQL location string
/// `location` (with its login) and copies every table of the location's database
/// into it. False when the new database cannot be created (it may be someone's
/// existing book) ; a table that cannot be copied throws the table copy's error.
bool CopySqlBook(const std::string& location, const std::string& newDatabase);
/// The same for a location already read.
bool CopySqlBook(const catalogue::BookLocation& location, const std::string& newDatabase);

} // namespace kx::newbook
