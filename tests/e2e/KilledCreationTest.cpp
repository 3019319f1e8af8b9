// `ledgerwiz create` killed with SIGKILL at some moment, as a user's kill -9 or a
// lost session ends it, and then run again: the hidden temporary files that the
// killed run left in the Data folder and beside the book list are gone, and so is
// the server database that it left half-made.

#include "e2e/BookContents.h"
#include "e2e/BookOneOnServer.h"
#include "e2e/ProgramRun.h"

#include "platform/HiddenTemporary.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace kx::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

/// The hidden temporaries of a folder and their journal files.
std::vector<std::string> HiddenTemporariesIn(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (!platform::HiddenTemporaryOf(it->path().filename().string()).empty())
            names.push_back(it->path().filename().string());
    return names;
}

/// The sample book with a few hundred thousand rows in kxLog (which a new book
/// empties): some 20 MB, whose copy takes long enough to be killed in the middle.
/// Made once for the test program.
const fs::path& LargeTemplate() {
    static const auto made = [] {
        auto folder = std::make_unique<test::TempFolder>();
        const fs::path book = folder->path() / "large.mde";
        fs::copy_file(test::SampleBookCopy::Master(), book);
        BookContents contents(book);
        contents.Run("Insert Into kxLog (opName, LogAction, LogDetail) Values ('主管', '填充', '" +
                     std::string(250, 'x') + "')");
        for (int doubling = 0; doubling < 16; ++doubling)
            contents.Run("Insert Into kxLog (opName, LogAction, LogDetail) Select opName, LogAction, LogDetail From kxLog");
        return std::make_pair(std::move(folder), book);
    }();
    return made.second;
}

enum class Trace { None, InData, BesideTheList, OnTheServer };
enum class From { Sample, LargeFile, LargeServerBook };

/// When and where the first run is killed.
struct KillCase {
    const char* name;
    From from;
    bool toServer = false;
    int listEntries = 0; // other books in the list after the template's line
    const char* kxFault = "";
    /// As soon as the run left this trace (which the kill then leaves behind), else after afterMs.
    Trace trace = Trace::None;
    int afterMs = 0;
};

void PrintTo(const KillCase& c, std::ostream* os) { *os << c.name; }

class KilledCreation : public testing::TestWithParam<KillCase> {};

