#include "WizardWindow.h"

#include "SampleBookCopy.h"
#include "TempFolder.h"
#include "platform/AnsiTextFile.h"
#include "platform/PropertyStore.h"
#include "wizard/BookListModel.h"
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
        started = window->Start();
    }
    wizard::CreatLedgerWiz& Wiz() { return window->Wizard(); }
    QLineEdit* Field(const char* name) { return Wiz().findChild<QLineEdit*>(QString::fromLatin1(name)); }
    void Click(QPushButton* button) {
        ASSERT_TRUE(button->isEnabled()) << button->text().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    std::vector<std::string> Shown() const {
        std::vector<std::string> texts;
        for (const auto& m : messages.shown)
            texts.push_back(m.text);
        return texts;
    }

    kx::test::TempFolder app;
    platform::RecordingMessageBox messages;
    std::unique_ptr<WizardWindow> window;
    bool started = false;
};

TEST_F(WizardWindowTest, StartCreatesTheListAndShowsPageZeroWithTheControlsButtons) {
    Open();
    EXPECT_TRUE(started);
    EXPECT_TRUE(fs::exists(app.path() / "books.txt"));
    EXPECT_EQ(Wiz().Step(), 0);
    EXPECT_EQ(window->CancelButton()->text(), "取消(&A)");
    EXPECT_EQ(window->BackButton()->text(), "上一步(&B)");
    EXPECT_EQ(window->NextButton()->text(), "下一步(&F)");
    EXPECT_TRUE(window->CancelButton()->isEnabled());
    EXPECT_FALSE(window->BackButton()->isEnabled());
    EXPECT_TRUE(window->NextButton()->isEnabled());
    EXPECT_EQ(Wiz().findChild<QTableView*>(QStringLiteral("fg"))->model()->rowCount(), 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WizardWindowTest, HostWalksThePagesCheckingTheOperatorAndTheNewBookName) {
    Open();
    Click(window->NextButton());
    ASSERT_EQ(Wiz().Step(), 1);
    EXPECT_FALSE(window->NextButton()->isEnabled());
    EXPECT_TRUE(window->BackButton()->isEnabled());

    Wiz().SetBookID(0); // the sample book
    EXPECT_TRUE(window->NextButton()->isEnabled());

    // An operator without the right to look at vouchers may not use the template.
    Field("TDBText1_1")->setText(QStringLiteral("出纳"));
    Field("TDBText1_2")->setText(QStringLiteral("6666"));
    Click(window->NextButton());
    EXPECT_EQ(Wiz().Step(), 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "建账向导");

    Field("TDBText1_1")->setText(QStringLiteral("主管"));
    Field("TDBText1_2")->setText(QStringLiteral("8888"));
    Click(window->NextButton());
    ASSERT_EQ(Wiz().Step(), 2);
    Click(window->NextButton());
    ASSERT_EQ(Wiz().Step(), 3);
    Click(window->BackButton());
    ASSERT_EQ(Wiz().Step(), 2);
    // Going back to page 1 and forward again asks for the operator again.
    Click(window->BackButton());
    Field("TDBText1_2")->setText(QStringLiteral("0000"));
    Click(window->NextButton());
    EXPECT_EQ(Wiz().Step(), 1);
    Field("TDBText1_2")->setText(QStringLiteral("8888"));
    Click(window->NextButton());
    Click(window->NextButton());
    ASSERT_EQ(Wiz().Step(), 3);

    Wiz().SetBookName(QString());
    Click(window->NextButton());
    EXPECT_EQ(Wiz().Step(), 3);
    EXPECT_EQ(messages.shown.back().text, "请输入新账簿的名称和单位名称。");

    Wiz().SetBookName(QStringLiteral("新账簿"));
    Click(window->NextButton());
    ASSERT_EQ(Wiz().Step(), 4);
    // Page 4 made the book from the sample: only the finish button is left.
    EXPECT_EQ(Wiz().findChild<QLabel*>(QStringLiteral("Label4_0"))->text(), "已创建新账簿：");
    EXPECT_TRUE(Wiz().Completed());
    EXPECT_EQ(messages.shown.size(), 3u);
    EXPECT_FALSE(window->BackButton()->isEnabled());
    EXPECT_FALSE(window->NextButton()->isEnabled());
    EXPECT_TRUE(std::filesystem::exists(app.path() / "Data" / "kxAcc000001.MDE"));
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
    ASSERT_TRUE(window->NextButton()->isEnabled());
    Click(window->NextButton());
    EXPECT_EQ(Wiz().Step(), 2);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WizardWindowTest, MessagesWithoutABoxGoToTheStatusLine) {
    Open();
    Wiz().Prompt(QStringLiteral("正在读入"));
    EXPECT_EQ(window->StatusLine()->text(), "正在读入");
    EXPECT_TRUE(messages.shown.empty());
    Wiz().Prompt(QStringLiteral("请注意"), true);
    EXPECT_EQ(Shown(), std::vector<std::string>{"请注意"});
    EXPECT_EQ(window->StatusLine()->text(), "正在读入");
}

TEST_F(WizardWindowTest, ProcessDrivesTheProgressBarUntilItEnds) {
    Open();
    EXPECT_TRUE(window->Progress()->isHidden());
    emit Wiz().Process(0);
    emit Wiz().Process(40);
    EXPECT_FALSE(window->Progress()->isHidden());
    EXPECT_EQ(window->Progress()->value(), 40);
    emit Wiz().Process(100);
    EXPECT_EQ(window->Progress()->value(), 100);
    emit Wiz().Process(-1);
    EXPECT_TRUE(window->Progress()->isHidden());
}

TEST_F(WizardWindowTest, BareEntryIsAnnouncedAndTheListReloaded) {
    Open();
    wizard::test::SignalLog log(Wiz());
    Click(Wiz().findChild<QPushButton*>(QStringLiteral("PushButton1")));
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
    auto* model = Wiz().findChild<QTableView*>(QStringLiteral("fg"))->model();
    EXPECT_EQ(model->data(model->index(0, 0), Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
}

} // namespace
} // namespace kx::app
