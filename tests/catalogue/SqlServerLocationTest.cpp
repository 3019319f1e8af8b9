#include "catalogue/clsBooksList.h"

#include "Escaped.h"
#include "RecordingOwner.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

namespace kx::catalogue {
namespace {

using test::RecordingOwner;

/// One book whose book path is `location`.
class OneBook : public ::testing::Test {
  protected:
    void Add(const std::string& location) {
        ASSERT_TRUE(list.AddBook("账簿\t" + location + "\tkxAcc000001\t公司\t(未知)\t0\t\t"));
        list.SetEvents(&owner);
    }

    clsBooksList list;
    RecordingOwner owner;
};

/// nullptr: the part cannot be cut, the getter reports under its title and gives "".
struct LocationCase {
    const char* location;
    const char* userId;
    const char* password;
    const char* server;
    friend void PrintTo(const LocationCase& c, std::ostream* os) { *os << test::Escaped(c.location); }
};

class LocationCutting : public OneBook, public ::testing::WithParamInterface<LocationCase> {
  protected:
    void Expect(std::string (clsBooksList::*getter)(std::int16_t) const, const char* expected,
                const std::string& title) {
        owner.Clear();
        EXPECT_EQ((list.*getter)(0), expected != nullptr ? expected : "");
        if (expected == nullptr) {
            EXPECT_EQ(owner.ErrorTitles(), std::vector<std::string>{title});
        } else {
            EXPECT_TRUE(owner.errors.empty()) << owner.errors[0].title;
        }
    }
};

TEST_P(LocationCutting, CutsAtTheFirstColonAndTheFirstAt) {
    Add(GetParam().location);
    ASSERT_TRUE(list.isSqlBook(0));
    Expect(&clsBooksList::UserID, GetParam().userId, "用户名");
    Expect(&clsBooksList::Password, GetParam().password, "密码");
    Expect(&clsBooksList::Server, GetParam().server, "服务器");
}

INSTANTIATE_TEST_SUITE_P(Cases, LocationCutting,
                         ::testing::Values(LocationCase{"sa:pw@db-server", "sa", "pw", "db-server"},
                                           LocationCase{"用户:密码@服务器", "用户", "密码", "服务器"},
                                           LocationCase{":@srv", "", "", "srv"},
                                           LocationCase{"sa:pw@", "sa", "pw", ""},
                                           // No password part: the user ID reads as the password.
                                           LocationCase{"sa@srv", nullptr, "sa", "srv"},
                                           // A port after the server, no password part.
                                           LocationCase{"srv@host:1433", "srv@host", nullptr, "host:1433"},
                                           // A password holding "@" does not survive the encoding.
                                           LocationCase{"sa:p@ss@srv", "sa", "p", "ss@srv"},
                                           LocationCase{"sa:a:b@srv", "sa", "a:b", "srv"}));

TEST_F(OneBook, AccessBookHasNoServerParts) {
    Add("..\\Data");
    EXPECT_FALSE(list.isSqlBook(0));
    EXPECT_EQ(list.UserID(0), "");
    EXPECT_EQ(list.Password(0), "");
    EXPECT_EQ(list.Server(0), "");
    EXPECT_TRUE(owner.errors.empty());
}

TEST_F(OneBook, ReportOfAMalformedLocationDoesNotShowThePassword) {
    Add("topsecret@srv:1433");
    EXPECT_EQ(list.Password(0), "");
    ASSERT_EQ(owner.errors.size(), 1u);
    EXPECT_EQ(owner.errors[0].number, 5);
    EXPECT_EQ(owner.errors[0].message.find("topsecret"), std::string::npos);
}

struct SetterCase {
    const char* location;
    void (clsBooksList::*setter)(std::int16_t, const std::string&);
    const char* value;
    const char* stored;
    friend void PrintTo(const SetterCase& c, std::ostream* os) {
        *os << test::Escaped(c.location) << " <- " << test::Escaped(c.value);
    }
};

class LocationSetter : public OneBook, public ::testing::WithParamInterface<SetterCase> {};

TEST_P(LocationSetter, RewritesTheWholeLocationInTheBookPath) {
    Add(GetParam().location);
    (list.*GetParam().setter)(0, GetParam().value);
    EXPECT_EQ(list.GetProperty(0, 1), GetParam().stored);
    EXPECT_EQ(owner.log.back(), "DataChanged 0 bookpath");
    EXPECT_TRUE(owner.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LocationSetter,
    ::testing::Values(SetterCase{"sa:pw@old", &clsBooksList::SetServer, "new", "sa:pw@new"},
                      SetterCase{"sa:pw@srv", &clsBooksList::SetUserID, "kx", "kx:pw@srv"},
                      SetterCase{"sa:pw@srv", &clsBooksList::SetPassword, "秘密", "sa:秘密@srv"},
                      // An Access book becomes a SQL Server book.
                      SetterCase{"..\\Data", &clsBooksList::SetServer, "srv", ":@srv"},
                      SetterCase{"..\\Data", &clsBooksList::SetUserID, "sa", "sa:@"},
                      SetterCase{"..\\Data", &clsBooksList::SetPassword, "pw", ":pw@"}));

TEST_F(OneBook, UserIdSetOnAnAccessBookMakesItASqlServerBookWithoutServer) {
    Add("..\\Data");
    list.SetUserID("sa");
    EXPECT_TRUE(list.isSqlBook(0));
    EXPECT_EQ(list.UserID(0), "sa");
    EXPECT_EQ(list.Server(0), "");
    EXPECT_EQ(list.BookPathFile(0), "sa:@\\kxAcc000001");
}

TEST_F(OneBook, SetterOnAMalformedLocationReportsTheUnreadablePart) {
    Add("sa@srv");
    list.SetServer(0, "other");
    EXPECT_EQ(owner.ErrorTitles(), std::vector<std::string>{"用户名"});
    EXPECT_EQ(list.GetProperty(0, 1), ":sa@other");
}

} // namespace
} // namespace kx::catalogue
