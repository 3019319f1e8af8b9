#include "component/RegistryFile.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace kx::component {
namespace {

using Entries = std::vector<RegistryFile::Entry>;

const char* const kTwoSections = "; hand-written notes\n"
                                 "[{11111111-1111-1111-1111-111111111111}]\n"
                                 "ProgId = Other.Thing\n"
                                 "# a comment inside\n"
                                 "Library=/opt/other/libother.so\n"
                                 "\n"
                                 "[Plain]\n"
                                 "Key=Value=with equals\n";

TEST(RegistryFile, UnchangedTextComesBackAsRead) {
    EXPECT_EQ(RegistryFile::Parse(kTwoSections).Text(), kTwoSections);
}

TEST(RegistryFile, ReadsSectionsKeysAndValues) {
    const RegistryFile file = RegistryFile::Parse(kTwoSections);
    EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"{11111111-1111-1111-1111-111111111111}", "Plain"}));
    EXPECT_EQ(file.Value("{11111111-1111-1111-1111-111111111111}", "ProgId"), " Other.Thing");
    EXPECT_EQ(file.Value("plain", "KEY"), "Value=with equals");
    EXPECT_FALSE(file.Value("Plain", "Missing").has_value());
    EXPECT_FALSE(file.Value("Missing", "Key").has_value());
    EXPECT_EQ(file.Section("{11111111-1111-1111-1111-111111111111}"),
              (Entries{{"ProgId", " Other.Thing"}, {"Library", "/opt/other/libother.so"}}));
}

TEST(RegistryFile, CarriageReturnLineEndsAreRead) {
    const RegistryFile file = RegistryFile::Parse("[A]\r\nKey=v\r\n");
    EXPECT_EQ(file.Value("A", "Key"), "v");
    EXPECT_EQ(file.Text(), "[A]\nKey=v\n");
}

TEST(RegistryFile, SettingANewSectionAppendsItAndKeepsTheRest) {
    RegistryFile file = RegistryFile::Parse(kTwoSections);
    file.SetSection("New", {{"ProgId", "x.y"}, {"Library", "/lib/a b.so"}});
    EXPECT_EQ(file.Text(), std::string(kTwoSections) + "\n[New]\nProgId=x.y\nLibrary=/lib/a b.so\n\n");
    EXPECT_EQ(RegistryFile::Parse(file.Text()).Value("New", "Library"), "/lib/a b.so");
}

TEST(RegistryFile, SettingAnExistingSectionReplacesItInPlace) {
    RegistryFile file = RegistryFile::Parse(kTwoSections);
    file.SetSection("{11111111-1111-1111-1111-111111111111}", {{"ProgId", "Replaced"}});
    EXPECT_EQ(file.Text(), "; hand-written notes\n"
                           "[{11111111-1111-1111-1111-111111111111}]\n"
                           "ProgId=Replaced\n"
                           "\n"
                           "[Plain]\n"
                           "Key=Value=with equals\n");
}

TEST(RegistryFile, SettingASectionDropsLaterDuplicates) {
    RegistryFile file = RegistryFile::Parse("[A]\nK=1\n[B]\nK=2\n[a]\nK=3\n");
    file.SetSection("A", {{"K", "4"}});
    EXPECT_EQ(file.Text(), "[A]\nK=4\n[B]\nK=2\n");
}

TEST(RegistryFile, RemovingASectionRemovesEveryCopyAndNothingElse) {
    RegistryFile file = RegistryFile::Parse("[A]\nK=1\n[B]\nK=2\n[a]\nK=3\n");
    EXPECT_TRUE(file.RemoveSection("A"));
    EXPECT_EQ(file.Text(), "[B]\nK=2\n");
    EXPECT_FALSE(file.RemoveSection("A"));
}

struct BadEntry {
    const char* name;
    std::string section;
    RegistryFile::Entry entry;
};

class RegistryFileRefuses : public testing::TestWithParam<BadEntry> {};

TEST_P(RegistryFileRefuses, TextThatWouldNotReadBackTheSame) {
    RegistryFile file = RegistryFile::Parse("[Keep]\nK=1\n");
    const std::string before = file.Text();
    EXPECT_THROW(file.SetSection(GetParam().section, {GetParam().entry}), std::invalid_argument);
    EXPECT_EQ(file.Text(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistryFileRefuses,
    testing::Values(BadEntry{"NewlineInValue", "S", {"Library", "/a\n[Evil]\nLibrary=/b"}},
                    BadEntry{"CarriageReturnInValue", "S", {"Library", "/a\r"}},
                    BadEntry{"EqualsInKey", "S", {"A=B", "v"}},
                    BadEntry{"EmptyKey", "S", {"", "v"}},
                    BadEntry{"CommentKey", "S", {";K", "v"}},
                    BadEntry{"HeaderLikeKey", "S", {"[K", "]"}},
                    BadEntry{"SpacedKey", "S", {" K", "v"}},
                    BadEntry{"BracketInName", "S]", {"K", "v"}},
                    BadEntry{"EmptyName", "", {"K", "v"}},
                    BadEntry{"NewlineInName", "S\nT", {"K", "v"}}),
    [](const testing::TestParamInfo<BadEntry>& param) { return std::string(param.param.name); });

} // namespace
} // namespace kx::component
