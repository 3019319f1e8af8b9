#include "NewServerDatabase.h"

#include "BracketedName.h"
#include "DatabaseNameCheck.h"
#include "ado/AdoError.h"
#include "platform/CaseFolding.h"
#include "platform/Utf8Text.h"

#include <mutex>
#include <set>
#include <utility>

namespace kx::database {
namespace {

// SQL Server's numbers for a database name that exists already, and for the
// duplicate key a concurrent creation of the same name meets.
constexpr long kNativeDatabaseExists = 1801;
constexpr long kNativeDuplicateKey = 2627;

std::string Unicode(const std::string& text) {
    return "N'" + platform::ReplaceAll(text, "'", "''") + "'";
}

/// The resources of the claims this process holds: a sweep in this process leaves
/// them alone even on a connection that holds their locks itself.
class ClaimsHere {
  public:
    void Add(const std::string& resource) {
        const std::lock_guard lock(mutex_);
        resources_.insert(resource);
    }
    void Remove(const std::string& resource) noexcept {
        const std::lock_guard lock(mutex_);
        if (const auto found = resources_.find(resource); found != resources_.end())
            resources_.erase(found);
    }
    bool Has(const std::string& resource) {
        const std::lock_guard lock(mutex_);
        return resources_.count(resource) != 0;
    }

