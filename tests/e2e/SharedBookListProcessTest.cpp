// Several programs changing one book list at the same time, each its own process:
// ledgerwiz, and booklist_writer, which adds entries as the wizard does.

#include "e2e/AppFolder.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kx::e2e {
namespace {

namespace fs = std::filesystem;

const std::string kBusy = "账簿列表正被其他程序修改，请稍后再试：";
const std::string kReadOnly = "账簿列表文件是只读的，不能改写：";

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

struct Finished {
    int exitCode = -1;
    std::string out, err;
};

/// A program running headless on its own, with `lockWaitMs` as its lock timeout
/// when given.
class Program {
  public:
    Program(const char* program, const QStringList& arguments, const char* lockWaitMs = nullptr) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        if (lockWaitMs != nullptr)
            environment.insert(QStringLiteral("KX_LIST_LOCK_TIMEOUT_MS"), QString::fromLatin1(lockWaitMs));
        process_.setProcessEnvironment(environment);
        process_.start(QString::fromLocal8Bit(program), arguments);
    }
    ~Program() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Running() {
        process_.waitForFinished(0); // takes in whether it ended
        return process_.state() != QProcess::NotRunning;
    }
    /// Waits until the program wrote a whole line to its output; the line.
    std::string ReadLine() {
        while (!process_.canReadLine() && process_.waitForReadyRead(30000)) {
        }
        return process_.readLine().trimmed().toStdString();
    }
    /// Ends the program's input.
    void CloseInput() { process_.closeWriteChannel(); }
    Finished Wait() {
        if (process_.state() != QProcess::NotRunning)
            process_.waitForFinished(300000);
        if (process_.state() != QProcess::NotRunning || process_.exitStatus() != QProcess::NormalExit)
            return {-1, {}, "did not finish: " + process_.errorString().toStdString()};
        return {process_.exitCode(), process_.readAllStandardOutput().toStdString(),
                process_.readAllStandardError().toStdString()};
    }

  private:
    QProcess process_;
};

/// booklist_writer adding `count` entries "<prefix>1" ... to `list`, of `bookFile`.
std::unique_ptr<Program> Adding(const fs::path& list, const std::string& prefix, int count,
                                const std::string& bookFile = {}, const char* lockWaitMs = nullptr) {
    QStringList arguments{QStringLiteral("add"), Q(list.string()), Q(prefix), QString::number(count)};
    if (!bookFile.empty())
        arguments << Q(bookFile);
    return std::make_unique<Program>(KX_BOOKLIST_WRITER, arguments, lockWaitMs);
}

/// `ledgerwiz books --clean` on the application folder's list.
Finished Clean(const AppFolder& app, const char* lockWaitMs = nullptr) {
    return Program(KX_LEDGERWIZ,
                   {QStringLiteral("books"), QStringLiteral("--app"), Q(app.path().string()),
                    QStringLiteral("--clean"), QStringLiteral("books.txt")},
                   lockWaitMs)
        .Wait();
}

/// The names of the books listed in the application folder's list, sorted.
std::vector<std::string> ListedNames(const AppFolder& app) {
    std::vector<std::string> names;
    const std::string text = app.ListText();
    for (std::size_t start = 0; start < text.size();) {
        auto end = text.find('\r', start);
        if (end == std::string::npos)
            end = text.size();
        std::string record = text.substr(start, end - start);
        if (record.starts_with("\n"))
            record.erase(0, 1);
        if (!record.empty())
            names.push_back(record.substr(0, record.find('\t')));
        start = end + 1;
    }
    std::sort(names.begin(), names.end());
    return names;
}

/// The names "<prefix>1" ... "<prefix><count>" for each prefix, with `more`, sorted.
std::vector<std::string> Names(const std::vector<std::string>& prefixes, int count,
                               std::vector<std::string> more) {
    for (const std::string& prefix : prefixes)
        for (int i = 1; i <= count; ++i)
            more.push_back(prefix + std::to_string(i));
    std::sort(more.begin(), more.end());
    return more;
}

TEST(SharedBookList, EveryEntryThatProgramsAddAtOnceIsListed) {
    const AppFolder app;
    app.WriteList({kSampleLine});
    const std::vector<std::string> prefixes = {"甲程序", "乙程序", "丙程序", "丁程序"};
    std::vector<std::unique_ptr<Program>> writers;
    for (const std::string& prefix : prefixes)
        writers.push_back(Adding(app.ListFile(), prefix, 10));
    for (const auto& writer : writers) {
        const Finished run = writer->Wait();
        EXPECT_EQ(run.exitCode, 0) << run.err;
    }
    EXPECT_EQ(ListedNames(app), Names(prefixes, 10, {"样本账簿"}));
}

