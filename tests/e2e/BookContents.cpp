#include "e2e/BookContents.h"

#include "database/CreateCnn.h"
#include "database/UserTables.h"
#include "platform/Utf8Text.h"

#include <algorithm>
#include <cctype>

namespace kx::e2e {

BookContents::BookContents(const std::filesystem::path& file) {
    database::CreateCnn(cnn_, file.string(), "", "", database::kBookPasswordPlaceholder);
    cnn_.Open({}, {}, {}, -1);
}

BookContents::BookContents(const std::string& database, const std::string& server, const std::string& user,
                           const std::string& password) {
    database::CreateCnn(cnn_, database, server, user, password);
    cnn_.Open({}, {}, {}, -1);
}

BookContents::~BookContents() {
    try {
        cnn_.Close();
    } catch (const std::exception&) {
        // Closing only frees the connection; nothing to tell.
    }
}

std::vector<std::string> BookContents::Tables() {
    return database::UserTableNames(cnn_);
}

std::map<std::string, long> BookContents::RowCounts() {
    std::map<std::string, long> counts;
    for (const std::string& table : Tables()) {
        std::string folded = table;
        std::transform(folded.begin(), folded.end(), folded.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        counts[folded] = Count(table);
    }
    return counts;
}

long BookContents::Count(const std::string& table, const std::string& condition) {
    const std::string where = condition.empty() ? std::string() : " Where " + condition;
    return cnn_.Execute("Select Count(*) From [" + table + "]" + where)->Item(0).Value().ToInt32();
}

void BookContents::Run(const std::string& statement) {
    cnn_.Execute(statement);
}

std::vector<std::string> BookContents::BookInfoItems() {
    auto rs = cnn_.Execute("Select InfoValue From kxBookInfo Where InfoName = 'BookInfo'");
    if (rs->IsEOF())
        return {};
    return platform::SplitText(rs->Item(0).Value().ToString(), '|');
}

} // namespace kx::e2e
