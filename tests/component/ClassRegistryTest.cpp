#include "component/ClassRegistry.h"
#include "TempFolder.h"
#include "component/ComponentError.h"
#include "component/Guid.h"
#include "component/RegistryFile.h"
#include "platform/AnsiTextFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace kx::component {
namespace {

namespace fs = std::filesystem;

const Guid kOtherClass = *ParseGuid("{11111111-2222-3333-4444-555555555555}");

RegisteredClass SampleEntry(const Guid& id, const std::string& progId, const std::string& library) {
    return RegisteredClass{id, progId, library, {}};
}

class ClassRegistryTest : public testing::Test {
  protected:
    test::TempFolder folder;
    fs::path file = folder.path() / "registry.ini";
    ClassRegistry registry{file};
};

TEST_F(ClassRegistryTest, RegisteredClassIsFoundByProgIdAndClassIdAndReplacedByItsId) {
    EXPECT_TRUE(registry.Classes().empty());
    EXPECT_FALSE(registry.Unregister(KX_CLSID_CreatLedgerWiz));
    EXPECT_FALSE(fs::exists(file)) << "reading or unregistering made a file";
    // An entry written with another spelling of the id.
    platform::WriteFileAtomically(file, "[a5f7aab1-30be-447e-a0bf-25132c292a4e]\n"
                                        "ProgId=kxLedgerWiz.CreatLedgerWiz\nLibrary=/old/lib.so\n");
    registry.Register(SampleEntry(kOtherClass, "Other.Thing", "/lib/other.so"));
    registry.Register(RegisteredClass{KX_CLSID_CreatLedgerWiz, KX_PROGID_CreatLedgerWiz,
                                      "/opt/kx/libkxLedgerWiz.so", "/opt/kx/kxLedgerWiz.idl"});
    EXPECT_EQ(registry.Classes().size(), 2u);
    const auto byProgId = registry.FindByProgId("KXLEDGERWIZ.creatledgerwiz");
    ASSERT_TRUE(byProgId.has_value());
    EXPECT_EQ(byProgId->classId, KX_CLSID_CreatLedgerWiz);
    EXPECT_EQ(byProgId->progId, KX_PROGID_CreatLedgerWiz);
    EXPECT_EQ(byProgId->library, "/opt/kx/libkxLedgerWiz.so");
    EXPECT_EQ(byProgId->description, "/opt/kx/kxLedgerWiz.idl");
    EXPECT_EQ(registry.FindByClassId(kOtherClass)->progId, "Other.Thing");

    EXPECT_TRUE(registry.Unregister(KX_CLSID_CreatLedgerWiz));
    const std::string before = platform::ReadWholeFile(file);
    EXPECT_FALSE(registry.Unregister(KX_CLSID_CreatLedgerWiz));
    EXPECT_EQ(platform::ReadWholeFile(file), before);
    EXPECT_FALSE(registry.FindByProgId(KX_PROGID_CreatLedgerWiz).has_value());
    EXPECT_FALSE(ClassRegistry(folder.path() / "missing" / "registry.ini").Unregister(kOtherClass));
    // Missing folders are made, for the owner only.
    const fs::path nested = folder.path() / "config" / "kxLedgerWiz" / "registry.ini";
    ClassRegistry(nested).Register(SampleEntry(kOtherClass, "Other.Thing", "/lib/other.so"));
    EXPECT_TRUE(ClassRegistry(nested).FindByClassId(kOtherClass).has_value());
    EXPECT_EQ(fs::status(nested.parent_path()).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST_F(ClassRegistryTest, IncompleteEntriesAreNotFoundAndBadPathsNotStored) {
    platform::WriteFileAtomically(file, "[{11111111-2222-3333-4444-555555555555}]\nProgId=No.Library\n"
                                        "[not a class id]\nProgId=Not.A.Class\nLibrary=/lib/x.so\n");
    EXPECT_TRUE(registry.Classes().empty());
    EXPECT_FALSE(registry.FindByProgId("No.Library").has_value());
    EXPECT_FALSE(registry.FindByProgId("Not.A.Class").has_value());
    const std::string before = platform::ReadWholeFile(file);
    for (const char* library : {"/lib/a\n[Evil]", ""}) {
        try {
            registry.Register(SampleEntry(KX_CLSID_CreatLedgerWiz, KX_PROGID_CreatLedgerWiz, library));
            ADD_FAILURE() << "a bad library path was stored: " << library;
        } catch (const ComponentError& error) {
            EXPECT_EQ(error.result(), KX_SELFREG_E_CLASS);
        }
    }
    EXPECT_EQ(platform::ReadWholeFile(file), before);
}

TEST(Guid, FormatsInRegistryFormAndReadsItsFormsBackButNothingMalformed) {
    EXPECT_EQ(FormatGuid(KX_CLSID_CreatLedgerWiz), "{A5F7AAB1-30BE-447E-A0BF-25132C292A4E}");
    EXPECT_EQ(FormatGuid(KX_IID_IClassFactory), "{00000001-0000-0000-C000-000000000046}");
    for (const Guid& id : {KX_CLSID_CreatLedgerWiz, KX_IID_CreatLedgerWiz, KX_IID_CreatLedgerWizEvents,
                           KX_IID_IUnknown, KX_IID_IClassFactory})
        EXPECT_EQ(ParseGuid(FormatGuid(id)), id) << FormatGuid(id);
    EXPECT_EQ(ParseGuid("{a5f7aab1-30be-447e-a0bf-25132c292a4e}"), KX_CLSID_CreatLedgerWiz);
    EXPECT_EQ(ParseGuid("A5F7AAB1-30BE-447E-A0BF-25132C292A4E"), KX_CLSID_CreatLedgerWiz);
    // Malformed text gives nothing.
    for (const char* text : {"", "{}", "{A5F7AAB1-30BE-447E-A0BF-25132C292A4}", "{A5F7AAB1-30BE-447E-A0BF-25132C292A4E",
                             "A5F7AAB1-30BE-447E-A0BF-25132C292A4E}", "{A5F7AAB130BE-447E-A0BF-25132C292A4E0}",
                             "{A5F7AAB1-30BE-447E-A0BF-25132C292A4G}", "{A5F7AAB1+30BE-447E-A0BF-25132C292A4E}",
                             " A5F7AAB1-30BE-447E-A0BF-25132C292A4E", "{A5F7AAB1-30BE-447E-A0BF-25132C292A4E}x"})
        EXPECT_FALSE(ParseGuid(text).has_value()) << text;
}

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
