// Creating a new book end to end, as a host drives the wizard control: from a book
// file into a book file, from a book file into a server database (converted), and
// from a server book into a server database (copied), with different retain boxes.

#include "e2e/NewBookCreation.h"

#include "pg/TestServer.h"

#include <filesystem>
#include <ostream>
#include <string>

namespace kx::e2e {
namespace {

namespace fs = std::filesystem;

struct BookFileRoute {
    bool toServer;
    RetainChoice retain;
};

/// Accounts and own reports dropped, staff and wages kept.
const RetainChoice kAccountsReportsAndWagesCleared{
    "AccountsReportsAndWagesCleared", RetainBoxes{true, false, true, true, true, false, true, false, true}};

std::string RouteName(const testing::TestParamInfo<BookFileRoute>& route) {
    return std::string(route.param.toServer ? "ToServer_" : "ToBookFile_") + route.param.retain.name;
}

void PrintTo(const BookFileRoute& route, std::ostream* os) {
    *os << (route.toServer ? "server database, " : "book file, ") << route.retain.name;
}

class NewBookFromBookFile : public NewBookCreation, public testing::WithParamInterface<BookFileRoute> {
  protected:
    void SetUp() override {
        NewBookCreation::SetUp();
        if (GetParam().toServer && !server.Available())
            GTEST_SKIP() << ado::pg::testing::kNoServerReason;
        app.WriteList({kSampleLine});
    }
};

TEST_P(NewBookFromBookFile, MakesTheBookKeepsWhatIsRetainedAndAppendsItToTheList) {
    const bool toServer = GetParam().toServer;
    const RetainBoxes boxes = GetParam().retain.Effective();
    const std::string listBefore = app.ListText();
    const std::string templateDigest = FileDigest(app.SampleBook());
    WizardHost host(app.path());
    // A book file takes the first number when the host sets none; server books
    // get one of their own, since the server is shared by the tests of the run.
    const int bookNo = toServer ? server.FreeBookNumber() : 1;
    if (toServer)
        host.wiz.SetBookNo(QString::number(bookNo));

    ASSERT_NO_FATAL_FAILURE(Create(host, 0, GetParam().retain, toServer));
    ExpectCompleted(host);

    BookContents templateBook(app.SampleBook());
    const auto templateRows = templateBook.RowCounts();
    std::string line;
    if (toServer) {
        const std::string database = BookDatabaseName(bookNo);
        EXPECT_EQ(host.wiz.BookFile().toStdString(), database);
        ASSERT_TRUE(server.Exists(database));
        EXPECT_TRUE(box.shown.empty()) << box.shown.front().text;
        BookContents created(database, server.Server(), server.User(), server.Password());
        ExpectClearedAsRetained(created, templateRows, boxes);
        ExpectReportRowsAsRetained(created, templateBook, boxes);
        ExpectBookInformation(created, templateBook);
        line = NewListLine(server.Location(), database);
    } else {
        const fs::path file = app.Data() / "kxAcc000001.MDE";
        EXPECT_EQ(host.wiz.BookFile().toStdString(), file.string());
        ASSERT_TRUE(fs::is_regular_file(file));
        BookContents created(file);
        ExpectClearedAsRetained(created, templateRows, boxes);
        ExpectReportRowsAsRetained(created, templateBook, boxes);
        ExpectBookInformation(created, templateBook);
        line = NewListLine(app.Data().string(), "kxAcc000001.MDE");
    }
    EXPECT_EQ(app.ListText(), WithLineAppended(listBefore, line));
    EXPECT_EQ(FileDigest(app.SampleBook()), templateDigest) << "the template book was changed";
}

INSTANTIATE_TEST_SUITE_P(Routes, NewBookFromBookFile,
                         testing::Values(BookFileRoute{false, kStartingBoxes}, BookFileRoute{false, kNoBoxSet},
                                         BookFileRoute{false, kEveryBoxSet},
                                         BookFileRoute{false, kAccountsReportsAndWagesCleared},
                                         BookFileRoute{true, kStartingBoxes}, BookFileRoute{true, kNoBoxSet},
                                         BookFileRoute{true, kEveryBoxSet}),
                         RouteName);

/// A server book as the template: the sample book converted, second in the list.
class NewBookFromServerBook : public NewBookCreation {
  protected:
    void SetUp() override {
        NewBookCreation::SetUp();
        if (!server.Available())
            GTEST_SKIP() << ado::pg::testing::kNoServerReason;
        templateDatabase = server.NewDatabaseName();
        ASSERT_TRUE(server.Convert(app.SampleBook(), templateDatabase));
        app.WriteList({kSampleLine, "服务器样本账簿\t" + server.Location() + "\t" + templateDatabase +
                                        "\t××××有限公司\t(未知)\t0\t\t"});
    }
    std::string templateDatabase;
};

// One template serves every retain choice: converting it is the slow part.
TEST_F(NewBookFromServerBook, CopiesTheTemplateOnItsServerAndKeepsWhatEachRetainChoiceSays) {
    BookContents templateBook(templateDatabase, server.Server(), server.User(), server.Password());
    const auto templateRows = templateBook.RowCounts();
    for (const RetainChoice& retain : {kStartingBoxes, kNoBoxSet, kEveryBoxSet}) {
        SCOPED_TRACE(retain.name);
        const std::string listBefore = app.ListText();
        WizardHost host(app.path());
        const int bookNo = server.FreeBookNumber();
        host.wiz.SetBookNo(QString::number(bookNo));

        // The selection of a server book ticks "SQL" and fills in its server.
        ASSERT_NO_FATAL_FAILURE(Create(host, 1, retain, false));
        ExpectCompleted(host);

        const std::string database = BookDatabaseName(bookNo);
        EXPECT_EQ(host.wiz.BookFile().toStdString(), database);
        ASSERT_TRUE(server.Exists(database));
        BookContents created(database, server.Server(), server.User(), server.Password());
        ExpectClearedAsRetained(created, templateRows, retain.Effective());
        ExpectReportRowsAsRetained(created, templateBook, retain.Effective());
        ExpectBookInformation(created, templateBook);
        // Made with the template's own login, which the list line then names.
        EXPECT_EQ(app.ListText(), WithLineAppended(listBefore, NewListLine(server.Location(), database)));
        EXPECT_EQ(templateBook.RowCounts(), templateRows) << "the template book was changed";
    }
}

} // namespace
} // namespace kx::e2e
