#include "catalogue/BookLocation.h"
#include "catalogue/clsBooksList.h"

#include "Escaped.h"
#include "RecordingOwner.h"
#include "TempFolder.h"
#include "platform/DiskPath.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kx::catalogue {
namespace {

using test::Escaped;
using test::RecordingOwner;

std::optional<std::string> Owned(std::optional<std::string_view> part) {
    return part ? std::optional<std::string>(*part) : std::nullopt;
}

// ---- a server book's login, in the location and through the book list -----------------

/// nullptr: the part cannot be cut (the location gives nullopt, the list's getter
/// reports under its title and gives "").
struct LoginCase {
    const char* login;
    const char* userId;
    const char* password;
    const char* server;
    const char* masked;
    friend void PrintTo(const LoginCase& c, std::ostream* os) { *os << Escaped(c.login); }
};

const LoginCase kLogins[] = {
    {"sa:pw@db-server", "sa", "pw", "db-server", "sa:***@db-server"},
    {"用户:密码@服务器", "用户", "密码", "服务器", "用户:***@服务器"},
    {"kxtest:pw@/tmp/pg/sock,55432", "kxtest", "pw", "/tmp/pg/sock,55432", "kxtest:***@/tmp/pg/sock,55432"},
    {":@srv", "", "", "srv", ":***@srv"},
    {"sa:pw@", "sa", "pw", "", "sa:***@"},
    {"@", nullptr, "", "", "***@"},
    // No password part: the user ID reads as the password.
    {"pw@srv", nullptr, "pw", "srv", "***@srv"},
    // A port after the server, no password part.
    {"srv@host:1433", "srv@host", nullptr, "host:1433", "srv@host:***"},
    // A user ID holding "@": no password can be cut, yet the text holds one.
    {"admin@corp:pw@srv", "admin@corp", nullptr, "corp:pw@srv", "admin@corp:***"},
    // A password holding "@" does not survive the encoding.
    {"sa:p@ss@srv", "sa", "p", "ss@srv", "sa:***@ss@srv"},
    {"sa:a:b@srv", "sa", "a:b", "srv", "sa:***@srv"},
};

class Login : public ::testing::TestWithParam<LoginCase> {
  protected:
    static std::optional<std::string> Expected(const char* part) {
        return part != nullptr ? std::optional<std::string>(part) : std::nullopt;
    }
};

TEST_P(Login, IsCutAtTheFirstColonAndFirstAtMaskedByTheSameCutsAndFormatsBackByteForByte) {
    const LoginCase& c = GetParam();
    const auto location = BookLocation::FromListFields(c.login, "kxAcc000001");
    ASSERT_TRUE(location.IsServerBook());
    EXPECT_EQ(Owned(location.UserId()), Expected(c.userId));
    EXPECT_EQ(Owned(location.Password()), Expected(c.password));
    EXPECT_EQ(Owned(location.Server()), Expected(c.server));
    EXPECT_EQ(location.Database(), "kxAcc000001");
    EXPECT_EQ(location.BookPathField(), c.login);
    EXPECT_EQ(location.BookFileField(), "kxAcc000001");
    EXPECT_EQ(location.MaskedPath(), c.masked);
    EXPECT_EQ(location.PathText("/srv/acc"), std::string(c.login) + "\\kxAcc000001");
    EXPECT_TRUE(location.DiskPath("/srv/acc").empty());

    const std::string sql = std::string(c.login) + "|kxAcc000001";
    EXPECT_EQ(location.SqlLocation(), sql);
    const auto fromSql = BookLocation::FromSqlLocation(sql);
    EXPECT_EQ(fromSql, location);
    EXPECT_EQ(Owned(fromSql.Password()), Expected(c.password));
    EXPECT_EQ(BookLocation::FromTemplateLocation(sql).Text(), sql);
}

/// The book list reads the same parts through its getters, and reports the ones that
/// cannot be cut under their titles.
class ListLogin : public ::testing::TestWithParam<LoginCase> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(list.AddBook("账簿\t" + std::string(GetParam().login) + "\tkxAcc000001\t公司\t(未知)\t0\t\t"));
        list.SetEvents(&owner);
    }
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

    clsBooksList list;
    RecordingOwner owner;
};

TEST_P(ListLogin, GettersGiveThePartsOrReportUnderTheirTitles) {
    ASSERT_TRUE(list.isSqlBook(0));
    Expect(&clsBooksList::UserID, GetParam().userId, "用户名");
    Expect(&clsBooksList::Password, GetParam().password, "密码");
    Expect(&clsBooksList::Server, GetParam().server, "服务器");
    EXPECT_EQ(list.BookPathFile(0), std::string(GetParam().login) + "\\kxAcc000001");
}

