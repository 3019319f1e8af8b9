#include "newbook/SqlLocation.h"

#include "catalogue/BookLocation.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>

namespace kx::newbook {
namespace {

TEST(SqlLocation, EachPartIsCutAtTheFirstSeparators) {
    // Location, then server, user, password and database.
    const std::array<const char*, 5> cases[] = {
        {"sa:secret@db1|kxAcc000001", "db1", "sa", "secret", "kxAcc000001"},
        {"kxtest:pw@/tmp/pg/sock,55432|kxtest_wiz", "/tmp/pg/sock,55432", "kxtest", "pw", "kxtest_wiz"},
        // The cuts of the login itself: BookLocationTest.
        {"sa:pw@db1", "db1", "sa", "pw", ""},                   // no bar: all login
        {"sa:pw|kx@db1", "", "sa", "", "kx@db1"},               // a bar before "@" ends the login
        {"", "", "", "", ""}};
    for (const auto& c : cases) {
        for (short i = 0; i < 4; ++i)
            EXPECT_EQ(SqlLocationPart(c[0], i), c[static_cast<std::size_t>(i) + 1]) << c[0] << " index " << i;
        EXPECT_EQ(SqlLocationPart(c[0], 4), "");
        EXPECT_EQ(SqlLocationPart(c[0], -1), "");
    }
}

TEST(SqlLocation, SqlByAtSignArchiveByWakExtensionInAnyCase) {
    const std::tuple<const char*, bool, bool> cases[] = {
        {"/app/data\\T.WAK", false, true}, {"/app/data/t.wak", false, true}, {"/app/data/tWAK", false, false},
        {"/app/Data/kxSample.mde", false, false}, {"sa:pw@db1|book.WAK", true, true},
        {"", false, false}};
    for (const auto& [location, sql, archive] : cases) {
        EXPECT_EQ(catalogue::BookLocation::IsServerText(location), sql) << location;
        EXPECT_EQ(IsArchiveLocation(location), archive) << location;
    }
}

} // namespace
} // namespace kx::newbook
