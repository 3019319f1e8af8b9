// A creation that fails leaves the books and the book list that were there as
// they were, byte for byte, and tells the user why.

#include "e2e/NewBookCreation.h"

#include "database/SqlBookConversion.h"
#include "platform/AnsiTextFile.h"
#include "pg/TestServer.h"

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
        for (const fs::path& file : files) {
            ASSERT_TRUE(fs::is_regular_file(file)) << file;
            guarded_[file] = FileDigest(file);
        }
    }
    /// Remembers the rows of a server book that a failed creation must leave alone.
    void GuardServerBook(const std::string& database) {
        guardedDatabase_ = database;
        guardedRows_ = BookContents(database, server.Server(), server.User(), server.Password()).RowCounts();
    }
    /// A database that a failed creation must not make.
    std::string forbiddenDatabase;

  protected:
    void ExpectGuardedBooksUnchanged() {
        for (const auto& [file, digest] : guarded_) {
            EXPECT_EQ(FileDigest(file), digest) << file << " was changed";
        }
        if (!guardedDatabase_.empty()) {
            EXPECT_EQ(BookContents(guardedDatabase_, server.Server(), server.User(), server.Password()).RowCounts(),
                      guardedRows_);
        }
        if (!forbiddenDatabase.empty()) {
            EXPECT_FALSE(server.Exists(forbiddenDatabase)) << forbiddenDatabase;
        }
    }
    /// Names in the Data folder that start with "kxAcc".
    std::vector<std::string> NewBookFiles() const {
        std::vector<std::string> names;
        std::error_code ec;
        for (fs::directory_iterator it(app.Data(), ec), end; !ec && it != end; it.increment(ec))
            if (it->path().filename().string().rfind("kxAcc", 0) == 0)
                names.push_back(it->path().filename().string());
        return names;
    }
    /// The creation ended with one message in a box (`message`, when given), page 4
    /// still says the book is being made, and the host got no notice.
    static void ExpectStoppedWith(WizardHost& host, const std::string& message, const std::vector<short>& process) {
        EXPECT_FALSE(host.wiz.Completed());
        EXPECT_EQ(host.process, process);
        ASSERT_EQ(host.messages.size(), 1u);
        if (!message.empty()) {
            EXPECT_EQ(host.messages[0].first, message);
        }
        EXPECT_FALSE(host.messages[0].first.empty());
        EXPECT_TRUE(host.messages[0].second) << "the failure must be shown in a box";
        EXPECT_EQ(host.SummaryText(0), QStringLiteral("正在创建新账簿..."));
        EXPECT_EQ(host.wiz.ButtonCaption(0), QStringLiteral("取消(&A)"));
        EXPECT_TRUE(host.notices.empty()) << host.notices.front();
    }

  private:
    std::map<fs::path, std::string> guarded_;
    std::string guardedDatabase_;
    std::map<std::string, long> guardedRows_;
};

// ---------------------------------------------------------------- the new database cannot be made

/// A way for making the new book's database to fail.
struct DatabaseFailure {
    const char* name;
    bool needsServer;
    /// Writes the book list (and whatever else the case needs) and guards the books
    /// that must stay; returns the template's list position.
    int (*arrange)(CreationFailure&);
    /// Runs once the host has walked to page 3, just before page 4.
    void (*breakIt)(CreationFailure&, WizardHost&);
    /// The operator's password the host types.
    const char* password;
    std::string message;
    /// Title of the box the conversion shows itself; nullptr when none may show.
    const char* conversionBoxTitle;
};

class NewDatabaseFailure : public CreationFailure, public testing::WithParamInterface<DatabaseFailure> {};

