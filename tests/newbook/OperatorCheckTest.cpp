#include "newbook/OperatorCheck.h"

#include "SampleBookCopy.h"
#include "ado/Connection.h"
#include "ado/ProviderRegistry.h"
#include "database/CreateCnn.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <string>

namespace kx::newbook {
namespace {

struct CheckCase {
    const char* name;
    const char* operatorName;
    const char* password;
    bool expected;
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }
std::string CaseName(const testing::TestParamInfo<CheckCase>& c) { return c.param.name; }

// ---------------------------------------------------------------- book files

/// A copy of the sample book with two more operators that hold VCH_LOOK: one
/// with letters in the password and one whose name holds a quote.
class BookFileOperators {
  public:
    BookFileOperators() {
        ado::Connection cnn;
        database::CreateCnn(cnn, book_.str(), "", "", database::kBookPasswordPlaceholder);
        cnn.Open();
        cnn.Execute("INSERT INTO kxOperator (opID, opName, OpPwd) VALUES (21, 'Mixed', 'AbC')");
        cnn.Execute("INSERT INTO kxOperator (opID, opName, OpPwd) VALUES (22, 'O''Brien', 'q')");
        cnn.Execute("INSERT INTO kxOpRight (RightID, opID, RightCode) VALUES (121, 21, 'VCH_LOOK')");
        cnn.Execute("INSERT INTO kxOpRight (RightID, opID, RightCode) VALUES (122, 22, 'VCH_LOOK')");
        cnn.Close();
    }
    std::string File() const { return book_.str(); }