TEST(SharedBookList, ACleanWhileOthersAddKeepsTheirEntriesAndStillCleans) {
    const AppFolder app;
    app.WriteList({kSampleLine, kSampleLine, "丢失账簿\t..\\Data\tgone.mde\t某某有限公司\t(未知)\t0\t\t"});
    const std::vector<std::string> prefixes = {"甲程序", "乙程序"};
    std::vector<std::unique_ptr<Program>> writers;
    for (const std::string& prefix : prefixes)
        writers.push_back(Adding(app.ListFile(), prefix, 25, app.SampleBook().string()));
    int cleans = 0;
    do {
        const Finished run = Clean(app);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        ++cleans;
    } while (
        std::any_of(writers.begin(), writers.end(), [](const auto& writer) { return writer->Running(); }));
    for (const auto& writer : writers) {
        const Finished run = writer->Wait();
        EXPECT_EQ(run.exitCode, 0) << run.err;
    }
    EXPECT_EQ(ListedNames(app), Names(prefixes, 25, {"样本账簿"})) << cleans << " cleans";
}

TEST(SharedBookList, ABookCreatedWhileTheListIsCleanedIsListed) {
    const AppFolder app;
    // Copies of the sample book's line keep the first clean busy removing and saving
    // while the creation runs.
    app.WriteList(std::vector<std::string>(80, kSampleLine));
    auto firstClean = std::make_unique<Program>(
        KX_LEDGERWIZ, QStringList{QStringLiteral("books"), QStringLiteral("--app"), Q(app.path().string()),
                                  QStringLiteral("--clean"), QStringLiteral("books.txt")});
    Program create(KX_LEDGERWIZ,
                   {QStringLiteral("create"), QStringLiteral("--app"), Q(app.path().string()),
                    QStringLiteral("--template"), QStringLiteral("0"), QStringLiteral("--operator"),
                    QStringLiteral("主管"), QStringLiteral("--password"), QStringLiteral("8888"),
                    QStringLiteral("--name"), QStringLiteral("新账簿"), QStringLiteral("--company"),
                    QStringLiteral("某某有限公司"), QStringLiteral("--month"), QStringLiteral("2027-01")});
    const Finished first = firstClean->Wait();
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_NE(first.out.find("清理重复项79条；"), std::string::npos) << first.out;
    while (create.Running()) {
        const Finished run = Clean(app);
        EXPECT_EQ(run.exitCode, 0) << run.err;
    }
    const Finished created = create.Wait();
    ASSERT_EQ(created.exitCode, 0) << created.err;
    EXPECT_EQ(ListedNames(app), (std::vector<std::string>{"新账簿", "样本账簿"}));
}

TEST(SharedBookList, AProgramThatMayNotWriteTheListSaysWhyAndLeavesItAlone) {
    const AppFolder app;
    app.WriteList({kSampleLine, kSampleLine});
    const std::string list = app.ListFile().string();
    const std::string bookFile = app.SampleBook().string();
    const std::string before = FileDigest(app.ListFile());

    // A read-only list: the clean and the addition are refused.
    fs::permissions(app.ListFile(), fs::perms(0444));
    const Finished cleaned = Clean(app);
    EXPECT_EQ(cleaned.exitCode, 1);
    EXPECT_NE(cleaned.err.find("存储账簿列表：" + kReadOnly + list), std::string::npos) << cleaned.err;
    Finished added = Adding(app.ListFile(), "新账簿", 1, bookFile)->Wait();
    EXPECT_EQ(added.exitCode, 1);
    EXPECT_EQ(added.err, kReadOnly + list + "\n");
    EXPECT_EQ(FileDigest(app.ListFile()), before);
    fs::permissions(app.ListFile(), fs::perms(0600));

    // A list that another program holds: both give up after their wait.
    Program holder(KX_BOOKLIST_WRITER, {QStringLiteral("hold"), Q(list)});
    ASSERT_EQ(holder.ReadLine(), "held");
    const Finished waited = Clean(app, "200");
    EXPECT_EQ(waited.exitCode, 1);
    EXPECT_NE(waited.err.find(kBusy + list), std::string::npos) << waited.err;
    added = Adding(app.ListFile(), "新账簿", 1, bookFile, "200")->Wait();
    EXPECT_EQ(added.exitCode, 1);
    EXPECT_EQ(added.err, kBusy + list + "\n");
    EXPECT_EQ(FileDigest(app.ListFile()), before);

    // Once it lets go, the list is theirs.
    holder.CloseInput();
    EXPECT_EQ(holder.Wait().exitCode, 0);
    added = Adding(app.ListFile(), "新账簿", 1, bookFile, "200")->Wait();
    EXPECT_EQ(added.exitCode, 0) << added.err;
    EXPECT_EQ(ListedNames(app), (std::vector<std::string>{"新账簿1", "样本账簿", "样本账簿"}));
}

} // namespace
} // namespace kx::e2e
