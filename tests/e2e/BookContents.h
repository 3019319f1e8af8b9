#pragma once

#include "ado/Connection.h"

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
    explicit BookContents(const std::filesystem::path& file);
    /// Database `database` on `server` ("host,port") with that login.
    BookContents(const std::string& database, const std::string& server, const std::string& user,
                 const std::string& password);
    ~BookContents();
    BookContents(const BookContents&) = delete;
    BookContents& operator=(const BookContents&) = delete;

    /// The user tables, by name.
    std::vector<std::string> Tables();
    /// The row count of every user table, by its name in lower case (a server book
    /// folds its table names).
    std::map<std::string, long> RowCounts();
    /// Rows of `table` that meet `condition` (all rows when it is empty).
    long Count(const std::string& table, const std::string& condition = {});
    /// Runs `statement` on the book.
    void Run(const std::string& statement);
    /// The book information items of the row 'BookInfo' of kxBookInfo, item 1 first.
    std::vector<std::string> BookInfoItems();

  private:
    ado::Connection cnn_;
};

} // namespace kx::e2e
