#include "SqlBookConversion.h"

#include "BracketedName.h"
#include "CreateCnn.h"
#include "DatabaseNameCheck.h"
#include "LongFieldCopy.h"
#include "NewServerDatabase.h"
#include "OverlongText.h"
#include "SingleStatements.h"
#include "ado/AdoError.h"
#include "platform/MessageBoxService.h"
#include "platform/PendingEvents.h"
#include "platform/Utf8Text.h"

#include <array>
#include <cctype>
#include <exception>
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
    const std::string plain = BracketedName(name) + ",";
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
        lists.definitions += BracketedName(field.Name()) + " " + mapped.typeClause;
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

namespace {

/// Runs `sql`; on a failure, the cause goes to `cause` (when given) and the
/// result is false.
bool Run(ado::Connection& rCnn, const std::string& sql, std::string* cause) {
    try {
        rCnn.Execute(sql, nullptr, -1);
        return true;
    } catch (const std::exception& e) {
        if (cause != nullptr)
            *cause = e.what();
        return false;
    }
}

} // namespace

bool CreateSqlTableFrom(const std::string& table, ado::Recordset& rs, ado::Connection& rCnn,
                        std::string* cause) {
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
    } catch (const std::exception& e) {
        if (cause != nullptr)
            *cause = e.what();
        return false;
    }

    // A table whose rows did not all arrive is no converted table.
    if (!Run(rCnn, insert, cause))
        return false;
    try {
        if (TableHasIdentity(rCnn, table))
            rCnn.Execute("SET IDENTITY_INSERT dbo." + table + " OFF ", nullptr, -1);
        if (IsLongValueTable(table)) {
            if (!CopyLongFields(rs, rCnn, table, lists.longValues, cause))
                return false;
            platform::LetPendingEventsRun();
        }
        platform::LetPendingEventsRun();
        return true;
    } catch (const std::exception& e) {
        if (cause != nullptr)
            *cause = e.what();
        return false;
    }
}

namespace {

/// The first line of a failure and the causes below it, as the failure box shows them.
std::string Lines(const std::string& message, const std::string& cause) {
    return cause.empty() ? message : message + "\n" + cause;
}

/// Steps 4 to 8 of a conversion into the database `database`, which exists and is
/// empty. Returns the failure text ("" when nothing failed); `converted` tells
/// whether a table was converted. Every connection it opens is closed when it returns.
std::string ConvertTables(const std::string& accessFile, const std::string& server,
                          const std::string& database, const std::string& user, const std::string& password,
                          ProgressIndicator* progress, bool& converted) {
    converted = false;
    // Both connections, the listing and the table's rows go on every way out, so
    // that the new database can be dropped right after a failure.
    ado::Connection sqlCnn;
    ado::Connection accessCnn;
    try {
        CreateCnn(sqlCnn, database, server, user, password);
        sqlCnn.SetConnectionTimeout(0);
        sqlCnn.SetCommandTimeout(0);
        sqlCnn.Open({}, {}, {}, -1);

        // Every book file is keyed with the fixed password, which the row copy
        // statement uses as well.
        CreateCnn(accessCnn, accessFile, "", "", kBookPasswordPlaceholder);
        // Only read: the book file, and a write-ahead log beside it, stay as they are.
        accessCnn.SetMode(ado::adModeRead);
        accessCnn.Open({}, {}, {}, -1);

        ado::Recordset listing = accessCnn.OpenSchema(ado::adSchemaTables);
        const long rows = listing.RecordCount();
        for (; !listing.IsEOF(); listing.MoveNext()) {
            if (listing.Item("Table_Type").Value().ToString() != "TABLE")
                continue;
            const std::string table = listing.Item("Table_Name").Value().ToString();
            auto tableRows = accessCnn.Execute("Select * From " + table, nullptr, -1);
            if (!tableRows)
                return "创建数据表：" + table + "失败。";
            // Its name goes into the server's statements as it stands.
            if (const std::string problem = PlainTableNameProblem(table); !problem.empty())
                return Lines("创建数据表：" + table + "失败。", problem);
            std::string cause;
            if (!CreateSqlTableFrom(table, *tableRows, sqlCnn, &cause)) {
                // The server refuses a text longer than its column; the book then
                // names the row. Looked for only here: a scan of every table would
                // cost a good part of the conversion's time.
                std::string overlong;
                try {
                    overlong = OverlongTextInTable(accessCnn, table, tableRows->Fields());
                } catch (const std::exception&) {
                    // The server's own cause is then the best there is.
                }
                return Lines("创建数据表：" + table + "失败。", overlong.empty() ? cause : overlong);
            }
            converted = true;
            if (progress != nullptr && rows > 0)
                progress->SetValue(static_cast<int>(listing.AbsolutePosition() * 100 / rows));
            tableRows->Close();
            platform::LetPendingEventsRun();
        }
        if (progress != nullptr)
            progress->SetValue(100);
        listing.Close();
        accessCnn.Close();
        sqlCnn.Close();
        return {};
    } catch (const ado::AdoError& e) {
        return e.Description();
    } catch (const std::exception& e) {
        return e.what();
    }
}

/// Shows a failure in the conversion's box: the critical icon and OK alone.
void ShowFailure(const std::string& failure) {
    platform::CurrentMessageBox().Show(failure, kConversionFailureTitle,
                                       platform::msgbox::kCritical + platform::msgbox::kOkOnly);
}

void StartProgress(ProgressIndicator* progress) {
    if (progress != nullptr) {
        progress->SetValue(0);
        progress->SetVisible(true);
    }
}

void EndProgress(ProgressIndicator* progress) {
    if (progress != nullptr)
        progress->SetVisible(false);
    platform::LetPendingEventsRun();
}

/// CreateSqlBookInto after the progress indicator was shown.
bool ConvertInto(const std::string& accessFile, NewServerDatabase& claim, const std::string& server,
                 const std::string& user, const std::string& password, ProgressIndicator* progress) {
    std::string failure;
    bool converted = false;
    if (!claim.Owns())
        failure = "数据库" + claim.Name() + "不是本次创建的新数据库。";
    else
        failure = ConvertTables(accessFile, server, claim.Name(), user, password, progress, converted);
    if (failure.empty() && converted) {
        EndProgress(progress);
        return true;
    }
    if (const std::string dropped = claim.Drop(); !dropped.empty())
        failure = Lines(failure.empty() ? "账簿文件中没有可以转换的数据表。" : failure, dropped);
    if (!failure.empty())
        ShowFailure(failure);
    platform::LetPendingEventsRun();
    return false;
}

} // namespace