  private:
    kx::test::SampleBookCopy book_;
};

const BookFileOperators& SharedBook() {
    static const BookFileOperators book;
    return book;
}

class BookFileCheckTest : public testing::TestWithParam<CheckCase> {};

TEST_P(BookFileCheckTest, AnswersWhetherTheOperatorMayOpenTheBook) {
    EXPECT_EQ(OperatorMayOpenTemplate(SharedBook().File(), GetParam().operatorName, GetParam().password, ""),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(SampleBook, BookFileCheckTest,
                         testing::Values(CheckCase{"SupervisorWithRight", "主管", "8888", true},
                                         CheckCase{"CashierLacksTheRight", "出纳", "6666", false},
                                         CheckCase{"WrongPassword", "主管", "8889", false},
                                         CheckCase{"SurroundingSpacesIgnored", "  主管 ", " 8888  ", true},
                                         CheckCase{"InnerSpaceCounts", "主管", "88 88", false},
                                         CheckCase{"PasswordLetterCase", "Mixed", "AbC", true},
                                         CheckCase{"WrongLetterCase", "Mixed", "abc", false},
                                         CheckCase{"QuoteInNameIsJustACharacter", "O'Brien", "q", true},
                                         CheckCase{"InjectionInName", "x' OR '1'='1", "8888", false},
                                         CheckCase{"InjectionClosingTheStatement", "主管' --", "8888", false},
                                         CheckCase{"InjectionInPassword", "主管", "' OR '1'='1", false},
                                         CheckCase{"UnknownOperator", "无此人", "8888", false},
                                         CheckCase{"EmptyName", "", "", false}),
                         CaseName);

TEST(BookFileCheck, UnopenableRelativeAndArchiveTemplates) {
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
    for (const char* location : {"/nowhere/T.WAK", "/nowhere/t.wak", "/nowhere/t.wAk", "/nowhere/tWAK"})
        EXPECT_TRUE(OperatorMayOpenTemplate(location, "", "", "")) << location;
    EXPECT_FALSE(OperatorMayOpenTemplate("/nowhere/t.WSK", "", "", ""));
}

// ---------------------------------------------------------------- server books

/// A server book with its own database on the throwaway test server.
class ServerBook {
  public:
    static std::string SkipReason() {
        if (std::getenv("KX_PG_HOST") == nullptr)
            return "KX_PG_HOST is not set: run under scripts/pg-test-server.sh run DIR -- ctest ...";
        if (!ado::IsProviderRegistered("SQLOLEDB.1"))
            return "the server provider SQLOLEDB.1 is not built in";
        return {};
    }

    ServerBook() {
        static std::atomic<int> counter{0};
        database_ = "kxtest_wiz_" + std::to_string(::getpid()) + "_" + std::to_string(++counter);
        ado::Connection cnn;
        database::CreateCnn(cnn, "", Server(), Env("KX_PG_USER"), Env("KX_PG_PASSWORD"));
        cnn.Open();
        cnn.Execute("Create Database " + database_);
        cnn.Execute("Use " + database_);
        cnn.Execute("CREATE TABLE kxOperator ([opID] [int] IDENTITY (1, 1) NOT NULL,"
                    "[opName] [nvarchar] (20) COLLATE Chinese_PRC_CI_AS NULL,"
                    "[OpPwd] [nvarchar] (20) COLLATE Chinese_PRC_CI_AS NULL) ON [PRIMARY] ");
        cnn.Execute("INSERT INTO kxOperator (opName, OpPwd) VALUES ('主管', 'Abc8888')");
        cnn.Execute("INSERT INTO kxOperator (opName, OpPwd) VALUES ('无密码', NULL)");
        cnn.Execute("INSERT INTO kxOperator (opName, OpPwd) VALUES ('留空格', ' 77 ')");
        cnn.Execute("INSERT INTO kxOperator (opName, OpPwd) VALUES ('O''Brien', 'q')");
        cnn.Close();
    }

    static std::string Env(const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr ? value : "";
    }
    /// The server in the provider's Data Source form: the socket folder, "," and the port.
    static std::string Server() {
        const std::string port = Env("KX_PG_PORT");
        return Env("KX_PG_HOST") + (port.empty() ? "" : "," + port);
    }
    /// The SQL location string "user:password@server|database".
    std::string Location(const std::string& database = {}, const std::string& password = {}) const {
        return Env("KX_PG_USER") + ":" + (password.empty() ? Env("KX_PG_PASSWORD") : password) + "@" +
               Server() + "|" + (database.empty() ? database_ : database);
    }

  private:
    std::string database_;
};

const ServerBook& SharedServerBook() {
    static const ServerBook book;
    return book;
}

class ServerCheckTest : public testing::TestWithParam<CheckCase> {
  protected:
    void SetUp() override {
        if (const std::string reason = ServerBook::SkipReason(); !reason.empty())
            GTEST_SKIP() << reason;
    }
};

TEST_P(ServerCheckTest, AnswersWhetherTheStoredPasswordMatches) {
    EXPECT_EQ(OperatorMayOpenTemplate(SharedServerBook().Location(), GetParam().operatorName,
                                      GetParam().password, ""),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    ServerBook, ServerCheckTest,
    testing::Values(CheckCase{"RightPassword", "主管", "Abc8888", true},
                    CheckCase{"WrongLetterCase", "主管", "abc8888", false},
                    CheckCase{"TypedSpacesIgnored", " 主管 ", "  Abc8888 ", true},
                    CheckCase{"StoredSpacesIgnored", "留空格", "77", true},
                    CheckCase{"NullPasswordIsEmpty", "无密码", "", true},
                    CheckCase{"NullPasswordIsNotAnyText", "无密码", "x", false},
                    CheckCase{"QuoteInNameIsJustACharacter", "O'Brien", "q", true},
                    CheckCase{"InjectionInName", "x' OR '1'='1", "", false},
                    CheckCase{"InjectionWithKnownPassword", "x' OR opName='主管", "Abc8888", false},
                    CheckCase{"UnknownOperator", "无此人", "", false}, CheckCase{"EmptyName", "", "", false}),
    CaseName);

TEST(ServerCheckFailure, UnreachableServerDatabaseOrLoginGivesFalse) {
    kx::test::TempFolder nowhere;
    EXPECT_FALSE(OperatorMayOpenTemplate("sa:pw@" + nowhere.str() + ",1|kx", "主管", "8888", ""));
    if (const std::string reason = ServerBook::SkipReason(); !reason.empty())
        GTEST_SKIP() << reason;
    const ServerBook& book = SharedServerBook();
    EXPECT_FALSE(OperatorMayOpenTemplate(book.Location("kxtest_no_such_book"), "主管", "Abc8888", ""));
    EXPECT_FALSE(OperatorMayOpenTemplate(book.Location({}, "wrong-password"), "主管", "Abc8888", ""));
    EXPECT_THROW(CheckSqlOperator(book.Location("kxtest_no_such_book"), "主管", "Abc8888"), std::exception);
    // A location with an at sign is checked on the server whatever its ending.
    EXPECT_FALSE(OperatorMayOpenTemplate(book.Location("book.WAK"), "主管", "Abc8888", ""));
}

} // namespace
} // namespace kx::newbook