TEST_P(KilledCreation, TheNextRunLeavesNoHiddenTemporaryAndNoHalfMadeDatabase) {
    const KillCase& c = GetParam();
    ServerBooks server;
    if (c.toServer && !server.Available())
        GTEST_SKIP() << ado::pg::testing::kNoServerReason;
    std::optional<BookOneOnServer> bookOne;
    std::vector<std::string> options;
    Environment environment{{"KX_FAULT", c.kxFault}};
    if (c.toServer) {
        bookOne.emplace(server);
        options = {"--sql", server.SqlOption()};
        environment.push_back(server.PortVariable());
    }
    const AppFolder app;
    std::vector<std::string> lines{kSampleLine};
    std::string templateDatabase;
    if (c.from == From::LargeServerBook) {
        templateDatabase = server.ConvertedBook(app.SampleBook().string());
        server.RunSql(templateDatabase, "INSERT INTO kxlog (opname, logaction, logdetail) SELECT '主管', '填充', "
                                        "repeat('x', 250) FROM generate_series(1, 100000)");
        lines = {server.SampleLine(templateDatabase, false)};
    } else if (c.from == From::LargeFile) {
        fs::remove(app.SampleBook());
        fs::copy_file(LargeTemplate(), app.SampleBook());
    }
    // Long lines make a long list whose save can be caught in the middle.
    for (int i = 1; i <= c.listEntries; ++i)
        lines.push_back("旧账簿" + std::to_string(i) + std::string(300, 'x') + "\t..\\Data\tkxOld" + std::to_string(i) +
                        ".MDE\t某某有限公司\t(未知)\t0\t\t");
    app.WriteList(lines);

    ProgramRun killed(KX_LEDGERWIZ, CreateArguments(app, options), environment);
    ASSERT_TRUE(killed.process.waitForStarted(30000));
    std::vector<std::string> halfMade; // marked as being made when the run was killed
    const auto left = [&] {
        if (c.trace == Trace::OnTheServer)
            return !(halfMade = server.MarkedLike(BookOneOnServer::Name(0))).empty();
        return !HiddenTemporariesIn(c.trace == Trace::InData ? app.Data() : app.path()).empty();
    };
    if (c.trace == Trace::None)
        std::this_thread::sleep_for(std::chrono::milliseconds(c.afterMs));
    for (const auto deadline = std::chrono::steady_clock::now() + 120s;
         c.trace != Trace::None && !left() && std::chrono::steady_clock::now() < deadline;)
        ASSERT_FALSE(killed.process.waitForFinished(c.toServer ? 5 : 0)) << "the run ended before it left its trace";
    killed.Kill();
    if (c.trace != Trace::None) {
        ASSERT_TRUE(c.toServer ? !halfMade.empty() : left()) << "the kill left nothing to remove";
    }

    // The next run, from a small template so as to end soon when the server copies it.
    if (!templateDatabase.empty())
        BookContents(templateDatabase, &server).Run("Delete From kxLog");
    environment.front().second.clear(); // no fault
    const Finished next = ProgramRun(KX_LEDGERWIZ, CreateArguments(app, options), environment).Wait();
    ASSERT_EQ(next.exitCode, 0) << next.err;
    EXPECT_EQ(HiddenTemporariesIn(app.Data()), std::vector<std::string>{});
    EXPECT_EQ(HiddenTemporariesIn(app.path()), std::vector<std::string>{});
    if (c.toServer) {
        // The half-made database went, by this run's sweep or another program's; its
        // name may have been taken again since, by the whole new book.
        const std::string database = next.Database();
        for (const std::string& name : halfMade)
            if (pg::FoldDatabaseName(database) != name) {
                EXPECT_FALSE(server.Exists(name)) << name;
            }
        EXPECT_EQ(server.MarkedLike(BookOneOnServer::Name(0)), std::vector<std::string>{});
        EXPECT_EQ(server.Comment(database), "");
        BookContents book(database, &server);
        EXPECT_EQ(book.BookInfoItems().at(4), "新账簿");
        EXPECT_EQ(book.Count("kxLog"), 0);
        const std::string list = app.ListText();
        EXPECT_NE(list.find("\t" + database + "\t"), std::string::npos) << list;
        EXPECT_EQ(list.find("\t" + database + "\t"), list.rfind("\t" + database + "\t")) << list;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Moments, KilledCreation,
    testing::Values(KillCase{"AtOnce", From::Sample},
                    KillCase{.name = "AfterTenMilliseconds", .from = From::Sample, .afterMs = 10},
                    KillCase{.name = "AfterAFifthOfASecond", .from = From::Sample, .afterMs = 200},
                    KillCase{.name = "WhileCopyingALargeTemplate", .from = From::LargeFile, .trace = Trace::InData},
                    // Without the kernel's copy the template goes through a buffer.
                    KillCase{.name = "WhileCopyingThroughABuffer", .from = From::LargeFile, .kxFault = "copy:1:EXDEV",
                             .trace = Trace::InData},
                    KillCase{.name = "WhileSavingALongList", .from = From::Sample, .listEntries = 30000,
                             .trace = Trace::BesideTheList},
                    KillCase{.name = "WhileCopyingAServerTemplate", .from = From::LargeServerBook, .toServer = true,
                             .trace = Trace::OnTheServer},
                    KillCase{.name = "WhileConvertingABookFile", .from = From::LargeFile, .toServer = true,
                             .trace = Trace::OnTheServer}),
    [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace kx::e2e
