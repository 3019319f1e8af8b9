#pragma once

#include "ado/Connection.h"
#include "database/CreateCnn.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace kx::test {

/// Every table of the book file `file` with its rows in the order the book gives
/// them, each row its values as text joined by "|" (Null as "<null>"), read
/// through a read-only connection that leaves the file as it is.
inline std::map<std::string, std::vector<std::string>> BookDump(const std::filesystem::path& file) {
    ado::Connection cnn;
    database::CreateCnn(cnn, file.string(), "", "", database::kBookPasswordPlaceholder);
    cnn.SetMode(ado::adModeRead);
    cnn.Open({}, {}, {}, -1);
    std::map<std::string, std::vector<std::string>> dump;
    ado::Recordset tables = cnn.OpenSchema(ado::adSchemaTables);
    for (; !tables.IsEOF(); tables.MoveNext()) {
        if (tables.Item("TABLE_TYPE").Value().ToString() != "TABLE")
            continue;
        const std::string table = tables.Item("TABLE_NAME").Value().ToString();
        std::vector<std::string>& rows = dump[table];
        auto rs = cnn.Execute("Select * From [" + table + "]");
        for (; rs && !rs->IsEOF(); rs->MoveNext()) {
            std::string row;
            for (long i = 0; i < rs->Fields().Count(); ++i) {
                const ado::Variant value = rs->Item(i).Value();
                row += (i == 0 ? "" : "|") + (value.IsNull() ? std::string("<null>") : value.ToString());
            }
            rows.push_back(std::move(row));
        }
    }
    tables.Close();
    cnn.Close();
    return dump;
}

} // namespace kx::test
