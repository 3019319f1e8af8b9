#include "ConvertCommand.h"

#include "TerminalMessageBox.h"
#include "TerminalProgress.h"
#include "TextTable.h"
#include "ado/AdoError.h"
#include "database/CreateCnn.h"
#include "database/SqlBookConversion.h"
#include "database/UserTables.h"

#include <ostream>

namespace kx::app {
namespace {

/// The conversion's progress as a bar on the terminal.
class ConversionProgress final : public database::ProgressIndicator {
public:
    explicit ConversionProgress(TerminalProgress& bar) : bar_(bar) {}
    void SetValue(int percent) override {
        percent_ = percent;
        if (visible_)
            bar_.Draw(percent_);
    }
    void SetVisible(bool visible) override {
        visible_ = visible;
        if (visible)
            bar_.Draw(percent_);
        else
            bar_.EndLine();
    }

private:
    TerminalProgress& bar_;
    int percent_ = 0;
    bool visible_ = false;
};

} // namespace

int RunConvertCommand(const ConvertOptions& options, std::ostream& out, std::ostream& err) {
    TerminalProgress bar(err);
    bool converted = false;
    {
        const TerminalMessageBox box(bar);
        ConversionProgress progress(bar);
        converted = database::CreateSqlBook(options.bookFile, options.server, options.database, options.user,
                                            options.password, &progress);
        bar.EndLine();
        if (!converted && !box.Shown())
            bar.Message(std::string(database::kConversionFailureTitle) + "：账簿文件中没有可以转换的数据表。");
    }
    if (!converted)
        return 1;

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
