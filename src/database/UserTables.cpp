#include "UserTables.h"

namespace kx::database {

std::vector<std::string> UserTableNames(ado::Connection& cnn, const std::vector<ado::Variant>& restrictions) {
    std::vector<std::string> names;
    ado::Recordset listing = cnn.OpenSchema(ado::adSchemaTables, restrictions);
    for (; !listing.IsEOF(); listing.MoveNext()) {
        if (listing.Item("Table_Type").Value().ToString() == "TABLE")
            names.push_back(listing.Item("Table_Name").Value().ToString());
    }
    listing.Close();
    return names;
}

} // namespace kx::database
