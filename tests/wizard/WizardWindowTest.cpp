#include "WizardWindow.h"

#include "SampleBookCopy.h"
#include "TempFolder.h"
#include "platform/AnsiTextFile.h"
#include "wizard/WizardTestSupport.h"
#include "newbook/ZipBuilder.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace kx::app {
namespace {

namespace fs = std::filesystem;

class WizardWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(app.path() / "Data");
        fs::copy_file(kx::test::SampleBookCopy::Master(), app.path() / "Data" / "kxSample.mde");
    }
    /// Makes, shows and starts the window.
    void Open() {
        window = std::make_unique<WizardWindow>(app.str(), messages);
        window->resize(720, 520);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_TRUE(window->Start());
    }
    wizard::CreatLedgerWiz& Wiz() { return window->Wizard(); }
    QLineEdit* Field(const char* name) { return Wiz().findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QAbstractItemModel* Model() { return Wiz().findChild<QTableView*>(QStringLiteral("fg"))->model(); }
    /// Clicks Next, or Back, and says on which page the wizard is then.
    int Click(QPushButton* button) {
        EXPECT_TRUE(button->isEnabled()) << button->text().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
        return Wiz().Step();
    }
    std::vector<std::string> Shown() const {
        std::vector<std::string> texts;
        for (const auto& m : messages.shown)
            texts.push_back(m.text);
        return texts;
    }
    void Operator(const char* name, const char* password) {
        Field("TDBText1_1")->setText(QString::fromUtf8(name));
        Field("TDBText1_2")->setText(QString::fromUtf8(password));
    }

    kx::test::TempFolder app;
    platform::RecordingMessageBox messages;
    std::unique_ptr<WizardWindow> window;
};

TEST_F(WizardWindowTest, HostWalksThePagesCheckingTheOperatorAndTheNewBookName) {
    Open();
    EXPECT_TRUE(fs::exists(app.path() / "books.txt")); // Start made the list
    EXPECT_EQ(Model()->rowCount(), 1);
    EXPECT_EQ(window->CancelButton()->text(), "取消(&A)");
    EXPECT_EQ(window->BackButton()->text(), "上一步(&B)");
    EXPECT_EQ(window->NextButton()->text(), "下一步(&F)");
    EXPECT_TRUE(window->CancelButton()->isEnabled());
    EXPECT_FALSE(window->BackButton()->isEnabled());
    ASSERT_EQ(Click(window->NextButton()), 1);
    EXPECT_FALSE(window->NextButton()->isEnabled());
    EXPECT_TRUE(window->BackButton()->isEnabled());
    Wiz().SetBookID(0); // the sample book
    // An operator without the right to look at vouchers may not use the template.
    Operator("出纳", "6666");
    EXPECT_EQ(Click(window->NextButton()), 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "建账向导");
    Operator("主管", "8888");
    EXPECT_EQ(Click(window->NextButton()), 2);
    EXPECT_EQ(Click(window->NextButton()), 3);
    EXPECT_EQ(Click(window->BackButton()), 2);
    // Going back to page 1 and forward again asks for the operator again.
    EXPECT_EQ(Click(window->BackButton()), 1);
    Field("TDBText1_2")->setText(QStringLiteral("0000"));
    EXPECT_EQ(Click(window->NextButton()), 1);
    Field("TDBText1_2")->setText(QStringLiteral("8888"));
    EXPECT_EQ(Click(window->NextButton()), 2);
    EXPECT_EQ(Click(window->NextButton()), 3);
    Wiz().SetBookName(QString());
    EXPECT_EQ(Click(window->NextButton()), 3);
    EXPECT_EQ(messages.shown.back().text, "请输入新账簿的名称和单位名称。");
    Wiz().SetBookName(QStringLiteral("新账簿"));
    EXPECT_EQ(Click(window->NextButton()), 4);
    // Page 4 made the book: only the finish button is left.
    EXPECT_TRUE(Wiz().Completed());
    EXPECT_EQ(messages.shown.size(), 3u);
    EXPECT_FALSE(window->BackButton()->isEnabled());
    EXPECT_FALSE(window->NextButton()->isEnabled());
}

TEST_F(WizardWindowTest, ArchiveTemplateNeedsNoOperator) {
    newbook::test::ZipBuilder().File("book.mde", "book").WriteTo(app.path() / "Data" / "标准模板.WAK");
    Open();
    Click(window->NextButton());
    QTest::mouseClick(Wiz().findChild<QWidget*>(QStringLiteral("TDBText1_0_DropDown")), Qt::LeftButton);
    auto* grid = Wiz().findChild<QTableView*>(QStringLiteral("fg"));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                      grid->visualRect(grid->model()->index(0, 0)).center());
    EXPECT_EQ(Field("TDBText1_0")->text(), "标准模板");
    EXPECT_EQ(Click(window->NextButton()), 2);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WizardWindowTest, MessagesWithoutABoxGoToTheStatusLineProcessDrivesTheProgressBar) {
    Open();
    Wiz().Prompt(QStringLiteral("正在读入"));
    EXPECT_EQ(window->StatusLine()->text(), "正在读入");
    EXPECT_TRUE(messages.shown.empty());
    Wiz().Prompt(QStringLiteral("请注意"), true);
    EXPECT_EQ(Shown(), std::vector<std::string>{"请注意"});
    EXPECT_EQ(window->StatusLine()->text(), "正在读入");

    EXPECT_TRUE(window->Progress()->isHidden());
    for (const short value : {0, 40, 100}) {
        emit Wiz().Process(value);
        EXPECT_FALSE(window->Progress()->isHidden());
        EXPECT_EQ(window->Progress()->value(), value);
    }
    emit Wiz().Process(-1);
    EXPECT_TRUE(window->Progress()->isHidden());
}

TEST_F(WizardWindowTest, BareEntryIsAnnouncedAndTheListReloaded) {
    Open();
    wizard::test::SignalLog log(Wiz());
    QTest::mouseClick(Wiz().findChild<QPushButton*>(QStringLiteral("PushButton1")), Qt::LeftButton);
    EXPECT_EQ(Shown(), std::vector<std::string>{"已创建新的账簿列表项“（新增账簿：请指定数据库文件）”。"});
    EXPECT_NE(platform::ReadAnsiTextFile(app.path() / "books.txt").find("（新增账簿：请指定数据库文件）"),
              std::string::npos);
    QCoreApplication::processEvents();
    EXPECT_EQ(log.commands, (std::vector<QString>{"BeforeLoadList", "AfterLoadList"}));
}

TEST_F(WizardWindowTest, CancelClosesAndTheSettingsComeBackNextTime) {
    Open();
    Wiz().SetForeColorBookList(2, 0x0000FFu);
    Click(window->CancelButton());
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(fs::exists(app.path() / "ledgerwiz.ini"));
    window.reset();
    Open();
    EXPECT_EQ(Wiz().ForeColorBookList(2), 0x0000FFu);
    EXPECT_EQ(Model()->data(Model()->index(0, 0), Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
}

} // namespace
} // namespace kx::app
