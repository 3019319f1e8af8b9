#pragma once

#include "newbook/NewBookClearing.h"
#include "newbook/NewBookName.h"

#include <QDate>

#include <cstdint>
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
class NewBookCreation {
  public:
    /// `observer` and `unpacker` must outlive the creation.
    NewBookCreation(NewBookRequest request, CreationObserver& observer, TemplateUnpacker& unpacker);

    /// Runs every step. True when it ran to its end (the result then says whether
    /// the book was completed); a failure that stops it is prompted with the box,
    /// after Process -1.
    bool Run();

    /// Makes the new book's database from the template (an archive is unpacked
    /// first, and its unpacked copy removed afterwards). True when the database
    /// was made; false when a server copy failed. Throws WizardError (522) with
    /// the message for the user, and lets the platform's and the data layer's
    /// errors through.
    bool AddNewFile();
    /// Writes the new book's name, company, start month and installation mark;
    /// a failure is prompted with the box and gives false.
    bool WriteBookInfo();
    /// Empties the new book's tables as the retain boxes say.
    bool ClearNewBook();
    /// Appends the new book's line to the book list and tells the host.
    bool AddBookListEntry();

    /// The new book's database so far.
    const std::string& BookFile() const noexcept { return request_.bookFile; }

  private:
    ClearingEvents Events();

    NewBookRequest request_;
    CreationObserver& observer_;
    TemplateUnpacker& unpacker_;
};

} // namespace kx::newbook
