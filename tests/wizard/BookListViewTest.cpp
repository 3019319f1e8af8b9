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
    std::string AbsoluteLine() const {
        return "本地账簿\t" + app.str() + "\\Data\tkxSample.mde\t本地公司\t(未知)\t\t\t";
    }
    std::string MissingLine() const { return "丢失账簿\t..\\Data\tgone.mde\t丢失公司\t(未知)\t0\t\t"; }

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
    QWidget* DropDown() const { return Child<QWidget>(QStringLiteral("C1EList")); }
};

// ---------------------------------------------------------------- loading

TEST_F(BookListViewTest, ArchivesStandAboveTheBooksEachRowWithItsPathAndColour) {
    WriteArchive("T.WAK");
    WriteArchive("c.wak"); // lower case is found but coloured as a book
    WriteList({SampleLine(), SqlLine(), "共享账簿\t..\\Data\tshared.WSK\t共享公司\t(未知)\t0\t\t", AbsoluteLine()});
    ASSERT_TRUE(LoadList());
    ASSERT_EQ(Model()->rowCount(), 6);
    EXPECT_EQ(Model()->columnCount(), BookListModel::ColumnCount); // an archive row adds no column
    const QPalette palette = Grid()->palette();
    const QColor book = palette.color(QPalette::Active, QPalette::ButtonText);
    const QColor server = palette.color(QPalette::Active, QPalette::Highlight);
    struct Row {
        const char* name;
        const char* file;
        const char* shownPath;
        QColor colour;
    };
    // Archives in reverse listing order, then the books as listed; a server book shows only its server,
    // the application folder inside a stored path is shown as "..".
    const Row rows[] = {{"T", "T.WAK", "../data", QColor(64, 64, 64)}, {nullptr, "c.wak", nullptr, book},
                        {"样本账簿", "kxSample.mde", R"(..\Data)", book}, {"分公司账簿", nullptr, "db1", server},
                        {"共享账簿", nullptr, R"(..\Data)", server},      {"本地账簿", nullptr, R"(..\Data)", {}}};
    for (int r = 0; r < 6; ++r) {
        SCOPED_TRACE(r);
        const Row& row = rows[r];
        if (row.name != nullptr) {
            EXPECT_EQ(Cell(r, Column::BookName), QString::fromUtf8(row.name));
        }
        if (row.file != nullptr) {
            EXPECT_EQ(Cell(r, Column::BookFile), QString::fromUtf8(row.file));
        }
        if (row.shownPath != nullptr) {
            EXPECT_EQ(Cell(r, Column::BookPath), QString::fromUtf8(row.shownPath));
        }
        if (row.colour.isValid()) {
            EXPECT_EQ(RowColour(Model(), r), row.colour);
        }
    }
    EXPECT_EQ(RowColour(Model(), 0, Column::Visible), QColor(64, 64, 64));
    EXPECT_EQ(Cell(0, Column::UserName), "");
    EXPECT_EQ(Model()->StoredPath(0), wiz.PathTemplates());
    EXPECT_EQ(Model()->StoredPath(3), "sa:secret@db1");
    EXPECT_EQ(Model()->StoredPath(5), QString::fromStdString(app.str()) + R"(\Data)");
    EXPECT_EQ(log.commands, (std::vector<QString>{"BeforeLoadList", "AfterLoadList"}));
    // BookID counts books only: book 0 is the row below the two archives.
    wiz.SetBookID(0);
    EXPECT_EQ(Grid()->currentIndex().row(), 2);
    EXPECT_EQ(Field("TDBText1_0")->text(), "样本账簿");
}

