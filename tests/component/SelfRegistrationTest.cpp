#include "LedgerWizFixture.h"
#include "component/ClassRegistry.h"
#include "component/ComponentError.h"
#include "component/Guid.h"
#include "component/LoadedClass.h"
#include "platform/AnsiTextFile.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace kx::component {
namespace {

namespace fs = std::filesystem;

using SelfRegistration = test::LedgerWizFixture;

TEST_F(SelfRegistration, RegisterEntersItsEntryAndUnregisterRemovesOnlyThat) {
    EXPECT_EQ(library.UnregisterServer(), KX_S_OK);
    EXPECT_FALSE(fs::exists(registry.file())) << "unregistering without a registry made a file";
    const std::string foreign = "[{11111111-2222-3333-4444-555555555555}]\n"
                                "ProgId=Other.Thing\n"
                                "Library=/opt/other/libother.so\n";
    platform::WriteFileAtomically(registry.file(), foreign);
    ASSERT_EQ(library.RegisterServer(), KX_S_OK);
    const auto entry = ClassRegistry(registry.file()).FindByProgId("kxLedgerWiz.CreatLedgerWiz");
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->classId, KX_CLSID_CreatLedgerWiz);
    EXPECT_EQ(entry->library, fs::canonical(KX_LEDGERWIZ_LIBRARY));
    EXPECT_EQ(entry->description, fs::canonical(KX_LEDGERWIZ_DESCRIPTION));

    ASSERT_EQ(library.UnregisterServer(), KX_S_OK);
    EXPECT_FALSE(ClassRegistry(registry.file()).FindByClassId(KX_CLSID_CreatLedgerWiz).has_value());
    EXPECT_EQ(platform::ReadWholeFile(registry.file()).substr(0, foreign.size()), foreign);
}

TEST_F(SelfRegistration, UnwritableRegistryFailsWithTheRegistryError) {
    fs::create_directories(registry.file()); // a folder where the file should be
    EXPECT_EQ(library.RegisterServer(), KX_SELFREG_E_CLASS);
    EXPECT_EQ(library.UnregisterServer(), KX_SELFREG_E_CLASS);
}

/// What loading the registered control by its ProgId fails with, or KX_S_OK.
KxResult ResultOfLoading() {
    try {
        LoadClassByProgId("kxLedgerWiz.CreatLedgerWiz");
    } catch (const ComponentError& error) {
        return error.result();
    }
    return KX_S_OK;
}

TEST_F(SelfRegistration, HostFindsLoadsAndCreatesOnlyARegisteredControlThatIsThere) {
    EXPECT_EQ(ResultOfLoading(), KX_CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_EQ(library.RegisterServer(), KX_S_OK);
    {
        LoadedClass loaded = LoadClassByProgId("kxLedgerWiz.CreatLedgerWiz");
        EXPECT_EQ(loaded.info.classId, KX_CLSID_CreatLedgerWiz);
        QWidget window;
        void* object = nullptr;
        ASSERT_EQ(loaded.factory->CreateInstance(&window, KX_IID_CreatLedgerWiz, &object), KX_S_OK);
        EXPECT_EQ(loaded.library.CanUnloadNow(), KX_S_FALSE);
    }
    ClassRegistry(registry.file())
        .Register(RegisteredClass{KX_CLSID_CreatLedgerWiz, KX_PROGID_CreatLedgerWiz, "/nonexistent/libkxLedgerWiz.so", {}});
    EXPECT_EQ(ResultOfLoading(), KX_E_FAIL);
}

} // namespace
} // namespace kx::component
