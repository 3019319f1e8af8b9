#pragma once

#include "database/NewServerDatabase.h"
#include "newbook/NewBookName.h"

#include <functional>
#include <memory>
#include <string>

namespace kx::newbook {

class StagedBookFile;

/// The new book's database as one creation made it, until the creation keeps it:
/// a book file under its hidden temporary name (later at its name), or a server
/// database that this creation claimed and created, marked as being made until it
/// is placed. Whatever is not kept goes: through Remove, which says how that went,
/// or else when the object goes. Only what the creation made itself is ever
/// removed.
class MadeDatabase {
  public:
    /// Gives the name to try when the one in hand is taken ("" when there is none).
    using NextName = std::function<std::string()>;

    /// A staged book file meant for `name`, and the names after it.
    MadeDatabase(std::unique_ptr<StagedBookFile> file, std::string name, NextName nextName);
    /// The server database of `claim` (created, owned) on `login.server`; the
    /// claim's maintenance connection stays open as long as this object.
    MadeDatabase(database::NewServerDatabase claim, ServerLogin login);
    ~MadeDatabase();
    MadeDatabase(const MadeDatabase&) = delete;
    MadeDatabase& operator=(const MadeDatabase&) = delete;

    /// The new book's database as the book list names it: the book file's path, or
    /// the database name.
    const std::string& Name() const noexcept { return name_; }
    /// What the later steps open: the book file where it is now, or the database.
    std::string WorkingLocation() const;
    /// Where the database is, for the user: the file's path, or the database and
    /// its server.
    std::string Where() const;
    /// Whether other programs can see it yet under its name.
    bool UnderItsName() const;

    /// Puts a staged book file at its name, or at the next free name when another
    /// program took that name meanwhile (Name() follows). A server database has its
    /// name already: it loses its mark of a database being made. Throws
    /// WizardError (522) with the system's reason on the line after the message for
    /// the user; what was made is then still removed by Remove.
    void Place();
    /// The creation keeps the database: nothing is removed any more.
    void Keep() noexcept { kept_ = true; }
    bool Kept() const noexcept { return kept_; }
    /// Removes the database unless it was kept. "" when it is gone, else why it
    /// stays.
    std::string Remove();

  private:
    std::unique_ptr<StagedBookFile> file_;
    database::NewServerDatabase claim_;
    std::string name_;
    NextName nextName_;
    ServerLogin login_;
    bool kept_ = false;
    bool removed_ = false;
};

} // namespace kx::newbook
