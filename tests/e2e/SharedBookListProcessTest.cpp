// Several programs changing one book list at the same time, each its own process:
// ledgerwiz, and booklist_writer, which adds entries as the wizard does.

#include "e2e/ProgramRun.h"

#include "LockHolderProcess.h"
#include "platform/Utf8Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kx::e2e {
namespace {

namespace fs = std::filesystem;

/// The names of the books listed in the application folder's list.
std::multiset<std::string> ListedNames(const AppFolder& app) {
    std::multiset<std::string> names;
    for (std::string record : platform::SplitText(app.ListText(), '\r'))
        if (record.erase(0, record.starts_with('\n') ? 1 : 0); !record.empty())
            names.insert(record.substr(0, record.find('\t')));
    return names;
}

std::vector<std::string> CleanArguments(const AppFolder& app) {
    return {"books", "--app", app.path().string(), "--clean", "books.txt"};
}

TEST(SharedBookList, WhatProgramsAddAtOnceWhileOthersCleanIsListed) {
    const AppFolder app;
    // Copies of the sample book's line keep the first clean busy removing and saving
    // while the others start; a book whose file is gone is cleaned away.
    std::vector<std::string> lines(80, kSampleLine);
    lines.push_back("丢失账簿\t..\\Data\tgone.mde\t某某有限公司\t(未知)\t0\t\t");
    app.WriteList(lines);
    ProgramRun firstClean(KX_LEDGERWIZ, CleanArguments(app));
    std::deque<ProgramRun> adding;
    adding.emplace_back(KX_LEDGERWIZ, CreateArguments(app));
    std::multiset<std::string> expected{"新账簿", "样本账簿"};
    for (const std::string prefix : {"甲程序", "乙程序", "丙程序", "丁程序"}) {
        adding.emplace_back(KX_BOOKLIST_WRITER, std::vector<std::string>{"add", app.ListFile().string(), prefix, "10",
                                                                         app.SampleBook().string()});
        for (int i = 1; i <= 10; ++i)
            expected.insert(prefix + std::to_string(i));
    }
    const Finished first = firstClean.Wait();
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_NE(first.out.find("清理重复项79条；"), std::string::npos) << first.out;
    int cleans = 1;
    for (; std::any_of(adding.begin(), adding.end(), [](ProgramRun& run) { return run.Running(); }); ++cleans) {
        const Finished run = ProgramRun(KX_LEDGERWIZ, CleanArguments(app)).Wait();
        EXPECT_EQ(run.exitCode, 0) << run.err;
    }
    for (ProgramRun& run : adding) {
        const Finished finished = run.Wait();
        EXPECT_EQ(finished.exitCode, 0) << finished.err;
    }
    EXPECT_EQ(ListedNames(app), expected) << cleans << " cleans";
}

TEST(SharedBookList, AListThatIsReadOnlyOrHeldByAnotherProgramIsLeftAsItWasAndTheyAreToldWhy) {
    const AppFolder app;
    app.WriteList({kSampleLine, kSampleLine});
    const std::string list = app.ListFile().string(), before = app.ListText();
    const std::vector<std::string> add{"add", list, "新账簿", "1", app.SampleBook().string()};
    const Environment shortWait{{"KX_LIST_LOCK_TIMEOUT_MS", "200"}};
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held ? "held" : "read-only");
        std::optional<test::LockHolderProcess> holder;
        if (held) {
            ASSERT_TRUE(holder.emplace(app.ListFile()).held());
        } else {
            fs::permissions(app.ListFile(), fs::perms(0444));
        }
        const std::string cause = (held ? "账簿列表正被其他程序修改，请稍后再试：" : "账簿列表文件是只读的，不能改写：") + list;
        const Finished cleaned = ProgramRun(KX_LEDGERWIZ, CleanArguments(app), shortWait).Wait();
        EXPECT_EQ(cleaned.exitCode, 1);
        EXPECT_NE(cleaned.err.find(cause), std::string::npos) << cleaned.err;
        const Finished added = ProgramRun(KX_BOOKLIST_WRITER, add, shortWait).Wait();
        EXPECT_EQ(added.exitCode, 1);
        EXPECT_EQ(added.err, cause + "\n");
        EXPECT_EQ(app.ListText(), before);
        fs::permissions(app.ListFile(), fs::perms(0600));
    }
    // Once the other lets go, the list is theirs.
    EXPECT_EQ(ProgramRun(KX_BOOKLIST_WRITER, add, shortWait).Wait().exitCode, 0);
    EXPECT_EQ(ListedNames(app), (std::multiset<std::string>{"新账簿1", "样本账簿", "样本账簿"}));
}

} // namespace
} // namespace kx::e2e