bool CreateSqlBookInto(const std::string& accessFile, NewServerDatabase& claim, const std::string& server,
                       const std::string& user, const std::string& password, ProgressIndicator* progress) {
    StartProgress(progress);
    return ConvertInto(accessFile, claim, server, user, password, progress);
}

bool CreateSqlBook(const std::string& accessFile, const std::string& server, const std::string& database,
                   const std::string& user, const std::string& password, ProgressIndicator* progress) {
    StartProgress(progress);
    ado::Connection master;
    NewServerDatabase claim;
    std::string failure;
    try {
        CreateCnn(master, "master", server, user, password);
        master.SetConnectionTimeout(0);
        master.SetCommandTimeout(0);
        master.Open({}, {}, {}, -1);
        try {
            RemoveAbandonedServerDatabases(master);
        } catch (const ado::AdoError&) {
            // Leftovers that cannot be listed now stay for a later run; they never
            // stop a new conversion.
        }
        claim = NewServerDatabase::Create(master, database);
        if (claim.Outcome() == NewServerDatabase::Status::NameTaken)
            failure = Lines("数据库" + database + "已存在。", claim.Cause());
        else if (!claim.IsCreated())
            failure = Lines("创建数据库" + database + "失败。", claim.Cause());
    } catch (const ado::AdoError& e) {
        failure = e.Description();
    } catch (const std::exception& e) {
        failure = e.what();
    }
    if (!failure.empty()) {
        ShowFailure(failure);
        platform::LetPendingEventsRun();
        return false;
    }
    if (!ConvertInto(accessFile, claim, server, user, password, progress))
        return false;
    try {
        claim.Keep();
        master.Close();
        return true;
    } catch (const std::exception& e) {
        failure = Lines("完成数据库" + database + "失败。", e.what());
    }
    if (const std::string dropped = claim.Drop(); !dropped.empty())
        failure = Lines(failure, dropped);
    ShowFailure(failure);
    platform::LetPendingEventsRun();
    return false;
}

} // namespace kx::database
