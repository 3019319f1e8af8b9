#include "wizard/CreatLedgerWiz.h"

#include "TempFolder.h"
#include "platform/PropertyStore.h"
#include "support/AccountingObject.h"
#include "support/SupportError.h"
#include "wizard/WizardTestSupport.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <stdexcept>
#include <string>
#include <tuple>

namespace kx::wizard {
namespace {

using test::SignalLog;

template <typename T> T* Child(const CreatLedgerWiz& wiz, const QString& name) {
    return wiz.findChild<T*>(name);
}

TEST(CreatLedgerWiz, StartsOnPageZeroWithNoBookNoButtonsAndBookNoOne) {
    CreatLedgerWiz wiz;
    EXPECT_EQ(wiz.BookID(), -1);
    EXPECT_EQ(wiz.Step(), 0);
    EXPECT_EQ(wiz.MaxStep(), 4);
    EXPECT_FALSE(wiz.Completed());
    EXPECT_FALSE(wiz.PasswordOK());
    EXPECT_TRUE(wiz.BeginDate().isNull());
    for (short i = 0; i < 4; ++i) {
        EXPECT_EQ(wiz.ButtonCaption(i), "");
        EXPECT_FALSE(wiz.ButtonEnabled(i));
    }
    EXPECT_EQ(wiz.BookNo(), "1");
    wiz.SetBookNo("000007");
    EXPECT_EQ(wiz.BookNo(), "000007");
    wiz.SetBookNo("");
    EXPECT_EQ(wiz.BookNo(), "1"); // falls back to one only while empty
}

// Columns: application folder, value set, value read back.
using PathCase = std::tuple<QString, QString, QString>;

TEST(CreatLedgerWiz, IniFileResolvesDotDotAndALeadingBackslashAgainstTheAppFolder) {
    const PathCase cases[] = {
        {"/app", R"(C:\a\books.txt)", R"(C:\a\books.txt)"}, {"/app", R"(C:..\books.txt)", R"(C:..\books.txt)"},
        {"/app", "/a/books.txt", "/a/books.txt"},           {"/app", "/a/../books.txt", "/a/../books.txt"},
        {"/app", R"(..\Data\books.txt)", R"(/app\Data\books.txt)"},
        {"/app", R"(\Data\books.txt)", R"(/app/Data\books.txt)"},
        {"/app", R"(\Data\\books.txt)", R"(/app/Data\books.txt)"},
        {"/app/", R"(\Data\books.txt)", R"(/app/Data\books.txt)"},
        {"//srv/app", R"(\Data\books.txt)", R"(//srv/app/Data\books.txt)"},
        {"/app", "books.txt", "books.txt"},                 {"/app", R"(\\srv\s\b.txt)", R"(\\srv\s\b.txt)"},
        {"/app", "//srv/s/b.txt", "//srv/s/b.txt"},         {"/app", R"(\\srv\..\b.txt)", R"(\\srv\/app\b.txt)"},
        {"/app", "", ""},                                   {"", R"(\Data\books.txt)", R"(\Data\books.txt)"},
        {"", R"(..\Data\books.txt)", R"(\Data\books.txt)"}};
    for (const auto& [appPath, input, expected] : cases) {
        SCOPED_TRACE((appPath + " + " + input).toStdString());
        CreatLedgerWiz wiz;
        wiz.AppPath = appPath;
        wiz.SetIniFile(input);
        EXPECT_EQ(wiz.IniFile(), expected);
    }
}

TEST(CreatLedgerWiz, PathTemplatesResolvesOnceOnReadAndWritesTheResolution) {
    const PathCase cases[] = {{"/app", "", "/app/data"},          {"/app", R"(\tpl)", R"(/app\tpl)"},
                              {"/app", R"(\\srv\tpl)", R"(\\srv\tpl)"}, {"/app", "//srv/tpl", "//srv/tpl"},
                              {"/app", R"(D:\tpl)", R"(D:\tpl)"},   {"/app", "/abs/tpl", "/abs/tpl"},
                              {"/app", "tpl", "tpl"},               {"", "", ""},
                              {"", R"(\tpl)", R"(\tpl)"}};
    for (const auto& [appPath, input, expected] : cases) {
        SCOPED_TRACE((appPath + " + " + input).toStdString());
        CreatLedgerWiz wiz;
        wiz.AppPath = appPath;
        wiz.SetPathTemplates(input);
        EXPECT_EQ(wiz.PathTemplates(), expected);
        EXPECT_EQ(wiz.PathTemplates(), expected); // the stored resolution is not resolved again
        platform::MemoryPropertyStore store;
        wiz.WriteProperties(store);
        EXPECT_EQ(store.ReadString("PathTemplates", "absent"), expected.toStdString());
    }
}

TEST(CreatLedgerWiz, IndexedGettersFailOutsideZeroToThreeTheColourSetterIgnoresItQuietly) {
    for (const short index : {short{-1}, short{4}, short{100}, short{SHRT_MIN}}) {
        CreatLedgerWiz wiz;
        EXPECT_THROW(static_cast<void>(wiz.ForeColorBookList(index)), std::out_of_range) << index;
        EXPECT_THROW(static_cast<void>(wiz.ButtonCaption(index)), std::out_of_range) << index;
        EXPECT_THROW(static_cast<void>(wiz.ButtonEnabled(index)), std::out_of_range) << index;
        EXPECT_NO_THROW(wiz.SetForeColorBookList(index, 255));
        for (short i = 0; i < 4; ++i)
            EXPECT_EQ(wiz.ForeColorBookList(i), CreatLedgerWiz::kInitialForeColors[static_cast<std::size_t>(i)]);
        EXPECT_TRUE(wiz.ChangedProperties().empty());
    }
}

TEST(CreatLedgerWiz, BeginDateSetterFillsSpinnersAndFieldsOnlyInRangeGetterGivesFirstOfMonth) {
    const std::pair<QDate, QDate> cases[] = {{QDate(2024, 5, 17), QDate(2024, 5, 1)},
                                             {QDate(1900, 1, 31), QDate(1900, 1, 1)}, // the spinners' start
                                             {QDate(3000, 12, 1), QDate(3000, 12, 1)},
                                             {QDate(1899, 12, 31), QDate()}, {QDate(3001, 1, 1), QDate()},
                                             {QDate(), QDate()}};
    for (const auto& [date, expected] : cases) {
        SCOPED_TRACE(date.toString(Qt::ISODate).toStdString());
        CreatLedgerWiz wiz;
        if (!expected.isValid()) {
            wiz.SetBeginDate(QDate(2024, 5, 1));
            EXPECT_THROW(wiz.SetBeginDate(date), std::out_of_range);
        } else {
            wiz.SetBeginDate(date);
        }
        const QDate shown = expected.isValid() ? expected : QDate(2024, 5, 1);
        EXPECT_EQ(Child<QSpinBox>(wiz, QStringLiteral("UpDown_0"))->value(), shown.year());
        EXPECT_EQ(Child<QSpinBox>(wiz, QStringLiteral("UpDown_1"))->value(), shown.month());
        EXPECT_EQ(Child<QLineEdit>(wiz, QStringLiteral("TDBText3_3"))->text(), QString::number(shown.year()));
        EXPECT_EQ(Child<QLineEdit>(wiz, QStringLiteral("TDBText3_4"))->text(), QString::number(shown.month()));
        EXPECT_EQ(wiz.BeginDate(), shown);
    }
}

TEST(CreatLedgerWiz, BeginDateGetterReadsTheFieldsAndNeverFailsSpinnersWriteTheFields) {
    const std::tuple<const char*, const char*, QDate> cases[] = {
        {"2024", "5", QDate(2024, 5, 1)}, {" 2024 ", "05", QDate(2024, 5, 1)}, {"", "", QDate()},
        {"2024", "", QDate()},            {"二〇二四", "5", QDate()},           {"2024", "13", QDate()},
        {"2024", "0", QDate()}};
    CreatLedgerWiz wiz;
    for (const auto& [year, month, expected] : cases) {
        Child<QLineEdit>(wiz, QStringLiteral("TDBText3_3"))->setText(QString::fromUtf8(year));
        Child<QLineEdit>(wiz, QStringLiteral("TDBText3_4"))->setText(QString::fromUtf8(month));
        EXPECT_EQ(wiz.BeginDate(), expected) << year << "/" << month;
    }
    Child<QSpinBox>(wiz, QStringLiteral("UpDown_0"))->setValue(2031);
    Child<QSpinBox>(wiz, QStringLiteral("UpDown_1"))->setValue(12);
    EXPECT_EQ(Child<QLineEdit>(wiz, QStringLiteral("TDBText3_3"))->text(), "2031");
    EXPECT_EQ(Child<QLineEdit>(wiz, QStringLiteral("TDBText3_4"))->text(), "12");
    EXPECT_EQ(wiz.BeginDate(), QDate(2031, 12, 1));
}

TEST(CreatLedgerWiz, CompletedTrueSendsTheBranchNoticeEachTimeAndFailsWithoutAcc) {
    CreatLedgerWiz wiz;
    auto acc = std::make_shared<support::AccountingObject>();
    std::vector<std::string> notices;
    acc->SetNoticeReceiver([&notices](const std::string& n) { notices.push_back(n); });
    wiz.Acc = acc;
    wiz.SetCompleted(false);
    EXPECT_FALSE(wiz.Completed());
    EXPECT_TRUE(notices.empty());
    wiz.SetCompleted(true);
    wiz.SetCompleted(true);
    EXPECT_TRUE(wiz.Completed());
    ASSERT_NE(wiz.winId(), 0u);
    const std::string expected = std::to_string(wiz.winId()) + "|All|Branch|0||";
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

TEST(CreatLedgerWiz, LoadFailsWhenCancelledOrWithoutAppFolderAndListResolvesTheFileName) {
    CreatLedgerWiz cancelled;
    SignalLog log(cancelled);
    QObject::connect(&cancelled, &CreatLedgerWiz::Command, &cancelled, [](const QString& name, bool& cancel) {
        cancel = name == "BeforeLoadList";
    });
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
    EXPECT_EQ(bareLog.commands, std::vector<QString>{"BeforeLoadList"});

    // The file name goes through the IniFile setter; the file is found whatever the letter case.
    kx::test::TempFolder folder;
    std::ofstream(folder.path() / "Books.txt") << "x\n";
    CreatLedgerWiz wiz;
    wiz.AppPath = QString::fromStdString(folder.str());
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
    auto* grid = Child<QTableView>(wiz, QStringLiteral("fg"));
    for (const char* name : {"样本账簿", "甲公司", "乙公司"})
        qobject_cast<QStandardItemModel*>(grid->model())->appendRow(new QStandardItem(QString::fromUtf8(name)));
    SignalLog log(wiz);
    for (const int id : {3, -1, INT_MAX, INT_MIN}) {
        wiz.SetBookID(id);
        EXPECT_EQ(wiz.BookID(), id);
    }
    EXPECT_EQ(grid->currentIndex().row(), -1);
    EXPECT_TRUE(log.commands.empty());
    wiz.SetBookID(1);
    EXPECT_EQ(grid->currentIndex().row(), 1);
    EXPECT_EQ(log.commands, std::vector<QString>{"AfterBookSelected"});
    EXPECT_EQ(wiz.BookID(), 1);
}

} // namespace
} // namespace kx::wizard
