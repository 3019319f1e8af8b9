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

// Readable names for date parameters in test output.
static void PrintTo(const QDate& date, std::ostream* os) {
    *os << (date.isValid() ? date.toString(Qt::ISODate).toStdString() : std::string("null date"));
}

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
    EXPECT_EQ(wiz.ForeColorBookList(0), 0x404040u);
    EXPECT_EQ(wiz.ForeColorBookList(1), 0x80000002u);
    EXPECT_EQ(wiz.ForeColorBookList(2), 0x80000012u);
    EXPECT_EQ(wiz.ForeColorBookList(3), 0x400000u);
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

TEST(CreatLedgerWizInitialState, PropertiesAreReachableThroughTheMetaObject) {
    CreatLedgerWiz wiz;
    for (const char* name :
         {"BookFile", "BookID", "BookName", "BookNo", "UserName", "Director", "BeginDate", "FromFile",
          "PathTemplates", "PathSamples", "Step", "Completed", "MaxStep", "PasswordOK", "IniFile", "Abort"})
        EXPECT_GE(wiz.metaObject()->indexOfProperty(name), 0) << name;

    wiz.setProperty("BookName", QStringLiteral("新账簿"));
    EXPECT_EQ(wiz.BookName(), "新账簿");
    wiz.setProperty("Step", static_cast<short>(2));
    EXPECT_EQ(wiz.Step(), 2);
    EXPECT_EQ(wiz.property("MaxStep").value<short>(), 4);
    EXPECT_EQ(wiz.property("BookID").toInt(), -1);
}

// ---------------------------------------------------------------- child controls

struct ChildControl {
    QString name;
    const char* className;
};

void PrintTo(const ChildControl& c, std::ostream* os) {
    *os << c.name.toStdString();
}

std::vector<ChildControl> AllChildControls() {
    std::vector<ChildControl> all;
    const auto addRange = [&all](const QString& base, int count, const char* className) {
        for (int i = 0; i < count; ++i)
            all.push_back({base + QString::number(i), className});
    };
    addRange(QStringLiteral("Frame1_"), 5, "QFrame");
    all.push_back({QStringLiteral("fg"), "QTableView"});
    all.push_back({QStringLiteral("C1EList"), "QWidget"});
    addRange(QStringLiteral("TDBText1_"), 3, "QLineEdit");
    all.push_back({QStringLiteral("Picture1"), "QFrame"});
    all.push_back({QStringLiteral("chkSql"), "QCheckBox"});
    all.push_back({QStringLiteral("picSql"), "QFrame"});
    addRange(QStringLiteral("TDBSQL_"), 3, "QLineEdit");
    addRange(QStringLiteral("chkRetain_"), 9, "QCheckBox");
    all.push_back({QStringLiteral("picDetails"), "QFrame"});
    addRange(QStringLiteral("TDBText3_"), 5, "QLineEdit");
    addRange(QStringLiteral("UpDown_"), 2, "QSpinBox");
    for (const int i : {0, 1, 4, 9})
        all.push_back({QStringLiteral("Label0_%1").arg(i), "QLabel"});
    for (const int i : {0, 1, 4, 5, 9})
        all.push_back({QStringLiteral("Label1_%1").arg(i), "QLabel"});
    for (const int i : {0, 9})
        all.push_back({QStringLiteral("Label2_%1").arg(i), "QLabel"});
    for (const int i : {0, 1, 2, 3, 4, 9})
        all.push_back({QStringLiteral("Label3_%1").arg(i), "QLabel"});
    for (const int i : {0, 1, 2, 3, 4, 9})
        all.push_back({QStringLiteral("Label4_%1").arg(i), "QLabel"});
    all.push_back({QStringLiteral("PushButton1"), "QPushButton"});
    all.push_back({QStringLiteral("FSComprFile"), "kx::wizard::FSComprFile"});
    return all;
}

class ChildControlTest : public testing::TestWithParam<ChildControl> {};

TEST_P(ChildControlTest, ExistsOnceUnderItsNameWithItsKind) {
    CreatLedgerWiz wiz;
    const auto found = wiz.findChildren<QWidget*>(GetParam().name);
    ASSERT_EQ(found.size(), 1);
    EXPECT_TRUE(found.front()->inherits(GetParam().className)) << found.front()->metaObject()->className();
}

