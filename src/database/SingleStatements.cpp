#include "SingleStatements.h"

#include "BracketedName.h"
#include "ado/AdoError.h"
#include "platform/Utf8Text.h"

namespace kx::database {

bool DoSql(ado::Connection& rCnn, const std::string& sql) {
    try {
        rCnn.Execute(sql, nullptr, -1);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool CreateDatabase(const std::string& name, ado::Connection& rCnn) {
    return DoSql(rCnn, "Create Database " + BracketedName(name));
}

bool DropDatabase(const std::string& name, ado::Connection& rCnn) {
    return DoSql(rCnn, "Drop Database " + BracketedName(name));
}

bool DropTable(const std::string& name, ado::Connection& rCnn) { return DoSql(rCnn, "Drop Table " + name); }

bool TableHasIdentity(ado::Connection& rCnn, const std::string& table) {
    const std::string quoted = "'" + platform::ReplaceAll(table, "'", "''") + "'";
    auto rows = rCnn.Execute("Select OBJECTPROPERTY(OBJECT_ID(" + quoted + "),'TableHasIdentity')", nullptr, -1);
    if (!rows)
        throw ado::AdoError(ado::errors::E_Fail, "TableHasIdentity", "查询没有返回结果：" + table);
    bool result = false;
    if (!rows->IsEOF()) {
        const ado::Variant value = rows->Item(0).Value();
        if (value.IsMissing())
            throw ado::AdoError(ado::errors::E_Fail, "TableHasIdentity", "找不到数据表：" + table);
        result = value.ToInt32() == 1;
    }
    rows->Close();
    return result;
}

} // namespace kx::database
