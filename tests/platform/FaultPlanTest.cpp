#include "platform/FaultPlan.h"

#include "OneSystemCall.h"
#include "TempFolder.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kx::platform::sys {
namespace {

namespace fs = std::filesystem;

struct ParseCase {
    const char* text;
    std::optional<std::vector<Fault>> faults; // none: the text is refused
};

class ParseTable : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTable, ReadsThePlansText) {
    const ParseCase& c = GetParam();
    if (c.faults)
        EXPECT_EQ(ParseFaultPlan(c.text), *c.faults);
    else
        EXPECT_THROW((void)ParseFaultPlan(c.text), std::invalid_argument);
}

using Faults = std::vector<Fault>;

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseTable,
    ::testing::Values(
        ParseCase{"", Faults{}}, ParseCase{"fsync:3:ENOSPC", Faults{{Call::Fsync, 3, ENOSPC}}},
        ParseCase{"write:2+:EIO,link:1:EACCES", Faults{{Call::Write, 2, EIO, true}, {Call::Link, 1, EACCES}}},
        ParseCase{"rename:12:5,copy:1:EXDEV", Faults{{Call::Rename, 12, 5}, {Call::Copy, 1, EXDEV}}},
        ParseCase{"fsync:0:EIO", std::nullopt}, ParseCase{"fsync:3", std::nullopt},
        ParseCase{"sync:1:EIO", std::nullopt}, ParseCase{"fsync:x:EIO", std::nullopt},
        ParseCase{"fsync:-1:EIO", std::nullopt}, ParseCase{"fsync:1+2:EIO", std::nullopt},
        ParseCase{"fsync:1:ENOTANERROR", std::nullopt}, ParseCase{"fsync:1:0", std::nullopt},
        ParseCase{"Fsync:1:EIO", std::nullopt}, ParseCase{"fsync:1:EIO,", std::nullopt},
        ParseCase{"fsync:1:EIO,,write:1:EIO", std::nullopt}));

/// A wrapper, and the failure planned for it: `count` is "K" or "K+".
struct WrapperCase {
    test::Wrapper wrapper;
    const char* count;
    int error;
};

std::string WrapperCaseName(const ::testing::TestParamInfo<WrapperCase>& info) {
    std::string count = info.param.count;
    if (count.ends_with('+'))
        count.replace(count.size() - 1, 1, "On");
    return std::string(info.param.wrapper.name) + "_" + count + "_" + ::strerrorname_np(info.param.error);
}

class WrapperTable : public ::testing::TestWithParam<WrapperCase> {
  protected:
    test::TempFolder folder;
};

TEST_P(WrapperTable, TheChosenCallFailsWithTheChosenErrorAndChangesNothing) {
    const WrapperCase& c = GetParam();
    const std::string kind(sys::NameOf(c.wrapper.kind));
    const std::string count = c.count;
    const unsigned long k = std::stoul(count);
    const bool onward = count.ends_with('+');
    // A fault of another kind at every call changes nothing for this one.
    const Call other = c.wrapper.kind == Call::Write ? Call::Link : Call::Write;
    const ScopedFaultPlan plan(kind + ":" + count + ":" + ::strerrorname_np(c.error) + "," +
                               std::string(sys::NameOf(other)) + ":1+:EIO");
    for (unsigned long i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        const bool fails = i == k || (onward && i > k);
        const test::CallResult result = test::MakeOneCall(c.wrapper, folder.path(), static_cast<int>(i));
        EXPECT_EQ(result.error, fails ? c.error : 0);
        EXPECT_EQ(result.changed, !fails);
    }
    EXPECT_EQ(plan.Calls(c.wrapper.kind), 4u);
    EXPECT_EQ(plan.Injected(), onward ? 5 - k : 1u);
}

