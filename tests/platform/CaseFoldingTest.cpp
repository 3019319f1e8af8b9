#include "platform/CaseFolding.h"
#include "platform/AnsiTextFile.h"
#include "platform/DiskPath.h"
#include "platform/Utf8Text.h"

#include "TempFolder.h"

#include <QString>
#include <gtest/gtest.h>

namespace kx::platform {
namespace {

struct FoldCase {
    const char* text;
    const char* lower;
    const char* upper;
};

void PrintTo(const FoldCase& c, std::ostream* os) {
    *os << c.text;
}

class FoldTable : public ::testing::TestWithParam<FoldCase> {};

TEST_P(FoldTable, MapsEachCharacterToItsOtherCase) {
    EXPECT_EQ(ToLower(GetParam().text), GetParam().lower);
    EXPECT_EQ(ToUpper(GetParam().text), GetParam().upper);
    EXPECT_TRUE(EqualsIgnoringCase(GetParam().lower, GetParam().upper));
}

INSTANTIATE_TEST_SUITE_P(Texts, FoldTable,
                         ::testing::Values(FoldCase{"kxOperator", "kxoperator", "KXOPERATOR"},
                                           FoldCase{"ÄÖÜ ÿ", "äöü ÿ", "ÄÖÜ Ÿ"},
                                           FoldCase{"ŁÓDŹ Ĳ", "łódź ĳ", "ŁÓDŹ Ĳ"},
                                           FoldCase{"ΣΑΣ", "σασ", "ΣΑΣ"}, FoldCase{"Ёлка", "ёлка", "ЁЛКА"},
                                           FoldCase{"Ａbｃ１", "ａbｃ１", "ＡBＣ１"},
                                           FoldCase{"单位名称", "单位名称", "单位名称"},
                                           // A stray byte is kept as it is.
                                           FoldCase{"A\xFF"
                                                    "b",
                                                    "a\xFF"
                                                    "b",
                                                    "A\xFF"
                                                    "B"}));

TEST(CaseFolding, LowerCaseAgreesWithQtOnTheLettersOfNamesAndIdentifiers) {
    // Database and table names were folded with QString::toLower; the letters that
    // occur in them must fold the same way here.
    const std::pair<char32_t, char32_t> ranges[] = {{0x0000, 0x017F}, {0x0391, 0x03A9}, {0x03B1, 0x03C9},
                                                    {0x0400, 0x045F}, {0xFF01, 0xFF5E}, {0x4E00, 0x4FFF}};
    int compared = 0;
    for (const auto& [first, last] : ranges) {
        for (char32_t c = first; c <= last; ++c) {
            if (c == 0x130 || c == 0x17F)
                continue; // folded to plain "i" and "s" (see CaseFolding.h)
            std::string text;
            AppendUtf8Char(c, text);
            const QByteArray qt =
                QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toLower().toUtf8();
            ASSERT_EQ(ToLower(text), std::string(qt.constData(), static_cast<std::size_t>(qt.size())))
                << "U+" << std::hex << static_cast<unsigned>(c);
            ++compared;
        }
    }
    EXPECT_GT(compared, 1000);
    EXPECT_EQ(ToLower("\xC4\xB0"), "i");
    EXPECT_EQ(ToLower("\xC5\xBF"), "s");
}

struct CompareCase {
    const char* a;
    const char* b;
    int sign;
};

void PrintTo(const CompareCase& c, std::ostream* os) {
    *os << c.a << " / " << c.b;
}

class CompareTable : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareTable, OrdersByLowerCaseCharacters) {
    const int result = CompareIgnoringCase(GetParam().a, GetParam().b);
    EXPECT_EQ((result > 0) - (result < 0), GetParam().sign);
    const int reverse = CompareIgnoringCase(GetParam().b, GetParam().a);
    EXPECT_EQ((reverse > 0) - (reverse < 0), -GetParam().sign);
}

INSTANTIATE_TEST_SUITE_P(Pairs, CompareTable,
                         ::testing::Values(CompareCase{"kxAcc000001", "KXACC000001", 0},
                                           CompareCase{"apple", "Banana", -1},
                                           // As SQLite's NOCASE: "_" comes after the folded letters.
                                           CompareCase{"a_b", "ABC", -1}, CompareCase{"ab", "AB_", -1},
                                           CompareCase{"Äpfel", "äPFEL", 0}, CompareCase{"z", "ä", -1},
                                           CompareCase{"账簿", "账", 1},
                                           // Stray bytes come after every character.
                                           CompareCase{"\xFF", "中", 1}));

TEST(CaseFolding, FileNamesAreFoundWithoutRegardToNonAsciiCase) {
    test::TempFolder app;
    WriteFileAtomically(app.path() / "Ärger.MDE", "x");
    WriteFileAtomically(app.path() / "ＡＢ.mde", "x");
    EXPECT_EQ(ToDiskPath("..\\ärger.mde", app.str()), app.path() / "Ärger.MDE");
    EXPECT_EQ(ToDiskPath("..\\ａｂ.MDE", app.str()), app.path() / "ＡＢ.mde");
    EXPECT_FALSE(FileExists("..\\Ärger2.mde", app.str()));
}

} // namespace
} // namespace kx::platform
