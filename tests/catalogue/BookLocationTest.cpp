#include "catalogue/BookLocation.h"
#include "catalogue/clsBooksList.h"

#include "RecordingOwner.h"
#include "platform/DiskPath.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace kx::catalogue {
namespace {

using Log = std::vector<std::string>;

std::string Record(const std::string& location, const std::string& file = "kxAcc000001") {
    return "账簿\t" + location + "\t" + file + "\t公司\t(未知)\t0\t\t";
}

TEST(Login, IsCutAtTheFirstColonAndFirstAtAndMaskedByTheSameCuts) {
    // login, user ID, password, server ("-": cannot be cut), masked
    const char* const cases[][5] = {
        {"sa:pw@db-server", "sa", "pw", "db-server", "sa:***@db-server"},
        {":@srv", "", "", "srv", ":***@srv"},
        {"sa:pw@", "sa", "pw", "", "sa:***@"},
        {"@", "-", "", "", "***@"},
        {"secret@srv", "-", "secret", "srv", "***@srv"}, // no ":": the text before "@" is the password
        // Masked up to the last "@" whatever the cuts make of it: no part of a password shows.
        {"secret@host:1433", "secret@host", "-", "host:1433", "***@host:1433"},
        {"admin@corp:secret@srv", "admin@corp", "-", "corp:secret@srv", "***@srv"},
        {"sa:p@ss@srv", "sa", "p", "ss@srv", "sa:***@srv"},
        {"sa:a:b@srv", "sa", "a:b", "srv", "sa:***@srv"}};
    for (const auto& [login, userId, password, server, masked] : cases) {
        SCOPED_TRACE(login);
        const std::string sql = login + std::string("|kxAcc000001");
        const auto location = BookLocation::FromListFields(login, "kxAcc000001");
        ASSERT_TRUE(location.IsServerBook());
        EXPECT_EQ(location.UserId().value_or("-"), userId);
        EXPECT_EQ(location.Password().value_or("-"), password);
        EXPECT_EQ(location.Server().value_or("-"), server);
        EXPECT_EQ(location.MaskedPath(), masked);
        EXPECT_EQ(location.PathText("/srv/acc"), login + std::string("\\kxAcc000001"));
        EXPECT_TRUE(location.DiskPath("/srv/acc").empty());
        EXPECT_EQ(location.SqlLocation(), sql);
        EXPECT_EQ(BookLocation::FromSqlLocation(sql), location);
        EXPECT_EQ(BookLocation::FromTemplateLocation(sql).Text(), sql);
    }
    // The list reads its logins by the same cuts and reports a part they cannot find, never the password.
    clsBooksList list;
    test::RecordingOwner owner;
    ASSERT_TRUE(list.AddBook(Record("admin@corp:secret@srv")));
    ASSERT_TRUE(list.AddBook(Record("secret@srv")));
    list.SetEvents(&owner);
    EXPECT_EQ(list.UserID(0) + "|" + list.Password(0) + "|" + list.Server(0), "admin@corp||corp:secret@srv");
    EXPECT_EQ(list.UserID(1) + "|" + list.Password(1) + "|" + list.Server(1), "|secret|srv");
    EXPECT_EQ(owner.Events("Error "), (Log{"Error 密码", "Error 用户名"}));
    for (const auto& [number, message] : owner.errors) {
        EXPECT_EQ(number, 5);
        EXPECT_EQ(message.find("secret"), std::string::npos) << "the password shows in " << message;
    }
}

TEST(BookFile, KeepsTheFolderAsStoredAndJoinsItWithTheApplicationFolder) {
    // folder, path text against the application folder /srv/acc, on a share
    const char* const cases[][3] = {{"..\\Data", "/srv/acc\\Data/a.mde", ""},
                                    {"", "a.mde", ""},
                                    {"\\\\srv\\books", "\\\\srv\\books/a.mde", "share"},
                                    {"//srv/books", "//srv/books/a.mde", "share"}};
    for (const auto& [folder, pathText, share] : cases) {
        SCOPED_TRACE(folder);
        const auto location = BookLocation::FromListFields(folder, "a.mde");
        EXPECT_FALSE(location.IsServerBook());
        EXPECT_EQ(location.MaskedPath(), folder);
        EXPECT_EQ(location.IsOnShare(), *share != '\0');
        EXPECT_EQ(location.PathText("/srv/acc"), pathText);
        EXPECT_FALSE(location.UserId() || location.Password() || location.Server());
        EXPECT_EQ(location, BookLocation::FromFolderAndFile(folder, "a.mde"));
    }
    EXPECT_FALSE(BookLocation::FromSqlLocation("\\\\srv\\books|a.mde").IsOnShare());
    // A row's file text puts a rooted folder in the application folder unless it is on disk as written.
    EXPECT_EQ(BookLocation::FromListFields("\\tmp", "a.mde").RowFileText("/srv/acc"), "\\tmp\\a.mde");
    EXPECT_EQ(BookLocation::FromListFields("\\Data", "a.mde").RowFileText("/srv/acc"),
              "/srv/acc\\Data\\a.mde");
}

TEST(BookFile, StoredFolderWritesTheApplicationFolderAsDotDotWhichPathTextUndoes) {
    // folder, application folder, stored
    const char* const cases[][3] = {{"/srv/acc/Data", "/srv/acc", "../Data"},
                                    {"C:\\Acc\\Data", "c:\\acc", "C:\\Acc\\Data"}, // exact case only
                                    {"/srv/acc", "", "/srv/acc"}};
    for (const auto& [folder, appPath, stored] : cases) {
        EXPECT_EQ(BookLocation::StoredFolder(folder, appPath), stored) << folder;
        EXPECT_EQ(BookLocation::FromListFields(stored, "a.mde").PathText(appPath),
                  platform::JoinPath(folder, "a.mde"));
    }
}

TEST(TemplateLocation, IsASqlLocationSplitAtTheFirstBarOrAPathSplitAtTheLastSeparatorAndFormatsBack) {
    // text, field 1 (login or folder), field 2 (database or file name)
    const char* const cases[][3] = {
        {"sa:secret@db1|kxAcc000001", "sa:secret@db1", "kxAcc000001"},
        {":@|", ":@", ""},
        {"sa:pw@db1", "sa:pw@db1", ""},        // all login, back without "|"
        {"sa:pw|kx@db1", "sa:pw", "kx@db1"},   // "@" after "|": the database's
        {"sa:p|w@srv|db", "sa:p", "w@srv|db"}, // "|" in a password does not survive
        {"/app/Data/kxSample.mde", "/app/Data", "kxSample.mde"},
        {"x.mde", "", "x.mde"},
        {"/x.mde", "/", "x.mde"},
        {"Data\\", "Data", ""},
        {"", "", ""}};
    for (const auto& [text, field1, field2] : cases) {
        SCOPED_TRACE(text);
        const bool server = std::string_view(text).find('@') != std::string_view::npos;
        const auto location = BookLocation::FromTemplateLocation(text);
        EXPECT_EQ(location.IsServerBook(), server);
        EXPECT_EQ(location, server ? BookLocation::FromSqlLocation(text) : BookLocation::FromFilePath(text));
        EXPECT_EQ(location.BookPathField(), field1);
        EXPECT_EQ(location.BookFileField(), field2);
        EXPECT_EQ(location.Text(), text);
        EXPECT_EQ(location.SqlLocation(), server ? text : field1 + std::string("|") + field2);
    }
}

TEST(LoginSetter, RewritesTheWholeLoginInTheBookPathAndMakesABookFileAServerBook) {
    using C = clsBooksList;
    using Setter = void (C::*)(std::int16_t, const std::string&);
    const std::tuple<const char*, Setter, const char*, const char*, Log> cases[] = {
        {"sa:pw@old", &C::SetServer, "new", "sa:pw@new", {}},
        {"sa:pw@srv", &C::SetUserID, "kx", "kx:pw@srv", {}},
        {"sa:pw@srv", &C::SetPassword, "秘密", "sa:秘密@srv", {}},
        {"..\\Data", &C::SetServer, "srv", ":@srv", {}},
        {"..\\Data", &C::SetUserID, "sa", "sa:@", {}},
        {"..\\Data", &C::SetPassword, "pw", ":pw@", {}},
        // An unreadable part is reported and written empty.
        {"sa@srv", &C::SetServer, "other", ":sa@other", {"Error 用户名"}}};
    for (const auto& [location, setter, value, stored, errors] : cases) {
        SCOPED_TRACE(std::string(location) + " <- " + value);
        clsBooksList list;
        test::RecordingOwner owner;
        ASSERT_TRUE(list.AddBook(Record(location)));
        list.SetEvents(&owner);
        (list.*setter)(0, value);
        EXPECT_EQ(list.GetProperty(0, 1), stored);
        EXPECT_EQ(owner.log.back(), "DataChanged 0 bookpath");
        EXPECT_EQ(owner.Events("Error "), errors);
    }
}

} // namespace
} // namespace kx::catalogue
