#include "ado/pg/ServerAddress.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>

namespace kx::ado::pg {
namespace {

TEST(ServerAddress, DataSourceFormsGiveHostAndPortOrAreRefused) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"", "", ""}, {"  ", "", ""}, {".", "", ""}, {"(local)", "", ""}, {"(local),5433", "", "5433"},
        {"dbhost", "dbhost", ""}, {" dbhost ", "dbhost", ""}, {"dbhost,5433", "dbhost", "5433"},
        {"dbhost, 5433", "dbhost", "5433"}, {"dbhost:5433", "dbhost", "5433"},
        {"10.0.0.7,1433", "10.0.0.7", "1433"}, {"/run/kx", "/run/kx", ""}, {"/run/kx,55432", "/run/kx", "55432"},
        // A colon in a socket folder belongs to the path.
        {"/run/a:b", "/run/a:b", ""}, {"/run/a:b,7", "/run/a:b", "7"}, {"::1", "::1", ""},
        {"[::1]:5433", "::1", "5433"}, {"[::1],5433", "::1", "5433"}};
    for (const auto& [dataSource, host, port] : cases) {
        const ServerAddress address = ParseDataSource(dataSource);
        EXPECT_EQ(address.host, host) << dataSource;
        EXPECT_EQ(address.port, port) << dataSource;
    }
    for (const char* bad : {"dbhost,", "dbhost,port", "dbhost,0", "dbhost,65536", "dbhost,123456", "dbhost:-1",
                            "dbhost,54 32", "[::1]:x", "SERVER\\SQLEXPRESS", "SERVER\\SQLEXPRESS,1433"})
        EXPECT_THROW(ParseDataSource(bad), std::invalid_argument) << bad;
}

} // namespace
} // namespace kx::ado::pg
