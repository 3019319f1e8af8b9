// `ledgerwiz` run as its own process, as a user types it.

#include "e2e/ProgramRun.h"
#include "pg/TestServer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace kx::app {
namespace {

std::string SourceFile(const std::string& name) {
    std::ifstream in(std::string(KX_SOURCE_DIR) + "/" + name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

/// The variables that a display and a desktop session set: none of the commands
/// without a window may need them.
const e2e::Environment kNoSession{
    {"XDG_RUNTIME_DIR", ""}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}};

TEST(Readme, TheMainJobRunsByHandAsPrintedAndAsTheScriptRunsIt) {
    const std::string readme = SourceFile("README.md");
    const std::size_t section = readme.find("## The main job");
    const std::size_t begin = readme.find("```sh\n", section);
    const std::size_t end = readme.find("```", begin + 6);
    ASSERT_TRUE(section != std::string::npos && begin != std::string::npos && end != std::string::npos);
    std::string commands = readme.substr(begin + 6, end - begin - 6);
    // The script runs the same creation, through its own name of the program.
    std::smatch create;
    ASSERT_TRUE(std::regex_search(commands, create, std::regex("build-release/app/ledgerwiz (create [^\n]*\\\\\n[^\n]*)")));
    EXPECT_NE(SourceFile("scripts/run-main.sh").find("\"$ledgerwiz\" " + create.str(1)), std::string::npos)
        << create.str(1);

    const test::TempFolder temporary; // where mktemp makes the application folder
    commands = std::regex_replace(commands, std::regex("build-release/app/ledgerwiz"), KX_LEDGERWIZ);
    e2e::Environment environment = kNoSession;
    environment.emplace_back("TMPDIR", temporary.str());
    const e2e::Finished run = e2e::ProgramRun("/bin/bash", {"-euc", commands}, environment).Wait();
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(std::regex_search(run.out, std::regex("\n1 +[0-9]{4}年新账簿 +文件 "))) << run.out;
    EXPECT_EQ(run.err.find("XDG_RUNTIME_DIR"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("QStandardPaths"), std::string::npos) << run.err;
}

TEST(LedgerwizProgram, ACommandLineThatIsNotUnderstoodNamesWhatIsWrong) {
    const test::TempFolder app;
    const std::vector<std::string> create{"create", "--app", app.str(), "--template", "0", "--operator", "主管",
                                          "--name", "新账簿", "--company", "某某有限公司"};
    const auto with = [](std::vector<std::string> args, const std::vector<std::string>& more) {
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const struct {
        std::vector<std::string> args;
        std::string firstLine;
    } cases[] = {
        {with(create, {"--month", "2027-01"}), "create needs --password (--password \"\" for none)"},
        {{"convert", "a.mde", "--server", "dbhost", "--database", "kxAcc1"},
         "convert needs --user, --password (--password \"\" for none)"},
        {{"sql", "--server", "dbhost", "--user", "sa", "Select 1"},
         "sql --server needs --password (--password \"\" for none)"},
        {{"sql", "--server", "/run/pg:0", "--user", "sa", "--password", "", "Select 1"},
         "--server: the Data Source \"/run/pg,0\" names no valid port (1 to 65535)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.firstLine);
        const e2e::Finished run = e2e::ProgramRun(KX_LEDGERWIZ, c.args, kNoSession).Wait();
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "ledgerwiz: " + c.firstLine);
        EXPECT_EQ(run.out, "");
    }
}

TEST(LedgerwizProgram, ASocketFoldersPortFollowsAColon) {
    const auto settings = ado::pg::testing::TestServerSettings("postgres");
    if (!settings || settings->host.empty() || settings->host.front() != '/')
        GTEST_SKIP() << "needs the test server on a Unix socket";
    const e2e::Finished run =
        e2e::ProgramRun(KX_LEDGERWIZ, {"sql", "--server", settings->host + ":" + settings->port, "--user",
                                       settings->user, "--password", settings->password, "Select 41 + 1 As n"},
                        kNoSession)
            .Wait();
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "n\n--\n42\n(1 行)\n");
    EXPECT_EQ(run.err, "") << "no display, no XDG_RUNTIME_DIR, and nothing to say about them";
}

} // namespace
} // namespace kx::app
