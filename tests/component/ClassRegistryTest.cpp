#include "component/ClassRegistry.h"

#include "TempFolder.h"
#include "component/ComponentError.h"
#include "component/Guid.h"
#include "platform/AnsiTextFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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

} // namespace
} // namespace kx::component
