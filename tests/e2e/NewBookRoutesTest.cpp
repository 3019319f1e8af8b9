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

struct Route {
    /// The template is the sample book (0) or that book converted to the server (1).
    int templateId;
    bool toServer;
    RetainChoice retain;
};

void PrintTo(const Route& route, std::ostream* os) {
    *os << route.templateId << route.toServer << route.retain.name;
}

class NewBookRoute : public NewBookCreation, public testing::WithParamInterface<Route> {};

TEST_P(NewBookRoute, MakesTheBookKeepsWhatIsRetainedAndAppendsItToTheList) {
    const Route& route = GetParam();
    const bool sqlBook = route.toServer || route.templateId == 1;
    if (sqlBook && !server.Available())
        GTEST_SKIP() << ado::pg::testing::kNoServerReason;
    std::string templateDatabase;
    if (route.templateId == 1) {
        templateDatabase = server.NewDatabaseName();
        ASSERT_TRUE(server.Convert(app.SampleBook(), templateDatabase));
    }
    if (route.templateId == 1)
        app.WriteList({kSampleLine, "服务器样本账簿\t" + server.Location() + "\t" + templateDatabase +
                                        "\t××××有限公司\t(未知)\t0\t\t"});
    else
        app.WriteList({kSampleLine});
    const std::string listBefore = app.ListText();
    const std::string templateDigest = FileDigest(app.SampleBook());
    WizardHost host(app.path());
    // A book file takes the first number when the host sets none; server books get
    // one of their own, since the server is shared by the tests of the run. The
    // selection of a server book ticks "SQL" and fills in its server.
    const int bookNo = sqlBook ? server.FreeBookNumber() : 1;
    if (sqlBook)
        host.wiz.SetBookNo(QString::number(bookNo));

    ASSERT_NO_FATAL_FAILURE(Create(host, route.templateId, route.retain, route.toServer));
    ExpectCompleted(host);
    EXPECT_TRUE(box.shown.empty()) << box.shown.front().text;

    auto templateBook = route.templateId == 1
                            ? std::make_unique<BookContents>(templateDatabase, server.Server(), server.User(),
                                                             server.Password())
                            : std::make_unique<BookContents>(app.SampleBook());
    const std::string database = BookDatabaseName(bookNo);
    const fs::path file = app.Data() / "kxAcc000001.MDE";
    EXPECT_EQ(host.wiz.BookFile().toStdString(), sqlBook ? database : file.string());
    ASSERT_TRUE(sqlBook ? server.Exists(database) : fs::is_regular_file(file));
    auto created = sqlBook ? std::make_unique<BookContents>(database, server.Server(), server.User(), server.Password())
                           : std::make_unique<BookContents>(file);
    ExpectClearedAsRetained(*created, *templateBook, route.retain.Effective());
    ExpectBookInformation(*created, *templateBook);
    // Made with the template's own login, which the list line then names.
    EXPECT_EQ(app.ListText(), WithLineAppended(listBefore, sqlBook ? NewListLine(server.Location(), database)
                                                                   : NewListLine(app.Data().string(), file.filename().string())));
    EXPECT_EQ(FileDigest(app.SampleBook()), templateDigest) << "the template book was changed";
}

INSTANTIATE_TEST_SUITE_P(Routes, NewBookRoute,
                         testing::Values(Route{0, false, kStartingBoxes}, Route{0, false, kNoBoxSet},
                                         Route{0, false, kMixedBoxes}, Route{0, true, kMixedBoxes},
                                         Route{1, false, kMixedBoxes}),
                         [](const testing::TestParamInfo<Route>& route) {
                             return std::string(route.param.templateId == 1 ? "ServerBook"
                                                : route.param.toServer ? "BookFileToServer"
                                                                       : "BookFile") +
                                    "_" + route.param.retain.name;
                         });

} // namespace
} // namespace kx::e2e
