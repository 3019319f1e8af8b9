#include "wizard/WizardTestFixture.h"

#include "platform/DiskPath.h"
#include "support/AccountingObject.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

namespace kx::wizard {
namespace {

namespace fs = std::filesystem;
using test::Q;
using Column = BookListModel::Column;

QColor RowColour(const BookListModel* model, int row, int column = 0) {
    return model->data(model->index(row, column), Qt::ForegroundRole).value<QBrush>().color();
}

bool RowBold(const BookListModel* model, int row) {
    for (int c = 0; c < model->columnCount(); ++c)
        if (!model->data(model->index(row, c), Qt::FontRole).value<QFont>().bold())
            return false;
    return true;
}

class BookListViewTest : public test::WizardOnAppFolder {
  protected:
    std::string SqlLine() const { return "分公司账簿\tsa:secret@db1\tkxAcc000002\t分公司\t2024.05\t0\t\t"; }
    std::string HiddenLine() const { return "隐藏账簿\t..\\Data\tkxSample.mde\t隐藏公司\t(未知)\t1\t\t"; }
    std::string WskLine() const { return "共享账簿\t..\\Data\tshared.WSK\t共享公司\t(未知)\t0\t\t"; }
    std::string AbsoluteLine() const {
        return "本地账簿\t" + app.str() + "\\Data\tkxSample.mde\t本地公司\t(未知)\t\t\t";
    }
    std::string MissingLine() const { return "丢失账簿\t..\\Data\tgone.mde\t丢失公司\t(未知)\t0\t\t"; }