std::vector<WrapperCase> WrapperCases() {
    std::vector<WrapperCase> cases;
    const std::pair<const char*, int> failures[] = {{"1", EIO}, {"3", ENOSPC}, {"2+", EACCES}};
    for (const test::Wrapper& wrapper : test::kWrappers)
        for (const auto& [count, error] : failures)
            cases.push_back({wrapper, count, error});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Wrappers, WrapperTable, ::testing::ValuesIn(WrapperCases()), WrapperCaseName);

TEST(ScopedFaultPlan, PutsBackThePlanBeforeIt) {
    test::TempFolder folder;
    const test::Wrapper write = test::kWrappers[0];
    const ScopedFaultPlan outer("write:2:ENOSPC");
    EXPECT_EQ(test::MakeOneCall(write, folder.path(), 1).error, 0);
    {
        const ScopedFaultPlan inner("write:1:EIO");
        EXPECT_EQ(test::MakeOneCall(write, folder.path(), 2).error, EIO);
        EXPECT_EQ(outer.Calls(Call::Write), 1u) << "the inner plan counts its own calls";
    }
    EXPECT_EQ(test::MakeOneCall(write, folder.path(), 3).error, ENOSPC);
    EXPECT_EQ(test::MakeOneCall(write, folder.path(), 4).error, 0);
}

/// The probe's output when the plan of KX_FAULT gives the wrappers `answers`
/// (three per wrapper, by name); every other call succeeds.
std::string ProbeOutput(const std::map<std::string, std::string>& answers) {
    std::string out;
    for (const test::Wrapper& wrapper : test::kWrappers) {
        const auto answer = answers.find(wrapper.name);
        out += std::string(wrapper.name) + " " + (answer == answers.end() ? "0 0 0" : answer->second) + "\n";
    }
    return out;
}

struct EnvironmentCase {
    const char* name;
    std::optional<const char*> kxFault; // none: KX_FAULT is not set
    std::optional<std::string> output;  // none: the probe ends with a message on the bad plan
};

class EnvironmentTable : public ::testing::TestWithParam<EnvironmentCase> {};

TEST_P(EnvironmentTable, AProcessTakesItsPlanFromKxFault) {
    const EnvironmentCase& c = GetParam();
    const test::TempFolder folder;
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("KX_FAULT"));
    if (c.kxFault)
        environment.insert(QStringLiteral("KX_FAULT"), QString::fromUtf8(*c.kxFault));
    probe.setProcessEnvironment(environment);
    probe.start(QStringLiteral(KX_FAULT_PROBE), {QString::fromStdString(folder.str())});
    ASSERT_TRUE(probe.waitForFinished(30000));
    const std::string out = probe.readAllStandardOutput().toStdString();
    const std::string err = probe.readAllStandardError().toStdString();
    if (c.output) {
        EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(probe.exitCode(), 0) << err;
        EXPECT_EQ(out, *c.output);
    } else {
        EXPECT_EQ(probe.exitStatus(), QProcess::CrashExit) << out;
        EXPECT_NE(err.find(std::string("KX_FAULT: fault plan entry \"") + "fsync:0:EIO"), std::string::npos)
            << err;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Plans, EnvironmentTable,
    ::testing::Values(EnvironmentCase{"Unset", std::nullopt, ProbeOutput({})},
                      // Fdatasync counts on from the three calls of Fsync.
                      EnvironmentCase{"FourthFsyncIsAFdatasync", "fsync:4:EIO",
                                      ProbeOutput({{"Fdatasync", "EIO 0 0"}})},
                      EnvironmentCase{"Several", "write:2+:ENOSPC,link:1:EACCES,rename:4:EXDEV,copy:3:EIO",
                                      ProbeOutput({{"Write", "0 ENOSPC ENOSPC"},
                                                   {"Link", "EACCES 0 0"},
                                                   {"RenameNoReplace", "EXDEV 0 0"},
                                                   {"CopyFileRange", "0 0 EIO"}})},
                      EnvironmentCase{"Unreadable", "write:1:EIO,fsync:0:EIO", std::nullopt}),
    [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace kx::platform::sys
