#include "ConvertCommand.h"

#include "TextTable.h"
#include "ado/AdoError.h"
#include "database/CreateCnn.h"
#include "database/SqlBookConversion.h"
#include "database/UserTables.h"
#include "platform/MessageBoxService.h"

#include <ostream>

namespace kx::app {
namespace {

/// A text progress bar, redrawn in place on one line.
class TextProgressBar final : public database::ProgressIndicator {
public:
    explicit TextProgressBar(std::ostream& out) : out_(out) {}
    void SetValue(int percent) override {
        percent_ = percent;
        if (visible_)
            Draw();
    }
    void SetVisible(bool visible) override {
        visible_ = visible;
        if (visible)
            Draw();
        else
            out_ << "\n" << std::flush;
    }

private:
    void Draw() {
        constexpr int width = 40;
        const int filled = percent_ * width / 100;
        out_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
             << std::string(static_cast<std::size_t>(width - filled), '.') << "] " << percent_ << "%" << std::flush;
    }
    std::ostream& out_;
    int percent_ = 0;
    bool visible_ = false;
};

/// Shows the conversion's failure box as a line on the error stream.
class StreamMessageBox final : public platform::MessageBoxService {
public:
    explicit StreamMessageBox(std::ostream& out) : out_(out) {}
    int Show(const std::string& text, const std::string& title, int style) override {
        out_ << "\n" << title << "：" << text << "\n";
        shown = true;
        return platform::DefaultAnswerOf(style);
    }
    bool shown = false;

private:
    std::ostream& out_;
};

} // namespace

int RunConvertCommand(const ConvertOptions& options, std::ostream& out, std::ostream& err) {
    StreamMessageBox box(err);
    platform::InstallMessageBox(&box);
    TextProgressBar progress(err);
    const bool converted = database::CreateSqlBook(options.bookFile, options.server, options.database, options.user,
                                                   options.password, &progress);
    platform::InstallMessageBox(nullptr);
    if (!converted) {
        if (!box.shown)
            err << "\n" << database::kConversionFailureTitle << "：账簿文件中没有可以转换的数据表。\n";
        return 1;
    }

    try {
        ado::Connection cnn;
        database::CreateCnn(cnn, options.database, options.server, options.user, options.password);
        cnn.Open({}, {}, {}, -1);
        TextTable table({"数据表", "行数"});
        long total = 0;
        for (const std::string& name : database::UserTableNames(cnn)) {
            const long rows = cnn.Execute("Select Count(*) From [" + name + "]")->Item(0).Value().ToInt32();
            total += rows;
            table.AddRow({name, std::to_string(rows)});
        }
        cnn.Close();
        out << table.Render() << "共 " << table.RowCount() << " 个数据表，" << total << " 行。\n";
        return 0;
    } catch (const ado::AdoError& e) {
        err << e.Description() << "\n";
        return 1;
    }
}

} // namespace kx::app
