// A creation that stops leaves the books and the book list that were there as
// they were, byte for byte, and tells the user why.

#include "e2e/NewBookCreation.h"

#include "database/SqlBookConversion.h"
#include "platform/AnsiTextFile.h"

#include <QLabel>

#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace kx::e2e {
namespace {

namespace fs = std::filesystem;

class CreationFailure : public NewBookCreation {
  public:
    /// Remembers the digests of files that a failed creation must leave alone.
    void Guard(const std::vector<fs::path>& files) {
        for (const fs::path& file : files)
            guarded[file] = FileDigest(file);
    }
    /// Names in the Data folder that start with "kxAcc".
    std::vector<std::string> NewBookFiles() const {
        std::vector<std::string> names;
        std::error_code ec;
        for (fs::directory_iterator it(app.Data(), ec), end; !ec && it != end; it.increment(ec))
            if (it->path().filename().string().starts_with("kxAcc"))
                names.push_back(it->path().filename().string());
        return names;
    }

    std::map<fs::path, std::string> guarded;
    /// A server book that must keep its rows, and a database that must not be made.
    std::string guardedDatabase, forbiddenDatabase;
    std::map<std::string, long> guardedRows;
};

/// A way for the creation to stop: before the book list, or at the list itself.
struct StopCase {
    const char* name;
    bool needsServer;
    /// Writes the book list (and whatever else the case needs) and guards the books
    /// that must stay; returns the template's list position.
    int (*arrange)(CreationFailure&);
    /// Runs once the host has walked to page 3, just before page 4.
    void (*breakIt)(CreationFailure&, WizardHost&);
    const char* password;
    /// The one message, shown in a box; nullptr when none may come.
    const char* message;
    std::vector<short> process;
    /// The new book files left behind: nothing is rolled back.
    std::vector<std::string> leftFiles;
    /// Title of the box the conversion shows itself; nullptr when none may show.
    const char* conversionBoxTitle;
    /// Summary lines 0 and 1 on page 4 (line 1 only when not nullptr).
    const char* summary[2];
    bool listNotice;
};

void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }

class CreationStops : public CreationFailure, public testing::WithParamInterface<StopCase> {};

TEST_P(CreationStops, WithOneMessageInABoxAndChangesNoBookAndNotTheList) {
    const StopCase& failure = GetParam();
    if (failure.needsServer && !server.Available())
        GTEST_SKIP() << ado::pg::testing::kNoServerReason;
    const int bookId = failure.arrange(*this);
    ASSERT_FALSE(HasFatalFailure());
    WizardHost host(app.path());
    ASSERT_NO_FATAL_FAILURE(
        WalkToNewBookPage(host, bookId, kStartingBoxes, false, QString::fromLatin1(failure.password)));
    failure.breakIt(*this, host);
    Guard({app.ListFile()});

    host.wiz.SetStep(4);

    // Page 4 never says the book was made, and the buttons stay as page 3 left them.
    EXPECT_FALSE(host.wiz.Completed());
    EXPECT_EQ(host.process, failure.process);
    if (failure.message == nullptr) {
        EXPECT_TRUE(host.messages.empty()) << host.messages.front().first;
    } else {
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].first, failure.message);
        EXPECT_TRUE(host.messages[0].second) << "the failure must be shown in a box";
    }
    EXPECT_EQ(host.Summary(0).text().toStdString(), failure.summary[0]);
    if (failure.summary[1] != nullptr) {
        EXPECT_EQ(host.Summary(1).text().toStdString(), failure.summary[1]);
        for (int line = 2; line <= 4; ++line)
            EXPECT_TRUE(host.Summary(line).isHidden()) << "summary line " << line;
    }
    EXPECT_EQ(host.wiz.ButtonCaption(0), QStringLiteral("取消(&A)"));
    // The host learns of the list only when it was to change.
    EXPECT_EQ(host.notices, failure.listNotice ? std::vector<std::string>{host.BookListNotice()}
                                               : std::vector<std::string>{});
    for (const auto& [file, digest] : guarded) {
        EXPECT_EQ(FileDigest(file), digest) << file << " was changed";
    }
    if (!guardedDatabase.empty()) {
        EXPECT_EQ(BookContents(guardedDatabase, server.Server(), server.User(), server.Password()).RowCounts(),
                  guardedRows);
    }
    if (!forbiddenDatabase.empty()) {
        EXPECT_FALSE(server.Exists(forbiddenDatabase)) << forbiddenDatabase;
    }
    EXPECT_EQ(NewBookFiles(), failure.leftFiles);
    ASSERT_EQ(box.shown.size(), failure.conversionBoxTitle == nullptr ? 0u : 1u);
    if (failure.conversionBoxTitle != nullptr) {
        EXPECT_EQ(box.shown[0].title, failure.conversionBoxTitle);
    }
}

