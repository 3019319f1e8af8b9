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

struct StopCase;

class CreationStops : public NewBookCreation, public testing::WithParamInterface<StopCase> {
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
};

/// A way for the creation to stop: before the book list, or at the list itself.
struct StopCase {
    const char* name;
    /// Writes the book list (and whatever else the case needs) and guards the books that must stay.
    void (*arrange)(CreationStops&);
    /// Runs once the host has walked to page 3, just before page 4.
    void (*breakIt)(CreationStops&, WizardHost&);
    /// The one message, shown in a box; nullptr when the book was made and none may come.
    const char* message;
    /// The Process sequence; past 40 the new book file is left behind: nothing is rolled back.
    std::vector<short> process;
    /// Whether the conversion showed its own box.
    bool conversionBox;
    /// Summary lines 0 and 1 on page 4 (line 1 only when not nullptr).
    const char* summary[2];
};

void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }

TEST_P(CreationStops, WithOneMessageInABoxAndChangesNoBookAndNotTheList) {
    const StopCase& failure = GetParam();
    failure.arrange(*this);
    WizardHost host(app.path());
    ASSERT_NO_FATAL_FAILURE(WalkToNewBookPage(host, 0, kStartingBoxes, false));
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
    EXPECT_EQ(host.notices, failure.message == nullptr ? std::vector<std::string>{host.BookListNotice()}
                                                       : std::vector<std::string>{});
    for (const auto& [file, digest] : guarded) {
        EXPECT_EQ(FileDigest(file), digest) << file << " was changed";
    }
    EXPECT_EQ(NewBookFiles(), failure.process.size() > 3 ? std::vector<std::string>{"kxAcc000001.MDE"}
                                                         : std::vector<std::string>{});
    ASSERT_EQ(box.shown.size(), failure.conversionBox ? 1u : 0u);
    if (failure.conversionBox) {
        EXPECT_EQ(box.shown[0].title, database::kConversionFailureTitle);
    }
}

void SampleOnly(CreationStops& t) {
    t.app.WriteList({kSampleLine});
    t.Guard({t.app.SampleBook()});
}

const std::vector<short> kStoppedAtTheDatabase{0, 5, -1};
constexpr const char* kMaking = "正在创建新账簿...";

const StopCase kStopCases[] = {
    {"TemplateFileMissing", SampleOnly,
     // The template goes after it was chosen, as when another program removes it.
     [](CreationStops& t, WizardHost&) {
         t.guarded.clear();
         fs::remove(t.app.SampleBook());
     },
     "未找到作为模版的当前账簿的数据库文件，无法创建账簿文件。", kStoppedAtTheDatabase, false, {kMaking}},
    {"ConversionToAnUnreachableServer", SampleOnly,
     [](CreationStops&, WizardHost& host) {
         host.wiz.SetStep(1);
         host.TypeServerTarget(QStringLiteral("/nonexistent,1"), QStringLiteral("sa"), QStringLiteral("x"));
         host.wiz.SetStep(3);
     },
     "创建Sql数据库时错误（转换Access数据库失败）", kStoppedAtTheDatabase, true, {kMaking}},
    {"DataFolderIsAFile",
     [](CreationStops& t) {
         // The template lives outside Data, which is a plain file: no copy can be made there.
         const fs::path templateFile = t.app.path() / "Templates" / "kxSample.mde";
         fs::create_directories(templateFile.parent_path());
         fs::rename(t.app.SampleBook(), templateFile);
         fs::remove(t.app.Data());
         platform::WriteFileAtomically(t.app.Data(), "not a folder");
         t.app.WriteList({"样本账簿\t..\\Templates\tkxSample.mde\t××××有限公司\t(未知)\t0\t\t"});
         t.Guard({templateFile, t.app.Data()});
     },
     [](CreationStops&, WizardHost&) {}, "创建新账簿的数据库文件遇到错误。", kStoppedAtTheDatabase, false,
     {kMaking}},
    {"ClearingWithoutTheHostsObject", SampleOnly, [](CreationStops&, WizardHost& host) { host.wiz.Acc.reset(); },
     "宿主程序没有提供账务对象（Acc）。", {0, 5, 20, 40, 40, -1}, false, {kMaking}},
    // The book is made, but the list is a folder now: the summary says so.
    {"UnwritableList", SampleOnly,
     [](CreationStops& t, WizardHost&) {
         fs::remove(t.app.ListFile());
         fs::create_directory(t.app.ListFile());
     },
     nullptr, {0, 5, 20, 40, 40, 60, 60, 100, -1}, false, {"创建账簿时遇到错误：", "    无法更新账簿列表。"}},
};

INSTANTIATE_TEST_SUITE_P(Creation, CreationStops, testing::ValuesIn(kStopCases),
                         [](const testing::TestParamInfo<StopCase>& c) { return std::string(c.param.name); });

} // namespace
} // namespace kx::e2e
