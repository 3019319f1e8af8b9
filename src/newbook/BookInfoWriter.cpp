#include "newbook/BookInfoWriter.h"

#include "support/AccountingObject.h"

namespace kx::newbook {

std::string YearMonthText(const QDate& date) {
    return date.toString(QStringLiteral("yyyy年MM月")).toStdString();
}

bool WriteBookInfo(bool isSql, const std::string& bookFile, const ServerLogin& target, const NewBookInfo& info,
                   const std::function<void(const std::string&, bool)>& prompt) {
    try {
        support::AccountingObject acc;
        ado::Connection cnn;
        if (isSql)
            acc.PrepareConnection(cnn, bookFile, target.server, target.user, target.password);
        else
            acc.PrepareConnection(cnn, bookFile, "", "###", "");
        cnn.Open({}, {}, {}, -1);
        acc.SetConnection(cnn);
        acc.SetBookInfo(5, info.bookName);
        acc.SetBookInfo(6, info.userName);
        acc.SetBookInfo(15, YearMonthText(info.beginDate));
        acc.SetBookInfo(14, acc.InfoItem14());
        acc.SaveBookInfo("存储账簿信息串", "|");
        cnn.Close();
        return true;
    } catch (const std::exception& e) {
        prompt(e.what(), true);
        return false;
    }
}

} // namespace kx::newbook
