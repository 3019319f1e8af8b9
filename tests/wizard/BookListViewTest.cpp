#include "wizard/WizardTestFixture.h"
#include "e2e/AppFolder.h"

#include "platform/DiskPath.h"
#include "support/AccountingObject.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

namespace kx::wizard {
namespace {

using test::Q;
using Column = BookListModel::Column;

/// A wizard on an application folder of its own, with the sample book, a book
/// list written by the test and template archives in Data.
class BookListViewTest : public testing::Test {
  protected:
    void SetUp() override {
        wiz.AppPath = Q(app.path());
        wiz.resize(640, 480);
    }
    void WriteArchive(const std::string& name) const {
        newbook::test::ZipBuilder().File("book.mde", "template book").WriteTo(app.Data() / name);
    }
    bool LoadList() { return wiz.Load(Q(app.ListFile())); }
    template <typename T> T* Child(const char* name) const {
        T* child = wiz.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QTableView* Grid() const { return Child<QTableView>("fg"); }
    BookListModel* Model() const { return qobject_cast<BookListModel*>(Grid()->model()); }
    QLineEdit* Field(const char* name) const { return Child<QLineEdit>(name); }
    std::string SqlLine() const { return "分公司账簿\tsa:secret@db1\tkxAcc000002\t分公司\t2024.05\t0\t\t"; }
    std::string AbsoluteLine() const { return "本地账簿\t" + app.path().string() + "\\Data\tkxSample.mde\t本地公司\t(未知)\t\t\t"; }

    QColor RowColour(int row, int column = 0) const {
        return Model()->data(Model()->index(row, column), Qt::ForegroundRole).value<QBrush>().color();
    }
    bool RowBold(int row) const {
        for (int c = 0; c < Model()->columnCount(); ++c)
            if (!Model()->data(Model()->index(row, c), Qt::FontRole).value<QFont>().bold())
                return false;
        return true;
    }
    QPoint RowCentre(int row) const { return Grid()->visualRect(Model()->index(row, 0)).center(); }
    /// Presses the drop-down button of the template field, on page 1.
    void OpenDropDown() {
        if (wiz.Step() != 1)
            wiz.SetStep(1);
        Child<QToolButton>("TDBText1_0_DropDown")->click();
    }
    QWidget* DropDown() const { return Child<QWidget>("C1EList"); }
    bool Shown(const char* name) const { return !Child<QWidget>(name)->isHidden(); }

    e2e::AppFolder app;
    CreatLedgerWiz wiz;
    test::SignalLog log{wiz};
};

TEST_F(BookListViewTest, ArchivesStandAboveTheBooksEachRowWithItsPathAndColour) {
    WriteArchive("T.WAK");
    WriteArchive("c.wak"); // lower case is found but coloured as a book
    app.WriteList({e2e::kSampleLine, SqlLine(), "共享账簿\t..\\Data\tshared.WSK\t共享公司\t(未知)\t0\t\t", AbsoluteLine()});
    ASSERT_TRUE(LoadList());
    ASSERT_EQ(Model()->rowCount(), 6);
    EXPECT_EQ(Model()->columnCount(), BookListModel::ColumnCount); // an archive row adds no column
    const QColor book = Grid()->palette().color(QPalette::Active, QPalette::ButtonText);
    const QColor server = Grid()->palette().color(QPalette::Active, QPalette::Highlight);
    // Archives in reverse listing order, then the books as listed; a server book shows only its server,
    // the application folder inside a stored path is shown as "..".
    const std::tuple<const char*, const char*, const char*, QColor> rows[] = {
        {"T", "T.WAK", "../data", QColor(64, 64, 64)}, {"c", "c.wak", "../data", book},
        {"样本账簿", "kxSample.mde", R"(..\Data)", book}, {"分公司账簿", "kxAcc000002", "db1", server},
        {"共享账簿", "shared.WSK", R"(..\Data)", server}, {"本地账簿", "kxSample.mde", R"(..\Data)", {}}};
    for (int r = 0; r < 6; ++r) {
        const auto& [name, file, shownPath, colour] = rows[r];
        EXPECT_EQ(Model()->Text(r, Column::BookName), QString::fromUtf8(name)) << r;
        EXPECT_EQ(Model()->Text(r, Column::BookFile), QString::fromUtf8(file)) << r;
        EXPECT_EQ(Model()->Text(r, Column::BookPath), QString::fromUtf8(shownPath)) << r;
        EXPECT_TRUE(!colour.isValid() || RowColour(r) == colour) << r;
    }
    EXPECT_EQ(RowColour(0, Column::Visible), QColor(64, 64, 64));
    EXPECT_EQ(Model()->StoredPath(0), wiz.PathTemplates());
    EXPECT_EQ(Model()->StoredPath(3), "sa:secret@db1");
    EXPECT_EQ(Model()->StoredPath(5), Q(app.path()) + R"(\Data)");
    EXPECT_EQ(log.commands, (std::vector<QString>{"BeforeLoadList", "AfterLoadList"}));
    // BookID counts books only: book 0 is the row below the two archives.
    wiz.SetBookID(0);
    EXPECT_EQ(Grid()->currentIndex().row(), 2);
    EXPECT_EQ(Field("TDBText1_0")->text(), "样本账簿");
}

TEST_F(BookListViewTest, RowsHideWhenVisibleReadsAsOneLinesWithoutDatabaseDropReloadReplaces) {
    const std::pair<const char*, bool> visible[] = {{"1", true},  {" 1", true}, {"1.0", true},  {"1x", true},
                                                    {"0", false}, {"", false},  {"2", false}, {"True", false}};
    std::vector<std::string> lines{e2e::kSampleLine, "无文件一\t..\\Data\t\t公司\t(未知)\t0\t\t", "无文件二\t\t\t\t\t\t\t"};
    for (const auto& [field, hidden] : visible)
        lines.push_back("账簿\t..\\Data\tkxSample.mde\t公司\t(未知)\t" + std::string(field) + "\t\t");
    WriteArchive("T.WAK");
    app.WriteList(lines);
    ASSERT_TRUE(LoadList());
    ASSERT_EQ(Model()->rowCount(), 10);
    EXPECT_FALSE(Grid()->isRowHidden(0));
    EXPECT_FALSE(Grid()->isRowHidden(1));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Grid()->isRowHidden(i + 2), visible[i].second) << '"' << visible[i].first << '"';