INSTANTIATE_TEST_SUITE_P(Surface, ChildControlTest, testing::ValuesIn(AllChildControls()),
                         [](const testing::TestParamInfo<ChildControl>& c) {
                             return c.param.name.toStdString();
                         });

TEST(CreatLedgerWizSurface, FivePagesStackedInOrderEachWithALayout) {
    CreatLedgerWiz wiz;
    const auto stacks = wiz.findChildren<QStackedWidget*>();
    ASSERT_EQ(stacks.size(), 1);
    QStackedWidget* pages = stacks.front();
    ASSERT_EQ(pages->count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(pages->widget(i)->objectName(), QStringLiteral("Frame1_%1").arg(i));
        EXPECT_NE(pages->widget(i)->layout(), nullptr) << i;
    }
    EXPECT_EQ(pages->currentIndex(), 0);
}

TEST(CreatLedgerWizSurface, BookListGridIsEmptyWithSixKeyedColumnsAndOnlyTheNameVisible) {
    CreatLedgerWiz wiz;
    auto* grid = Child<QTableView>(wiz, QStringLiteral("fg"));
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(Child<QWidget>(wiz, QStringLiteral("C1EList"))->isAncestorOf(grid));
    auto* model = qobject_cast<QStandardItemModel*>(grid->model());
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->rowCount(), 0);
    const QStringList keys{"BookName", "BookPath", "BookFile", "UserName", "CurrentPeriod", "Visible"};
    ASSERT_EQ(model->columnCount(), keys.size());
    for (int c = 0; c < keys.size(); ++c) {
        EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString(), keys[c]);
        EXPECT_EQ(grid->isColumnHidden(c), c != 0) << keys[c].toStdString();
    }
    EXPECT_TRUE(Child<QWidget>(wiz, QStringLiteral("C1EList"))->isHidden());
}

TEST(CreatLedgerWizSurface, FixedCaptionsAndSpinnerRanges) {
    CreatLedgerWiz wiz;
    EXPECT_EQ(Child<QCheckBox>(wiz, QStringLiteral("chkSql"))->text(), "SQL");
    EXPECT_EQ(Child<QPushButton>(wiz, QStringLiteral("PushButton1"))->text(), "创建列表项");
    auto* year = Child<QSpinBox>(wiz, QStringLiteral("UpDown_0"));
    EXPECT_EQ(year->minimum(), 1900);
    EXPECT_EQ(year->maximum(), 3000);
    EXPECT_EQ(year->value(), 1900);
    auto* month = Child<QSpinBox>(wiz, QStringLiteral("UpDown_1"));
    EXPECT_EQ(month->minimum(), 1);
    EXPECT_EQ(month->maximum(), 12);
    EXPECT_EQ(month->value(), 1);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Child<QLineEdit>(wiz, QStringLiteral("TDBText3_%1").arg(i))->text(), "") << i;
}

