#include "CreateCommand.h"
#include "ServerOption.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace kx::app {
namespace {

const std::vector<std::string> kBase{"--template", "0",      "--operator", "主管",    "--password", "8888",
                                     "--name",     "新账簿", "--company",  "公司", "--month",    "2027-01"};

/// `kBase` without the option `drop` (and its value), then `more`.
std::vector<std::string> Arguments(const std::string& drop, const std::vector<std::string>& more = {}) {
    std::vector<std::string> args;
    for (std::size_t i = 0; i < kBase.size(); i += 2)
        if (kBase[i] != drop)
            args.insert(args.end(), {kBase[i], kBase[i + 1]});
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(CreateOptions, ServerLoginsThatTheBookListCouldNotReadBackAreRefused) {
    // --sql value, accepted
    const std::pair<const char*, bool> cases[] = {
        {"dbhost,sa,pw", true},          {"/run/pg:5433,sa,p:w", true}, {"dbhost,s:a,pw", false},
        {"dbhost,admin@corp,pw", false}, {"dbhost,sa,p@ss", false},     {"dbhost,sa,p|w", false},
        {"db|host,sa,pw", false},        {"dbhost,s|a,pw", false},
    };
    for (const auto& [sql, accepted] : cases) {
        SCOPED_TRACE(sql);
        CreateOptions options;
        const std::string problem = ParseCreateOptions(Arguments("", {"--sql", sql}), options);
        EXPECT_EQ(problem.empty(), accepted) << problem;
        if (!accepted) {
            EXPECT_NE(problem.find("could not read them back"), std::string::npos) << problem;
        }
    }
}

TEST(CreateOptions, WhatIsMissingOrWrongIsNamed) {
    const struct {
        std::vector<std::string> args;
        std::string problem;
    } cases[] = {
        {Arguments("--password"), "create needs --password (--password \"\" for none)"},
        {Arguments("--password", {"--password", ""}), ""},
        {Arguments("--operator"), "create needs --operator"},
        {{"--operator", "主管"}, "create needs --template, --name, --company, --month, --password (--password \"\" for none)"},
        // A template archive has no operator to check.
        {{"--template", "Templates/商业.WAK", "--name", "新账簿", "--company", "公司", "--month", "2027-01"}, ""},
        {Arguments("--month", {"--month", "2027-13"}), "--month 2027-13 names no month: the month is 01 to 12"},
        {Arguments("--month", {"--month", "2027-00"}), "--month 2027-00 names no month: the month is 01 to 12"},
        {Arguments("--month", {"--month", "1899-12"}), "--month 1899-12: the year is 1900 to 3000"},
        {Arguments("--month", {"--month", "2027/01"}), "--month takes YYYY-MM, not 2027/01"},
        {Arguments("", {"--sql", "dbhost:0,sa,pw"}),
         "--sql: the Data Source \"dbhost:0\" names no valid port (1 to 65535)"},
        {Arguments("", {"--sql", "/run/pg:70000,sa,pw"}),
         "--sql: the Data Source \"/run/pg,70000\" names no valid port (1 to 65535)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        CreateOptions options;
        EXPECT_EQ(ParseCreateOptions(c.args, options), c.problem);
    }
}

TEST(ServerOption, ASocketFoldersPortMayFollowAColonAndIsKeptAfterAComma) {
    const std::pair<const char*, const char*> cases[] = {
        {"dbhost", "dbhost"},
        {"dbhost:5433", "dbhost:5433"},
        {"dbhost,5433", "dbhost,5433"},
        {"/run/postgresql", "/run/postgresql"},
        {"/run/postgresql:5433", "/run/postgresql,5433"},
        {"/run/postgresql,5433", "/run/postgresql,5433"},
        // A colon that is no port's stays part of the folder.
        {"/run/pg:a", "/run/pg:a"},
        {"[::1]:5433", "[::1]:5433"},
    };
    for (const auto& [text, server] : cases) {
        EXPECT_EQ(ServerOption(text), server) << text;
    }
    for (const char* wrong : {"dbhost:0", "/run/pg:65536", "/run/pg,x", "dbhost\\INSTANCE"})
        EXPECT_THROW(ServerOption(wrong), std::invalid_argument) << wrong;
    // What --sql was given reaches the creation as the connection takes it.
    CreateOptions options;
    ASSERT_EQ(ParseCreateOptions(Arguments("", {"--sql", "/run/pg:5433,sa,p:w"}), options), "");
    EXPECT_EQ(options.server, "/run/pg,5433");
    EXPECT_EQ(options.user, "sa");
    EXPECT_EQ(options.password, "p:w");
}

} // namespace
} // namespace kx::app