TEST_P(NewDatabaseFailure, StopsBeforeTheBookInformationAndChangesNoBookAndNotTheList) {
    const DatabaseFailure& failure = GetParam();
    if (failure.needsServer && !server.Available())
        GTEST_SKIP() << ado::pg::testing::kNoServerReason;
    const int bookId = failure.arrange(*this);
    if (HasFatalFailure())
        return;
    WizardHost host(app.path());
    ASSERT_NO_FATAL_FAILURE(
        WalkToNewBookPage(host, bookId, kStartingBoxes, false, QString::fromLatin1(failure.password)));
    failure.breakIt(*this, host);
    ASSERT_NO_FATAL_FAILURE(Guard({app.ListFile()}));

    host.Create();

    ExpectStoppedWith(host, failure.message, {0, 5, -1});
    ExpectGuardedBooksUnchanged();
    EXPECT_TRUE(NewBookFiles().empty()) << NewBookFiles().front();
    if (failure.conversionBoxTitle == nullptr) {
        EXPECT_TRUE(box.shown.empty()) << box.shown.front().text;
    } else {
        ASSERT_EQ(box.shown.size(), 1u);
        EXPECT_EQ(box.shown[0].title, failure.conversionBoxTitle);
    }
}

/// Goes back to page 1, types an unreachable server as the target, and returns to page 3.
void TargetAnUnreachableServer(WizardHost& host) {
    host.wiz.SetStep(1);
    host.TypeServerTarget(QStringLiteral("/nonexistent,1"), QStringLiteral("sa"), QStringLiteral("x"));
    host.wiz.SetStep(3);
}

const DatabaseFailure kDatabaseFailures[] = {
    {"TemplateFileMissing", false,
     [](CreationFailure& t) {
         t.app.WriteList({kSampleLine});
         return 0;
     },
     // The template goes after it was chosen, as when another program removes it.
     [](CreationFailure& t, WizardHost&) { fs::remove(t.app.SampleBook()); }, "8888",
     "未找到作为模版的当前账簿的数据库文件，无法创建账簿文件。", nullptr},
    {"ConversionToAnUnreachableServer", false,
     [](CreationFailure& t) {
         t.app.WriteList({kSampleLine});
         t.Guard({t.app.SampleBook()});
         return 0;
     },
     [](CreationFailure&, WizardHost& host) { TargetAnUnreachableServer(host); }, "8888",
     "创建Sql数据库时错误（转换Access数据库失败）", database::kConversionFailureTitle},
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
     [](CreationFailure&, WizardHost&) {}, "8888", "创建新账簿的数据库文件遇到错误。", nullptr},
    {"ServerTemplateRefusesTheOperator", true,
     [](CreationFailure& t) {
         const std::string database = t.server.NewDatabaseName();
         t.server.CreateDatabase(database, {"Create Table kxOperator (opID int, opName varchar(20), OpPwd varchar(20))",
                                            "Insert Into kxOperator (opID, opName, OpPwd) Values (1, '主管', '8888')"});
         t.app.WriteList({kSampleLine, "服务器账簿\t" + t.server.Location() + "\t" + database +
                                           "\t××××有限公司\t(未知)\t0\t\t"});
         t.Guard({t.app.SampleBook()});
         t.GuardServerBook(database);
         return 1;
     },
     [](CreationFailure& t, WizardHost& host) {
         // A host that does not look at PasswordOK lets the user go on all the same.
         EXPECT_FALSE(host.wiz.PasswordOK());
         const int bookNo = t.server.FreeBookNumber();
         host.wiz.SetBookNo(QString::number(bookNo));
         t.forbiddenDatabase = BookDatabaseName(bookNo);
     },
     "9999", "未找到作为模版的当前账簿的数据库，无法创建账簿。", nullptr},
};

void PrintTo(const DatabaseFailure& failure, std::ostream* os) {
    *os << failure.name;
}

std::string DatabaseFailureName(const testing::TestParamInfo<DatabaseFailure>& failure) {
    return failure.param.name;
}

INSTANTIATE_TEST_SUITE_P(Creation, NewDatabaseFailure, testing::ValuesIn(kDatabaseFailures), DatabaseFailureName);

// ---------------------------------------------------------------- the clearing cannot run

