#include "component/Guid.h"

#include <gtest/gtest.h>

#include <string>

namespace kx::component {
namespace {

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

} // namespace
} // namespace kx::component