TEST_F(BookListViewTest, RowsHideWhenVisibleReadsAsOneLinesWithoutDatabaseDropReloadReplaces) {
    const std::pair<const char*, bool> visible[] = {{"1", true},  {" 1", true},  {"1.0", true},
                                                    {"1x", true}, {"0", false},  {"", false},
                                                    {"2", false}, {"True", false}, {"-1", false}};
    std::vector<std::string> lines{SampleLine(), "无文件一\t..\\Data\t\t公司\t(未知)\t0\t\t", "无文件二\t\t\t\t\t\t\t"};
    for (const auto& [field, hidden] : visible)
        lines.push_back("账簿\t..\\Data\tkxSample.mde\t公司\t(未知)\t" + std::string(field) + "\t\t");
    WriteArchive("T.WAK");
    WriteList(lines);
    ASSERT_TRUE(LoadList());
    ASSERT_EQ(Model()->rowCount(), 11);
    EXPECT_FALSE(Grid()->isRowHidden(0));
    EXPECT_FALSE(Grid()->isRowHidden(1));
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(Grid()->isRowHidden(i + 2), visible[i].second) << '"' << visible[i].first << '"';

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

TEST_F(BookListViewTest, SelectionFillsPageOneAndAMissingDatabaseDisablesNext) {
    WriteList({SampleLine(), MissingLine(), SqlLine()});
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
    EXPECT_EQ(wiz.BookID(), 0); // the host's BookID is the host's: a selection does not change it
    // An operator already typed is kept, and the check uses the fields.
    Field("TDBText1_1")->setText(QStringLiteral("出纳"));
    wiz.SetBookID(0);
    EXPECT_EQ(Field("TDBText1_1")->text(), "出纳");
    Field("TDBText1_2")->setText(QStringLiteral("6666"));
    EXPECT_FALSE(wiz.PasswordOK());
    Field("TDBText1_1")->setText(QStringLiteral("主管"));
    Field("TDBText1_2")->setText(QStringLiteral("8888"));
    EXPECT_TRUE(wiz.PasswordOK());

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

    // A server book fills the SQL panel.
    wiz.SetBookID(2);
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
    // The check box alone shows and hides the panel.
    Child<QCheckBox>(QStringLiteral("chkSql"))->click();
    EXPECT_TRUE(Child<QFrame>(QStringLiteral("picSql"))->isHidden());
    Child<QCheckBox>(QStringLiteral("chkSql"))->click();
    EXPECT_FALSE(Child<QFrame>(QStringLiteral("picSql"))->isHidden());
}

TEST_F(BookListViewTest, MouseAndKeysInTheDropDown) {
    WriteArchive("T.WAK");
    WriteList({SampleLine(), SqlLine()});
    wiz.SetIniFile(Q(ListFile())); // the drop-down loads an empty list first
    wiz.SetStep(1);
    ShowActive();
    OpenDropDown();
    ASSERT_EQ(Model()->rowCount(), 3);
    ASSERT_TRUE(DropDown()->isVisible());
    QLineEdit* field = Field("TDBText1_0");
    EXPECT_EQ(DropDown()->mapTo(&wiz, QPoint(0, 0)), field->mapTo(&wiz, QPoint(0, field->height())));
    EXPECT_EQ(DropDown()->width(), field->width());
    EXPECT_TRUE(Grid()->hasFocus());
    EXPECT_EQ(Grid()->currentIndex().row(), 0);
    // The right button changes nothing.
    log.commands.clear();
    ClickRow(1, Qt::RightButton);
    EXPECT_EQ(Grid()->currentIndex().row(), 0);
    EXPECT_TRUE(log.commands.empty());
    EXPECT_EQ(wiz.FromFile(), "");
    EXPECT_TRUE(DropDown()->isVisible());
    OpenDropDown();
    EXPECT_TRUE(DropDown()->isHidden());
    // Escape closes; Enter selects the current row.
    OpenDropDown();
    QTest::keyClick(Grid(), Qt::Key_Escape);
    EXPECT_TRUE(DropDown()->isHidden());
    OpenDropDown();
    QTest::keyClick(Grid(), Qt::Key_Down);
    QTest::keyClick(Grid(), Qt::Key_Return);
    EXPECT_EQ(field->text(), "样本账簿");
    // A click selects and closes.
    OpenDropDown();
    ClickRow(0);
    EXPECT_EQ(field->text(), "T");
    EXPECT_TRUE(wiz.FromFile().endsWith(R"(\T.WAK)"));
    EXPECT_TRUE(DropDown()->isHidden());
    EXPECT_EQ(log.commands.back(), "AfterBookSelected");
    // It opens at the host's book.
    wiz.SetBookID(1);
    OpenDropDown();
    EXPECT_EQ(Grid()->currentIndex().row(), 2);
}

TEST_F(BookListViewTest, DropDownOnAListThatCannotLoadSaysSo) {
    wiz.SetIniFile(Q(app.path() / "missing.txt"));
    OpenDropDown();
    ASSERT_EQ(log.notices.size(), 2u);
    EXPECT_EQ(log.notices[0].first, "未找到账簿目录文件，无法读入记账列表。");
    EXPECT_EQ(log.notices[1], std::make_pair(QStringLiteral("装入账簿列表时，遇到错误；"), true));
    EXPECT_TRUE(DropDown()->isHidden());
}

TEST_F(BookListViewTest, PageOneFieldsSwallowEscapeMoveOnWithEnterAndReportLostFocus) {
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
    QTest::keyClicks(Field("TDBText1_2"), QStringLiteral("8888"));
    log.commands.clear();
    QTest::keyClick(Field("TDBText1_2"), Qt::Key_Tab);
    EXPECT_EQ(log.commands, std::vector<QString>{"LostFocus"});
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

TEST_F(BookListViewTest, BareEntryWithoutAccOrWithAnUnreadableListAddsNothing) {
    for (const bool withAcc : {false, true}) {
        SCOPED_TRACE(withAcc);
        // Without Acc the error is reported; a list that cannot be read is left alone silently.
        const std::string text = withAcc ? "\x81\x20 broken\r\n" : SampleLine() + "\r\n";
        platform::WriteFileAtomically(ListFile(), text);
        CreatLedgerWiz other;
        test::SignalLog otherLog(other);
        other.AppPath = wiz.AppPath;
        other.SetIniFile(Q(ListFile()));
        if (withAcc)
            other.Acc = std::make_shared<support::AccountingObject>();
        other.findChild<QPushButton*>(QStringLiteral("PushButton1"))->click();
        EXPECT_EQ(otherLog.notices.size(), withAcc ? 0u : 1u);
        if (!withAcc && !otherLog.notices.empty()) {
            EXPECT_TRUE(otherLog.notices[0].second);
            EXPECT_NE(otherLog.notices[0].first.indexOf(QStringLiteral("Acc")), -1);
        }
        EXPECT_EQ(otherLog.addedItems, 0);
        EXPECT_FALSE(other.Completed());
        if (withAcc) {
            EXPECT_EQ(platform::ReadWholeFile(ListFile()), text);
        }
    }
}

} // namespace
} // namespace kx::wizard