TEST(CreatLedgerWizSurface, NewBookTextPropertiesAreTheFieldsOfPageThree) {
    CreatLedgerWiz wiz;
    wiz.SetBookName(QStringLiteral("二〇二四账簿"));
    wiz.SetUserName(QStringLiteral("某某公司"));
    wiz.SetDirector(QStringLiteral("李四"));
    EXPECT_EQ(Child<QLineEdit>(wiz, QStringLiteral("TDBText3_0"))->text(), "二〇二四账簿");
    EXPECT_EQ(Child<QLineEdit>(wiz, QStringLiteral("TDBText3_1"))->text(), "某某公司");
    Child<QLineEdit>(wiz, QStringLiteral("TDBText3_2"))->setText(QStringLiteral("王五"));
    EXPECT_EQ(wiz.Director(), "王五");
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

TEST(CreatLedgerWizPathSamples, ReturnedAsStored) {
    CreatLedgerWiz wiz;
    wiz.AppPath = QStringLiteral("/app");
    wiz.SetPathSamples(QStringLiteral(R"(\samples)"));
    EXPECT_EQ(wiz.PathSamples(), R"(\samples)");
}

// ---------------------------------------------------------------- indexed properties

class BadIndexTest : public testing::TestWithParam<short> {};

TEST_P(BadIndexTest, IndexedGettersFailOutsideZeroToThree) {
    CreatLedgerWiz wiz;
    EXPECT_THROW(static_cast<void>(wiz.ForeColorBookList(GetParam())), std::out_of_range);
    EXPECT_THROW(static_cast<void>(wiz.ButtonCaption(GetParam())), std::out_of_range);
    EXPECT_THROW(static_cast<void>(wiz.ButtonEnabled(GetParam())), std::out_of_range);
}

TEST_P(BadIndexTest, ColourSetterIgnoresTheIndexQuietly) {
    CreatLedgerWiz wiz;
    EXPECT_NO_THROW(wiz.SetForeColorBookList(GetParam(), 255));
    for (short i = 0; i < 4; ++i)
        EXPECT_EQ(wiz.ForeColorBookList(i), CreatLedgerWiz::kInitialForeColors[static_cast<std::size_t>(i)]);
    EXPECT_TRUE(wiz.ChangedProperties().empty());
}

INSTANTIATE_TEST_SUITE_P(Indexes, BadIndexTest, testing::Values<short>(-1, 4, 100, SHRT_MIN));

TEST(CreatLedgerWizColours, SetterStoresAndMarksOnlyThatKeyChanged) {
    CreatLedgerWiz wiz;
    wiz.SetForeColorBookList(2, 0x0000FFu);
    EXPECT_EQ(wiz.ForeColorBookList(2), 0x0000FFu);
    EXPECT_EQ(wiz.ForeColorBookList(1), 0x80000002u);
    EXPECT_EQ(wiz.ChangedProperties(), (std::set<std::string>{"ForeColorBookList2"}));
}

// ---------------------------------------------------------------- BeginDate

TEST(CreatLedgerWizBeginDate, SetterFillsSpinnersAndFieldsGetterGivesFirstOfMonth) {
    CreatLedgerWiz wiz;
    wiz.SetBeginDate(QDate(2024, 5, 17));
    EXPECT_EQ(Child<QSpinBox>(wiz, QStringLiteral("UpDown_0"))->value(), 2024);
    EXPECT_EQ(Child<QSpinBox>(wiz, QStringLiteral("UpDown_1"))->value(), 5);
    EXPECT_EQ(Child<QLineEdit>(wiz, QStringLiteral("TDBText3_3"))->text(), "2024");
    EXPECT_EQ(Child<QLineEdit>(wiz, QStringLiteral("TDBText3_4"))->text(), "5");
    EXPECT_EQ(wiz.BeginDate(), QDate(2024, 5, 1));
}

TEST(CreatLedgerWizBeginDate, DateEqualToTheSpinnersStartStillReachesTheFields) {
    CreatLedgerWiz wiz;
    wiz.SetBeginDate(QDate(1900, 1, 31));
    EXPECT_EQ(Child<QLineEdit>(wiz, QStringLiteral("TDBText3_3"))->text(), "1900");
    EXPECT_EQ(Child<QLineEdit>(wiz, QStringLiteral("TDBText3_4"))->text(), "1");
    EXPECT_EQ(wiz.BeginDate(), QDate(1900, 1, 1));
}

TEST(CreatLedgerWizBeginDate, LastAcceptedYearIsThreeThousand) {
    CreatLedgerWiz wiz;
    wiz.SetBeginDate(QDate(3000, 12, 1));
    EXPECT_EQ(wiz.BeginDate(), QDate(3000, 12, 1));
}

class BeginDateOutOfRangeTest : public testing::TestWithParam<QDate> {};

TEST_P(BeginDateOutOfRangeTest, SetterFailsAndChangesNothing) {
    CreatLedgerWiz wiz;
    wiz.SetBeginDate(QDate(2024, 5, 1));
    EXPECT_THROW(wiz.SetBeginDate(GetParam()), std::out_of_range);
    EXPECT_EQ(Child<QSpinBox>(wiz, QStringLiteral("UpDown_0"))->value(), 2024);
    EXPECT_EQ(Child<QSpinBox>(wiz, QStringLiteral("UpDown_1"))->value(), 5);
    EXPECT_EQ(wiz.BeginDate(), QDate(2024, 5, 1));
}

INSTANTIATE_TEST_SUITE_P(Dates, BeginDateOutOfRangeTest,
                         testing::Values(QDate(1899, 12, 31), QDate(3001, 1, 1), QDate()),
                         [](const testing::TestParamInfo<QDate>& c) {
                             return c.param.isValid() ? "Year" + std::to_string(c.param.year())
                                                      : std::string("Null");
                         });

struct DateFieldsCase {
    const char* name;
    QString year;
    QString month;
    QDate expected;
};

void PrintTo(const DateFieldsCase& c, std::ostream* os) {
    *os << c.name;
}

class BeginDateFieldsTest : public testing::TestWithParam<DateFieldsCase> {};

TEST_P(BeginDateFieldsTest, GetterReadsTheFieldsAndNeverFails) {
    CreatLedgerWiz wiz;
    Child<QLineEdit>(wiz, QStringLiteral("TDBText3_3"))->setText(GetParam().year);
    Child<QLineEdit>(wiz, QStringLiteral("TDBText3_4"))->setText(GetParam().month);
    EXPECT_EQ(wiz.BeginDate(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, BeginDateFieldsTest,
    testing::Values(DateFieldsCase{"Plain", "2024", "5", QDate(2024, 5, 1)},
                    DateFieldsCase{"LeadingZeroAndSpaces", " 2024 ", "05", QDate(2024, 5, 1)},
                    DateFieldsCase{"BothEmpty", "", "", QDate()},
                    DateFieldsCase{"MonthEmpty", "2024", "", QDate()},
                    DateFieldsCase{"YearNotNumeric", "二〇二四", "5", QDate()},
                    DateFieldsCase{"MonthThirteen", "2024", "13", QDate()},
                    DateFieldsCase{"MonthZero", "2024", "0", QDate()}),
    [](const testing::TestParamInfo<DateFieldsCase>& c) { return std::string(c.param.name); });

TEST(CreatLedgerWizBeginDate, SpinnerChangesWriteTheirValueIntoTheirFields) {
    CreatLedgerWiz wiz;
    Child<QSpinBox>(wiz, QStringLiteral("UpDown_0"))->setValue(2031);
    Child<QSpinBox>(wiz, QStringLiteral("UpDown_1"))->setValue(12);
    EXPECT_EQ(Child<QLineEdit>(wiz, QStringLiteral("TDBText3_3"))->text(), "2031");
    EXPECT_EQ(Child<QLineEdit>(wiz, QStringLiteral("TDBText3_4"))->text(), "12");
    EXPECT_EQ(wiz.BeginDate(), QDate(2031, 12, 1));
}

// ---------------------------------------------------------------- Completed

TEST(CreatLedgerWizCompleted, FalseSendsNoNotice) {
    CreatLedgerWiz wiz;
    auto acc = std::make_shared<support::AccountingObject>();
    int notices = 0;
    acc->SetNoticeReceiver([&notices](const std::string&) { ++notices; });
    wiz.Acc = acc;
    wiz.SetCompleted(false);
    EXPECT_FALSE(wiz.Completed());
    EXPECT_EQ(notices, 0);
}

TEST(CreatLedgerWizCompleted, TrueSendsTheBranchNoticeWithTheWindowIdEachTime) {
    CreatLedgerWiz wiz;
    auto acc = std::make_shared<support::AccountingObject>();
    std::vector<std::string> notices;
    acc->SetNoticeReceiver([&notices](const std::string& n) { notices.push_back(n); });
    wiz.Acc = acc;
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

class StepOutOfRangeTest : public testing::TestWithParam<short> {};

TEST_P(StepOutOfRangeTest, RaisesNothingAndKeepsThePage) {
    CreatLedgerWiz wiz;
    wiz.SetStep(1);
    SignalLog log(wiz);
    wiz.SetStep(GetParam());
    EXPECT_TRUE(log.beforeSteps.empty());
    EXPECT_TRUE(log.afterSteps.empty());
    EXPECT_EQ(wiz.Step(), 1);
}

INSTANTIATE_TEST_SUITE_P(Steps, StepOutOfRangeTest, testing::Values<short>(-1, 5, SHRT_MAX));

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
