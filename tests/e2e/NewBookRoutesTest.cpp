// Creating a new book end to end, as a host drives the wizard control: from a book
// file, a template archive (".WAK") or a server book, into a book file or a server
// database, with different retain boxes, and past names that are taken already.

#include "e2e/NewBookCreation.h"

#include "newbook/ZipBuilder.h"
#include "platform/AnsiTextFile.h"

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace kx::e2e {
namespace {

namespace fs = std::filesystem;

enum class Template { SampleFile, Archive, ServerBook };

struct Route {
    const char* name;
    Template from;
    bool toServer;
    RetainChoice retain;
    /// How many of the names the new book would get are someone else's already:
    /// the book takes the next counter, "(n)" for a file and "_n" for a database.
    int taken;
};

void PrintTo(const Route& route, std::ostream* os) { *os << route.name; }

class NewBookRoute : public NewBookCreation, public testing::WithParamInterface<Route> {};

TEST_P(NewBookRoute, MakesTheBookKeepsWhatIsRetainedAndAppendsItToTheList) {
    const Route& route = GetParam();
    const bool sqlBook = route.toServer || route.from == Template::ServerBook;
    if (sqlBook && !server.Available())
        GTEST_SKIP() << ado::pg::testing::kNoServerReason;
    std::vector<std::string> list{kSampleLine};
    fs::path templateFile = app.SampleBook();
    std::string templateDatabase;
    if (route.from == Template::ServerBook) {
        std::string line;
        std::tie(templateDatabase, line) = ServerTemplate();
        list.push_back(line);
    } else if (route.from == Template::Archive) {
        // The archived book differs from the sample, so the new book shows which one it was made from.
        templateFile = app.path() / "archived.mde";
        fs::copy_file(app.SampleBook(), templateFile);
        BookContents(templateFile).Run("Delete From kxFaDeprec Where DeprecID > 7");
        ASSERT_NE(BookContents(templateFile).Count("kxFaDeprec"), BookContents(app.SampleBook()).Count("kxFaDeprec"));
        newbook::test::ZipBuilder().File("kxBlank.mde", platform::ReadWholeFile(templateFile)).WriteTo(app.Data() / "空白模板.WAK");
    }
    app.WriteList(list);
    const std::string listBefore = app.ListText();
    const std::string templateDigest = FileDigest(app.SampleBook());
    WizardHost host(app.path());
    // A book file takes the first number when the host sets none; server books get
    // one of their own, since the server is shared by the tests of the run.
    const int bookNo = sqlBook ? server.FreeBookNumber() : 1;
    if (sqlBook)
        host.wiz.SetBookNo(QString::number(bookNo));
    const auto nameWithCounter = [&](int n) {
        if (sqlBook)
            return BookDatabaseName(bookNo) + (n == 0 ? "" : "_" + std::to_string(n));
        return (app.Data() / ("kxAcc000001" + (n == 0 ? "" : "(" + std::to_string(n) + ")") + ".MDE")).string();
    };
    const auto open = [&](const std::string& book) { return std::make_unique<BookContents>(book, sqlBook ? &server : nullptr); };
    for (int n = 0; n < route.taken; ++n)
        if (sqlBook)
            server.CreateDatabase(nameWithCounter(n), {"Create Table marker (id int)", "Insert Into marker (id) Values (7)"});
        else
            platform::WriteFileAtomically(nameWithCounter(n), "another book");

    ASSERT_NO_FATAL_FAILURE(WalkToNewBookPage(host, route.from == Template::Archive      ? kFirstArchiveRow
                                                    : route.from == Template::ServerBook ? 1
                                                                                         : 0,
                                              route.retain, route.toServer));
    // A host checks the operator before it lets the user on to the last page.
    ASSERT_TRUE(host.wiz.PasswordOK());
    host.wiz.SetStep(4);

    ExpectCompleted(host);
    EXPECT_TRUE(box.shown.empty()) << box.shown.front().text;
    const std::string made = nameWithCounter(route.taken);
    EXPECT_EQ(host.wiz.BookFile().toStdString(), made);
    for (int n = 0; n < route.taken; ++n)
        if (sqlBook)
            EXPECT_EQ(open(nameWithCounter(n))->RowCounts(), (std::map<std::string, long>{{"marker", 1}}));
        else
            EXPECT_EQ(platform::ReadWholeFile(nameWithCounter(n)), "another book");
    const auto templateBook = templateDatabase.empty() ? std::make_unique<BookContents>(templateFile) : open(templateDatabase);
    ExpectBook(*open(made), *templateBook, route.retain.value_or(kAllRetained));
    if (sqlBook) {
        // The shrink batch ran exactly once: every table of the new database was vacuumed once.
        const auto book = open(made);
        EXPECT_GT(book->Count("pg_stat_user_tables", "vacuum_count = 1"), 0);
        EXPECT_EQ(book->Count("pg_stat_user_tables", "vacuum_count <> 1"), 0);
    }
    // Made with the template's own login, which the list line then names.
    EXPECT_EQ(app.ListText(), WithLineAppended(listBefore, sqlBook ? NewListLine(server.Location(), made)
                                                                   : NewListLine(app.Data().string(), fs::path(made).filename().string())));
    EXPECT_EQ(FileDigest(app.SampleBook()), templateDigest) << "the template book was changed";
}

INSTANTIATE_TEST_SUITE_P(
    Routes, NewBookRoute,
    testing::Values(Route{"BookFile_StartingBoxes", Template::SampleFile, false, kStartingBoxes, 0},
                    Route{"BookFile_NoBoxSet_TwoNamesTaken", Template::SampleFile, false, kNoBoxSet, 2},
                    Route{"BookFile_MixedBoxes", Template::SampleFile, false, kMixedBoxes, 0},
                    Route{"Archive_StartingBoxes", Template::Archive, false, kStartingBoxes, 0},
                    Route{"BookFileToServer_OtherMixedBoxes_TwoNamesTaken", Template::SampleFile, true, kOtherMixedBoxes, 2},
                    Route{"ServerBook_MixedBoxes", Template::ServerBook, false, kMixedBoxes, 0}),
    [](const testing::TestParamInfo<Route>& route) { return std::string(route.param.name); });

} // namespace
} // namespace kx::e2e