    /// Clicks grid row `row` with `button`.
    void ClickRow(int row, Qt::MouseButton button = Qt::LeftButton) {
        const QRect cell = Grid()->visualRect(Model()->index(row, 0));
        QTest::mouseClick(Grid()->viewport(), button, Qt::NoModifier, cell.center());
    }
    /// Presses the drop-down button of the template field, on page 1.
    void OpenDropDown() {
        if (wiz.Step() != 1)
            wiz.SetStep(1);
        Child<QToolButton>(QStringLiteral("TDBText1_0_DropDown"))->click();
    }
};

// ---------------------------------------------------------------- loading

TEST_F(BookListViewTest, ArchivesStandAboveTheBooksInReverseListingOrder) {
    WriteArchive("A.WAK");
    WriteArchive("B.WAK");
    WriteList({SampleLine(), SqlLine()});
    ASSERT_TRUE(LoadList());
    ASSERT_EQ(Model()->rowCount(), 4);
    EXPECT_EQ(Cell(0, Column::BookName), "B");
    EXPECT_EQ(Cell(0, Column::BookFile), "B.WAK");
    EXPECT_EQ(Cell(1, Column::BookName), "A");
    EXPECT_EQ(Cell(2, Column::BookName), "样本账簿");
    EXPECT_EQ(Cell(3, Column::BookName), "分公司账簿");
    // The archive rows keep the searched folder, shown relative to the application folder.
    EXPECT_EQ(Model()->StoredPath(0), wiz.PathTemplates());
    EXPECT_EQ(Cell(0, Column::BookPath), "../data");
    EXPECT_EQ(Cell(0, Column::UserName), "");
    EXPECT_EQ(log.commands, (std::vector<QString>{"BeforeLoadList", "AfterLoadList"}));

    // BookID counts books only: book 0 is the row below the two archives.
    wiz.SetBookID(0);
    EXPECT_EQ(Grid()->currentIndex().row(), 2);
    EXPECT_EQ(Field("TDBText1_0")->text(), "样本账簿");
}

TEST_F(BookListViewTest, EveryRowKindGetsItsDisplayedPathAndColour) {
    WriteArchive("T.WAK");
    WriteArchive("c.wak");
    WriteList({SampleLine(), SqlLine(), WskLine(), AbsoluteLine()});
    ASSERT_TRUE(LoadList());
    ASSERT_EQ(Model()->rowCount(), 6);
    const QPalette palette = Grid()->palette();
    // Row 0 T.WAK (listed after c.wak), row 1 c.wak: lower case is found but shown as a book.
    EXPECT_EQ(Cell(0, Column::BookFile), "T.WAK");
    EXPECT_EQ(RowColour(Model(), 0), QColor(64, 64, 64));
    EXPECT_EQ(RowColour(Model(), 0, Column::Visible), QColor(64, 64, 64));
    EXPECT_EQ(Cell(1, Column::BookFile), "c.wak");
    EXPECT_EQ(RowColour(Model(), 1), palette.color(QPalette::Active, QPalette::ButtonText));
    // An Access book: its folder as stored.
    EXPECT_EQ(Cell(2, Column::BookPath), R"(..\Data)");
    EXPECT_EQ(RowColour(Model(), 2), palette.color(QPalette::Active, QPalette::ButtonText));
    // A server book shows only its server and keeps the whole location.
    EXPECT_EQ(Cell(3, Column::BookPath), "db1");
    EXPECT_EQ(Model()->StoredPath(3), "sa:secret@db1");
    EXPECT_EQ(RowColour(Model(), 3), palette.color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(RowColour(Model(), 4), palette.color(QPalette::Active, QPalette::Highlight));
    // The application folder inside a stored path is shown as "..".
    EXPECT_EQ(Cell(5, Column::BookPath), R"(..\Data)");
    EXPECT_EQ(Model()->StoredPath(5), QString::fromStdString(app.str()) + R"(\Data)");
}

TEST_F(BookListViewTest, ColoursComeFromTheColourSettingsAtLoadTime) {
    WriteList({SampleLine(), SqlLine()});
    wiz.SetForeColorBookList(2, 0x0000FFu);
    wiz.SetForeColorBookList(1, 0x8000000Eu);
    ASSERT_TRUE(LoadList());
    EXPECT_EQ(RowColour(Model(), 0), QColor(255, 0, 0));
    EXPECT_EQ(RowColour(Model(), 1), Grid()->palette().color(QPalette::Active, QPalette::HighlightedText));
}

struct VisibleCase {
    const char* field;
    bool hidden;
};

class HiddenRowTest : public BookListViewTest, public testing::WithParamInterface<VisibleCase> {};

TEST_P(HiddenRowTest, RowIsHiddenWhenItsVisibleFieldReadsAsOne) {
    WriteList({SampleLine(),
               "账簿\t..\\Data\tkxSample.mde\t公司\t(未知)\t" + std::string(GetParam().field) + "\t\t"});
    ASSERT_TRUE(LoadList());
    ASSERT_EQ(Model()->rowCount(), 2);
    EXPECT_FALSE(Grid()->isRowHidden(0));
    EXPECT_EQ(Grid()->isRowHidden(1), GetParam().hidden);
}

INSTANTIATE_TEST_SUITE_P(Fields, HiddenRowTest,
                         testing::Values(VisibleCase{"1", true}, VisibleCase{" 1", true},
                                         VisibleCase{"1.0", true}, VisibleCase{"1x", true},
                                         VisibleCase{"0", false}, VisibleCase{"", false},
                                         VisibleCase{"2", false}, VisibleCase{"True", false},
                                         VisibleCase{"-1", false}));

TEST_F(BookListViewTest, LinesWithoutDatabaseAreDroppedAndArchivesStillLoad) {
    WriteArchive("T.WAK");
    WriteList({"无文件一\t..\\Data\t\t公司\t(未知)\t0\t\t", "无文件二\t\t\t\t\t\t\t"});
    EXPECT_TRUE(LoadList());
    ASSERT_EQ(Model()->rowCount(), 1);
    EXPECT_EQ(Cell(0, Column::BookName), "T");
}

TEST_F(BookListViewTest, ReloadReplacesTheRowsAndRecountsTheArchives) {
    WriteArchive("T.WAK");
    WriteList({SampleLine(), SqlLine()});
    ASSERT_TRUE(LoadList());
    fs::remove(app.path() / "Data" / "T.WAK");
    WriteList({SqlLine()});
    ASSERT_TRUE(wiz.Load());
    ASSERT_EQ(Model()->rowCount(), 1);
    wiz.SetBookID(0);
    EXPECT_EQ(wiz.FromFile(), "sa:secret@db1|kxAcc000002");
}

TEST_F(BookListViewTest, ListThatIsNotGb18030FailsWithoutAfterLoadList) {
    platform::WriteFileAtomically(ListFile(), "\x81\x20\tbroken\r\n");
    EXPECT_FALSE(LoadList());
    EXPECT_EQ(log.commands, std::vector<QString>{"BeforeLoadList"});
    EXPECT_TRUE(Grid()->updatesEnabled());
}

// ---------------------------------------------------------------- hover

TEST_F(BookListViewTest, HoverMakesTheRowBoldAndShowsItsHint) {
    WriteList({SampleLine(), SqlLine(), AbsoluteLine()});
    ASSERT_TRUE(LoadList());
    ShowActive();
    OpenDropDown();
    auto hover = [this](int row) {
        QTest::mouseMove(Grid()->viewport(), Grid()->visualRect(Model()->index(row, 0)).center());
    };
    hover(1);
    EXPECT_TRUE(RowBold(Model(), 1));
    EXPECT_EQ(Grid()->toolTip(), "分公司 db1:kxAcc000002");
    hover(2);
    EXPECT_FALSE(RowBold(Model(), 1));
    EXPECT_TRUE(RowBold(Model(), 2));
    EXPECT_EQ(Grid()->toolTip(), R"(本地公司 ..\Data\kxSample.mde)");
}

// ---------------------------------------------------------------- selection

TEST_F(BookListViewTest, SelectingABookFillsPageOneAndEnablesNext) {
    WriteList({SampleLine()});
    ASSERT_TRUE(LoadList());
    wiz.SetStep(1);
    EXPECT_FALSE(wiz.ButtonEnabled(2));
    log.commands.clear();
    wiz.SetBookID(0);
    EXPECT_EQ(wiz.FromFile(), wiz.AppPath + R"(\Data\kxSample.mde)");
    EXPECT_TRUE(platform::FileExists(wiz.FromFile().toStdString()));
    EXPECT_EQ(Field("TDBText1_0")->text(), "样本账簿");
    EXPECT_EQ(Field("TDBText1_0")->property("location").toString(), R"(..\Data|kxSample.mde)");
    EXPECT_EQ(Field("TDBText1_1")->text(), "系统管理员");
    EXPECT_FALSE(Child<QFrame>(QStringLiteral("Picture1"))->isHidden());
    EXPECT_TRUE(Label(1, 1)->isHidden());
    EXPECT_FALSE(Label(1, 9)->isHidden());
    EXPECT_TRUE(wiz.ButtonEnabled(2));
    EXPECT_EQ(wiz.BeginDate(), QDate(QDate::currentDate().year(), QDate::currentDate().month(), 1));
    EXPECT_FALSE(Child<QCheckBox>(QStringLiteral("chkSql"))->isChecked());
    EXPECT_EQ(log.commands, std::vector<QString>{"AfterBookSelected"});
    EXPECT_TRUE(log.notices.empty());
    // The host's BookID is the host's: a selection does not change it.
    EXPECT_EQ(wiz.BookID(), 0);
}

TEST_F(BookListViewTest, OperatorAlreadyTypedIsKeptAndTheCheckUsesTheFields) {
    WriteList({SampleLine()});
    ASSERT_TRUE(LoadList());
    Field("TDBText1_1")->setText(QStringLiteral("出纳"));
    wiz.SetBookID(0);
    EXPECT_EQ(Field("TDBText1_1")->text(), "出纳");
    Field("TDBText1_2")->setText(QStringLiteral("6666"));
    EXPECT_FALSE(wiz.PasswordOK());
    Field("TDBText1_1")->setText(QStringLiteral("主管"));
    Field("TDBText1_2")->setText(QStringLiteral("8888"));
    EXPECT_TRUE(wiz.PasswordOK());
}

TEST_F(BookListViewTest, ClickingARowSelectsItAndClosesTheDropDown) {
    WriteArchive("T.WAK");
    WriteList({SampleLine(), SqlLine()});
    ASSERT_TRUE(LoadList());
    ShowActive();
    OpenDropDown();
    ASSERT_TRUE(Child<QWidget>(QStringLiteral("C1EList"))->isVisible());
    ClickRow(0);
    EXPECT_EQ(Field("TDBText1_0")->text(), "T");
    EXPECT_TRUE(wiz.FromFile().endsWith(R"(\T.WAK)"));
    EXPECT_TRUE(Child<QWidget>(QStringLiteral("C1EList"))->isHidden());
    // No operator is needed for an archive.
    EXPECT_TRUE(Child<QFrame>(QStringLiteral("Picture1"))->isHidden());
    EXPECT_TRUE(wiz.PasswordOK());
    EXPECT_EQ(log.commands.back(), "AfterBookSelected");
}

TEST_F(BookListViewTest, RightButtonChangesNothing) {
    WriteList({SampleLine(), SqlLine()});
    ASSERT_TRUE(LoadList());
    ShowActive();
    OpenDropDown();
    const int current = Grid()->currentIndex().row();
    log.commands.clear();
    ClickRow(1, Qt::RightButton);
    EXPECT_EQ(Grid()->currentIndex().row(), current);
    EXPECT_TRUE(log.commands.empty());
    EXPECT_EQ(wiz.FromFile(), "");
    EXPECT_TRUE(Child<QWidget>(QStringLiteral("C1EList"))->isVisible());
}

TEST_F(BookListViewTest, SelectingAServerBookFillsTheSqlPanel) {
    WriteList({SampleLine(), SqlLine()});
    ASSERT_TRUE(LoadList());
    wiz.SetBookID(1);
    EXPECT_EQ(wiz.FromFile(), "sa:secret@db1|kxAcc000002");
    EXPECT_TRUE(Child<QCheckBox>(QStringLiteral("chkSql"))->isChecked());
    EXPECT_FALSE(Child<QFrame>(QStringLiteral("picSql"))->isHidden());
    EXPECT_EQ(Field("TDBSQL_0")->text(), "db1");
    EXPECT_EQ(Field("TDBSQL_1")->text(), "sa");
    EXPECT_EQ(Field("TDBSQL_2")->text(), "secret");
    EXPECT_EQ(Field("TDBSQL_2")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(Field("TDBText1_0")->palette().color(QPalette::Text),
              Field("TDBText1_0")->palette().color(QPalette::Active, QPalette::Highlight));
    EXPECT_TRUE(wiz.ButtonEnabled(2));
}

TEST_F(BookListViewTest, MissingDatabaseIsReportedAndDisablesNext) {
    WriteList({SampleLine(), MissingLine()});
    ASSERT_TRUE(LoadList());
    wiz.SetStep(1);
    wiz.SetBookID(0);
    ASSERT_TRUE(wiz.ButtonEnabled(2));
    log.commands.clear();
    wiz.SetBookID(1);
    ASSERT_EQ(log.notices.size(), 1u);
    EXPECT_EQ(log.notices[0], std::make_pair(QStringLiteral("未找到指定账簿的数据库文件。"), true));
    EXPECT_FALSE(wiz.ButtonEnabled(2));
    EXPECT_TRUE(Label(1, 9)->isHidden());
    EXPECT_EQ(log.commands, std::vector<QString>{"AfterBookSelected"});
    // The field keeps the last good choice; FromFile names what was looked for.
    EXPECT_EQ(Field("TDBText1_0")->text(), "样本账簿");
    EXPECT_TRUE(wiz.FromFile().endsWith(R"(\Data\gone.mde)"));
}

TEST_F(BookListViewTest, EnterInTheListSelectsTheCurrentRowEscapeClosesIt) {
    WriteList({SampleLine(), SqlLine()});
    ASSERT_TRUE(LoadList());
    ShowActive();
    OpenDropDown();
    QTest::keyClick(Grid(), Qt::Key_Escape);
    EXPECT_TRUE(Child<QWidget>(QStringLiteral("C1EList"))->isHidden());
    OpenDropDown();
    QTest::keyClick(Grid(), Qt::Key_Down);
    QTest::keyClick(Grid(), Qt::Key_Return);
    EXPECT_EQ(Field("TDBText1_0")->text(), "分公司账簿");
}

// ---------------------------------------------------------------- the drop-down

TEST_F(BookListViewTest, DropDownButtonTogglesTheListUnderTheField) {
    WriteList({SampleLine(), SqlLine()});
    ASSERT_TRUE(LoadList());
    wiz.SetStep(1);
    ShowActive();
    auto* panel = Child<QWidget>(QStringLiteral("C1EList"));
    OpenDropDown();
    ASSERT_TRUE(panel->isVisible());
    QLineEdit* field = Field("TDBText1_0");
    EXPECT_EQ(panel->mapTo(&wiz, QPoint(0, 0)), field->mapTo(&wiz, QPoint(0, field->height())));
    EXPECT_EQ(panel->width(), field->width());
    EXPECT_TRUE(Grid()->hasFocus());
    EXPECT_EQ(Grid()->currentIndex().row(), 0);
    OpenDropDown();
    EXPECT_TRUE(panel->isHidden());
}

TEST_F(BookListViewTest, DropDownStartsAtTheHostsBook) {
    WriteArchive("T.WAK");
    WriteList({SampleLine(), SqlLine()});
    ASSERT_TRUE(LoadList());
    wiz.SetBookID(7); // no such book: stored, nothing selected
    OpenDropDown();
    EXPECT_EQ(Grid()->currentIndex().row(), -1);
    OpenDropDown();
    wiz.SetBookID(1);
    EXPECT_EQ(Grid()->currentIndex().row(), 2);
}

TEST_F(BookListViewTest, DropDownOnAnEmptyListLoadsItFirst) {
    WriteList({SampleLine()});
    wiz.SetIniFile(Q(ListFile()));
    OpenDropDown();
    EXPECT_EQ(Model()->rowCount(), 1);
    EXPECT_FALSE(Child<QWidget>(QStringLiteral("C1EList"))->isHidden());
}

TEST_F(BookListViewTest, DropDownOnAListThatCannotLoadSaysSo) {
    wiz.SetIniFile(Q(app.path() / "missing.txt"));
    OpenDropDown();
    ASSERT_EQ(log.notices.size(), 2u);
    EXPECT_EQ(log.notices[0].first, "未找到账簿目录文件，无法读入记账列表。");
    EXPECT_EQ(log.notices[1], std::make_pair(QStringLiteral("装入账簿列表时，遇到错误；"), true));
    EXPECT_TRUE(Child<QWidget>(QStringLiteral("C1EList"))->isHidden());
}

// ---------------------------------------------------------------- page-1 fields

TEST_F(BookListViewTest, EnterMovesOnAndEscapeIsSwallowedInThePageOneFields) {
    WriteList({SampleLine()});
    ASSERT_TRUE(LoadList());
    wiz.SetBookID(0);
    wiz.SetStep(1);
    ShowActive();
    int escapes = 0;
    QShortcut escape(QKeySequence(Qt::Key_Escape), &wiz);
    QObject::connect(&escape, &QShortcut::activated, [&escapes] { ++escapes; });
    Field("TDBText1_1")->setFocus();
    QTest::keyClick(Field("TDBText1_1"), Qt::Key_Escape);
    EXPECT_EQ(escapes, 0);
    EXPECT_EQ(Field("TDBText1_1")->text(), "系统管理员");
    QTest::keyClick(Field("TDBText1_1"), Qt::Key_Return);
    EXPECT_TRUE(Field("TDBText1_2")->hasFocus());
}

TEST_F(BookListViewTest, PasswordFieldLosingTheFocusRaisesLostFocus) {
    WriteList({SampleLine()});
    ASSERT_TRUE(LoadList());
    wiz.SetBookID(0);
    wiz.SetStep(1);
    ShowActive();
    Field("TDBText1_2")->setFocus();
    QTest::keyClicks(Field("TDBText1_2"), QStringLiteral("8888"));
    log.commands.clear();
    QTest::keyClick(Field("TDBText1_2"), Qt::Key_Tab);
    EXPECT_EQ(log.commands, std::vector<QString>{"LostFocus"});
    Field("TDBText1_1")->setText(QStringLiteral("主管"));
    EXPECT_TRUE(wiz.PasswordOK());
}

TEST_F(BookListViewTest, SqlCheckBoxShowsAndHidesTheServerPanel) {
    auto* check = Child<QCheckBox>(QStringLiteral("chkSql"));
    auto* panel = Child<QFrame>(QStringLiteral("picSql"));
    EXPECT_TRUE(panel->isHidden());
    check->click();
    EXPECT_FALSE(panel->isHidden());
    check->click();
    EXPECT_TRUE(panel->isHidden());
}

// ---------------------------------------------------------------- the bare entry

TEST_F(BookListViewTest, BareEntryButtonAppendsTheEntryAndTellsEveryone) {
    WriteList({SampleLine()});
    wiz.SetIniFile(QStringLiteral("books.txt")); // a bare name: in the application folder
    auto acc = std::make_shared<support::AccountingObject>();
    std::vector<std::string> notices;
    acc->SetNoticeReceiver([&notices](const std::string& n) { notices.push_back(n); });
    wiz.Acc = acc;
    Child<QPushButton>(QStringLiteral("PushButton1"))->click();
    EXPECT_EQ(platform::ReadAnsiTextFile(ListFile()),
              SampleLine() + "\r（新增账簿：请指定数据库文件）\t\t\t\t(未知)\t0\t\t\r\n");
    EXPECT_EQ(wiz.BookName(), "（新增账簿：请指定数据库文件）");
    EXPECT_EQ(wiz.BookFile(), "");
    ASSERT_EQ(log.notices.size(), 1u);
    EXPECT_EQ(log.notices[0],
              std::make_pair(QStringLiteral("已创建新的账簿列表项“（新增账簿：请指定数据库文件）”。"), true));
    EXPECT_TRUE(wiz.Completed());
    EXPECT_EQ(log.addedItems, 1);
    // Completed is set directly: only the list notice goes out.
    EXPECT_EQ(notices, std::vector<std::string>{std::to_string(wiz.winId()) + "|All|BookList|0||"});
}

TEST_F(BookListViewTest, BareEntryWithoutAccReportsTheErrorAndAddsNoItem) {
    WriteList({SampleLine()});
    wiz.SetIniFile(Q(ListFile()));
    Child<QPushButton>(QStringLiteral("PushButton1"))->click();
    ASSERT_EQ(log.notices.size(), 1u);
    EXPECT_TRUE(log.notices[0].second);
    EXPECT_NE(log.notices[0].first.indexOf(QStringLiteral("Acc")), -1);
    EXPECT_EQ(log.addedItems, 0);
    EXPECT_FALSE(wiz.Completed());
}

TEST_F(BookListViewTest, BareEntryThatCannotBeSavedSaysNothing) {
    platform::WriteFileAtomically(ListFile(), "\x81\x20 broken\r\n");
    wiz.SetIniFile(Q(ListFile()));
    wiz.Acc = std::make_shared<support::AccountingObject>();
    Child<QPushButton>(QStringLiteral("PushButton1"))->click();
    EXPECT_TRUE(log.notices.empty());
    EXPECT_EQ(log.addedItems, 0);
    EXPECT_FALSE(wiz.Completed());
    EXPECT_EQ(platform::ReadWholeFile(ListFile()), "\x81\x20 broken\r\n");
}

} // namespace
} // namespace kx::wizard
