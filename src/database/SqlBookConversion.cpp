#include "SqlBookConversion.h"

#include "CreateCnn.h"
#include "LongFieldCopy.h"
#include "SingleStatements.h"
#include "ado/AdoError.h"
#include "platform/MessageBoxService.h"
#include "platform/PendingEvents.h"
#include "platform/Utf8Text.h"

#include <array>
#include <cctype>
#include <limits>

namespace kx::database {
namespace {

/// The counter shared by every conversion since the library was loaded.
std::int16_t rowsetCounter = 0;

constexpr std::array<const char*, 4> kLongValueTables{"kxSystem", "kxAccReport", "kxAccPeriod", "kxStatement"};

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

struct MappedField {
    std::string typeClause;
    std::string copiedEntry; ///< "" when the column is left out of the row copy
    bool longValue = false;
};

/// The type map; the first row whose condition holds decides.
MappedField MapField(const ado::Field& field) {
    const std::string name = field.Name();
    const std::string plain = "[" + name + "],";
    const long type = field.Type();
    const long size = field.DefinedSize();
    if (type == ado::adInteger && size == 4 && field.Attributes() == 90)
        return {"[int] IDENTITY (1, 1) NOT NULL,", plain};
    if (type == ado::adVarWChar)
        return {"[nvarchar] (" + std::to_string(size) + ") COLLATE Chinese_PRC_CI_AS NULL,", plain};
    if (type == ado::adBoolean)
        return {"[bit] NULL,", plain};
    if (type == ado::adInteger && size == 4)
        return {"[int] NULL,", plain};
    if (type == ado::adLongVarWChar && Upper(name) == "ALLOW")
        return {"[varchar] (256) COLLATE Chinese_PRC_CI_AS NULL,", "[#" + name + "#],"};
    if (type == ado::adLongVarWChar)
        return {"[ntext] COLLATE Chinese_PRC_CI_AS NULL,", plain, true};
    if (type == ado::adDate)
        return {"[datetime] NULL,", plain};
    if (type == ado::adCurrency)
        return {"[money] NULL,", plain};
    if (type == ado::adDouble)
        return {"[float] NULL,", plain};
    if (type == ado::adSmallInt)
        return {"[int] NULL,", plain};
    if (type == ado::adSingle)
        return {"[money] NULL,", plain};
    if (type == ado::adLongVarBinary)
        return {"[image] NULL,", "", true};
    return {"[ntext] NULL,", plain};
}

void RemoveTrailingComma(std::string& list) {
    if (list.empty())
        throw ado::AdoError(ado::errors::InvalidArgument, "CreateSqlTableFrom", "没有可以复制的字段。");
    list.pop_back();
}

bool IsLongValueTable(const std::string& table) {
    for (const char* name : kLongValueTables)
        if (table == name)
            return true;
    return false;
}

} // namespace

ConvertedColumns BuildConvertedColumns(const ado::Recordset& rs) {
    ConvertedColumns lists;
    const ado::Fields fields = rs.Fields();
    for (long i = 0; i < fields.Count(); ++i) {
        const ado::Field field = fields.Item(i);
        const MappedField mapped = MapField(field);
        lists.definitions += "[" + field.Name() + "] " + mapped.typeClause;
        lists.copied += mapped.copiedEntry;
        if (mapped.longValue)
            lists.longValues += field.Name() + "|";
    }
    RemoveTrailingComma(lists.definitions);
    RemoveTrailingComma(lists.copied);
    return lists;
}

std::string MakeInsertSql(const std::string& accessFile, const std::string& table, const std::string& columns) {
    if (rowsetCounter == std::numeric_limits<std::int16_t>::max())
        throw ado::AdoError(ado::errors::Overflow, "MakeInsertSql", "溢出");
    const int n = ++rowsetCounter;
    const std::string target = platform::ReplaceAll(platform::ReplaceAll(columns, "[#", "["), "#]", "]");
    const std::string source =
        platform::ReplaceAll(platform::ReplaceAll(columns, "[#", "CONVERT (varchar(256),["), "#]", "])");
    return "INSERT INTO " + table + " (" + target + ") " + "SELECT " + source + " " +
           "FROM OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0','Data Source=" + "\"" + accessFile + "\"" +
           ";Persist Security Info=False;Jet OLEDB:Database Password=" + kBookDatabasePassword + "')...[" + table +
           "] Rowset_" + std::to_string(n);
}

bool CreateSqlTableFrom(const std::string& table, ado::Recordset& rs, ado::Connection& rCnn) {
    ConvertedColumns lists;
    std::string insert;
    try {
        lists = BuildConvertedColumns(rs);
        rCnn.Execute("CREATE TABLE " + table + " (" + lists.definitions + ") ON [PRIMARY] ", nullptr, -1);
        platform::LetPendingEventsRun();
        const std::string accessFile = rs.ActiveConnection().Properties().Text("Data Source");
        insert = MakeInsertSql(accessFile, table, lists.copied);
        if (TableHasIdentity(rCnn, table))
            rCnn.Execute("SET IDENTITY_INSERT dbo." + table + " ON ", nullptr, -1);
    } catch (const std::exception&) {
        return false;
    }

    const bool copied = DoSql(rCnn, insert);
    try {
        if (TableHasIdentity(rCnn, table))
            rCnn.Execute("SET IDENTITY_INSERT dbo." + table + " OFF ", nullptr, -1);
        if (IsLongValueTable(table)) {
            CopyLongFields(rs, rCnn, table, lists.longValues);
            platform::LetPendingEventsRun();
        }
        platform::LetPendingEventsRun();
        return true;
    } catch (const std::exception&) {
        return copied;
    }
}

bool CreateSqlBook(const std::string& accessFile, const std::string& server, const std::string& database,
                   const std::string& user, const std::string& password, ProgressIndicator* progress) {
    ado::Connection sqlCnn;
    ado::Connection accessCnn;
    bool converted = false;
    std::string failure;
    try {
        if (progress != nullptr) {
            progress->SetValue(0);
            progress->SetVisible(true);
        }
        CreateCnn(sqlCnn, "master", server, user, password);
        sqlCnn.SetConnectionTimeout(0);
        sqlCnn.SetCommandTimeout(0);
        sqlCnn.Open({}, {}, {}, -1);
        CreateDatabase(database, sqlCnn);
        sqlCnn.Execute("Use " + database, nullptr, -1);

        // Every book file is keyed with the fixed password, which the row copy
        // statement uses as well.
        CreateCnn(accessCnn, accessFile, "", "", kBookPasswordPlaceholder);
        accessCnn.Open({}, {}, {}, -1);

        ado::Recordset listing = accessCnn.OpenSchema(ado::adSchemaTables);
        const long rows = listing.RecordCount();
        for (; !listing.IsEOF(); listing.MoveNext()) {
            if (listing.Item("Table_Type").Value().ToString() != "TABLE")
                continue;
            const std::string table = listing.Item("Table_Name").Value().ToString();
            auto tableRows = accessCnn.Execute("Select * From " + table, nullptr, -1);
            if (!tableRows)
                throw ado::AdoError(ado::errors::E_Fail, "CreateSqlBook", "创建数据表：" + table + "失败。");
            if (!CreateSqlTableFrom(table, *tableRows, sqlCnn)) {
                failure = "创建数据表：" + table + "失败。";
                break;
            }
            converted = true;
            if (progress != nullptr && rows > 0)
                progress->SetValue(static_cast<int>(listing.AbsolutePosition() * 100 / rows));
            tableRows->Close();
            platform::LetPendingEventsRun();
        }
        if (failure.empty()) {
            if (progress != nullptr)
                progress->SetValue(100);
            listing.Close();
            accessCnn.Close();
            sqlCnn.Close();
            if (progress != nullptr)
                progress->SetVisible(false);
            platform::LetPendingEventsRun();
        }
    } catch (const ado::AdoError& e) {
        failure = e.Description();
    } catch (const std::exception& e) {
        failure = e.what();
    }

    if (!failure.empty())
        platform::CurrentMessageBox().Show(failure, kConversionFailureTitle);
    platform::LetPendingEventsRun();
    return converted && failure.empty();
}

} // namespace kx::database