INSTANTIATE_TEST_SUITE_P(Cases, Login, ::testing::ValuesIn(kLogins));
INSTANTIATE_TEST_SUITE_P(Cases, ListLogin, ::testing::ValuesIn(kLogins));

TEST(ListLoginReport, DoesNotShowThePassword) {
    clsBooksList list;
    RecordingOwner owner;
    ASSERT_TRUE(list.AddBook("账簿\ttopsecret@srv:1433\tkxAcc000001\t公司\t(未知)\t0\t\t"));
    list.SetEvents(&owner);
    EXPECT_EQ(list.Password(0), "");
    ASSERT_EQ(owner.errors.size(), 1u);
    EXPECT_EQ(owner.errors[0].number, 5);
    EXPECT_EQ(owner.errors[0].message.find("topsecret"), std::string::npos);
}

// ---- SQL location strings ---------------------------------------------------------

struct SqlCase {
    const char* text;
    const char* login;
    const char* database;
    const char* server;
    friend void PrintTo(const SqlCase& c, std::ostream* os) { *os << Escaped(c.text); }
};

class SqlLocationString : public ::testing::TestWithParam<SqlCase> {};

TEST_P(SqlLocationString, SplitsAtTheFirstBarAndFormatsBackByteForByte) {
    const SqlCase& c = GetParam();
    const auto location = BookLocation::FromSqlLocation(c.text);
    EXPECT_TRUE(location.IsServerBook());
    EXPECT_EQ(location.BookPathField(), c.login);
    EXPECT_EQ(location.Database(), c.database);
    EXPECT_EQ(Owned(location.Server()), c.server != nullptr ? std::optional<std::string>(c.server) : std::nullopt);
    EXPECT_EQ(location.SqlLocation(), c.text);
    EXPECT_EQ(location.Text(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SqlLocationString,
    ::testing::Values(SqlCase{"sa:secret@db1|kxAcc000001", "sa:secret@db1", "kxAcc000001", "db1"},
                      SqlCase{"管理员:密码@服务器|账簿", "管理员:密码@服务器", "账簿", "服务器"},
                      SqlCase{":@|", ":@", "", ""},
                      // Without "|" it is all login, and comes back without one.
                      SqlCase{"sa:pw@db1", "sa:pw@db1", "", "db1"}, SqlCase{"", "", "", nullptr},
                      // An "@" after the "|" belongs to the database: the login has no server.
                      SqlCase{"sa:pw|kx@db1", "sa:pw", "kx@db1", nullptr},
                      // A "|" in the password does not survive the encoding.
                      SqlCase{"sa:p|w@srv|db", "sa:p", "w@srv|db", nullptr}));

struct PartsCase {
    const char* server;
    const char* userId;
    const char* password;
    const char* login;
    bool survives;
    friend void PrintTo(const PartsCase& c, std::ostream* os) { *os << Escaped(c.login); }
};

class ServerParts : public ::testing::TestWithParam<PartsCase> {};

TEST_P(ServerParts, AreWrittenUserColonPasswordAtServerAndReadBackWhenTheySurvive) {
    const PartsCase& c = GetParam();
    const auto location = BookLocation::FromServerParts(c.server, c.userId, c.password, "kxAcc000002");
    EXPECT_EQ(location.BookPathField(), c.login);
    EXPECT_EQ(location.SqlLocation(), std::string(c.login) + "|kxAcc000002");
    EXPECT_EQ(location, BookLocation::FromListFields(c.login, "kxAcc000002"));
    const bool survived =
        location.UserId() == c.userId && location.Password() == c.password && location.Server() == c.server;
    EXPECT_EQ(survived, c.survives);
}

INSTANTIATE_TEST_SUITE_P(Cases, ServerParts,
                         ::testing::Values(PartsCase{"srv", "sa", "pw", "sa:pw@srv", true},
                                           PartsCase{"", "", "", ":@", true},
                                           PartsCase{"/run/postgresql,5432", "kx", "秘密", "kx:秘密@/run/postgresql,5432",
                                                     true},
                                           PartsCase{"srv", "sa", "p@ss", "sa:p@ss@srv", false},
                                           PartsCase{"srv", "do:main", "pw", "do:main:pw@srv", false}));

// ---- book files -----------------------------------------------------------------

struct FileCase {
    const char* folder;
    const char* file;
    const char* pathText; // against the application folder /srv/acc
    bool onShare;
    friend void PrintTo(const FileCase& c, std::ostream* os) { *os << Escaped(c.folder) << " " << c.file; }
};

class BookFileFields : public ::testing::TestWithParam<FileCase> {};

TEST_P(BookFileFields, KeepTheFolderAsStoredAndJoinItWithTheApplicationFolder) {
    const FileCase& c = GetParam();
    const auto location = BookLocation::FromListFields(c.folder, c.file);
    EXPECT_FALSE(location.IsServerBook());
    EXPECT_EQ(location.Folder(), c.folder);
    EXPECT_EQ(location.FileName(), c.file);
    EXPECT_EQ(location.BookPathField(), c.folder);
    EXPECT_EQ(location.BookFileField(), c.file);
    EXPECT_EQ(location.MaskedPath(), c.folder);
    EXPECT_EQ(location.IsOnShare(), c.onShare);
    EXPECT_EQ(location.PathText("/srv/acc"), c.pathText);
    EXPECT_FALSE(location.UserId() || location.Password() || location.Server());
    EXPECT_EQ(location, BookLocation::FromFolderAndFile(c.folder, c.file));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BookFileFields,
    ::testing::Values(FileCase{"..\\Data", "kxSample.mde", "/srv/acc\\Data/kxSample.mde", false},
                      FileCase{"", "a.mde", "a.mde", false},
                      FileCase{"\\Data", "a.mde", "\\Data/a.mde", false},
                      FileCase{"C:\\Acc\\Data", "a.mde", "C:\\Acc\\Data/a.mde", false},
                      FileCase{"/srv/acc/Data/", "a.mde", "/srv/acc/Data/a.mde", false},
                      FileCase{"\\\\srv\\books", "a.mde", "\\\\srv\\books/a.mde", true},
                      FileCase{"//srv/books", "a.mde", "//srv/books/a.mde", true},
                      FileCase{"..\\Data\\..\\Old", "a.mde", "/srv/acc\\Data\\/srv/acc\\Old/a.mde", false}));

TEST(StoredFolder, WritesTheApplicationFolderAsDotDotWhichPathTextUndoes) {
    struct Case {
        const char* folder;
        const char* appPath;
        const char* stored;
    };
    for (const Case& c : {Case{"/srv/acc/Data", "/srv/acc", "../Data"}, Case{"C:\\Acc\\Data", "C:\\Acc", "..\\Data"},
                          // Exact case only.
                          Case{"C:\\Acc\\Data", "c:\\acc", "C:\\Acc\\Data"}, Case{"/srv/acc", "", "/srv/acc"}}) {
        const std::string stored = BookLocation::StoredFolder(c.folder, c.appPath);
        EXPECT_EQ(stored, c.stored) << c.folder;
        EXPECT_EQ(BookLocation::FromListFields(stored, "a.mde").PathText(c.appPath),
                  platform::JoinPath(c.folder, "a.mde"));
    }
}

struct FilePathCase {
    const char* path;
    const char* folder;
    const char* file;
    friend void PrintTo(const FilePathCase& c, std::ostream* os) { *os << Escaped(c.path); }
};

class BookFilePath : public ::testing::TestWithParam<FilePathCase> {};

TEST_P(BookFilePath, SplitsAtTheLastSeparatorAndFormatsBackByteForByte) {
    const FilePathCase& c = GetParam();
    for (const auto& location : {BookLocation::FromFilePath(c.path), BookLocation::FromTemplateLocation(c.path)}) {
        EXPECT_FALSE(location.IsServerBook());
        EXPECT_EQ(location.Folder(), c.folder);
        EXPECT_EQ(location.FileName(), c.file);
        EXPECT_EQ(location.Folder(), platform::ParentFolderOf(c.path));
        EXPECT_EQ(location.Text(), c.path);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BookFilePath,
                         ::testing::Values(FilePathCase{"/app/Data/kxSample.mde", "/app/Data", "kxSample.mde"},
                                           FilePathCase{"..\\Data\\x.mde", "..\\Data", "x.mde"},
                                           FilePathCase{"C:\\Acc/tpl\\T.WAK", "C:\\Acc/tpl", "T.WAK"},
                                           FilePathCase{"x.mde", "", "x.mde"},
                                           FilePathCase{"\\x.mde", "\\", "x.mde"},
                                           FilePathCase{"/x.mde", "/", "x.mde"}, FilePathCase{"Data\\", "Data", ""},
                                           FilePathCase{"", "", ""}));

// ---- resolution on the disk ----------------------------------------------------------

struct DiskCase {
    const char* folder;
    const char* file;
    const char* expected; // under the application folder
    friend void PrintTo(const DiskCase& c, std::ostream* os) { *os << Escaped(c.folder) << " " << c.file; }
};

class BookFileOnDisk : public ::testing::TestWithParam<DiskCase> {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(app.path() / "Data");
        std::ofstream(app.path() / "Data" / "kxSample.mde") << "x";
    }
    kx::test::TempFolder app;
};

TEST_P(BookFileOnDisk, IsFoundAgainstTheApplicationFolder) {
    const DiskCase& c = GetParam();
    const auto location = BookLocation::FromListFields(c.folder, c.file);
    EXPECT_EQ(location.DiskPath(app.str()), app.path() / c.expected);
    // The same file through the list, as Clean looks for it.
    clsBooksList list;
    list.SetAppPath(app.str());
    ASSERT_TRUE(list.AddBook(std::string("账簿\t") + c.folder + "\t" + c.file + "\t公司\t(未知)\t0\t\t"));
    EXPECT_EQ(platform::ToDiskPath(list.BookPathFile(0), app.str()), app.path() / c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, BookFileOnDisk,
                         ::testing::Values(DiskCase{"..\\Data", "kxSample.mde", "Data/kxSample.mde"},
                                           DiskCase{"../Data", "kxSample.mde", "Data/kxSample.mde"},
                                           // Names are found whatever their letter case.
                                           DiskCase{"..\\data", "KXSAMPLE.MDE", "Data/kxSample.mde"},
                                           DiskCase{"\\Data", "kxSample.mde", "Data/kxSample.mde"},
                                           DiskCase{"Data", "kxSample.mde", "Data/kxSample.mde"},
                                           DiskCase{"..", "new.mde", "new.mde"}));

TEST(BookFileOnDisk, SharesAndDrivesKeepTheirMeaning) {
    EXPECT_EQ(BookLocation::FromListFields("\\\\srv\\books", "a.mde").DiskPath("/srv/acc").string(),
              "//srv/books/a.mde");
    EXPECT_EQ(BookLocation::FromListFields("C:\\elsewhere", "a.mde").DiskPath("/srv/acc").string(),
              "/elsewhere/a.mde");
    EXPECT_EQ(BookLocation::FromFilePath("a.mde").DiskPath("/srv/acc").string(), "/srv/acc/a.mde");
}

// ---- the book list's setters --------------------------------------------------------

class OneBook : public ::testing::Test {
  protected:
    void Add(const std::string& location) {
        ASSERT_TRUE(list.AddBook("账簿\t" + location + "\tkxAcc000001\t公司\t(未知)\t0\t\t"));
        list.SetEvents(&owner);
    }

    clsBooksList list;
    RecordingOwner owner;
};

struct SetterCase {
    const char* location;
    void (clsBooksList::*setter)(std::int16_t, const std::string&);
    const char* value;
    const char* stored;
    friend void PrintTo(const SetterCase& c, std::ostream* os) {
        *os << Escaped(c.location) << " <- " << Escaped(c.value);
    }
};

class LoginSetter : public OneBook, public ::testing::WithParamInterface<SetterCase> {};

TEST_P(LoginSetter, RewritesTheWholeLoginInTheBookPath) {
    Add(GetParam().location);
    (list.*GetParam().setter)(0, GetParam().value);
    EXPECT_EQ(list.GetProperty(0, 1), GetParam().stored);
    EXPECT_EQ(owner.log.back(), "DataChanged 0 bookpath");
    EXPECT_TRUE(owner.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoginSetter,
    ::testing::Values(SetterCase{"sa:pw@old", &clsBooksList::SetServer, "new", "sa:pw@new"},
                      SetterCase{"sa:pw@srv", &clsBooksList::SetUserID, "kx", "kx:pw@srv"},
                      SetterCase{"sa:pw@srv", &clsBooksList::SetPassword, "秘密", "sa:秘密@srv"},
                      // A book file becomes a server book.
                      SetterCase{"..\\Data", &clsBooksList::SetServer, "srv", ":@srv"},
                      SetterCase{"..\\Data", &clsBooksList::SetUserID, "sa", "sa:@"},
                      SetterCase{"..\\Data", &clsBooksList::SetPassword, "pw", ":pw@"}));

TEST_F(OneBook, BookFileHasNoLoginParts) {
    Add("..\\Data");
    EXPECT_FALSE(list.isSqlBook(0));
    EXPECT_EQ(list.UserID(0), "");
    EXPECT_EQ(list.Password(0), "");
    EXPECT_EQ(list.Server(0), "");
    EXPECT_TRUE(owner.errors.empty());
}

TEST_F(OneBook, UserIdSetOnABookFileMakesItAServerBookWithoutServer) {
    Add("..\\Data");
    list.SetUserID("sa");
    EXPECT_TRUE(list.isSqlBook(0));
    EXPECT_EQ(list.UserID(0), "sa");
    EXPECT_EQ(list.Server(0), "");
    EXPECT_EQ(list.BookPathFile(0), "sa:@\\kxAcc000001");
}

TEST_F(OneBook, SetterOnAMalformedLoginReportsTheUnreadablePart) {
    Add("sa@srv");
    list.SetServer(0, "other");
    EXPECT_EQ(owner.ErrorTitles(), std::vector<std::string>{"用户名"});
    EXPECT_EQ(list.GetProperty(0, 1), ":sa@other");
}

} // namespace
} // namespace kx::catalogue
