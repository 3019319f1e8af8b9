#include "ado/pg/ServerAddress.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace kx::ado::pg {
namespace {

struct AddressCase {
    std::string dataSource;
    std::string host;
    std::string port;
};

class DataSourceForms : public ::testing::TestWithParam<AddressCase> {};

TEST_P(DataSourceForms, GiveHostAndPort) {
    const ServerAddress address = ParseDataSource(GetParam().dataSource);
    EXPECT_EQ(address.host, GetParam().host);
    EXPECT_EQ(address.port, GetParam().port);
}

INSTANTIATE_TEST_SUITE_P(
    ServerAddress, DataSourceForms,
    ::testing::Values(AddressCase{"", "", ""}, AddressCase{"  ", "", ""}, AddressCase{".", "", ""},
                      AddressCase{"(local)", "", ""}, AddressCase{"(local),5433", "", "5433"},
                      AddressCase{"dbhost", "dbhost", ""}, AddressCase{" dbhost ", "dbhost", ""},
                      AddressCase{"dbhost,5433", "dbhost", "5433"},
                      AddressCase{"dbhost, 5433", "dbhost", "5433"},
                      AddressCase{"dbhost:5433", "dbhost", "5433"},
                      AddressCase{"10.0.0.7,1433", "10.0.0.7", "1433"}, AddressCase{"/run/kx", "/run/kx", ""},
                      AddressCase{"/run/kx,55432", "/run/kx", "55432"},
                      // A colon in a socket folder belongs to the path.
                      AddressCase{"/run/a:b", "/run/a:b", ""}, AddressCase{"/run/a:b,7", "/run/a:b", "7"},
                      AddressCase{"::1", "::1", ""}, AddressCase{"[::1]:5433", "::1", "5433"},
                      AddressCase{"[::1],5433", "::1", "5433"}));

class BadDataSources : public ::testing::TestWithParam<std::string> {};

TEST_P(BadDataSources, AreRefused) {
    EXPECT_THROW(ParseDataSource(GetParam()), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(ServerAddress, BadDataSources,
                         ::testing::Values("dbhost,", "dbhost,port", "dbhost,0", "dbhost,65536",
                                           "dbhost,123456", "dbhost:-1", "dbhost,54 32", "[::1]:x",
                                           "SERVER\\SQLEXPRESS", "SERVER\\SQLEXPRESS,1433"));

} // namespace
} // namespace kx::ado::pg
