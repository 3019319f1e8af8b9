#pragma once

#include "e2e/ServerBooks.h"

#include "ado/Connection.h"
#include "database/CreateCnn.h"
#include "database/UserTables.h"
#include "platform/Utf8Text.h"

#include <QString>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace kx::e2e {

/// What a book database holds, read through its own open connection, which is
/// closed when the object goes.
class BookContents {
  public:
    /// The book file `file`.
    explicit BookContents(const std::filesystem::path& file)
        : BookContents(file.string(), "", "", database::kBookPasswordPlaceholder) {}
    /// Database `book` on the test server, or the book file `book` when `server` is null.
    BookContents(const std::string& book, const ServerBooks* server)
        : BookContents(book, server ? server->Server() : "", server ? server->User() : "",
                       server ? server->Password() : database::kBookPasswordPlaceholder) {}
    /// Database `database` on `server` ("host,port") with that login.
    BookContents(const std::string& database, const std::string& server, const std::string& user,
                 const std::string& password) {
        database::CreateCnn(cnn_, database, server, user, password);
        cnn_.Open({}, {}, {}, -1);
    }
    ~BookContents() {
        try {
            cnn_.Close();
        } catch (const std::exception&) {
        } // Closing only frees the connection; nothing to tell.
    }

    /// The row count of every user table, by its name in lower case (a server book
    /// folds its table names).
    std::map<std::string, long> RowCounts() {
        std::map<std::string, long> counts;
        for (const std::string& table : database::UserTableNames(cnn_))
            counts[QString::fromStdString(table).toLower().toStdString()] = Count(table);
        return counts;
    }
    /// Rows of `table` that meet `condition` (all rows when it is empty).
    long Count(const std::string& table, const std::string& condition = {}) {
        const std::string where = condition.empty() ? std::string() : " Where " + condition;
        return cnn_.Execute("Select Count(*) From [" + table + "]" + where)->Item(0).Value().ToInt32();
    }
    void Run(const std::string& statement) { cnn_.Execute(statement); }
    /// The book information items of the row 'BookInfo' of kxBookInfo, item 1 first.
    std::vector<std::string> BookInfoItems() {
        auto rs = cnn_.Execute("Select InfoValue From kxBookInfo Where InfoName = 'BookInfo'");
        return rs->IsEOF() ? std::vector<std::string>{} : platform::SplitText(rs->Item(0).Value().ToString(), '|');
    }

  private:
    ado::Connection cnn_;
};

} // namespace kx::e2e
