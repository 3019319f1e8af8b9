#include "newbook/NewBookCreation.h"

#include "SampleBookCopy.h"
#include "newbook/CreationObserver.h"
#include "newbook/TemplateUnpacker.h"
#include "platform/Utf8Text.h"
#include "support/AccountingObject.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kx::newbook {
namespace {

namespace fs = std::filesystem;

/// Writes every report down as one line, in the order it came, the host's
/// notices among them.
class ReportLog final : public CreationObserver {
  public:
    explicit ReportLog(std::string appPath) : appPath_(std::move(appPath)) {}

    void Process(short indicator) override { lines.push_back("Process " + std::to_string(indicator)); }
    void Prompt(const std::string& message, bool showBox) override {
        lines.push_back(std::string(showBox ? "Box " : "Prompt ") + message);
    }
    void BookFileChosen(const std::string& bookFile) override {
        lines.push_back("Book " + platform::ReplaceAll(bookFile, appPath_, "APP"));
    }
    void StepFailed(const CreationSummary& summary) override { lines.push_back("StepFailed " + Text(summary)); }
    void Finished(const CreationSummary& summary) override { lines.push_back("Finished " + Text(summary)); }

    std::vector<std::string> lines;

  private:
    static std::string Text(const CreationSummary& summary) {
        std::string text = summary.title;
        for (const std::string& line : summary.lines)
            text += "|" + line;
        return text + "|" + summary.closing + (summary.completed ? "|completed" : "");
    }
    std::string appPath_;
};

struct CreationCase {
    const char* name;
    /// Spoils the request or the folder before the run.
    std::function<void(NewBookRequest&, const fs::path& app)> spoil;
    bool ranToItsEnd;
    std::vector<std::string> expected;
};

class CreationReportTest : public testing::TestWithParam<CreationCase> {};

TEST_P(CreationReportTest, ReportsComeInTheOrderOfTheCreation) {
    test::TempFolder app;
    fs::create_directories(app.path() / "Data");
    fs::copy_file(test::SampleBookCopy::Master(), app.path() / "Data" / "kxSample.mde");
    ReportLog log(app.str());
    support::AccountingObject acc;
    acc.SetNoticeReceiver([&log](const std::string& notice) {
        log.lines.push_back("Notice " + notice);
    });

    NewBookRequest request;
    request.templateLocation = (app.path() / "Data" / "kxSample.mde").string();
    request.operatorName = "主管";
    request.operatorPassword = "8888";
    request.bookName = "新账簿";
    request.company = "某某有限公司";
    request.director = "王五";
    request.beginDate = QDate(2027, 1, 1);
    request.retain.fill(1);
    request.appPath = app.str();
    request.listFile = (app.path() / "books.txt").string();
    request.noticeWindow = 7;
    request.acc = &acc;
    GetParam().spoil(request, app.path());

    DirectTemplateUnpacker unpacker;
    EXPECT_EQ(NewBookCreation(request, log, unpacker).Run(), GetParam().ranToItsEnd);
    EXPECT_EQ(log.lines, GetParam().expected);
}

const std::string kCompleted = "Finished 已创建新账簿：|    账簿名称：新账簿|    单位名称：某某有限公司|"
                               "    财务主管：王五|    建账日期：2027年01月|单击“完成”按钮，结束向导。|completed";

INSTANTIATE_TEST_SUITE_P(
    Creation, CreationReportTest,
    testing::Values(
        CreationCase{"Completed", [](NewBookRequest&, const fs::path&) {}, true,
                     {"Process 0", "Process 5", "Book APP/Data/kxAcc000001.MDE", "Process 20", "Process 40",
                      "Process 40", "Process 60", "Process 60", "Notice 7|All|BookList|0||", kCompleted,
                      "Process 100", "Process -1"}},
        CreationCase{"TemplateMissing",
                     [](NewBookRequest& r, const fs::path& app) {
                         r.templateLocation = (app / "Data" / "none.mde").string();
                     },
                     false,
                     {"Process 0", "Process 5", "Book ", "Process -1",
                      "Box 未找到作为模版的当前账簿的数据库文件，无法创建账簿文件。"}},
        CreationCase{"ClearingWithoutTheHostsObject",
                     [](NewBookRequest& r, const fs::path&) { r.acc = nullptr; }, false,
                     {"Process 0", "Process 5", "Book APP/Data/kxAcc000001.MDE", "Process 20", "Process 40",
                      "Process 40", "Process -1", "Box 宿主程序没有提供账务对象（Acc）。"}},
        CreationCase{"ListCannotBeWritten",
                     [](NewBookRequest& r, const fs::path& app) {
                         fs::create_directories(app / "list-is-a-folder");
                         r.listFile = (app / "list-is-a-folder").string();
                     },
                     true,
                     {"Process 0", "Process 5", "Book APP/Data/kxAcc000001.MDE", "Process 20", "Process 40",
                      "Process 40", "Process 60", "Process 60", "Notice 7|All|BookList|0||",
                      "Finished 创建账簿时遇到错误：|    无法更新账簿列表。|", "Process 100", "Process -1"}}),
    [](const testing::TestParamInfo<CreationCase>& param) { return std::string(param.param.name); });

} // namespace
} // namespace kx::newbook