    std::filesystem::remove(app.Data() / "T.WAK");
    app.WriteList({SqlLine()});
    ASSERT_TRUE(wiz.Load());
    ASSERT_EQ(Model()->rowCount(), 1);
}

TEST_F(BookListViewTest, ListThatIsNotGb18030FailsWithoutAfterLoadList) {
    platform::WriteFileAtomically(app.ListFile(), "\x81\x20\tbroken\r\n");
    EXPECT_FALSE(LoadList());
    EXPECT_EQ(log.commands, std::vector<QString>{"BeforeLoadList"});
    EXPECT_TRUE(Grid()->updatesEnabled());
}

TEST_F(BookListViewTest, SelectionFillsPageOneAndAMissingDatabaseDisablesNext) {
    app.WriteList({e2e::kSampleLine, "丢失账簿\t..\\Data\tgone.mde\t丢失公司\t(未知)\t0\t\t", SqlLine()});
    ASSERT_TRUE(LoadList());
    wiz.SetStep(1);
    EXPECT_FALSE(wiz.ButtonEnabled(2));
    log.commands.clear();
    wiz.SetBookID(0);
    EXPECT_EQ(wiz.FromFile(), wiz.AppPath + R"(\Data\kxSample.mde)");
    EXPECT_EQ(Field("TDBText1_0")->property("location").toString(), R"(..\Data|kxSample.mde)");
    EXPECT_EQ(Field("TDBText1_1")->text(), "系统管理员");
    EXPECT_TRUE(Shown("Picture1") && !Shown("Label1_1") && Shown("Label1_9"));
    EXPECT_TRUE(wiz.ButtonEnabled(2));
    EXPECT_EQ(wiz.BeginDate(), QDate(QDate::currentDate().year(), QDate::currentDate().month(), 1));
    EXPECT_FALSE(Child<QCheckBox>("chkSql")->isChecked());
    EXPECT_EQ(log.commands, std::vector<QString>{"AfterBookSelected"});
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

    wiz.SetBookID(1);
    EXPECT_EQ(log.notices, (std::vector<std::pair<QString, bool>>{{QStringLiteral("未找到指定账簿的数据库文件。"), true}}));
    EXPECT_FALSE(wiz.ButtonEnabled(2));
    EXPECT_FALSE(Shown("Label1_9"));
    // The field keeps the last good choice; FromFile names what was looked for.
    EXPECT_EQ(Field("TDBText1_0")->text(), "样本账簿");
    EXPECT_TRUE(wiz.FromFile().endsWith(R"(\Data\gone.mde)"));

    // A server book fills the SQL panel, which the check box alone shows and hides.
    wiz.SetBookID(2);
    EXPECT_EQ(wiz.FromFile(), "sa:secret@db1|kxAcc000002");
    EXPECT_TRUE(Child<QCheckBox>("chkSql")->isChecked() && Shown("picSql"));
    EXPECT_EQ(Field("TDBSQL_0")->text() + Field("TDBSQL_1")->text() + Field("TDBSQL_2")->text(), "db1sasecret");
    EXPECT_EQ(Field("TDBSQL_2")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(Field("TDBText1_0")->palette().color(QPalette::Text),
              Field("TDBText1_0")->palette().color(QPalette::Active, QPalette::Highlight));
    EXPECT_TRUE(wiz.ButtonEnabled(2));
    Child<QCheckBox>("chkSql")->click();
    EXPECT_FALSE(Shown("picSql"));
}

TEST_F(BookListViewTest, MouseKeysAndHoverInTheDropDown) {
    WriteArchive("T.WAK");
    app.WriteList({e2e::kSampleLine, SqlLine()});
    wiz.SetIniFile(Q(app.ListFile())); // the drop-down loads an empty list first
    wiz.SetStep(1);
    test::ShowActive(wiz);
    OpenDropDown();
    ASSERT_EQ(Model()->rowCount(), 3);
    ASSERT_TRUE(DropDown()->isVisible());
    QLineEdit* field = Field("TDBText1_0");
    EXPECT_EQ(DropDown()->mapTo(&wiz, QPoint(0, 0)), field->mapTo(&wiz, QPoint(0, field->height())));
    EXPECT_EQ(DropDown()->width(), field->width());
    EXPECT_TRUE(Grid()->hasFocus());
    EXPECT_EQ(Grid()->currentIndex().row(), 0);
    // Hovering makes the row bold and shows its hint.
    QTest::mouseMove(Grid()->viewport(), RowCentre(2));
    EXPECT_TRUE(RowBold(2));
    EXPECT_EQ(Grid()->toolTip(), "分公司 db1:kxAcc000002");
    QTest::mouseMove(Grid()->viewport(), RowCentre(1));
    EXPECT_FALSE(RowBold(2));
    EXPECT_EQ(Grid()->toolTip(), R"(××××有限公司 ..\Data\kxSample.mde)");
    // The right button changes nothing; the drop-down button closes it again.
    log.commands.clear();
    QTest::mouseClick(Grid()->viewport(), Qt::RightButton, Qt::NoModifier, RowCentre(1));
    EXPECT_EQ(Grid()->currentIndex().row(), 0);
    EXPECT_TRUE(log.commands.empty());
    EXPECT_TRUE(DropDown()->isVisible());
    OpenDropDown();
    EXPECT_TRUE(DropDown()->isHidden());
    // Escape closes; Enter selects the current row; a click selects and closes.
    OpenDropDown();
    QTest::keyClick(Grid(), Qt::Key_Escape);
    EXPECT_TRUE(DropDown()->isHidden());
    OpenDropDown();
    QTest::keyClick(Grid(), Qt::Key_Down);
    QTest::keyClick(Grid(), Qt::Key_Return);
    EXPECT_EQ(field->text(), "样本账簿");
    OpenDropDown();
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, Qt::NoModifier, RowCentre(0));
    EXPECT_EQ(field->text(), "T");
    EXPECT_TRUE(wiz.FromFile().endsWith(R"(\T.WAK)"));
    EXPECT_TRUE(DropDown()->isHidden());
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
    app.WriteList({e2e::kSampleLine});
    ASSERT_TRUE(LoadList());
    wiz.SetBookID(0);
    wiz.SetStep(1);
    test::ShowActive(wiz);
    int escapes = 0;
    QShortcut escape(QKeySequence(Qt::Key_Escape), &wiz);
    QObject::connect(&escape, &QShortcut::activated, [&escapes] { ++escapes; });
    Field("TDBText1_1")->setFocus();
    QTest::keyClick(Field("TDBText1_1"), Qt::Key_Escape);
    EXPECT_EQ(escapes, 0);
    EXPECT_EQ(Field("TDBText1_1")->text(), "系统管理员");
    QTest::keyClick(Field("TDBText1_1"), Qt::Key_Return);
    EXPECT_TRUE(Field("TDBText1_2")->hasFocus());
    log.commands.clear();
    QTest::keyClick(Field("TDBText1_2"), Qt::Key_Tab);
    EXPECT_EQ(log.commands, std::vector<QString>{"LostFocus"});
}

TEST_F(BookListViewTest, BareEntryButtonAppendsTheEntryAndTellsEveryone) {
    app.WriteList({e2e::kSampleLine});
    wiz.SetIniFile(QStringLiteral("books.txt")); // a bare name: in the application folder
    auto acc = std::make_shared<support::AccountingObject>();
    std::vector<std::string> notices;
    acc->SetNoticeReceiver([&notices](const std::string& n) { notices.push_back(n); });
    wiz.Acc = acc;
    Child<QPushButton>("PushButton1")->click();
    EXPECT_EQ(platform::ReadAnsiTextFile(app.ListFile()),
              e2e::kSampleLine + "\r（新增账簿：请指定数据库文件）\t\t\t\t(未知)\t0\t\t\r\n");
    EXPECT_EQ(wiz.BookName(), "（新增账簿：请指定数据库文件）");
    EXPECT_EQ(wiz.BookFile(), "");
    EXPECT_EQ(log.notices, (std::vector<std::pair<QString, bool>>{
                               {QStringLiteral("已创建新的账簿列表项“（新增账簿：请指定数据库文件）”。"), true}}));
    EXPECT_TRUE(wiz.Completed());
    EXPECT_EQ(log.addedItems, 1);
    // Completed is set directly: only the list notice goes out.
    EXPECT_EQ(notices, std::vector<std::string>{std::to_string(wiz.WindowNumber()) + "|All|BookList|0||"});
}

TEST_F(BookListViewTest, BareEntryWithoutAccOrWithAnUnreadableListAddsNothing) {
    for (const bool withAcc : {false, true}) {
        // Without Acc the error is reported; a list that cannot be read is left alone silently.
        const std::string text = withAcc ? "\x81\x20 broken\r\n" : e2e::kSampleLine + "\r\n";
        platform::WriteFileAtomically(app.ListFile(), text);
        CreatLedgerWiz other;
        test::SignalLog otherLog(other);
        other.AppPath = wiz.AppPath;
        other.SetIniFile(Q(app.ListFile()));
        if (withAcc)
            other.Acc = std::make_shared<support::AccountingObject>();
        other.findChild<QPushButton*>(QStringLiteral("PushButton1"))->click();
        ASSERT_EQ(otherLog.notices.size(), withAcc ? 0u : 1u) << withAcc;
        EXPECT_TRUE(withAcc || (otherLog.notices[0].second && otherLog.notices[0].first.contains(QStringLiteral("Acc"))));
        EXPECT_EQ(otherLog.addedItems, 0);
        EXPECT_FALSE(other.Completed());
        EXPECT_TRUE(!withAcc || platform::ReadWholeFile(app.ListFile()) == text);
    }
}

TEST_F(BookListViewTest, BareEntryWhoseCompanyHoldsATabIsRefusedAndSaysWhy) {
    app.WriteList({e2e::kSampleLine});
    wiz.SetIniFile(QStringLiteral("books.txt"));
    wiz.Acc = std::make_shared<support::AccountingObject>();
    wiz.SetUserName(QStringLiteral("某某\t有限公司"));
    Child<QPushButton>("PushButton1")->click();
    EXPECT_EQ(platform::ReadAnsiTextFile(app.ListFile()), e2e::kSampleLine + "\r\n");
    EXPECT_EQ(log.notices, (std::vector<std::pair<QString, bool>>{
                               {QStringLiteral("单位名称中不能有制表符、回车符或换行符，无法写入账簿列表。"), true}}));
    EXPECT_FALSE(wiz.Completed());
    EXPECT_EQ(log.addedItems, 0);
}

} // namespace
} // namespace kx::wizard
