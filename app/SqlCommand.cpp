#include "SqlCommand.h"

#include "TextTable.h"
#include "ado/AdoConstants.h"
#include "ado/AdoError.h"
#include "ado/Connection.h"
#include "database/CreateCnn.h"

#include <ostream>

namespace kx::app {
namespace {

std::string CellText(const ado::Variant& value) {
    switch (value.Type()) {
    case ado::VariantType::Null:
    case ado::VariantType::Empty:
        return "NULL";
    case ado::VariantType::Binary:
        return "<" + std::to_string(value.ToBytes().size()) + " 字节>";
    default:
        return value.ToString();
    }
}

} // namespace

int RunSqlCommand(const SqlOptions& options, std::ostream& out, std::ostream& err) {
    try {
        ado::Connection cnn;
        if (options.bookFile.empty())
            database::CreateCnn(cnn, options.database, options.server, options.user, options.password);
        else
            database::CreateCnn(cnn, options.bookFile, "", "", database::kBookPasswordPlaceholder);
        try {
            cnn.Open({}, {}, {}, -1);
        } catch (const ado::AdoError& e) {
            // The provider cannot tell a file that is no book from a book of another
            // password: both fail at the key.
            if (options.bookFile.empty() || e.Number() != ado::errors::AuthenticationFailed)
                throw;
            err << "无法打开账簿文件“" << options.bookFile << "”：它不是账簿文件，或者它的密码不对。\n"
                << "（" << e.Source() << "：" << e.Description() << "）\n";
            return 1;
        }

        long affected = -1;
        auto rows = cnn.Execute(options.statement, &affected, -1);
        if (!rows) {
            out << "完成" << (affected >= 0 ? "，影响 " + std::to_string(affected) + " 行" : std::string()) << "。\n";
            cnn.Close();
            return 0;
        }
        const ado::Fields fields = rows->Fields();
        std::vector<std::string> header;
        for (long i = 0; i < fields.Count(); ++i)
            header.push_back(fields.Item(i).Name());
        TextTable table(header);
        for (; !rows->IsEOF(); rows->MoveNext()) {
            std::vector<std::string> row;
            for (long i = 0; i < fields.Count(); ++i)
                row.push_back(CellText(rows->Item(i).Value()));
            table.AddRow(std::move(row));
        }
        out << table.Render() << "(" << table.RowCount() << " 行)\n";
        rows->Close();
        cnn.Close();
        return 0;
    } catch (const ado::AdoError& e) {
        err << e.Source() << "：" << e.Description() << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return 1;
    }
}

} // namespace kx::app
