#include "newbook/OperatorCheck.h"

#include "SampleBookCopy.h"
#include "ado/Connection.h"
#include "database/CreateCnn.h"
#include "e2e/ServerBooks.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace kx::newbook {
namespace {

/// A copy of the sample book with two more operators that hold VCH_LOOK: one
/// with letters in the password and one whose name holds a quote.
const std::string& BookFile() {
    static const kx::test::SampleBookCopy book;
    static const std::string file = [] {
        ado::Connection cnn;
        database::CreateCnn(cnn, book.str(), "", "", database::kBookPasswordPlaceholder);
        cnn.Open();
        cnn.Execute("INSERT INTO kxOperator (opID, opName, OpPwd) VALUES (21, 'Mixed', 'AbC')");
        cnn.Execute("INSERT INTO kxOperator (opID, opName, OpPwd) VALUES (22, 'O''Brien', 'q')");
        cnn.Execute("INSERT INTO kxOpRight (RightID, opID, RightCode) VALUES (121, 21, 'VCH_LOOK')");
        cnn.Execute("INSERT INTO kxOpRight (RightID, opID, RightCode) VALUES (122, 22, 'VCH_LOOK')");
        cnn.Close();
        return book.str();
    }();
    return file;
}

/// A new server book of the test whose kxOperator holds passwords with letters,
/// spaces and none.
std::string OperatorsOnServer(e2e::ServerBooks& server) {
    const std::string database = server.NewDatabaseName();
    server.CreateDatabase(database, {"CREATE TABLE kxOperator ([opID] [int] IDENTITY (1, 1) NOT NULL,"
                                     "[opName] [nvarchar] (20) NULL, [OpPwd] [nvarchar] (20) NULL)",
                                     "INSERT INTO kxOperator (opName, OpPwd) VALUES ('主管', 'Abc8888')",
                                     "INSERT INTO kxOperator (opName, OpPwd) VALUES ('无密码', NULL)",
                                     "INSERT INTO kxOperator (opName, OpPwd) VALUES ('留空格', ' 77 ')"});
    return database;
}

TEST(OperatorCheck, AnswersWhetherTheOperatorMayOpenTheTemplate) {
    const struct {
        bool serverBook;
        const char* operatorName;
        const char* password;
        bool expected;
    } cases[] = {
        {false, "主管", "8888", true},
        {false, "出纳", "6666", false}, // lacks the right
        {false, "主管", "8889", false},
        {false, "  主管 ", " 8888  ", true}, // surrounding spaces are ignored
        {false, "Mixed", "AbC", true},
        {false, "Mixed", "abc", false},
        {false, "O'Brien", "q", true},
        {false, "x' OR '1'='1", "8888", false},
        {true, "主管", "Abc8888", true},
        {true, "主管", "abc8888", false},
        {true, " 主管  ", "  Abc8888 ", true}, // surrounding spaces are ignored by the check itself
        {true, "留空格", "77", true}, // stored spaces are ignored
        {true, "无密码", "", true},   // no password is an empty one
        {true, "x' OR opName='主管", "Abc8888", false},
        {true, "", "", false},
    };
    e2e::ServerBooks server;
    std::string database;
    const auto location = [&](const std::string& password) {
        return server.User() + ":" + password + "@" + server.Server() + "|" + database;
    };
    for (const auto& c : cases) {
        if (c.serverBook && database.empty()) {
            if (!server.Available())
                GTEST_SKIP() << ado::pg::testing::kNoServerReason;
            database = OperatorsOnServer(server);
        }
        EXPECT_EQ(OperatorMayOpenTemplate(c.serverBook ? location(server.Password()) : BookFile(), c.operatorName,
                                          c.password, ""),
                  c.expected)
            << c.operatorName << " " << c.password;
        // Creation asks the server check once more, with the text as typed.
        if (c.serverBook) {
            EXPECT_EQ(CheckSqlOperator(location(server.Password()), c.operatorName, c.password), c.expected)
                << c.operatorName << " " << c.password;
        }
    }
    // A login the server refuses, a database it does not hold, and one whose name ends
    // in WAK: a location with an at sign is checked on the server whatever its ending.
    EXPECT_FALSE(OperatorMayOpenTemplate(location("wrong-password"), "主管", "Abc8888", ""));
    for (const char* missing : {"kxtest_no_such_book", "book.WAK"}) {
        database = missing;
        EXPECT_FALSE(OperatorMayOpenTemplate(location(server.Password()), "主管", "Abc8888", "")) << missing;
    }
    EXPECT_THROW(CheckSqlOperator(location(server.Password()), "主管", "Abc8888"), std::exception);
}

TEST(OperatorCheck, UnopenableRelativeAndArchiveTemplates) {
    kx::test::TempFolder folder;
    std::ofstream(folder.path() / "garbage.mde") << "not a book";
    EXPECT_FALSE(OperatorMayOpenTemplate((folder.path() / "garbage.mde").string(), "主管", "8888", ""));
    EXPECT_FALSE(OperatorMayOpenTemplate((folder.path() / "missing.mde").string(), "主管", "8888", ""));
    EXPECT_THROW(CheckAccessOperator((folder.path() / "garbage.mde").string(), "主管", "8888"), std::exception);
    // A relative book is found in the application folder.
    const auto& master = kx::test::SampleBookCopy::Master();
    EXPECT_TRUE(OperatorMayOpenTemplate(R"(..\)" + master.filename().string(), "主管", "8888",
                                        master.parent_path().string()));
    // Anything ending in WAK passes without opening a file.
    EXPECT_TRUE(OperatorMayOpenTemplate("/nowhere/t.wAk", "", "", ""));
    EXPECT_FALSE(OperatorMayOpenTemplate("/nowhere/t.WSK", "", "", ""));
    EXPECT_FALSE(OperatorMayOpenTemplate("sa:pw@" + folder.str() + ",1|kx", "主管", "8888", ""));
}

} // namespace
} // namespace kx::newbook
