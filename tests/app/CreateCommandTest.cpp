#include "CreateCommand.h"

#include "SampleBookCopy.h"
#include "TempFolder.h"
#include "platform/AnsiTextFile.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace kx::app {
namespace {

class CreateCommandTest : public ::testing::Test {
  protected:
    int Run(const std::string& templateChoice, const std::string& password,
            const std::vector<std::string>& more = {}) {
        std::vector<std::string> args{"--app",  app.str(), "--template", templateChoice, "--operator", "主管",
                                      "--password", password, "--name", "新账簿", "--company", "某某有限公司",
                                      "--month", "2027-01"};
        args.insert(args.end(), more.begin(), more.end());
        CreateOptions options;
        const std::string problem = ParseCreateOptions(args, options);
        EXPECT_EQ(problem, "");
        out.str("");
        err.str("");
        return RunCreateCommand(options, out, err);
    }
    std::string ListText() const { return platform::ReadAnsiTextFile(app.path() / "books.txt"); }

    test::TempFolder app;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(CreateCommandTest, ABookFileThatTheListDoesNotHoldIsATemplateByItsPath) {
    const test::SampleBookCopy outside;
    // The list is made with the sample book only.
    const struct {
        const char* name;
        std::string path, password;
        int status;
        std::string message;
    } cases[] = {
        {"WrongPassword", outside.str(), "0000", 1, "操作员“主管”不能打开模板账簿：名称或密码不对，或没有查看凭证的权限。\n"},
        {"NoSuchFile", outside.str() + ".none", "8888", 1, "找不到模板账簿文件：" + outside.str() + ".none\n"},
        {"NotABook", (app.path() / "books.txt").string(), "8888", 1, "操作员“主管”不能打开模板账簿"},
        {"Taken", outside.str(), "8888", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int status = Run(c.path, c.password);
        EXPECT_EQ(status, c.status) << err.str();
        if (c.status != 0) {
            EXPECT_EQ(err.str().rfind(c.message, 0), 0U) << err.str();
            EXPECT_EQ(out.str(), "");
            EXPECT_EQ(ListText().find("新账簿"), std::string::npos);
        }
    }
    const std::string book = (app.path() / "Data" / "kxAcc000001.MDE").string();
    EXPECT_EQ(out.str(), "已创建新账簿：\n    账簿名称：新账簿\n    单位名称：某某有限公司\n    财务主管：\n"
                         "    建账日期：2027年01月\n数据库：" +
                             book + "\n");
    EXPECT_NE(ListText().find("新账簿\t" + (app.path() / "Data").string() + "\tkxAcc000001.MDE\t某某有限公司\t"),
              std::string::npos)
        << ListText();
}

TEST_F(CreateCommandTest, AFailureIsPrintedOnALineOfItsOwnAndNoEmptySummaryFollows) {
    // The conversion's box comes while the bar is drawn.
    EXPECT_EQ(Run("0", "8888", {"--sql", "/nonexistent-socket,sa,x"}), 1);
    EXPECT_EQ(out.str(), "");
    const std::string text = err.str();
    EXPECT_NE(text.find("5%\n从Access数据库恢复数据：创建数据库kxAcc000001失败。\n"), std::string::npos) << text;
    EXPECT_TRUE(std::regex_search(text, std::regex("\n创建Sql数据库时错误（转换Access数据库失败）\n$"))) << text;
    // Every drawing of the bar ends with its percentage, never glued to a message.
    EXPECT_FALSE(std::regex_search(text, std::regex("%[^\r\n]"))) << text;
    EXPECT_EQ(text.find("\n\n"), std::string::npos) << text;
}

} // namespace
} // namespace kx::app
