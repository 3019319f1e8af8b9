#include "database/NewServerDatabase.h"

#include "ServerTest.h"
#include "platform/CaseFolding.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <optional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kx::database {
namespace {

namespace pg = ado::pg;

/// Claims on the throwaway server, made on `master` unless a case says otherwise.
class NewServerDatabaseTest : public test::ServerTest {
  protected:
    void SetUp() override {
        ServerTest::SetUp();
        if (!IsSkipped())
            master = Master();
    }
    void TearDown() override {
        if (master.State() == ado::adStateOpen)
            master.Close();
        ServerTest::TearDown();
    }
    ado::Connection Master() const { return Open("master"); }
    /// Nothing when the database does not exist, else its comment ("" for none).
    std::optional<std::string> Comment(const std::string& name) const {
        pg::PgConnection admin(*settings_);
        const pg::PgResult row = admin.Exec("SELECT coalesce(shobj_description(oid, 'pg_database'), '') FROM "
                                            "pg_database WHERE datname = " +
                                            pg::QuoteLiteral(pg::FoldDatabaseName(name)));
        if (row.RowCount() == 0)
            return std::nullopt;
        return std::string(row.Value(0, 0));
    }
    void MakeDatabase(const std::string& name, const std::string& comment = {}) const {
        pg::PgConnection admin(*settings_);
        const std::string quoted = pg::QuoteIdent(pg::FoldDatabaseName(name));
        admin.Exec("CREATE DATABASE " + quoted);
        if (!comment.empty())
            admin.Exec("COMMENT ON DATABASE " + quoted + " IS " + pg::QuoteLiteral(comment));
    }

