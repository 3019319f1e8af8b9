#include "CreateCommand.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kx::app {
namespace {

TEST(CreateOptions, ServerLoginsThatTheBookListCouldNotReadBackAreRefused) {
    const std::vector<std::string> base{"--template", "0",    "--operator", "主管",   "--name",
                                        "新账簿",     "--company", "公司", "--month", "2027-01"};
    // --sql value, accepted
    const std::pair<const char*, bool> cases[] = {
        {"dbhost,sa,pw", true},          {"/run/pg:5433,sa,p:w", true}, {"dbhost,s:a,pw", false},
        {"dbhost,admin@corp,pw", false}, {"dbhost,sa,p@ss", false},     {"dbhost,sa,p|w", false},
        {"db|host,sa,pw", false},        {"dbhost,s|a,pw", false},
    };
    for (const auto& [sql, accepted] : cases) {
        SCOPED_TRACE(sql);
        std::vector<std::string> args = base;
        args.insert(args.end(), {"--sql", sql});
        CreateOptions options;
        const std::string problem = ParseCreateOptions(args, options);
        EXPECT_EQ(problem.empty(), accepted) << problem;
        if (!accepted) {
            EXPECT_NE(problem.find("could not read them back"), std::string::npos) << problem;
        }
    }
}

} // namespace
} // namespace kx::app
