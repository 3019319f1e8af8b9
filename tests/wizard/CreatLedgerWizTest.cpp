#include "wizard/WizardTestFixture.h"
#include "TempFolder.h"
#include "newbook/TemplateLocation.h"
#include "newbook/ZipBuilder.h"
#include "platform/AnsiTextFile.h"
#include "platform/PropertyStore.h"
#include "support/AccountingObject.h"
#include "support/SupportError.h"
#include "wizard/CreatLedgerWiz.h"
#include "wizard/FSComprFile.h"
#include "wizard/OleColour.h"

#include <QSpinBox>
#include <QStandardItemModel>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <tuple>

namespace kx::wizard {
namespace {

using test::SignalLog;

template <typename T> T* Child(const CreatLedgerWiz& wiz, const char* name) {
    return wiz.findChild<T*>(QString::fromLatin1(name));
}

TEST(CreatLedgerWiz, StartsOnPageZeroWithNoBookNoButtonsAndBookNoOne) {
    CreatLedgerWiz wiz;
    EXPECT_EQ(wiz.BookID(), -1);
    EXPECT_EQ(wiz.Step(), 0);
    EXPECT_EQ(wiz.MaxStep(), 4);
    EXPECT_FALSE(wiz.Completed() || wiz.PasswordOK());
    EXPECT_TRUE(wiz.BeginDate().isNull());
    for (short i = 0; i < 4; ++i)
        EXPECT_TRUE(wiz.ButtonCaption(i).isEmpty() && !wiz.ButtonEnabled(i)) << i;
    wiz.SetBookNo("000007");
    EXPECT_EQ(wiz.BookNo(), "000007");
    wiz.SetBookNo("");
    EXPECT_EQ(wiz.BookNo(), "1"); // falls back to one only while empty
}

// Columns: application folder, value set, value read back.
using PathCase = std::tuple<QString, QString, QString>;

TEST(CreatLedgerWiz, IniFileResolvesDotDotAndALeadingBackslashAgainstTheAppFolder) {
    const PathCase cases[] = {
        {"/app", R"(C:..\books.txt)", R"(C:..\books.txt)"},       {"/app", "/a/../books.txt", "/a/../books.txt"},
        {"/app", R"(..\Data\books.txt)", R"(/app\Data\books.txt)"}, {"/app", R"(\Data\\books.txt)", R"(/app/Data\books.txt)"},
        {"/app/", R"(\Data\books.txt)", R"(/app/Data\books.txt)"},  {"/app", "books.txt", "books.txt"},
        {"/app", R"(\\srv\s\b.txt)", R"(\\srv\s\b.txt)"},           {"/app", R"(\\srv\..\b.txt)", R"(\\srv\/app\b.txt)"},
        {"", R"(\Data\books.txt)", R"(\Data\books.txt)"},           {"", R"(..\Data\books.txt)", R"(\Data\books.txt)"}};
    for (const auto& [appPath, input, expected] : cases) {
        CreatLedgerWiz wiz;
        wiz.AppPath = appPath;
        wiz.SetIniFile(input);
        EXPECT_EQ(wiz.IniFile(), expected) << (appPath + " + " + input).toStdString();
    }
}

TEST(CreatLedgerWiz, PathTemplatesResolvesOnceOnReadAndWritesTheResolution) {
    const PathCase cases[] = {{"/app", "", "/app/data"},     {"/app", R"(\tpl)", R"(/app\tpl)"},
                              {"/app", R"(\\srv\tpl)", R"(\\srv\tpl)"}, {"/app", "tpl", "tpl"},
                              {"", "", ""},                  {"", R"(\tpl)", R"(\tpl)"}};
    for (const auto& [appPath, input, expected] : cases) {
        CreatLedgerWiz wiz;
        wiz.AppPath = appPath;
        wiz.SetPathTemplates(input);
        EXPECT_EQ(wiz.PathTemplates(), expected) << (appPath + " + " + input).toStdString();
        EXPECT_EQ(wiz.PathTemplates(), expected); // the stored resolution is not resolved again
        platform::MemoryPropertyStore store;
        wiz.WriteProperties(store);
        EXPECT_EQ(store.ReadString("PathTemplates", "absent"), expected.toStdString());
    }
}

TEST(CreatLedgerWiz, IndexedGettersFailOutsideZeroToThreeTheColourSetterIgnoresItQuietly) {
    for (const short index : {short{-1}, short{4}}) {
        CreatLedgerWiz wiz;
        EXPECT_THROW(static_cast<void>(wiz.ForeColorBookList(index)), std::out_of_range) << index;
        EXPECT_THROW(static_cast<void>(wiz.ButtonCaption(index)), std::out_of_range) << index;
        EXPECT_THROW(static_cast<void>(wiz.ButtonEnabled(index)), std::out_of_range) << index;
        wiz.SetForeColorBookList(index, 255);
        for (short i = 0; i < 4; ++i)
            EXPECT_EQ(wiz.ForeColorBookList(i), CreatLedgerWiz::kInitialForeColors[static_cast<std::size_t>(i)]);
        EXPECT_TRUE(wiz.ChangedProperties().empty());
    }
}

TEST(CreatLedgerWiz, BeginDateSetterFillsSpinnersAndFieldsOnlyInRangeGetterGivesFirstOfMonth) {
    // An invalid expectation: the setter fails and May 2024 stays.
    const std::pair<QDate, QDate> cases[] = {{QDate(2024, 5, 17), QDate(2024, 5, 1)},
                                             {QDate(1900, 1, 31), QDate(1900, 1, 1)}, // the spinners' start
                                             {QDate(3000, 12, 1), QDate(3000, 12, 1)},
                                             {QDate(1899, 12, 31), QDate()}, {QDate(3001, 1, 1), QDate()}};
    for (const auto& [date, expected] : cases) {
        SCOPED_TRACE(date.toString(Qt::ISODate).toStdString());
        CreatLedgerWiz wiz;
        wiz.SetBeginDate(QDate(2024, 5, 1));
        if (expected.isValid())
            wiz.SetBeginDate(date);
        else
            EXPECT_THROW(wiz.SetBeginDate(date), std::out_of_range);
        const QDate shown = expected.isValid() ? expected : QDate(2024, 5, 1);
        EXPECT_EQ(Child<QSpinBox>(wiz, "UpDown_0")->value() * 100 + Child<QSpinBox>(wiz, "UpDown_1")->value(),
                  shown.year() * 100 + shown.month());
        EXPECT_EQ(wiz.BeginDate(), shown);
    }
}

// The spinners writing the fields: NewBookPageTest in WizardStepsTest.
TEST(CreatLedgerWiz, BeginDateGetterReadsTheFieldsAndNeverFails) {
    const std::tuple<const char*, const char*, QDate> cases[] = {
        {" 2024 ", "05", QDate(2024, 5, 1)}, {"2024", "", QDate()}, {"", "5", QDate()},
        {"二〇二四", "5", QDate()},            {"2024", "13", QDate()}, {"2024", "0", QDate()}};
    CreatLedgerWiz wiz;
    for (const auto& [year, month, expected] : cases) {
        Child<QLineEdit>(wiz, "TDBText3_3")->setText(QString::fromUtf8(year));
        Child<QLineEdit>(wiz, "TDBText3_4")->setText(QString::fromUtf8(month));
        EXPECT_EQ(wiz.BeginDate(), expected) << year << "/" << month;
    }
}

TEST(CreatLedgerWiz, CompletedTrueSendsTheBranchNoticeEachTimeAndFailsWithoutAcc) {
    CreatLedgerWiz wiz;
    auto acc = std::make_shared<support::AccountingObject>();
    std::vector<std::string> notices;
    acc->SetNoticeReceiver([&notices](const std::string& n) { notices.push_back(n); });
    wiz.Acc = acc;
    wiz.SetCompleted(false);
    EXPECT_TRUE(notices.empty());
    wiz.SetCompleted(true);
    wiz.SetCompleted(true);
    EXPECT_TRUE(wiz.Completed());
    const std::string expected = std::to_string(wiz.WindowNumber()) + "|All|Branch|0||";
    EXPECT_EQ(notices, (std::vector<std::string>{expected, expected}));

    CreatLedgerWiz withoutAcc;
    try {
        withoutAcc.SetCompleted(true);
        ADD_FAILURE() << "the notice was reported as sent";
    } catch (const support::SupportError& e) {
        EXPECT_EQ(e.number(), support::supporterr::ObjectNotSet);
    }
    EXPECT_NO_THROW(withoutAcc.SetCompleted(false));
}

// The number in the notices tells the host which control sent them; taking it
// must not turn the control or its window into native windows, which changes how
// they are drawn and composed.
TEST(CreatLedgerWiz, NoticeNumberIdentifiesTheControlAndLeavesItAndItsWindowAlien) {
    QWidget window;
    auto* first = new CreatLedgerWiz(&window);
    auto* second = new CreatLedgerWiz(&window);
    window.show();
    std::vector<std::string> notices;
    auto acc = std::make_shared<support::AccountingObject>();
    acc->SetNoticeReceiver([&notices](const std::string& n) { notices.push_back(n); });
    first->Acc = acc;
    second->Acc = acc;
    first->SetCompleted(true);
    second->SetCompleted(true);
    ASSERT_EQ(notices.size(), 2u);
    for (const QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(second), &window}) {
        EXPECT_FALSE(w->testAttribute(Qt::WA_NativeWindow)) << w->metaObject()->className();
        EXPECT_EQ(w == &window, w->internalWinId() != 0) << w->metaObject()->className();
    }
    const auto numberIn = [](const std::string& notice) {
        return static_cast<std::uint64_t>(std::stoull(notice.substr(0, notice.find('|'))));
    };
    const std::uint64_t firstNumber = numberIn(notices[0]);
    const std::uint64_t secondNumber = numberIn(notices[1]);
    EXPECT_EQ(notices[0], std::to_string(firstNumber) + "|All|Branch|0||");
    EXPECT_NE(firstNumber, 0u);
    EXPECT_NE(firstNumber, secondNumber);
    EXPECT_EQ(first->WindowNumber(), firstNumber);
    EXPECT_EQ(CreatLedgerWiz::FromWindowNumber(firstNumber), first);
    EXPECT_EQ(CreatLedgerWiz::FromWindowNumber(secondNumber), second);
    // A number is never handed to a later control, so an old notice cannot name it.
    delete first;
    EXPECT_EQ(CreatLedgerWiz::FromWindowNumber(firstNumber), nullptr);
    const CreatLedgerWiz third(&window);
    EXPECT_NE(third.WindowNumber(), firstNumber);
    EXPECT_NE(third.WindowNumber(), secondNumber);
    EXPECT_EQ(CreatLedgerWiz::FromWindowNumber(0), nullptr);
}

TEST(CreatLedgerWiz, LoadFailsWhenCancelledOrWithoutAppFolderAndListResolvesTheFileName) {
    CreatLedgerWiz cancelled;
    SignalLog log(cancelled);
    QObject::connect(&cancelled, &CreatLedgerWiz::Command, &cancelled,
                     [](const QString& name, bool& cancel) { cancel = name == "BeforeLoadList"; });
    EXPECT_FALSE(cancelled.Load(QStringLiteral(R"(..\books.txt)")));
    EXPECT_EQ(log.commands, std::vector<QString>{"BeforeLoadList"});
    EXPECT_TRUE(log.notices.empty());
    EXPECT_EQ(cancelled.IniFile(), "");

    CreatLedgerWiz bare;
    SignalLog bareLog(bare);
    EXPECT_FALSE(bare.Load());
    EXPECT_EQ(bareLog.notices, (std::vector<std::pair<QString, bool>>{
                                   {QStringLiteral("未指定程序当前路径，无法正常读入账簿列表。"), true},
                                   {QStringLiteral("未找到账簿目录文件，无法读入记账列表。"), true}}));

    // The file name goes through the IniFile setter; the file is found whatever the letter case.
    kx::test::TempFolder folder;
    std::ofstream(folder.path() / "Books.txt") << "x\n";
    CreatLedgerWiz wiz;
    wiz.AppPath = test::Q(folder.path());
    SignalLog found(wiz);
    wiz.Load(QStringLiteral(R"(..\books.txt)"));
    EXPECT_EQ(wiz.IniFile(), wiz.AppPath + R"(\books.txt)");
    EXPECT_TRUE(found.notices.empty());
}

TEST(CreatLedgerWiz, BookIdSelectsAnExistingRowAndStoresAnyOther) {
    CreatLedgerWiz empty;
    SignalLog emptyLog(empty);
    empty.SetBookID(0); // an empty grid loads the list first
    EXPECT_EQ(empty.BookID(), 0);
    EXPECT_EQ(emptyLog.commands, std::vector<QString>{"BeforeLoadList"});

    CreatLedgerWiz wiz;
    auto* grid = Child<QTableView>(wiz, "fg");
    for (const char* name : {"样本账簿", "甲公司", "乙公司"})
        qobject_cast<QStandardItemModel*>(grid->model())->appendRow(new QStandardItem(QString::fromUtf8(name)));
    SignalLog log(wiz);
    for (const int id : {3, -1, INT_MIN})
        wiz.SetBookID(id);
    EXPECT_EQ(wiz.BookID(), INT_MIN);
    EXPECT_EQ(grid->currentIndex().row(), -1);
    EXPECT_TRUE(log.commands.empty());
    wiz.SetBookID(1);
    EXPECT_EQ(grid->currentIndex().row(), 1);
    EXPECT_EQ(log.commands, std::vector<QString>{"AfterBookSelected"});
}

/// A palette whose every role and group has its own colour, so that a wrong mapping cannot pass by accident.
QPalette DistinctPalette() {
    QPalette palette;
    int n = 1;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (int role = 0; role < QPalette::NColorRoles; ++role, ++n)
            if (role != QPalette::NoRole)
                palette.setColor(group, static_cast<QPalette::ColorRole>(role), QColor::fromRgb(n * 37 % 256, n, 200));
    return palette;
}

TEST(OleColour, SystemColoursMapToTheMatchingPaletteRole) {
    const std::tuple<std::uint32_t, QPalette::ColorGroup, QPalette::ColorRole> cases[] = {
        {0x80000002u, QPalette::Active, QPalette::Highlight},    {0x80000012u, QPalette::Active, QPalette::ButtonText},
        {0x80000005u, QPalette::Active, QPalette::Base},
        {0x8000000Du, QPalette::Active, QPalette::Highlight},    {0x8000000Eu, QPalette::Active, QPalette::HighlightedText},
        {0x8000000Fu, QPalette::Active, QPalette::Button},       {0x80000011u, QPalette::Disabled, QPalette::Text},
        {0x80000003u, QPalette::Inactive, QPalette::Highlight},  {0x80000017u, QPalette::Active, QPalette::ToolTipText},
        {0x80000018u, QPalette::Active, QPalette::ToolTipBase},  {0x8000001Au, QPalette::Active, QPalette::Link},
        {0x80000063u, QPalette::Active, QPalette::WindowText},   {0x81000002u, QPalette::Active, QPalette::WindowText}};
    const QPalette palette = DistinctPalette();
    for (const auto& [colour, group, role] : cases)
        EXPECT_EQ(OleColourToQColor(colour, palette), palette.color(group, role)) << std::hex << colour;
}

TEST(OleColour, PlainValuesAreBlueGreenRedFromTheHighByteDown) {
    const QPalette palette;
    EXPECT_EQ(OleColourToQColor(0x400000u, palette), QColor(0, 0, 64));
    EXPECT_EQ(OleColourToQColor(0x02123456u, palette), QColor(0x56, 0x34, 0x12));
}

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

TEST(FSComprFileControl, IsAHiddenChildThatUnpacksItsSourceToItsTarget) {
    kx::test::TempFolder folder;
    const std::string book = platform::ReadWholeFile(KX_BUILT_SAMPLE_BOOK);
    newbook::test::ZipBuilder().File("x.mde", book).WriteTo(folder.path() / "a.WAK");
    QWidget parent;
    auto* control = new FSComprFile(&parent);
    EXPECT_EQ(parent.findChild<FSComprFile*>(QStringLiteral("FSComprFile")), control);
    EXPECT_TRUE(control->isHidden());
    control->SetArchiveSource(QString::fromStdString(folder.str()).replace(u'/', u'\\') + R"(\a.WAK)");
    control->SetArchiveTarget(QString::fromStdString((folder.path() / "out.mde").string()));
    control->Unpack();
    EXPECT_EQ(platform::ReadWholeFile(folder.path() / "out.mde"), book);
    control->SetArchiveTarget(QString());
    EXPECT_THROW(control->Unpack(), newbook::ArchiveError);
}

} // namespace
} // namespace kx::wizard