int SampleOnly(CreationFailure& t) {
    t.app.WriteList({kSampleLine});
    t.Guard({t.app.SampleBook()});
    return 0;
}

const std::vector<short> kStoppedAtTheDatabase{0, 5, -1};
constexpr const char* kMaking = "正在创建新账簿...";

const StopCase kStopCases[] = {
    {"TemplateFileMissing", false, SampleOnly,
     // The template goes after it was chosen, as when another program removes it.
     [](CreationFailure& t, WizardHost&) {
         t.guarded.clear();
         fs::remove(t.app.SampleBook());
     },
     "8888", "未找到作为模版的当前账簿的数据库文件，无法创建账簿文件。", kStoppedAtTheDatabase, {}, nullptr,
     {kMaking}, false},
    {"ConversionToAnUnreachableServer", false, SampleOnly,
     [](CreationFailure&, WizardHost& host) {
         host.wiz.SetStep(1);
         host.TypeServerTarget(QStringLiteral("/nonexistent,1"), QStringLiteral("sa"), QStringLiteral("x"));
         host.wiz.SetStep(3);
     },
     "8888", "创建Sql数据库时错误（转换Access数据库失败）", kStoppedAtTheDatabase, {},
     database::kConversionFailureTitle, {kMaking}, false},
    {"DataFolderIsAFile", false,
     [](CreationFailure& t) {
         // The template lives outside Data, which is a plain file: no copy can be made there.
         const fs::path templateFile = t.app.path() / "Templates" / "kxSample.mde";
         fs::create_directories(templateFile.parent_path());
         fs::rename(t.app.SampleBook(), templateFile);
         fs::remove(t.app.Data());
         platform::WriteFileAtomically(t.app.Data(), "not a folder");
         t.app.WriteList({"样本账簿\t..\\Templates\tkxSample.mde\t××××有限公司\t(未知)\t0\t\t"});
         t.Guard({templateFile, t.app.Data()});
         return 0;
     },
     [](CreationFailure&, WizardHost&) {}, "8888", "创建新账簿的数据库文件遇到错误。", kStoppedAtTheDatabase, {},
     nullptr, {kMaking}, false},
    {"ServerTemplateRefusesTheOperator", true,
     [](CreationFailure& t) {
         const std::string database = t.server.NewDatabaseName();
         t.server.CreateDatabase(database, {"Create Table kxOperator (opID int, opName varchar(20), OpPwd varchar(20))",
                                            "Insert Into kxOperator (opID, opName, OpPwd) Values (1, '主管', '8888')"});
         t.app.WriteList({kSampleLine, "服务器账簿\t" + t.server.Location() + "\t" + database +
                                           "\t××××有限公司\t(未知)\t0\t\t"});
         t.Guard({t.app.SampleBook()});
         t.guardedDatabase = database;
         t.guardedRows = BookContents(database, t.server.Server(), t.server.User(), t.server.Password()).RowCounts();
         return 1;
     },
     [](CreationFailure& t, WizardHost& host) {
         // A host that does not look at PasswordOK lets the user go on all the same.
         EXPECT_FALSE(host.wiz.PasswordOK());
         const int bookNo = t.server.FreeBookNumber();
         host.wiz.SetBookNo(QString::number(bookNo));
         t.forbiddenDatabase = BookDatabaseName(bookNo);
     },
     "9999", "未找到作为模版的当前账簿的数据库，无法创建账簿。", kStoppedAtTheDatabase, {}, nullptr, {kMaking},
     false},
    {"ClearingWithoutTheHostsObject", false, SampleOnly, [](CreationFailure&, WizardHost& host) { host.wiz.Acc.reset(); },
     "8888", "宿主程序没有提供账务对象（Acc）。", {0, 5, 20, 40, 40, -1}, {"kxAcc000001.MDE"}, nullptr, {kMaking},
     false},
    // The book is made, but the list is a folder now: the summary says so.
    {"UnwritableList", false, SampleOnly,
     [](CreationFailure& t, WizardHost&) {
         fs::remove(t.app.ListFile());
         fs::create_directory(t.app.ListFile());
     },
     "8888", nullptr, {0, 5, 20, 40, 40, 60, 60, 100, -1}, {"kxAcc000001.MDE"}, nullptr,
     {"创建账簿时遇到错误：", "    无法更新账簿列表。"}, true},
};

INSTANTIATE_TEST_SUITE_P(Creation, CreationStops, testing::ValuesIn(kStopCases),
                         [](const testing::TestParamInfo<StopCase>& c) { return std::string(c.param.name); });

} // namespace
} // namespace kx::e2e
