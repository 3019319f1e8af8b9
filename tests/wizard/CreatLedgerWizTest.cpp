#include "wizard/CreatLedgerWiz.h"

#include "TempFolder.h"
#include "platform/PropertyStore.h"
#include "support/AccountingObject.h"
#include "support/SupportError.h"
#include "wizard/WizardTestSupport.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableView>

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <tuple>

namespace kx::wizard {
namespace {

using test::SignalLog;

template <typename T> T* Child(const CreatLedgerWiz& wiz, const QString& name) {
    return wiz.findChild<T*>(name);
}

// ---------------------------------------------------------------- initial state

TEST(CreatLedgerWizInitialState, PublicValuesStartAsDocumented) {
    CreatLedgerWiz wiz;
    EXPECT_EQ(wiz.BookID(), -1);
    EXPECT_EQ(wiz.Step(), 0);
    EXPECT_FALSE(wiz.Completed());
    EXPECT_EQ(wiz.MaxStep(), 4);
    EXPECT_EQ(wiz.BookNo(), "1");
    for (short i = 0; i < 4; ++i) {
        EXPECT_EQ(wiz.ButtonCaption(i), "");
        EXPECT_FALSE(wiz.ButtonEnabled(i));
    }
    EXPECT_EQ(wiz.IniFile(), "");
    EXPECT_EQ(wiz.FromFile(), "");
    EXPECT_EQ(wiz.BookFile(), "");
    EXPECT_EQ(wiz.BookName(), "");
    EXPECT_EQ(wiz.UserName(), "");
    EXPECT_EQ(wiz.Director(), "");
    EXPECT_EQ(wiz.PathSamples(), "");
    EXPECT_FALSE(wiz.Abort());
    EXPECT_TRUE(wiz.BeginDate().isNull());
    EXPECT_FALSE(wiz.PasswordOK());
    EXPECT_TRUE(wiz.ChangedProperties().empty());
    EXPECT_EQ(wiz.Acc, nullptr);
}

TEST(CreatLedgerWizInitialState, BookNoFallsBackToOneOnlyWhileEmpty) {
    CreatLedgerWiz wiz;
    wiz.SetBookNo("000007");
    EXPECT_EQ(wiz.BookNo(), "000007");
    wiz.SetBookNo("");
    EXPECT_EQ(wiz.BookNo(), "1");
}

// ---------------------------------------------------------------- IniFile

struct PathCase {
    const char* name;
    QString appPath;
    QString input;
    QString expected;
};

void PrintTo(const PathCase& c, std::ostream* os) {
    *os << c.name;
}

class IniFileTest : public testing::TestWithParam<PathCase> {};

TEST_P(IniFileTest, SetterStoresTheResolvedPath) {
    CreatLedgerWiz wiz;
    wiz.AppPath = GetParam().appPath;
    wiz.SetIniFile(GetParam().input);
    EXPECT_EQ(wiz.IniFile(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, IniFileTest,
    testing::Values(
        PathCase{"DriveLetterUnchanged", "/app", R"(C:\a\books.txt)", R"(C:\a\books.txt)"},
        PathCase{"DriveLetterKeepsDotDot", "/app", R"(C:..\books.txt)", R"(C:..\books.txt)"},
        PathCase{"AbsoluteUnchanged", "/app", "/a/books.txt", "/a/books.txt"},
        PathCase{"AbsoluteKeepsDotDot", "/app", "/a/../books.txt", "/a/../books.txt"},
        PathCase{"DotDotIsAppFolder", "/app", R"(..\Data\books.txt)", R"(/app\Data\books.txt)"},
        PathCase{"LeadingBackslashInsideAppFolder", "/app", R"(\Data\books.txt)", R"(/app/Data\books.txt)"},
        PathCase{"DoubledSeparatorsCollapsed", "/app", R"(\Data\\books.txt)", R"(/app/Data\books.txt)"},
        PathCase{"AppFolderTrailingSlashNotDoubled", "/app/", R"(\Data\books.txt)", R"(/app/Data\books.txt)"},
        PathCase{"AppFolderOnShareKeepsItsPrefix", "//srv/app", R"(\Data\books.txt)",
                 R"(//srv/app/Data\books.txt)"},
        PathCase{"BareNameUnchanged", "/app", "books.txt", "books.txt"},
        PathCase{"BackslashShareUnchanged", "/app", R"(\\srv\s\b.txt)", R"(\\srv\s\b.txt)"},
        PathCase{"SlashShareUnchanged", "/app", "//srv/s/b.txt", "//srv/s/b.txt"},
        PathCase{"ShareStillGetsDotDotReplaced", "/app", R"(\\srv\..\b.txt)", R"(\\srv\/app\b.txt)"},
        PathCase{"Empty", "/app", "", ""},
        PathCase{"NoAppFolderLeavesLeadingBackslash", "", R"(\Data\books.txt)", R"(\Data\books.txt)"},
        PathCase{"NoAppFolderDropsDotDot", "", R"(..\Data\books.txt)", R"(\Data\books.txt)"}),
    [](const testing::TestParamInfo<PathCase>& c) { return std::string(c.param.name); });

// ---------------------------------------------------------------- PathTemplates

class PathTemplatesTest : public testing::TestWithParam<PathCase> {};

TEST_P(PathTemplatesTest, GetterResolvesAndKeepsTheResolution) {
    CreatLedgerWiz wiz;
    wiz.AppPath = GetParam().appPath;
    wiz.SetPathTemplates(GetParam().input);
    EXPECT_EQ(wiz.PathTemplates(), GetParam().expected);
    // A second read must not resolve the stored resolution again.
    EXPECT_EQ(wiz.PathTemplates(), GetParam().expected);
    platform::MemoryPropertyStore store;
    wiz.WriteProperties(store);
    EXPECT_EQ(store.ReadString("PathTemplates", "absent"), GetParam().expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Folders, PathTemplatesTest,
    testing::Values(PathCase{"EmptyIsDataInAppFolder", "/app", "", "/app/data"},
                    PathCase{"LeadingBackslashFollowsAppFolder", "/app", R"(\tpl)", R"(/app\tpl)"},
                    PathCase{"BackslashShareUnchanged", "/app", R"(\\srv\tpl)", R"(\\srv\tpl)"},
                    PathCase{"SlashShareUnchanged", "/app", "//srv/tpl", "//srv/tpl"},
                    PathCase{"DriveLetterUnchanged", "/app", R"(D:\tpl)", R"(D:\tpl)"},
                    PathCase{"AbsoluteUnchanged", "/app", "/abs/tpl", "/abs/tpl"},
                    PathCase{"RelativeUnchanged", "/app", "tpl", "tpl"},
                    PathCase{"NoAppFolderLeavesEmpty", "", "", ""},
                    PathCase{"NoAppFolderLeavesBackslash", "", R"(\tpl)", R"(\tpl)"}),
    [](const testing::TestParamInfo<PathCase>& c) { return std::string(c.param.name); });

// ---------------------------------------------------------------- indexed properties

TEST(CreatLedgerWizIndexes, GettersFailOutsideZeroToThreeTheColourSetterIgnoresItQuietly) {
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

TEST(CreatLedgerWizColours, SetterStoresAndMarksOnlyThatKeyChanged) {
    CreatLedgerWiz wiz;
    wiz.SetForeColorBookList(2, 0x0000FFu);
    EXPECT_EQ(wiz.ForeColorBookList(2), 0x0000FFu);
    EXPECT_EQ(wiz.ForeColorBookList(1), 0x80000002u);
    EXPECT_EQ(wiz.ChangedProperties(), (std::set<std::string>{"ForeColorBookList2"}));
}

// ---------------------------------------------------------------- BeginDate

TEST(CreatLedgerWizBeginDate, SetterFillsSpinnersAndFieldsOnlyInRangeGetterGivesFirstOfMonth) {
    const std::pair<QDate, QDate> cases[] = {{QDate(2024, 5, 17), QDate(2024, 5, 1)},
                                             // equal to the spinners' start: still reaches the fields
                                             {QDate(1900, 1, 31), QDate(1900, 1, 1)},
                                             {QDate(3000, 12, 1), QDate(3000, 12, 1)},
                                             {QDate(1899, 12, 31), QDate()},
                                             {QDate(3001, 1, 1), QDate()},
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

TEST(CreatLedgerWizBeginDate, GetterReadsTheFieldsAndNeverFailsSpinnersWriteTheFields) {
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

// ---------------------------------------------------------------- Completed

TEST(CreatLedgerWizCompleted, TrueSendsTheBranchNoticeWithTheWindowIdEachTimeFalseNone) {
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
}

TEST(CreatLedgerWizCompleted, TrueWithoutAccFailsToTheCaller) {
    CreatLedgerWiz wiz;
    try {
        wiz.SetCompleted(true);
        FAIL() << "the notice was reported as sent";
    } catch (const support::SupportError& e) {
        EXPECT_EQ(e.number(), support::supporterr::ObjectNotSet);
    }
    EXPECT_NO_THROW(wiz.SetCompleted(false));
}

// ---------------------------------------------------------------- Prompt

TEST(CreatLedgerWizPrompt, RaisesNotifyWithTheMessageAndBoxFlag) {
    CreatLedgerWiz wiz;
    SignalLog log(wiz);
    wiz.Prompt(QStringLiteral("x"));
    wiz.Prompt(QStringLiteral("请检查"), true);
    ASSERT_EQ(log.notices.size(), 2u);
    EXPECT_EQ(log.notices[0], std::make_pair(QStringLiteral("x"), false));
    EXPECT_EQ(log.notices[1], std::make_pair(QStringLiteral("请检查"), true));
}

// ---------------------------------------------------------------- Step

TEST(CreatLedgerWizStep, CancelSetByReferenceInBeforeStepKeepsThePage) {
    CreatLedgerWiz wiz;
    SignalLog log(wiz);
    bool cancelSeenOnEntry = true;
    QObject::connect(
        &wiz, &CreatLedgerWiz::BeforeStep, &wiz,
        [&cancelSeenOnEntry](short, bool& cancel) {
            cancelSeenOnEntry = cancel;
            cancel = true;
        },
        Qt::DirectConnection);
    wiz.SetStep(2);
    EXPECT_FALSE(cancelSeenOnEntry);
    EXPECT_EQ(log.beforeSteps, std::vector<short>{2});
    EXPECT_TRUE(log.afterSteps.empty());
    EXPECT_EQ(wiz.Step(), 0);
    EXPECT_EQ(wiz.findChild<QStackedWidget*>()->currentIndex(), 0);
}

TEST(CreatLedgerWizStep, LaterHandlerSeesTheCancelOfAnEarlierOne) {
    CreatLedgerWiz wiz;
    bool seenByLater = false;
    QObject::connect(&wiz, &CreatLedgerWiz::BeforeStep, &wiz, [](short, bool& cancel) { cancel = true; });
    QObject::connect(&wiz, &CreatLedgerWiz::BeforeStep, &wiz,
                     [&seenByLater](short, bool& cancel) { seenByLater = cancel; });
    wiz.SetStep(1);
    EXPECT_TRUE(seenByLater);
    EXPECT_EQ(wiz.Step(), 0);
}

TEST(CreatLedgerWizStep, UncancelledStepShowsThePageThenRaisesAfterStep) {
    CreatLedgerWiz wiz;
    SignalLog log(wiz);
    int pageAtAfterStep = -1;
    QObject::connect(&wiz, &CreatLedgerWiz::AfterStep, &wiz, [&wiz, &pageAtAfterStep](short) {
        pageAtAfterStep = wiz.findChild<QStackedWidget*>()->currentIndex();
    });
    wiz.SetStep(3);
    EXPECT_EQ(wiz.Step(), 3);
    EXPECT_EQ(log.beforeSteps, std::vector<short>{3});
    EXPECT_EQ(log.afterSteps, std::vector<short>{3});
    EXPECT_EQ(pageAtAfterStep, 3);
    EXPECT_EQ(wiz.findChild<QStackedWidget*>()->currentWidget()->objectName(), "Frame1_3");
}

TEST(CreatLedgerWizStep, OutOfRangeRaisesNothingAndKeepsThePage) {
    CreatLedgerWiz wiz;
    wiz.SetStep(1);
    SignalLog log(wiz);
    for (const short step : {short{-1}, short{5}, short{SHRT_MAX}})
        wiz.SetStep(step);
    EXPECT_TRUE(log.beforeSteps.empty());
    EXPECT_TRUE(log.afterSteps.empty());
    EXPECT_EQ(wiz.Step(), 1);
}

// ---------------------------------------------------------------- Load and BookID

TEST(CreatLedgerWizLoad, CancelledBeforeLoadListReturnsFalseAtOnce) {
    CreatLedgerWiz wiz;
    SignalLog log(wiz);
    QObject::connect(&wiz, &CreatLedgerWiz::Command, &wiz, [](const QString& name, bool& cancel) {
        if (name == "BeforeLoadList")
            cancel = true;
    });
    EXPECT_FALSE(wiz.Load(QStringLiteral(R"(..\books.txt)")));
    EXPECT_EQ(log.commands, std::vector<QString>{"BeforeLoadList"});
    EXPECT_TRUE(log.notices.empty());
    EXPECT_EQ(wiz.IniFile(), "");
}

TEST(CreatLedgerWizLoad, NoAppFolderAndMissingListGiveBothMessages) {
    CreatLedgerWiz wiz;
    SignalLog log(wiz);
    EXPECT_FALSE(wiz.Load());
    ASSERT_EQ(log.notices.size(), 2u);
    EXPECT_EQ(log.notices[0].first, "未指定程序当前路径，无法正常读入账簿列表。");
    EXPECT_EQ(log.notices[1].first, "未找到账簿目录文件，无法读入记账列表。");
    EXPECT_TRUE(log.notices[0].second);
    EXPECT_TRUE(log.notices[1].second);
    EXPECT_EQ(log.commands, std::vector<QString>{"BeforeLoadList"});
}

TEST(CreatLedgerWizLoad, FileNameGoesThroughTheIniFileSetter) {
    kx::test::TempFolder folder;
    std::ofstream(folder.path() / "Books.txt") << "x\n";
    CreatLedgerWiz wiz;
    wiz.AppPath = QString::fromStdString(folder.str());
    SignalLog log(wiz);
    // ".." is the application folder; the file is found whatever the letter case.
    wiz.Load(QStringLiteral(R"(..\books.txt)"));
    EXPECT_EQ(wiz.IniFile(), wiz.AppPath + R"(\books.txt)");
    EXPECT_TRUE(log.notices.empty());
}

TEST(CreatLedgerWizBookID, EmptyGridLoadsTheListFirstAndSelectsNothing) {
    CreatLedgerWiz wiz;
    SignalLog log(wiz);
    wiz.SetBookID(0);
    EXPECT_EQ(wiz.BookID(), 0);
    EXPECT_EQ(log.commands, std::vector<QString>{"BeforeLoadList"});
}

class BookIdWithRowsTest : public testing::Test {
  protected:
    void SetUp() override {
        auto* model =
            qobject_cast<QStandardItemModel*>(Child<QTableView>(wiz, QStringLiteral("fg"))->model());
        for (const char* name : {"样本账簿", "甲公司", "乙公司"})
            model->appendRow(new QStandardItem(QString::fromUtf8(name)));
    }
    int CurrentRow() const { return Child<QTableView>(wiz, QStringLiteral("fg"))->currentIndex().row(); }

    CreatLedgerWiz wiz;
};

TEST_F(BookIdWithRowsTest, ExistingRowBecomesCurrentAndIsAnnounced) {
    SignalLog log(wiz);
    wiz.SetBookID(1);
    EXPECT_EQ(CurrentRow(), 1);
    EXPECT_EQ(log.commands, std::vector<QString>{"AfterBookSelected"});
    EXPECT_EQ(wiz.BookID(), 1);
}

TEST_F(BookIdWithRowsTest, PositionOutsideTheGridIsStoredButSelectsNothing) {
    SignalLog log(wiz);
    for (const int id : {3, -1, INT_MAX, INT_MIN}) {
        wiz.SetBookID(id);
        EXPECT_EQ(wiz.BookID(), id);
    }
    EXPECT_EQ(CurrentRow(), -1);
    EXPECT_TRUE(log.commands.empty());
}

} // namespace
} // namespace kx::wizard