TEST_F(CreationFailure, ClearingWithoutTheHostsObjectStopsBeforeTheListAndKeepsTheNewFile) {
    app.WriteList({kSampleLine});
    WizardHost host(app.path());
    ASSERT_NO_FATAL_FAILURE(WalkToNewBookPage(host, 0, kStartingBoxes, false));
    ASSERT_NO_FATAL_FAILURE(Guard({app.ListFile(), app.SampleBook()}));
    host.wiz.Acc.reset();

    host.Create();

    ExpectStoppedWith(host, "", {0, 5, 20, 40, 40, -1});
    ExpectGuardedBooksUnchanged();
    // Nothing is rolled back: the new file stays, outside the list.
    EXPECT_EQ(NewBookFiles(), std::vector<std::string>{"kxAcc000001.MDE"});
}

// ---------------------------------------------------------------- the list cannot be written

struct ListFailure {
    const char* name;
    /// Where the list lives, inside the application folder.
    const char* listFile;
    /// Makes the list unwritable after the template was chosen.
    void (*breakIt)(const fs::path& listFile);
    /// Whether what stands at the list's place is still as `breakIt` left it.
    bool (*leftAsBroken)(const fs::path& listFile);
};

class UnwritableBookList : public CreationFailure, public testing::WithParamInterface<ListFailure> {};

TEST_P(UnwritableBookList, TheBookIsMadeButTheSummarySaysTheListCouldNotBeUpdated) {
    const fs::path list = app.path() / GetParam().listFile;
    fs::create_directories(list.parent_path());
    platform::WriteAnsiTextFile(list, kSampleLine + "\r\n");
    WizardHost host(app.path());
    ASSERT_TRUE(host.OpenList(list));
    host.ChooseBook(0);
    host.TypeOperator(QStringLiteral("主管"), QStringLiteral("8888"));
    host.KeepStartingRetained();
    host.DescribeNewBook(kNewBookName, kNewCompany, kNewDirector, kNewBeginDate);
    ASSERT_NO_FATAL_FAILURE(Guard({app.SampleBook()}));
    GetParam().breakIt(list);

    host.Create();

    EXPECT_FALSE(host.wiz.Completed());
    EXPECT_EQ(host.process, (std::vector<short>{0, 5, 20, 40, 40, 60, 60, 100, -1}));
    EXPECT_EQ(host.SummaryText(0), QStringLiteral("创建账簿时遇到错误："));
    EXPECT_EQ(host.SummaryText(1), QStringLiteral("    无法更新账簿列表。"));
    for (int line = 2; line <= 4; ++line)
        EXPECT_FALSE(host.SummaryShown(line)) << "summary line " << line;
    // The buttons stay as page 3 left them.
    EXPECT_EQ(host.wiz.ButtonCaption(0), QStringLiteral("取消(&A)"));
    EXPECT_TRUE(host.wiz.ButtonEnabled(1));
    // The host still learns that the list was to change.
    EXPECT_EQ(host.notices, std::vector<std::string>{host.BookListNotice()});
    EXPECT_TRUE(GetParam().leftAsBroken(list));
    ExpectGuardedBooksUnchanged();
    EXPECT_EQ(NewBookFiles(), std::vector<std::string>{"kxAcc000001.MDE"});
}

const ListFailure kListFailures[] = {
    {"ListPathIsAFolder", "books.txt",
     [](const fs::path& list) {
         fs::remove(list);
         fs::create_directory(list);
     },
     [](const fs::path& list) { return fs::is_directory(list) && fs::is_empty(list); }},
    {"ListFolderVanished", "lists/books.txt", [](const fs::path& list) { fs::remove_all(list.parent_path()); },
     [](const fs::path& list) { return !fs::exists(list.parent_path()); }},
};

void PrintTo(const ListFailure& failure, std::ostream* os) {
    *os << failure.name;
}

std::string ListFailureName(const testing::TestParamInfo<ListFailure>& failure) {
    return failure.param.name;
}

INSTANTIATE_TEST_SUITE_P(Creation, UnwritableBookList, testing::ValuesIn(kListFailures), ListFailureName);

} // namespace
} // namespace kx::e2e
