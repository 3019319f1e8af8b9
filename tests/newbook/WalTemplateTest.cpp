// A template that another program keeps in write-ahead-log mode is only read: the
// operator check and the copy leave the template and its log byte for byte as they
// were, and the new book holds what the log holds.

#include "newbook/NewBookDatabase.h"
#include "newbook/OperatorCheck.h"

#include "BookDump.h"
#include "SampleBookCopy.h"
#include "ado/jet/BookFile.h"
#include "database/CreateCnn.h"
#include "e2e/ServerBooks.h"
#include "platform/AnsiTextFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>

namespace kx::newbook {
namespace {

namespace fs = std::filesystem;

/// The sample book as `folder`/kxWal.mde, caught while a writer in write-ahead-log
/// mode had put an operator 'WAL主管' (password "31", right VCH_LOOK) into the log
/// only: the file and its log as a writer leaves them when it stops without
/// checkpointing.
fs::path WalTemplate(const test::TempFolder& folder) {
    const test::SampleBookCopy sample;
    const fs::path file = folder.path() / "kxWal.mde";
    {
        ado::jet::OpenedBookFile writer =
            ado::jet::OpenBookFile(sample.str(), database::kBookDatabasePassword, false);
        {
            ado::jet::SqliteStatement mode = writer.database.Prepare("PRAGMA journal_mode = WAL");
            EXPECT_TRUE(mode.Step());
            EXPECT_EQ(mode.ColumnValue(0).ToString(), "wal");
        }
        writer.database.Run("PRAGMA wal_autocheckpoint = 0");
        writer.database.Run("INSERT INTO kxOperator (opID, opName, OpPwd) VALUES (31, 'WAL主管', '31')");
        writer.database.Run("INSERT INTO kxOpRight (RightID, opID, RightCode) VALUES (131, 31, 'VCH_LOOK')");
        fs::copy_file(sample.path(), file);
        fs::copy_file(sample.str() + "-wal", file.string() + "-wal");
    }
    return file;
}

TEST(WalTemplate, TheCheckAndTheCopyOnlyReadTheTemplateAndTheCopyHoldsTheLog) {
    const struct {
        const char* name;
        std::function<void(const fs::path& templateFile, const test::TempFolder& app)> use;
    } cases[] = {
        {"operator check",
         [](const fs::path& templateFile, const test::TempFolder&) {
             EXPECT_TRUE(OperatorMayOpenTemplate(templateFile.string(), "WAL主管", "31", ""));
             EXPECT_FALSE(OperatorMayOpenTemplate(templateFile.string(), "WAL主管", "32", ""));
         }},
        {"new book",
         [](const fs::path& templateFile, const test::TempFolder& app) {
             NewBookDatabaseRequest request;
             request.templateFile = templateFile.string();
             request.bookNo = "1";
             request.appPath = app.str();
             std::string bookFile;
             ASSERT_TRUE(MakeNewBookDatabase(request, bookFile));
             const auto copied = test::BookDump(bookFile);
             EXPECT_EQ(copied, test::BookDump(templateFile));
             ASSERT_TRUE(copied.count("kxOperator"));
             const auto& operators = copied.at("kxOperator");
             EXPECT_TRUE(std::any_of(operators.begin(), operators.end(),
                                     [](const std::string& row) { return row.starts_with("31|WAL主管|31"); }));
             // The new book holds everything in its one file.
             EXPECT_FALSE(fs::exists(bookFile + "-wal"));
             ado::jet::OpenedBookFile book =
                 ado::jet::OpenBookFile(bookFile, database::kBookDatabasePassword, true);
             ado::jet::SqliteStatement mode = book.database.Prepare("PRAGMA journal_mode");
             ASSERT_TRUE(mode.Step());
             EXPECT_EQ(mode.ColumnValue(0).ToString(), "delete");
         }},
        {"server book",
         [](const fs::path& templateFile, const test::TempFolder&) {
             e2e::ServerBooks server;
             if (!server.Available())
                 return; // the server's part is left to a run with a server
             const std::string database = server.ConvertedBook(templateFile.string());
             ado::Connection sql;
             database::CreateCnn(sql, database, server.Server(), server.User(), server.Password());
             sql.Open({}, {}, {}, -1);
             EXPECT_EQ(sql.Execute("Select OpPwd From kxOperator Where opID = 31")->Item(0).Value().ToString(),
                       "31");
             sql.Close();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const test::TempFolder folder;
        const test::TempFolder app;
        fs::create_directories(app.path() / "Data");
        const fs::path templateFile = WalTemplate(folder);
        const std::string log = templateFile.string() + "-wal";
        const std::string bytes = platform::ReadWholeFile(templateFile);
        const std::string logBytes = platform::ReadWholeFile(log);
        ASSERT_FALSE(logBytes.empty());
        c.use(templateFile, app);
        ASSERT_TRUE(fs::exists(log));
        EXPECT_TRUE(platform::ReadWholeFile(templateFile) == bytes);
        EXPECT_TRUE(platform::ReadWholeFile(log) == logBytes);
    }
}

} // namespace
} // namespace kx::newbook
