// `ledgerwiz create` run as its own process, as a user runs it.

#include "e2e/AppFolder.h"
#include "e2e/BookContents.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace kx::e2e {
namespace {

namespace fs = std::filesystem;

struct Finished {
    int exitCode = -1;
    std::string out, err;
};

/// Runs the built ledgerwiz headless: `ledgerwiz create` with the operator 主管
/// typing `password`, on the application folder `app`, with the `more` options.
Finished RunCreate(const AppFolder& app, const QString& password, const QStringList& more = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KX_LEDGERWIZ),
                  QStringList{QStringLiteral("create"), QStringLiteral("--app"), QString::fromStdString(app.path().string()),
                   QStringLiteral("--template"), QStringLiteral("0"), QStringLiteral("--operator"), QStringLiteral("主管"),
                   QStringLiteral("--password"), password, QStringLiteral("--name"), QStringLiteral("新账簿"),
                   QStringLiteral("--company"), QStringLiteral("某某有限公司"), QStringLiteral("--director"),
                   QStringLiteral("王五"), QStringLiteral("--month"), QStringLiteral("2027-01")} + more);
    if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, "ledgerwiz did not finish: " + process.errorString().toStdString()};
    }
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

TEST(LedgerwizWindow, WithoutADisplaySaysSoAndEndsWithStatusTwo) {
    const AppFolder app;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KX_LEDGERWIZ),
                  {QStringLiteral("wizard"), QStringLiteral("--app"), QString::fromStdString(app.path().string())});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "not aborted";
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_NE(process.readAllStandardError().toStdString().find("QT_QPA_PLATFORM=offscreen"), std::string::npos);
}

TEST(LedgerwizCreate, MakesTheBookFromTheSampleBookPrintsTheSummaryAndListsIt) {
    // A fresh application folder with the sample book and no book list yet.
    const AppFolder app;
    ASSERT_FALSE(fs::exists(app.ListFile()));

    const Finished run = RunCreate(app, QStringLiteral("8888"));

    ASSERT_EQ(run.exitCode, 0) << run.err;
    const fs::path book = app.Data() / "kxAcc000001.MDE";
    EXPECT_EQ(run.out, "已创建新账簿：\n"
                       "    账簿名称：新账簿\n"
                       "    单位名称：某某有限公司\n"
                       "    财务主管：王五\n"
                       "    建账日期：2027年01月\n"
                       "单击“完成”按钮，结束向导。\n"
                       "数据库：" + book.string() + "\n");
    ASSERT_TRUE(fs::is_regular_file(book));
    EXPECT_EQ(BookContents(book).BookInfoItems().at(14), "2027年01月");
    // The list the program made holds the sample book, then the new one at the end.
    EXPECT_EQ(app.ListText(), WithLineAppended(kSampleLine + "\r\n", "新账簿\t" + app.Data().string() +
                                                                "\tkxAcc000001.MDE\t某某有限公司\t(未知)\t0\t\t"));
}

TEST(LedgerwizCreate, AStopEndsWithStatusOneAndTheMessageAndLeavesTheListAlone) {
    // A wrong password stops before the creation; an unreachable server stops the
    // creation at the new book's database.
    const std::pair<QStringList, std::string> cases[] = {
        {{QStringLiteral("0000")}, "操作员“主管”不能打开模板账簿"},
        {{QStringLiteral("8888"), QStringLiteral("--sql"), QStringLiteral("/nonexistent-socket,sa,x")},
         "创建Sql数据库时错误（转换Access数据库失败）"}};
    for (const auto& [arguments, message] : cases) {
        SCOPED_TRACE(message);
        const AppFolder app;
        app.WriteList({kSampleLine});
        const std::string listDigest = FileDigest(app.ListFile());

        const Finished run = RunCreate(app, arguments.front(), arguments.mid(1));

        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_EQ(run.out.find("数据库："), std::string::npos) << run.out;
        EXPECT_EQ(FileDigest(app.ListFile()), listDigest);
        EXPECT_FALSE(fs::exists(app.Data() / "kxAcc000001.MDE"));
    }
}

} // namespace
} // namespace kx::e2e