    ado::Connection master;
    const std::string marked = "kxLedgerWiz=creating";
};

TEST_F(NewServerDatabaseTest, AKeptDatabaseStaysUnmarkedAndAnyOtherGoesWithItsClaim) {
    enum class End { Keep, Drop, ClaimGoes, NextClaim };
    for (const End end : {End::Keep, End::Drop, End::ClaimGoes, End::NextClaim}) {
        SCOPED_TRACE(static_cast<int>(end));
        const std::string name = NewName();
        {
            NewServerDatabase claim = NewServerDatabase::Create(master, name);
            ASSERT_TRUE(claim.IsCreated()) << claim.Cause();
            EXPECT_TRUE(claim.Owns());
            EXPECT_EQ(Comment(name), marked);
            if (end == End::Keep) {
                claim.Keep();
                EXPECT_FALSE(claim.Owns());
            } else if (end == End::Drop) {
                EXPECT_EQ(claim.Drop(), "");
                EXPECT_EQ(Comment(name), std::nullopt) << "dropped at once";
            } else if (end == End::NextClaim) {
                const std::string next = NewName();
                claim = NewServerDatabase::Create(master, next);
                EXPECT_EQ(Comment(name), std::nullopt) << "the claim taken over was dropped";
                EXPECT_EQ(Comment(next), marked);
            }
        }
        EXPECT_EQ(Comment(name), end == End::Keep ? std::optional<std::string>("") : std::nullopt);
    }
}

TEST_F(NewServerDatabaseTest, ATakenNameIsReportedAsSuchWithItsCauseAndNothingIsWrittenToIt) {
    const std::string theirs = NewName();
    MakeDatabase(theirs, "theirs");
    const std::string busy = NewName();
    const NewServerDatabase running = NewServerDatabase::Create(master, busy);
    ASSERT_TRUE(running.IsCreated());
    ado::Connection other = Master();
    ado::Connection closed = Master();
    closed.Close();
    const struct {
        std::string name;
        ado::Connection* cnn;
        NewServerDatabase::Status outcome;
        std::string cause;
    } cases[] = {
        {theirs, &master, NewServerDatabase::Status::NameTaken, "already exists"},
        // The lock of the refusal above was let go: another session meets the database itself.
        {theirs, &other, NewServerDatabase::Status::NameTaken, "already exists"},
        // Another program (here: session) is making it right now; names compare without case.
        {platform::ToLower(busy), &other, NewServerDatabase::Status::NameTaken, "另一个程序正在创建数据库"},
        {"master", &other, NewServerDatabase::Status::NameTaken, "already exists"},
        {NewName(), &closed, NewServerDatabase::Status::Failed, "closed"},
        {std::string(64, 'k'), &other, NewServerDatabase::Status::Failed, "longer than 63 bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NewServerDatabase claim = NewServerDatabase::Create(*c.cnn, c.name);
        EXPECT_EQ(claim.Outcome(), c.outcome);
        EXPECT_FALSE(claim.Owns());
        EXPECT_NE(claim.Cause().find(c.cause), std::string::npos) << claim.Cause();
        EXPECT_EQ(claim.Drop(), "") << "nothing to drop";
    }
    EXPECT_EQ(Comment(theirs), "theirs");
    EXPECT_EQ(Comment(busy), marked);
    EXPECT_EQ(Comment("postgres"), "default administrative connection database");
}

TEST_F(NewServerDatabaseTest, ACopyIsClaimedAsANewDatabaseWithoutTheSourcesPropertiesOrNotMadeAtAll) {
    // The source carries a comment of its own: the copy must not take it over. (Not
    // the mark: any creation running meanwhile would sweep a marked database whose
    // claim is not held.)
    const std::string source = NewName();
    const std::string note = "kxLedgerWiz=template";
    MakeDatabase(source, note);
    {
        pg::PgConnectionSettings settings = *settings_;
        settings.database = pg::FoldDatabaseName(source);
        pg::PgConnection(settings).Exec("CREATE TABLE kept (x int); INSERT INTO kept VALUES (42)");
    }
    enum class Source { Free, InUse, Missing, Refused };
    const struct {
        const char* name;
        Source source;
        NewServerDatabase::Status outcome;
        const char* cause;
    } cases[] = {
        {"free", Source::Free, NewServerDatabase::Status::Created, ""},
        {"in use", Source::InUse, NewServerDatabase::Status::Failed, "being accessed by other users"},
        {"missing", Source::Missing, NewServerDatabase::Status::Failed, "does not exist"},
        {"no name", Source::Refused, NewServerDatabase::Status::Failed, "longer than 63 bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string name = NewName();
        std::optional<pg::PgConnection> user;
        if (c.source == Source::InUse) {
            pg::PgConnectionSettings settings = *settings_;
            settings.database = pg::FoldDatabaseName(source);
            user.emplace(settings);
        }
        const std::string from = c.source == Source::Missing   ? NewName()
                                 : c.source == Source::Refused ? std::string(64, 'k')
                                                               : source;
        NewServerDatabase claim = NewServerDatabase::CreateCopy(master, name, from);
        EXPECT_EQ(claim.Outcome(), c.outcome);
        EXPECT_NE(claim.Cause().find(c.cause), std::string::npos) << claim.Cause();
        if (claim.IsCreated()) {
            EXPECT_EQ(Comment(name), marked);
            pg::PgConnectionSettings settings = *settings_;
            settings.database = pg::FoldDatabaseName(name);
            EXPECT_EQ(pg::PgConnection(settings).Exec("SELECT x FROM kept").Value(0, 0), "42");
            claim.Keep();
            EXPECT_EQ(Comment(name), "");
        } else {
            EXPECT_EQ(Comment(name), std::nullopt);
            // Its lock was let go: the name is free for the plain claim that follows.
            NewServerDatabase plain = NewServerDatabase::Create(master, name);
            EXPECT_TRUE(plain.IsCreated()) << plain.Cause();
        }
        EXPECT_EQ(Comment(source), note);
    }
}

/// A child process that claims a database on a connection of its own and tells
/// whether it could, then kills itself at once or, when held, ends once let go,
/// never giving up its claim: its database stays marked and its session ends.
class ClaimingProcess {
  public:
    ClaimingProcess(const std::function<ado::Connection()>& master, const std::string& name, bool held) {
        int ready[2], hold[2];
        if (::pipe(ready) != 0 || ::pipe(hold) != 0 || (pid_ = ::fork()) < 0)
            throw std::runtime_error("pipe or fork");
        if (pid_ == 0) {
            char created = '0';
            try {
                ado::Connection cnn = master();
                const NewServerDatabase claim = NewServerDatabase::Create(cnn, name);
                created = claim.IsCreated() ? '1' : '0';
                (void)!::write(ready[1], &created, 1);
                if (!held)
                    ::raise(SIGKILL);
                ::close(hold[1]);
                (void)!::read(hold[0], &created, 1);
                ::_exit(0);
            } catch (...) {
                (void)!::write(ready[1], &created, 1);
            }
            ::_exit(1);
        }
        ::close(ready[1]);
        ::close(hold[0]);
        hold_ = hold[1];
        char created = '0';
        created_ = ::read(ready[0], &created, 1) == 1 && created == '1';
        ::close(ready[0]);
    }
    ~ClaimingProcess() { End(); }
    bool Created() const { return created_; }
    /// Lets a held child end and waits for it.
    void End() {
        if (pid_ > 0)
            ::close(hold_), ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

  private:
    pid_t pid_ = -1;
    int hold_ = -1;
    bool created_ = false;
};

TEST_F(NewServerDatabaseTest, TheSweepDropsMarkedDatabasesWhoseOwnerIsGoneAndNothingElse) {
    const std::string killed = NewName(), running = NewName(), unmarked = NewName(), otherMark = NewName(),
                      mine = NewName();
    const auto connect = [this] { return Master(); };
    ClaimingProcess killedChild(connect, killed, false);
    ClaimingProcess runningChild(connect, running, true);
    ASSERT_TRUE(killedChild.Created());
    ASSERT_TRUE(runningChild.Created());
    killedChild.End();
    MakeDatabase(unmarked);
    MakeDatabase(otherMark, "kxLedgerWiz=kept");
    // A claim of this process, on the very connection that sweeps.
    const NewServerDatabase myClaim = NewServerDatabase::Create(master, mine);
    ASSERT_TRUE(myClaim.IsCreated());

    // A child's session ends a moment after the process. Other test programs sweep
    // the same server meanwhile: the gone child's database may go by their sweep,
    // and this sweep may take their leftovers, but never one of `leftAlone`.
    const auto sweepUntilGone = [&](const std::string& name, const std::vector<std::string>& leftAlone) {
        for (int tries = 0; tries < 100 && Comment(name); ++tries) {
            for (const std::string& gone : RemoveAbandonedServerDatabases(master).removed)
                for (const std::string& kept : leftAlone)
                    EXPECT_NE(gone, pg::FoldDatabaseName(kept)) << "was dropped";
            if (Comment(name))
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        EXPECT_FALSE(Comment(name)) << "the gone child's database is still there";
    };
    sweepUntilGone(killed, {running, unmarked, otherMark, mine});
    EXPECT_EQ(Comment(running), marked) << "its creation is still running";
    runningChild.End();
    sweepUntilGone(running, {unmarked, otherMark, mine});
    EXPECT_EQ(Comment(unmarked), "");
    EXPECT_EQ(Comment(otherMark), "kxLedgerWiz=kept");
    EXPECT_EQ(Comment(mine), marked);
}

} // namespace
} // namespace kx::database
