#include "platform/PropertyStore.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace kx::platform {
namespace {

// The same contract holds for every store: absent keys give the default, written
// values come back, and colours with the top bit set survive as 32-bit patterns.
template <typename Store>
void CheckStoreContract(Store& store) {
    EXPECT_FALSE(store.Contains("ForeColorBookList1"));
    EXPECT_EQ(store.ReadInt("ForeColorBookList1", static_cast<std::int32_t>(0x80000002u)),
              static_cast<std::int32_t>(0x80000002u));
    store.WriteInt("ForeColorBookList1", static_cast<std::int32_t>(0x80000012u));
    EXPECT_TRUE(store.Contains("ForeColorBookList1"));
    EXPECT_EQ(static_cast<std::uint32_t>(store.ReadInt("ForeColorBookList1", 0)), 0x80000012u);
    EXPECT_EQ(store.ReadString("PathTemplates", "default"), "default");
    store.WriteString("PathTemplates", "");
    EXPECT_EQ(store.ReadString("PathTemplates", "default"), "");
    store.WriteString("PathSamples", "/样本/目录");
    EXPECT_EQ(store.ReadString("PathSamples", ""), "/样本/目录");
}

TEST(PropertyStore, StoresKeepValuesAndDefaultsAndSettingsPersistAcrossInstances) {
    MemoryPropertyStore memory;
    CheckStoreContract(memory);
    test::TempFolder folder;
    const std::string ini = (folder.path() / "control.ini").string();
    {
        QSettingsPropertyStore store(ini, "CreatLedgerWiz");
        CheckStoreContract(store);
        store.Sync();
    }
    QSettingsPropertyStore reopened(ini, "CreatLedgerWiz");
    EXPECT_EQ(static_cast<std::uint32_t>(reopened.ReadInt("ForeColorBookList1", 0)), 0x80000012u);
    EXPECT_EQ(reopened.ReadString("PathSamples", ""), "/样本/目录");
    EXPECT_TRUE(reopened.Contains("PathTemplates"));
    EXPECT_EQ(reopened.ReadString("PathTemplates", "x"), "");
}

} // namespace
} // namespace kx::platform
