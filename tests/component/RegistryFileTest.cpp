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

TEST(RegistryFile, ReadsSectionsKeysAndValuesAndGivesUnchangedTextBack) {
    const RegistryFile file = RegistryFile::Parse(kTwoSections);
    EXPECT_EQ(file.Text(), kTwoSections);
    EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"{11111111-1111-1111-1111-111111111111}", "Plain"}));
    EXPECT_EQ(file.Value("plain", "KEY"), "Value=with equals");
    EXPECT_FALSE(file.Value("Plain", "Missing").has_value());
    EXPECT_FALSE(file.Value("Missing", "Key").has_value());
    EXPECT_EQ(file.Section("{11111111-1111-1111-1111-111111111111}"),
              (Entries{{"ProgId", " Other.Thing"}, {"Library", "/opt/other/libother.so"}}));
    const RegistryFile crlf = RegistryFile::Parse("[A]\r\nKey=v\r\n");
    EXPECT_EQ(crlf.Value("A", "Key"), "v");
    EXPECT_EQ(crlf.Text(), "[A]\nKey=v\n");
    // Only a whole bracketed line is a header, and "[]" is one too.
    const RegistryFile brackets = RegistryFile::Parse("[A]\nK=v]\n[B\nL=w\n[]\nM=x\n");
    EXPECT_EQ(brackets.Value("A", "K"), "v]");
    EXPECT_EQ(brackets.Value("A", "L"), "w");
    EXPECT_FALSE(brackets.Value("A", "M").has_value());
}

TEST(RegistryFile, SettingASectionAppendsOrReplacesItInPlace) {
    RegistryFile file = RegistryFile::Parse(kTwoSections);
    file.SetSection("New", {{"ProgId", "x.y"}, {"Library", "/lib/a b.so"}});
    EXPECT_EQ(file.Text(), std::string(kTwoSections) + "\n[New]\nProgId=x.y\nLibrary=/lib/a b.so\n\n");
    file.SetSection("{11111111-1111-1111-1111-111111111111}", {{"ProgId", "Replaced"}});
    EXPECT_EQ(file.Text(), "; hand-written notes\n"
                           "[{11111111-1111-1111-1111-111111111111}]\n"
                           "ProgId=Replaced\n"
                           "\n"
                           "[Plain]\n"
                           "Key=Value=with equals\n"
                           "\n[New]\nProgId=x.y\nLibrary=/lib/a b.so\n\n");
}

TEST(RegistryFile, SettingOrRemovingASectionTakesEveryCopy) {
    RegistryFile file = RegistryFile::Parse("[A]\nK=1\n[B]\nK=2\n[a]\nK=3\n");
    file.SetSection("A", {{"K", "4"}});
    EXPECT_EQ(file.Text(), "[A]\nK=4\n[B]\nK=2\n");
    file = RegistryFile::Parse("[A]\nK=1\n[B]\nK=2\n[a]\nK=3\n");
    EXPECT_TRUE(file.RemoveSection("A"));
    EXPECT_EQ(file.Text(), "[B]\nK=2\n");
    EXPECT_FALSE(file.RemoveSection("A"));
}

TEST(RegistryFile, RefusesTextThatWouldNotReadBackTheSame) {
    const std::pair<std::string, RegistryFile::Entry> cases[] = {
        {"S", {"Library", "/a\n[Evil]\nLibrary=/b"}}, {"S", {"Library", "/a\r"}}, {"S", {"A=B", "v"}},
        {"S", {"", "v"}}, {"S", {";K", "v"}}, {"S", {"[K", "]"}}, {"S", {" K", "v"}}, {"S]", {"K", "v"}},
        {"", {"K", "v"}}, {"S\nT", {"K", "v"}}};
    for (const auto& [section, entry] : cases) {
        RegistryFile file = RegistryFile::Parse("[Keep]\nK=1\n");
        EXPECT_THROW(file.SetSection(section, {entry}), std::invalid_argument) << section << "/" << entry.key;
        EXPECT_EQ(file.Text(), "[Keep]\nK=1\n");
    }
}

} // namespace
} // namespace kx::component