  private:
    std::mutex mutex_;
    std::multiset<std::string> resources_;
};

ClaimsHere& Claims() {
    static ClaimsHere claims;
    return claims;
}

/// The return code that a lock procedure answers as its one row.
int ReturnCode(ado::Connection& cnn, const std::string& tsql) {
    auto rows = cnn.Execute(tsql);
    if (!rows || rows->IsEOF())
        throw ado::AdoError(ado::errors::E_Fail, "NewServerDatabase", "锁定过程没有返回结果。");
    return rows->Item(0).Value().ToInt32();
}

/// True when the lock on `resource` was had without waiting.
bool TakeLock(ado::Connection& cnn, const std::string& resource) {
    return ReturnCode(cnn, "EXEC sp_getapplock @Resource = " + Unicode(resource) +
                               ", @LockMode = N'Exclusive', @LockOwner = N'Session', @LockTimeout = 0") == 0;
}

void ReleaseLock(ado::Connection& cnn, const std::string& resource) noexcept {
    try {
        ReturnCode(cnn,
                   "EXEC sp_releaseapplock @Resource = " + Unicode(resource) + ", @LockOwner = N'Session'");
    } catch (const std::exception&) {
        // A lock that cannot be released goes with the session.
    }
}

/// "" when the database was dropped, else the server's cause.
std::string DropNow(ado::Connection& cnn, const std::string& name) noexcept {
    try {
        cnn.Execute("Drop Database " + BracketedName(name));
        return {};
    } catch (const ado::AdoError& e) {
        return e.Description();
    } catch (const std::exception& e) {
        return e.what();
    }
}

std::string CannotDrop(const std::string& name, const std::string& cause) {
    return "无法删除未完成的数据库" + name + "：" + cause;
}

/// The listing of marked databases; only `name` when it is not "".
std::string MarkedListing(const std::string& name) {
    return "SELECT d.name, p.value FROM sys.databases d JOIN sys.extended_properties p ON p.class = 0 AND "
           "p.major_id = d.database_id WHERE p.name = " +
           Unicode(kMakingMarkName) + (name.empty() ? "" : " AND d.name = " + Unicode(name)) +
           " ORDER BY d.name";
}

/// The marked databases with their mark's value.
std::vector<std::pair<std::string, std::string>> MarkedDatabases(ado::Connection& cnn,
                                                                 const std::string& name) {
    std::vector<std::pair<std::string, std::string>> marked;
    auto rows = cnn.Execute(MarkedListing(name));
    for (; rows && !rows->IsEOF(); rows->MoveNext())
        marked.emplace_back(rows->Item(0).Value().ToString(), rows->Item(1).Value().ToString());
    return marked;
}

} // namespace

std::string ClaimLockResource(const std::string& name) {
    return std::string(kMakingMarkName) + ":" + platform::ToLower(name);
}

NewServerDatabase NewServerDatabase::Create(const ado::Connection& master, const std::string& name) {
    return Claim(master, name, "Create Database " + BracketedName(name));
}

NewServerDatabase NewServerDatabase::CreateCopy(const ado::Connection& master, const std::string& name,
                                                const std::string& source) {
    if (std::string problem = DatabaseNameProblem(source); !problem.empty()) {
        NewServerDatabase claim;
        claim.master_ = master;
        claim.name_ = name;
        claim.status_ = Status::Failed;
        claim.cause_ = std::move(problem);
        return claim;
    }
    return Claim(master, name,
                 "Create Database " + BracketedName(name) + " As Copy Of " + BracketedName(source));
}

NewServerDatabase NewServerDatabase::Claim(const ado::Connection& master, const std::string& name,
                                           const std::string& createStatement) {
    NewServerDatabase claim;
    claim.master_ = master;
    claim.name_ = name;
    // Refused before the server hears of it: no lock, no statement.
    if (std::string problem = DatabaseNameProblem(name); !problem.empty()) {
        claim.status_ = Status::Failed;
        claim.cause_ = std::move(problem);
        return claim;
    }
    const std::string resource = ClaimLockResource(name);
    try {
        if (!TakeLock(claim.master_, resource)) {
            claim.status_ = Status::NameTaken;
            claim.cause_ = "另一个程序正在创建数据库" + name + "。";
            return claim;
        }
    } catch (const std::exception& e) {
        claim.status_ = Status::Failed;
        claim.cause_ = e.what();
        return claim;
    }
    try {
        claim.master_.Execute(createStatement);
    } catch (const ado::AdoError& e) {
        const bool taken = e.NativeError() == kNativeDatabaseExists || e.NativeError() == kNativeDuplicateKey;
        claim.status_ = taken ? Status::NameTaken : Status::Failed;
        claim.cause_ = e.Description();
        ReleaseLock(claim.master_, resource);
        return claim;
    } catch (const std::exception& e) {
        claim.status_ = Status::Failed;
        claim.cause_ = e.what();
        ReleaseLock(claim.master_, resource);
        return claim;
    }
    // Marked right after it was made, while the lock is held: a later sweep can tell
    // it from everybody else's databases, and never takes it while this run lives.
    try {
        claim.master_.Execute("EXEC " + BracketedName(name) + ".sys.sp_addextendedproperty @name = " +
                              Unicode(kMakingMarkName) + ", @value = " + Unicode(kMakingMarkValue));
    } catch (const std::exception& e) {
        claim.status_ = Status::Failed;
        claim.cause_ = e.what();
        if (const std::string cause = DropNow(claim.master_, name); !cause.empty())
            claim.cause_ += "\n" + CannotDrop(name, cause);
        ReleaseLock(claim.master_, resource);
        return claim;
    }
    Claims().Add(resource);
    claim.status_ = Status::Created;
    claim.owned_ = true;
    return claim;
}

NewServerDatabase::NewServerDatabase(NewServerDatabase&& other) noexcept
    : master_(std::move(other.master_)), name_(std::move(other.name_)),
      status_(std::exchange(other.status_, Status::None)), cause_(std::move(other.cause_)),
      owned_(std::exchange(other.owned_, false)) {}

NewServerDatabase& NewServerDatabase::operator=(NewServerDatabase&& other) noexcept {
    if (this != &other) {
        Drop();
        master_ = std::move(other.master_);
        name_ = std::move(other.name_);
        status_ = std::exchange(other.status_, Status::None);
        cause_ = std::move(other.cause_);
        owned_ = std::exchange(other.owned_, false);
    }
    return *this;
}

NewServerDatabase::~NewServerDatabase() {
    Drop();
}

void NewServerDatabase::LetGo() noexcept {
    const std::string resource = ClaimLockResource(name_);
    ReleaseLock(master_, resource);
    Claims().Remove(resource);
    owned_ = false;
}

void NewServerDatabase::Keep() {
    if (!owned_)
        return;
    master_.Execute("EXEC " + BracketedName(name_) +
                    ".sys.sp_dropextendedproperty @name = " + Unicode(kMakingMarkName));
    LetGo();
}

std::string NewServerDatabase::Drop() noexcept {
    if (!owned_)
        return {};
    std::string cause = DropNow(master_, name_);
    LetGo();
    return cause.empty() ? cause : CannotDrop(name_, cause);
}

AbandonedDatabases RemoveAbandonedServerDatabases(ado::Connection& master) {
    AbandonedDatabases sweep;
    for (const auto& [name, value] : MarkedDatabases(master, {})) {
        const std::string resource = ClaimLockResource(name);
        if (value != kMakingMarkValue || Claims().Has(resource))
            continue;
        try {
            if (!TakeLock(master, resource))
                continue; // its creation is still running
            // Looked at again under the lock: a creation may have finished since the listing.
            const auto still = MarkedDatabases(master, name);
            if (!still.empty() && still.front().second == kMakingMarkValue) {
                if (const std::string cause = DropNow(master, name); cause.empty())
                    sweep.removed.push_back(name);
                else
                    sweep.notRemoved.push_back(name + "：" + cause);
            }
            ReleaseLock(master, resource);
        } catch (const std::exception& e) {
            sweep.notRemoved.push_back(name + "：" + e.what());
        }
    }
    return sweep;
}

} // namespace kx::database
