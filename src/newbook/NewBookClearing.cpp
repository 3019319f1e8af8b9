#include "newbook/NewBookClearing.h"
#include "database/BracketedName.h"

#include "support/AccountingObject.h"
#include "support/SupportError.h"

namespace kx::newbook {

bool ZapTable(const std::string& rTableName, const std::string& rWhere, ado::Connection* rCnn,
              const ClearingEvents& events) {
    try {
        if (rCnn == nullptr)
            throw support::SupportError(support::supporterr::ObjectNotSet, "对象变量未设置。");
        rCnn->Execute("Delete From " + rTableName + " " + rWhere, nullptr, -1);
        return true;
    } catch (const std::exception& e) {
        events.prompt("清理数据表：" + rTableName + "时遇到错误：" + e.what(), false);
        return false;
    }
}

bool ClearNewBook(bool isSql, const std::string& bookFile, const ServerLogin& target, const RetainStates& retain,
                  support::AccountingObject* acc, const ClearingEvents& events) {
    events.process(40);
    if (acc == nullptr)
        throw support::SupportError(support::supporterr::ObjectNotSet, "宿主程序没有提供账务对象（Acc）。");
    ado::Connection cnn;
    if (isSql)
        acc->PrepareConnection(cnn, bookFile, target.server, target.user, target.password);
    else
        acc->PrepareConnection(cnn, bookFile, "", "###", "");
    cnn.Open({}, {}, {}, -1);

    // Every table is tried, as the user is told of each failure; one that stays
    // full fails the clearing all the same.
    bool cleared = true;
    auto zap = [&](const std::string& table) { cleared = ZapTable(table, "", &cnn, events) && cleared; };
    auto set = [&](std::size_t box) { return retain[box] != 0; };

    zap("kxDocDir");
    zap("kxDocRecs");
    if (!set(1)) {
        zap("kxAccClass");
        zap(" kxAccInitial");
        zap("kxFrmFormat");
        zap("kxAccFormat");
    }
    if (!set(5))
        cnn.Execute("Delete From kxStatement Where Len(AssistCode)>4", nullptr, -1);
    zap("kxAccPeriod");
    if (!set(2))
        zap("kxBranch");
    zap("kxBranchInit");
    if (!set(0))
        zap("kxAssistItem");
    zap("kxItemInit");
    if (!set(3))
        zap("kxCashFlow");
    zap("kxFlowInit");
    if (!set(4))
        zap("kxExplain");
    if (!set(6)) {
        zap("kxTrans");
        zap("kxTransSetting");
    }
    if (set(7)) {
        zap("kxWages");
        zap("kxWagesRecs");
        zap("kxStaff");
    }
    zap("kxJournal");
    zap("kxJournalRecs");
    zap("kxLog");
    zap("kxAccData");
    events.process(60);

    // Decided by the kind of book, not by looking for "SQL" in the connection
    // string: a book file whose path holds those letters must not be sent the
    // server's shrink batch.
    if (isSql) {
        const std::string name = database::BracketedName(bookFile);
        cnn.Execute("DUMP TRANSACTION " + name + " WITH NO_LOG BACKUP LOG " + name +
                        " WITH NO_LOG DBCC SHRINKDATABASE(" + name + ")",
                    nullptr, -1);
    }
    cnn.Close();
    return cleared;
}

} // namespace kx::newbook
