#include "wizard/CreatLedgerWiz.h"

#include "platform/PropertyStore.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace kx::wizard {
namespace {

std::int32_t AsStored(std::uint32_t colour) { return static_cast<std::int32_t>(colour); }

TEST(WizardPersistence, AllSixKeysAreWrittenTheTemplateFolderOnlyOnceItWasRead) {
    CreatLedgerWiz wiz;
    wiz.AppPath = QStringLiteral("/app");
    platform::MemoryPropertyStore before;
    wiz.WriteProperties(before);
    const std::uint32_t colours[] = {0x404040u, 0x80000002u, 0x80000012u, 0x400000u};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(before.ReadInt("ForeColorBookList" + std::to_string(i), 0), AsStored(colours[i])) << i;
    EXPECT_EQ(before.ReadString("PathTemplates", "absent"), "");
    EXPECT_EQ(before.ReadString("PathSamples", "absent"), "");
}

TEST(WizardPersistence, StoredKeysReplaceTheCurrentValuesAbsentOnesKeepThem) {
    platform::MemoryPropertyStore store;
    store.WriteInt("ForeColorBookList0", AsStored(0x8000000Fu));
    store.WriteInt("ForeColorBookList3", 0x00FF00);
    store.WriteString("PathTemplates", "/模板");
    store.WriteString("PathSamples", R"(..\样本)");
    CreatLedgerWiz wiz;
    wiz.SetForeColorBookList(1, 0x123456u);
    wiz.ReadProperties(store);
    const std::uint32_t colours[] = {0x8000000Fu, 0x123456u, 0x80000012u, 0x00FF00u};
    for (short i = 0; i < 4; ++i)
        EXPECT_EQ(wiz.ForeColorBookList(i), colours[i]) << i;
    wiz.AppPath = QStringLiteral("/app");
    EXPECT_EQ(wiz.PathTemplates(), "/模板");

    wiz.SetPathTemplates(QStringLiteral(R"(\tpl)"));
    wiz.ReadProperties(platform::MemoryPropertyStore());
    EXPECT_EQ(wiz.PathSamples(), R"(..\样本)");
    platform::MemoryPropertyStore written;
    wiz.WriteProperties(written);
    EXPECT_EQ(written.ReadString("PathTemplates", "absent"), R"(\tpl)"); // not read since it was set
}

TEST(WizardPersistence, SettersMarkTheirKeysAndReadingOrWritingClearsTheMarks) {
    CreatLedgerWiz wiz;
    wiz.SetPathTemplates(QStringLiteral("/t"));
    wiz.SetPathSamples(QStringLiteral("/s"));
    wiz.SetForeColorBookList(3, 1u);
    EXPECT_EQ(wiz.ChangedProperties(), (std::set<std::string>{"ForeColorBookList3", "PathSamples", "PathTemplates"}));
    platform::MemoryPropertyStore store;
    wiz.WriteProperties(store);
    EXPECT_TRUE(wiz.ChangedProperties().empty());
    wiz.SetForeColorBookList(0, 2u);
    wiz.ReadProperties(store);
    EXPECT_TRUE(wiz.ChangedProperties().empty());
    EXPECT_EQ(wiz.ForeColorBookList(0), 0x404040u);
}

} // namespace
} // namespace kx::wizard
