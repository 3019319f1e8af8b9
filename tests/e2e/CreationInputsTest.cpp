// What a host or a user hands to a creation, at its edges: an
// operator typed with spaces around it, a template folder written relative to the
// application folder while the program runs elsewhere, field values that would
// break the book list's record, a folder named like a server, and the moment at
// which BookFile names the new book.

#include "e2e/NewBookCreation.h"

#include "platform/AnsiTextFile.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include <filesystem>
#include <string>
#include <vector>

namespace kx::e2e {
namespace {

namespace fs = std::filesystem;

/// Runs the test in another working folder and goes back when it ends.
class WorkingFolder {
  public:
    explicit WorkingFolder(const fs::path& folder) : before_(fs::current_path()) { fs::current_path(folder); }
    ~WorkingFolder() {
        std::error_code ec;
        fs::current_path(before_, ec);
    }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

  private:
    fs::path before_;
};

class CreationInputs : public NewBookCreation {};

TEST_F(CreationInputs, AServerTemplatesOperatorTypedWithSurroundingSpacesIsAcceptedAtCreationToo) {
    if (!server.Available())
        GTEST_SKIP() << ado::pg::testing::kNoServerReason;
    const auto [templateDatabase, line] = ServerTemplate();
    app.WriteList({kSampleLine, line});
    WizardHost host(app.path());
    const int bookNo = server.FreeBookNumber();
    host.wiz.SetBookNo(QString::number(bookNo));
    ASSERT_TRUE(host.OpenList(listFile));
    host.wiz.SetBookID(1);
    host.TypeOperator(QStringLiteral(" 主管  "), QStringLiteral("  8888 "));
    host.DescribeNewBook();
    ASSERT_TRUE(host.wiz.PasswordOK());
    host.wiz.SetStep(4);

    ExpectCompleted(host);
    EXPECT_EQ(host.wiz.BookFile().toStdString(), BookDatabaseName(bookNo));
}

struct RelativeFolder {
    const char* name;
    /// The template row's folder as the book list holds it.
    const char* folder;
    bool toServer;
};

void PrintTo(const RelativeFolder& c, std::ostream* os) { *os << c.name; }

class RelativeTemplateFolder : public NewBookCreation, public testing::WithParamInterface<RelativeFolder> {};

TEST_P(RelativeTemplateFolder, IsFoundInTheApplicationFolderWhereverTheProgramRuns) {
    const RelativeFolder& c = GetParam();
    if (c.toServer && !server.Available())
        GTEST_SKIP() << ado::pg::testing::kNoServerReason;
    app.WriteList({std::string("样本账簿\t") + c.folder + "\tkxSample.mde\t××××有限公司\t(未知)\t0\t\t"});
    const std::string listBefore = app.ListText();
    // The working folder has no Data folder of its own.
    const test::TempFolder elsewhere;
    const WorkingFolder working(elsewhere.path());
    WizardHost host(app.path());
    const int bookNo = c.toServer ? server.FreeBookNumber() : 1;
    host.wiz.SetBookNo(QString::number(bookNo));
    ASSERT_NO_FATAL_FAILURE(WalkToNewBookPage(host, 0, kStartingBoxes, c.toServer));
    ASSERT_TRUE(host.wiz.ButtonEnabled(2)) << "the template was not found when selected";
    ASSERT_TRUE(host.wiz.PasswordOK());
    host.wiz.SetStep(4);

    ExpectCompleted(host);
    EXPECT_TRUE(box.shown.empty()) << box.shown.front().text;
    const std::string made = c.toServer ? BookDatabaseName(bookNo) : (app.Data() / "kxAcc000001.MDE").string();
    EXPECT_EQ(host.wiz.BookFile().toStdString(), made);
    BookContents book(made, c.toServer ? &server : nullptr);
    BookContents sample(app.SampleBook());
    ExpectBook(book, sample, kAllRetained);
    EXPECT_EQ(app.ListText(), WithLineAppended(listBefore, c.toServer ? NewListLine(server.Location(), made)
                                                                      : NewListLine(app.Data().string(), "kxAcc000001.MDE")));
    EXPECT_TRUE(fs::is_empty(elsewhere.path()));
}

INSTANTIATE_TEST_SUITE_P(Creation, RelativeTemplateFolder,
                         testing::Values(RelativeFolder{"Data_ToBookFile", "Data", false},
                                         RelativeFolder{"LowerCaseData_ToBookFile", "data", false},
                                         RelativeFolder{"Data_ToServer", "Data", true}),
                         [](const testing::TestParamInfo<RelativeFolder>& c) { return std::string(c.param.name); });

struct BrokenField {
    const char* name;
    /// Puts the value into the wizard after page 3 was filled in.
    void (*enter)(WizardHost&);
    const char* message;
};

void PrintTo(const BrokenField& c, std::ostream* os) { *os << c.name; }

class RecordBreakingValue : public NewBookCreation, public testing::WithParamInterface<BrokenField> {};

void SetServerBox(WizardHost& host, int box, const QString& value) {
    host.wiz.findChild<QLineEdit*>(QStringLiteral("TDBSQL_%1").arg(box))->setText(value);
}

TEST_P(RecordBreakingValue, IsRefusedBeforeAnythingIsMadeAndBookFileKeepsItsValue) {
    const BrokenField& c = GetParam();
    app.WriteList({kSampleLine});
    WizardHost host(app.path());
    ASSERT_TRUE(host.OpenList(listFile));
    host.wiz.SetBookID(0);
    host.TypeOperator(QStringLiteral("主管"), QStringLiteral("8888"));
    // A server target that is never reached: the refusal comes first.
    host.TypeServerTarget(QStringLiteral("nowhere,1"), QStringLiteral("sa"), QStringLiteral("pw"));
    host.DescribeNewBook();
    // Set by the host while no field of the page has the focus, so that no
    // focus rule of a field rewrites it.
    if (QWidget* focused = QApplication::focusWidget())
        focused->clearFocus();
    c.enter(host);
    host.wiz.SetBookFile(QStringLiteral("主程序的值"));
    const auto folderBefore = app.Snapshot();

    host.wiz.SetStep(4);

    EXPECT_FALSE(host.wiz.Completed());
    EXPECT_EQ(host.process, (std::vector<short>{0, -1}));
    EXPECT_EQ(host.messages, (std::vector<std::pair<std::string, bool>>{{c.message, true}}));
    EXPECT_EQ(host.wiz.BookFile(), QStringLiteral("主程序的值"));
    EXPECT_TRUE(host.notices.empty());
    EXPECT_TRUE(box.shown.empty());
    EXPECT_EQ(app.Snapshot(), folderBefore);
}

const BrokenField kBrokenFields[] = {
    {"TabInBookName", [](WizardHost& h) { h.wiz.SetBookName(QStringLiteral("二〇一三\t账簿")); },
     "账簿名称中不能有制表符、回车符或换行符，无法创建新账簿。"},
    {"LineFeedInUserName", [](WizardHost& h) { h.wiz.SetUserName(QStringLiteral("上海\n某某有限公司")); },
     "单位名称中不能有制表符、回车符或换行符，无法创建新账簿。"},
    {"TabInServer", [](WizardHost& h) { SetServerBox(h, 0, QStringLiteral("nowhere\t1")); },
     "SQL服务器名中不能有制表符、回车符或换行符，无法创建新账簿。"},
    {"CarriageReturnInServerUser", [](WizardHost& h) { SetServerBox(h, 1, QStringLiteral("sa\r")); },
     "SQL服务器的用户名中不能有制表符、回车符或换行符，无法创建新账簿。"},
    {"LineFeedInServerPassword", [](WizardHost& h) { SetServerBox(h, 2, QStringLiteral("p\nw")); },
     "SQL服务器的密码中不能有制表符、回车符或换行符，无法创建新账簿。"},
};

INSTANTIATE_TEST_SUITE_P(Creation, RecordBreakingValue, testing::ValuesIn(kBrokenFields),
                         [](const testing::TestParamInfo<BrokenField>& c) { return std::string(c.param.name); });

TEST_F(CreationInputs, ABookFileInAFolderNamedLikeAServerIsNeverSentTheServersShrinkBatch) {
    // The application folder itself is named as a server connection would be.
    const fs::path serverLike = app.path() / "SQLOLEDB.1;Data Source=SQL Server";
    fs::create_directories(serverLike / "Data");
    fs::copy_file(app.SampleBook(), serverLike / "Data" / "kxSample.mde");
    listFile = serverLike / "books.txt";
    platform::WriteAnsiTextFile(listFile, kSampleLine + "\r\n");
    WizardHost host(serverLike);
    ASSERT_NO_FATAL_FAILURE(WalkToNewBookPage(host, 0, kStartingBoxes, false));
    host.wiz.SetStep(4);

    ExpectCompleted(host);
    const fs::path made = serverLike / "Data" / "kxAcc000001.MDE";
    EXPECT_EQ(host.wiz.BookFile().toStdString(), made.string());
    EXPECT_EQ(BookContents(made).Count("kxDocRecs"), 0);
}

TEST_F(CreationInputs, BookFileNamesTheNewDatabaseWhileTheConversionStillRuns) {
    if (!server.Available())
        GTEST_SKIP() << ado::pg::testing::kNoServerReason;
    app.WriteList({kSampleLine});
    WizardHost host(app.path());
    const int bookNo = server.FreeBookNumber();
    host.wiz.SetBookNo(QString::number(bookNo));
    ASSERT_NO_FATAL_FAILURE(WalkToNewBookPage(host, 0, kStartingBoxes, true));
    host.wiz.SetBookFile(QStringLiteral("主程序的值"));
    // A host timer that reads BookFile whenever the conversion lets the host's
    // events run, until the step after the database is made.
    std::vector<std::string> seen;
    QTimer reader;
    reader.setInterval(0);
    QObject::connect(&reader, &QTimer::timeout, [&] {
        if (!host.process.empty() && host.process.back() == 5)
            seen.push_back(host.wiz.BookFile().toStdString());
    });
    reader.start();
    host.wiz.SetStep(4);
    reader.stop();

    ExpectCompleted(host);
    const std::string made = BookDatabaseName(bookNo);
    EXPECT_EQ(host.wiz.BookFile().toStdString(), made);
    // Before the name is chosen the host's own value, then the new database's name.
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen.front(), "主程序的值");
    EXPECT_EQ(seen.back(), made);
}

} // namespace
} // namespace kx::e2e
