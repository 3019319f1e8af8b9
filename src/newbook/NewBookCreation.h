#pragma once

#include "newbook/MadeDatabase.h"
#include "newbook/NewBookClearing.h"
#include "newbook/NewBookName.h"

#include <QDate>

#include <cstdint>
#include <memory>
#include <string>

namespace kx::support {
class AccountingObject;
}

namespace kx::newbook {

class CreationObserver;
class TemplateUnpacker;

/// Everything the creation of a new book needs, as the wizard's pages hold it.
struct NewBookRequest {
    /// The template (the wizard's `FromFile`): a book file, a SQL location string,
    /// or a template archive (".WAK"), which is unpacked first.
    std::string templateLocation;
    /// The operator typed for the template, checked once more on a server template.
    std::string operatorName;
    std::string operatorPassword;
    /// The `BookNo` text the new book's name is made from.
    std::string bookNo = "1";
    std::string bookName;
    std::string company;
    std::string director;
    /// The first day of the start month.
    QDate beginDate;
    /// The states of the retain boxes.
    RetainStates retain{};
    /// Make a server database (on `target`) rather than a book file.
    bool isSql = false;
    ServerLogin target;
    /// The application folder; new book files go to its Data folder.
    std::string appPath;
    /// The book list file as a disk path; "" for none.
    std::string listFile;
    /// The window number that the notices to the host carry.
    std::uint64_t noticeWindow = 0;
    /// The host's accounting object; the clearing and the list step need it.
    support::AccountingObject* acc = nullptr;
    /// The new book's database: made by `AddNewFile`, read by the later steps.
    std::string bookFile;
};

/// The creation of a new book from its template: the database, the book
/// information, the clearing, the book list line and the result, reported
/// through a `CreationObserver`. Each step may also be run on its own.
///
/// A creation is whole or nothing: a new book file is made under a hidden
/// temporary name and appears under its name only once its information is written
/// and its clearing went through, just before it is listed; when any of that
/// fails, or the list cannot be saved, what the creation made (the file, or the
/// server database it created) is removed again and the user is told so.
class NewBookCreation {
  public:
    /// `observer` and `unpacker` must outlive the creation.
    NewBookCreation(NewBookRequest request, CreationObserver& observer, TemplateUnpacker& unpacker);
    ~NewBookCreation();
    NewBookCreation(const NewBookCreation&) = delete;
    NewBookCreation& operator=(const NewBookCreation&) = delete;

    /// Runs every step. True when it ran to its end (the result then says whether
    /// the book was completed); a failure that stops it is prompted with the box,
    /// after Process -1.
    bool Run();

    /// Makes the new book's database from the template (an archive is unpacked
    /// first, and its unpacked copy removed afterwards) and keeps it: a book file
    /// appears under the first free name. True when the database was made; false
    /// when a server copy failed (whatever it made is removed). Throws WizardError
    /// (522) with the message for the user, and lets the platform's and the data
    /// layer's errors through.
    bool AddNewFile();
    /// Writes the new book's name, company, start month and installation mark;
    /// a failure is prompted with the box and gives false.
    bool WriteBookInfo();
    /// Empties the new book's tables as the retain boxes say; false when a table
    /// could not be emptied.
    bool ClearNewBook();
    /// Appends the new book's line to the book list and tells the host. A field
    /// that the line cannot carry is refused with a message in the box.
    bool AddBookListEntry();

    /// The new book's database so far: the name chosen for it.
    const std::string& BookFile() const noexcept { return request_.bookFile; }

  private:
    ClearingEvents Events();
    /// Makes the database without keeping it; `failure` as StageNewBookDatabase.
    bool MakeDatabase(std::string* failure);
    /// Puts a staged book file at its name (the next free one if it was taken).
    void PlaceDatabase();
    /// `bookFile` becomes BookFile and goes to the observer; "" changes nothing.
    void ChooseBookFile(const std::string& bookFile);
    /// Where the book information and the clearing open the database.
    std::string WorkingDatabase() const;
    bool AddBookListEntry(std::string* failure);
    /// Removes what this creation made and did not keep, and tells the user.
    void RemoveMade();

    NewBookRequest request_;
    CreationObserver& observer_;
    TemplateUnpacker& unpacker_;
    std::unique_ptr<MadeDatabase> made_;
};

} // namespace kx::newbook
