#include "newbook/OperatorCheck.h"

#include "SampleBookCopy.h"
#include "ado/Connection.h"
#include "ado/ProviderRegistry.h"
#include "database/CreateCnn.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace kx::newbook {
namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

/// Why the server books cannot be made, or "".
std::string ServerSkipReason() {
    if (Env("KX_PG_HOST").empty())
        return "KX_PG_HOST is not set: run under scripts/pg-test-server.sh run DIR -- ctest ...";
    return ado::IsProviderRegistered("SQLOLEDB.1") ? "" : "the server provider SQLOLEDB.1 is not built in";
}

/// The test server in the provider's Data Source form: the socket folder, "," and the port.
std::string Server() {
    return Env("KX_PG_HOST") + (Env("KX_PG_PORT").empty() ? "" : "," + Env("KX_PG_PORT"));
}

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

/// The location "user:password@server|database" of a server book on the test
/// server whose kxOperator holds passwords with letters, spaces and none; `database` and `password` replace its own.
std::string ServerBook(const std::string& database = {}, const std::string& password = {}) {
    static const std::string name = [] {
        const std::string db = "kxtest_wiz_" + std::to_string(::getpid());
        ado::Connection cnn;
        database::CreateCnn(cnn, "", Server(), Env("KX_PG_USER"), Env("KX_PG_PASSWORD"));
        cnn.Open();
        cnn.Execute("Create Database " + db);
        cnn.Execute("Use " + db);
        cnn.Execute("CREATE TABLE kxOperator ([opID] [int] IDENTITY (1, 1) NOT NULL,"
                    "[opName] [nvarchar] (20) COLLATE Chinese_PRC_CI_AS NULL,"
                    "[OpPwd] [nvarchar] (20) COLLATE Chinese_PRC_CI_AS NULL) ON [PRIMARY] ");
        cnn.Execute("INSERT INTO kxOperator (opName, OpPwd) VALUES ('主管', 'Abc8888')");
        cnn.Execute("INSERT INTO kxOperator (opName, OpPwd) VALUES ('无密码', NULL)");
        cnn.Execute("INSERT INTO kxOperator (opName, OpPwd) VALUES ('留空格', ' 77 ')");
        cnn.Close();
        return db;
    }();
    return Env("KX_PG_USER") + ":" + (password.empty() ? Env("KX_PG_PASSWORD") : password) + "@" + Server() + "|" +
           (database.empty() ? name : database);
}

struct CheckCase {
    const char* name;
    bool serverBook;
    const char* operatorName;
    const char* password;
    bool expected;
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class OperatorCheckTest : public testing::TestWithParam<CheckCase> {};

TEST_P(OperatorCheckTest, AnswersWhetherTheOperatorMayOpenTheTemplate) {
    if (GetParam().serverBook && !ServerSkipReason().empty())
        GTEST_SKIP() << ServerSkipReason();
    EXPECT_EQ(OperatorMayOpenTemplate(GetParam().serverBook ? ServerBook() : BookFile(), GetParam().operatorName,
                                      GetParam().password, ""),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, OperatorCheckTest,
    testing::Values(CheckCase{"File_SupervisorWithRight", false, "主管", "8888", true},
                    CheckCase{"File_CashierLacksTheRight", false, "出纳", "6666", false},
                    CheckCase{"File_WrongPassword", false, "主管", "8889", false},
                    CheckCase{"File_SurroundingSpacesIgnored", false, "  主管 ", " 8888  ", true},
                    CheckCase{"File_PasswordLetterCase", false, "Mixed", "AbC", true},
                    CheckCase{"File_WrongLetterCase", false, "Mixed", "abc", false},
                    CheckCase{"File_QuoteInNameIsJustACharacter", false, "O'Brien", "q", true},
                    CheckCase{"File_InjectionInName", false, "x' OR '1'='1", "8888", false},
                    CheckCase{"Server_RightPassword", true, "主管", "Abc8888", true},
                    CheckCase{"Server_WrongLetterCase", true, "主管", "abc8888", false},
                    CheckCase{"Server_StoredSpacesIgnored", true, "留空格", "77", true},
                    CheckCase{"Server_NullPasswordIsEmpty", true, "无密码", "", true},
                    CheckCase{"Server_InjectionInName", true, "x' OR '1'='1", "", false},
                    CheckCase{"Server_InjectionWithKnownPassword", true, "x' OR opName='主管", "Abc8888", false},
                    CheckCase{"Server_EmptyName", true, "", "", false}),
    [](const testing::TestParamInfo<CheckCase>& c) { return std::string(c.param.name); });

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

TEST(OperatorCheck, UnreachableServerDatabaseOrLoginGivesFalse) {
    if (!ServerSkipReason().empty())
        GTEST_SKIP() << ServerSkipReason();
    EXPECT_FALSE(OperatorMayOpenTemplate(ServerBook("kxtest_no_such_book"), "主管", "Abc8888", ""));
    EXPECT_FALSE(OperatorMayOpenTemplate(ServerBook({}, "wrong-password"), "主管", "Abc8888", ""));
    EXPECT_THROW(CheckSqlOperator(ServerBook("kxtest_no_such_book"), "主管", "Abc8888"), std::exception);
    // A location with an at sign is checked on the server whatever its ending.
    EXPECT_FALSE(OperatorMayOpenTemplate(ServerBook("book.WAK"), "主管", "Abc8888", ""));
}

} // namespace
} // namespace kx::newbook
