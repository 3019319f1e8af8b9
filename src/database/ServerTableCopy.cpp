#include "ServerTableCopy.h"

#include "BracketedName.h"
#include "SingleStatements.h"
#include "UserTables.h"
#include "ado/AdoError.h"
#include "platform/PendingEvents.h"

namespace kx::database {

bool CopySqlTable(const std::string& destination, const std::string& table, const std::string& source,
                  ado::Connection& rCnn) {
    // Three-part names with the owner left out: "[db]..[table]".
    const std::string target = BracketedName(destination) + ".." + BracketedName(table);
    const std::string origin = BracketedName(source) + ".." + BracketedName(table);
    for (std::int16_t attempt = 0; attempt < 3; ++attempt) {
        try {
            platform::LetPendingEventsRun();
            DropTable(target, rCnn);
            platform::LetPendingEventsRun();
            rCnn.Execute("SELECT * INTO " + target + " FROM " + origin, nullptr, -1);
            platform::LetPendingEventsRun();
            return true;
        } catch (const std::exception&) {
            platform::LetPendingEventsRun();
        }
    }
    return false;
}

bool CopySqlAllTables(const std::string& source, const std::string& destination, ado::Connection& rCnn) {
    const std::vector<ado::Variant> restrictions{ado::Variant(source), ado::Variant(), ado::Variant(),
                                                 ado::Variant(std::string("Table"))};
    for (const std::string& table : UserTableNames(rCnn, restrictions)) {
        if (!CopySqlTable(destination, table, source, rCnn))
            throw ado::AdoError(kTableCopyError, kTableCopySource, "复制数据表" + table + "时遇到错误。");
    }
    return true;
}

} // namespace kx::database
