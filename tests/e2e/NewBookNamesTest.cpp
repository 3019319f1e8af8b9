// The name a new book gets when its first name is taken: never someone else's
// file or database.

#include "e2e/NewBookCreation.h"

#include "platform/AnsiTextFile.h"
#include "pg/TestServer.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kx::e2e {
namespace {

namespace fs = std::filesystem;

using NewBookNames = NewBookCreation;

TEST_F(NewBookNames, ATakenBookFileNameGetsTheFirstFreeCounter) {
    app.WriteList({kSampleLine});
    const fs::path taken = app.Data() / "kxAcc000001.MDE";
    platform::WriteFileAtomically(taken, "another book");
    const std::string listBefore = app.ListText();
    WizardHost host(app.path());

    ASSERT_NO_FATAL_FAILURE(Create(host, 0, kStartingBoxes, false));

    ExpectCompleted(host);
    const fs::path made = app.Data() / "kxAcc000001(1).MDE";
    EXPECT_EQ(host.wiz.BookFile().toStdString(), made.string());
    EXPECT_EQ(platform::ReadWholeFile(taken), "another book");
    BookContents created(made);
    BookContents templateBook(app.SampleBook());
    ExpectBookInformation(created, templateBook);
    EXPECT_EQ(app.ListText(), WithLineAppended(listBefore, NewListLine(app.Data().string(), "kxAcc000001(1).MDE")));
}

TEST_F(NewBookNames, TakenDatabaseNamesGetTheFirstFreeSuffix) {
    if (!server.Available())
        GTEST_SKIP() << ado::pg::testing::kNoServerReason;
    app.WriteList({kSampleLine});
    const int bookNo = server.FreeBookNumber();
    const std::string taken = BookDatabaseName(bookNo);
    // The first name and the first suffix are taken: the counter goes on to "_2".
    for (const std::string& name : {taken, taken + "_1"})
        server.CreateDatabase(name, {"Create Table marker (id int)", "Insert Into marker (id) Values (7)"});
    const std::string listBefore = app.ListText();
    WizardHost host(app.path());
    host.wiz.SetBookNo(QString::number(bookNo));

    ASSERT_NO_FATAL_FAILURE(Create(host, 0, kStartingBoxes, true));

    ExpectCompleted(host);
    const std::string made = taken + "_2";
    EXPECT_EQ(host.wiz.BookFile().toStdString(), made);
    // The databases that held the names are as they were: their one table and row.
    for (const std::string& name : {taken, taken + "_1"}) {
        BookContents existing(name, server.Server(), server.User(), server.Password());
        EXPECT_EQ(existing.Tables().size(), 1u);
        EXPECT_EQ(existing.Count("marker", "id = 7"), 1);
    }
    BookContents created(made, server.Server(), server.User(), server.Password());
    BookContents templateBook(app.SampleBook());
    EXPECT_EQ(created.Tables().size(), templateBook.Tables().size());
    ExpectBookInformation(created, templateBook);
    EXPECT_EQ(app.ListText(), WithLineAppended(listBefore, NewListLine(server.Location(), made)));
}

} // namespace
} // namespace kx::e2e
