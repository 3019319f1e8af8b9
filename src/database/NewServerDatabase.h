#pragma once

#include "ado/Connection.h"

#include <string>
#include <vector>

namespace kx::database {

/// The database property that marks a server database as still being made by
/// this program, and its value.
inline constexpr const char* kMakingMarkName = "kxLedgerWiz";
inline constexpr const char* kMakingMarkValue = "creating";

/// The application lock resource (sp_getapplock, on the maintenance database) that
/// a claim of database `name` holds for its whole life: "kxLedgerWiz:" and the name
/// in lower case, since database names compare without regard to case.
std::string ClaimLockResource(const std::string& name);

/// A new server database that this run makes and owns until it is complete.
///
/// Create() takes a session lock on the name (sp_getapplock), runs "Create
/// Database [name]" (with "]" doubled) and then marks the new database as being made (the database
/// property kMakingMarkName = kMakingMarkValue). Keep() removes the mark once the
/// database is complete: from then on it is an ordinary database, the caller's.
/// A claim that goes without Keep() drops its database. A program killed half-way
/// leaves a marked database whose lock nobody holds, which a later
/// RemoveAbandonedServerDatabases drops. A name that exists already is never
/// written to: Create() answers NameTaken and the caller takes the next name.
///
/// The lock lives in the session of the maintenance connection given to Create(),
/// and the claim keeps a handle of it: that connection must stay open on "master"
/// for the claim's whole life and never "Use" another database. The database is
/// filled through connections of its own, which must be closed before Drop() or
/// the claim's end, or the server refuses the drop.
///
/// In a creation sequence:
///
///     NewServerDatabase claim;
///     for (const std::string& name : candidates) {   // kxAcc000001, kxAcc000001_1, ...
///         claim = NewServerDatabase::Create(master, name);
///         if (claim.Outcome() != NewServerDatabase::Status::NameTaken)
///             break;
///     }
///     if (!claim.IsCreated())
///         fail(claim.Cause());                       // nothing was made
///     ... fill claim.Name() on a connection of its own, then close it ...
///     if (everything succeeded)
///         claim.Keep();                              // throws ado::AdoError when it cannot
///     else
///         causes.push_back(claim.Drop());            // "" when the drop succeeded
class NewServerDatabase {
  public:
    enum class Status {
        /// Nothing claimed (a default or moved-from claim).
        None,
        /// The database was made by this claim.
        Created,
        /// A database of that name exists, or another program is making one:
        /// nothing was made; take the next name.
        NameTaken,
        /// The server failed; nothing was made (or what was made is gone again).
        Failed,
    };

    NewServerDatabase() noexcept = default;
    /// Claims and creates database `name` on the server of `master`, an open
    /// connection to the maintenance database; the name is written bracketed
    /// (BracketedName), and one that DatabaseNameProblem refuses fails at once,
    /// with that reason as Cause(). Never throws: the outcome is Outcome(), and
    /// Cause() says why when it is not Created.
    static NewServerDatabase Create(const ado::Connection& master, const std::string& name);
    /// Claims database `name` as Create() does, but has the server make it as a
    /// copy of database `source` ("Create Database [name] As Copy Of [source]"),
    /// with the same lock and mark. The properties of `source` do not come along.
    /// The server refuses the copy (Failed, nothing made) while any other session
    /// is connected to `source`; a source name that DatabaseNameProblem refuses
    /// fails at once.
    static NewServerDatabase CreateCopy(const ado::Connection& master, const std::string& name,
                                        const std::string& source);

    NewServerDatabase(NewServerDatabase&& other) noexcept;
    /// Drops this claim's database first when it is still owned.
    NewServerDatabase& operator=(NewServerDatabase&& other) noexcept;
    NewServerDatabase(const NewServerDatabase&) = delete;
    NewServerDatabase& operator=(const NewServerDatabase&) = delete;
    /// Drops the database unless it was kept or dropped already.
    ~NewServerDatabase();

    Status Outcome() const noexcept { return status_; }
    bool IsCreated() const noexcept { return status_ == Status::Created; }
    /// The name as given to Create().
    const std::string& Name() const noexcept { return name_; }
    /// Why the claim is NameTaken or Failed, in the server's words or ours; lines
    /// separated by "\n".
    const std::string& Cause() const noexcept { return cause_; }
    /// True while the claim still owns a database it would drop.
    bool Owns() const noexcept { return owned_; }

    /// The database is complete: removes the mark and lets go of the lock. Throws
    /// ado::AdoError (the claim then still owns the database) when the mark cannot be
    /// removed. Nothing happens when the claim owns nothing.
    void Keep();

    /// Drops the database now and lets go of the lock. Returns "" when it is gone
    /// (or the claim owned nothing), else the line that says why it is not:
    /// "无法删除未完成的数据库<name>：<cause>"; the database then stays marked, for
    /// a later RemoveAbandonedServerDatabases. Never throws.
    std::string Drop() noexcept;

  private:
    static NewServerDatabase Claim(const ado::Connection& master, const std::string& name,
                                   const std::string& createStatement);
    void LetGo() noexcept;

    ado::Connection master_;
    std::string name_;
    Status status_ = Status::None;
    std::string cause_;
    bool owned_ = false;
};

/// What RemoveAbandonedServerDatabases did.
struct AbandonedDatabases {
    /// The databases dropped.
    std::vector<std::string> removed;
    /// "name: cause" of abandoned databases that could not be dropped this time.
    std::vector<std::string> notRemoved;
};

/// Drops the databases that a run of this program began to make and never
/// finished: those that carry the mark kMakingMarkName = kMakingMarkValue while
/// nobody holds their claim's lock (the session of the program that made them
/// has ended). A database without the mark is never touched; one whose lock is
/// held, by a creation still running in this or another program, is left alone.
/// `master` is an open connection to the maintenance database. Throws
/// ado::AdoError when the databases cannot be listed.
AbandonedDatabases RemoveAbandonedServerDatabases(ado::Connection& master);

} // namespace kx::database
