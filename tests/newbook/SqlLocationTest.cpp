#include "newbook/SqlLocation.h"

#include "catalogue/BookLocation.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace kx::newbook {
namespace {

struct LocationCase {
    const char* name;
    const char* location;
    // server, user, password, database
    std::array<const char*, 4> parts;
};

void PrintTo(const LocationCase& c, std::ostream* os) {
    *os << c.name;
}

class SqlLocationPartTest : public testing::TestWithParam<LocationCase> {};

TEST_P(SqlLocationPartTest, EachPartIsCutAtTheFirstSeparators) {
    for (short i = 0; i < 4; ++i)
        EXPECT_EQ(SqlLocationPart(GetParam().location, i), GetParam().parts[static_cast<std::size_t>(i)])
            << "index " << i;
    EXPECT_EQ(SqlLocationPart(GetParam().location, 4), "");
    EXPECT_EQ(SqlLocationPart(GetParam().location, -1), "");
}

INSTANTIATE_TEST_SUITE_P(
    Locations, SqlLocationPartTest,
    testing::Values(
        LocationCase{"Complete", "sa:secret@db1|kxAcc000001", {"db1", "sa", "secret", "kxAcc000001"}},
        LocationCase{"SocketServerWithPort",
                     "kxtest:pw@/tmp/pg/sock,55432|kxtest_wiz",
                     {"/tmp/pg/sock,55432", "kxtest", "pw", "kxtest_wiz"}},
        LocationCase{"PasswordWithAtEndsThere", "sa:p@ss@db1|kx", {"ss@db1", "sa", "p", "kx"}},
        LocationCase{"UserWithColonIsCutThere", "do:main:pw@db1|kx", {"db1", "do", "main:pw", "kx"}},
        LocationCase{"ChineseParts", "管理员:密码@服务器|账簿", {"服务器", "管理员", "密码", "账簿"}},
        LocationCase{"EmptyParts", ":@|", {"", "", "", ""}},
        LocationCase{"NoBarIsAllLogin", "sa:pw@db1", {"db1", "sa", "pw", ""}},
        LocationCase{"NoColonPasswordBeforeAt", "sa@db1|kx", {"db1", "", "sa", "kx"}},
        LocationCase{"NoAt", "sa:pw|kx", {"", "sa", "", "kx"}},
        LocationCase{"BarBeforeAtEndsTheLogin", "sa:pw|kx@db1", {"", "sa", "", "kx@db1"}},
        LocationCase{"AtBeforeColon", "sa@db:1|kx", {"db:1", "sa@db", "", "kx"}},
        LocationCase{"Empty", "", {"", "", "", ""}}),
    [](const testing::TestParamInfo<LocationCase>& c) { return std::string(c.param.name); });

struct KindCase {
    const char* location;
    bool sql;
    bool archive;
};

class LocationKindTest : public testing::TestWithParam<KindCase> {};

TEST_P(LocationKindTest, SqlByAtSignArchiveByWakExtensionInAnyCase) {
    EXPECT_EQ(catalogue::BookLocation::IsServerText(GetParam().location), GetParam().sql);
    EXPECT_EQ(IsArchiveLocation(GetParam().location), GetParam().archive);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LocationKindTest,
    testing::Values(KindCase{"/app/data\\T.WAK", false, true}, KindCase{"/app/data/t.wak", false, true},
                    KindCase{"/app/data/t.Wak", false, true}, KindCase{"/app/data/t.WSK", false, false},
                    KindCase{"/app/data/tWAK", false, false},
                    KindCase{"/app/Data/kxSample.mde", false, false},
                    KindCase{"sa:pw@db1|book.WAK", true, true}, KindCase{".WAK", false, true},
                    KindCase{"WAK", false, false}, KindCase{"", false, false}));

} // namespace
} // namespace kx::newbook
