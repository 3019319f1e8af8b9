#include "platform/RemovedOnSignal.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace kx::platform {
namespace {

namespace fs = std::filesystem;

extern "C" void HostHandler(int) {}

struct SignalCase {
    const char* name;
    int signal;
    bool hostHandles; // the host has its own handler: the process goes on, the files stay
};

class RemovedOnSignalTable : public testing::TestWithParam<SignalCase> {};

TEST_P(RemovedOnSignalTable, TheRegisteredFilesGoWithTheProcessUnlessTheHostHandlesTheSignal) {
    const SignalCase& c = GetParam();
    kx::test::TempFolder root;
    const fs::path folder = root.path() / "private", file = root.path() / ".book.kxtmp-abcdef",
                   other = root.path() / "kept";
    fs::create_directories(folder / "empty");
    for (const fs::path& f : {folder / "a", folder / "b", file, other})
        std::ofstream(f) << "data";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The default unless the host handles it (a test run in the background
        // starts with SIGINT ignored).
        std::signal(c.signal, c.hostHandles ? HostHandler : SIG_DFL);
        const RemovedOnSignal folderGoes(folder, RemovedOnSignal::Kind::Folder);
        const RemovedOnSignal fileGoes(file, RemovedOnSignal::Kind::File);
        { const RemovedOnSignal released(other, RemovedOnSignal::Kind::File); }
        ::raise(c.signal);
        ::_exit(7);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(fs::exists(other));
    if (c.hostHandles) {
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 7);
        EXPECT_TRUE(fs::exists(folder / "a"));
        EXPECT_TRUE(fs::exists(file));
    } else {
        ASSERT_TRUE(WIFSIGNALED(status)) << status;
        EXPECT_EQ(WTERMSIG(status), c.signal);
        EXPECT_FALSE(fs::exists(folder));
        EXPECT_FALSE(fs::exists(file));
    }
}

INSTANTIATE_TEST_SUITE_P(Signals, RemovedOnSignalTable,
                         testing::Values(SignalCase{"Sigterm", SIGTERM, false},
                                         SignalCase{"Sigint", SIGINT, false},
                                         SignalCase{"Sighup", SIGHUP, false},
                                         SignalCase{"SigtermOfAHost", SIGTERM, true}),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace kx::platform
