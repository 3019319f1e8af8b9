#include "ado/jet/JetBookReader.h"

#include "ado/AdoError.h"
#include "ado/UnicodeText.h"
#include "ado/jet/BookFile.h"
#include "ado/jet/JetSqlTranslator.h"
#include "ado/jet/ResultColumn.h"
#include "ado/jet/StoredValueText.h"
#include "platform/DiskPath.h"

#include <sys/stat.h>

#include <exception>
#include <utility>

namespace kx::ado::jet {

namespace {

/// What tells one state of a file on disk from another: the file itself and its
/// size and times, which every write changes.
struct FileState {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    friend bool operator==(const FileState& a, const FileState& b) noexcept {
        return a.device == b.device && a.inode == b.inode && a.size == b.size &&
               a.modified.tv_sec == b.modified.tv_sec && a.modified.tv_nsec == b.modified.tv_nsec &&
               a.changed.tv_sec == b.changed.tv_sec && a.changed.tv_nsec == b.changed.tv_nsec;
    }
};

std::optional<FileState> StateOf(const std::string& pathText) {
    try {
        const std::filesystem::path file = platform::ToDiskPath(pathText);
        struct stat info {};
        if (::stat(file.c_str(), &info) != 0) {
            return std::nullopt;
        }
        return FileState{info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

/// A column name quoted for the engine. Not in double quotes: the engine takes a
/// double-quoted name that names no column for a text literal, so a misspelt
/// column would give its own name as the value of every row instead of failing.
std::string ColumnName(std::string_view name) {
    std::string quoted = "`";
    for (const char c : name) {
        quoted += c;
        if (c == '`') {
            quoted += '`';
        }
    }
    return quoted + "`";
}

/// The name of the row number that no column of the table hides, or nothing when
/// every one of them is also a column's name.
std::optional<std::string> RowNumberName(const SqliteDatabase& book, const std::string& table) {
    const SqliteStatement probe = book.Prepare("SELECT * FROM " + table + " LIMIT 0");
    for (const char* candidate : {"rowid", "_rowid_", "oid"}) {
        bool hidden = false;
        for (int i = 0; i < probe.ColumnCount() && !hidden; ++i) {
            hidden = text::EqualsIgnoringCase(probe.ColumnName(i), candidate);
        }
        if (!hidden) {
            return std::string(candidate);
        }
    }
    return std::nullopt;
}

} // namespace

struct JetBookReader::OpenBook {
    std::string pathText;
    std::string password;
    std::optional<FileState> state;
    SqliteDatabase database;
};

JetBookReader::JetBookReader() = default;
JetBookReader::~JetBookReader() = default;
JetBookReader::JetBookReader(JetBookReader&&) noexcept = default;
JetBookReader& JetBookReader::operator=(JetBookReader&&) noexcept = default;

void JetBookReader::Release() noexcept {
    book_.reset();
}

void JetBookReader::Read(const TableTextRequest& request, const TextRowSink& row) {
    bool insideSink = false;
    try {
        // The state is taken before opening: a file replaced meanwhile is then
        // opened anew next time rather than mistaken for the one read.
        std::optional<FileState> state = StateOf(request.dataSource);
        if (!book_ || book_->pathText != request.dataSource || book_->password != request.password ||
            !state || book_->state != state) {
            book_.reset();
            OpenedBookFile opened = OpenBookFile(request.dataSource, request.password, true);
            // A book that another program is writing is waited for without limit.
            opened.database.SetBusyTimeout(0);
            book_ = std::make_unique<OpenBook>(
                OpenBook{request.dataSource, request.password, std::move(state), std::move(opened.database)});
        }
        const SqliteDatabase& book = book_->database;

        const std::string table = QuoteName(request.table);
        std::string sql = "SELECT ";
        for (std::size_t i = 0; i < request.columns.size(); ++i) {
            sql += (i == 0 ? "" : ", ") + ColumnName(request.columns[i]);
        }
        sql += " FROM " + table;
        if (const std::optional<std::string> rowNumber = RowNumberName(book, table)) {
            sql += " ORDER BY " + *rowNumber;
        }
        SqliteStatement rows = book.Prepare(sql);

        const int count = rows.ColumnCount();
        std::vector<DataTypeEnum> types;
        for (int i = 0; i < count; ++i) {
            const std::optional<ColumnInfo> info = DescribeResultColumn(rows, i);
            // A column without a type is handed on as stored, as a computed Field is.
            types.push_back(info ? info->type : adVariant);
        }
        std::vector<std::string> scratch(types.size());
        TextRow values(types.size());
        while (rows.Step()) {
            for (int i = 0; i < count; ++i) {
                const auto index = static_cast<std::size_t>(i);
                values[index] = StoredValuePgText(rows, i, types[index], scratch[index]);
            }
            insideSink = true;
            row(values);
            insideSink = false;
        }
    } catch (const AdoError&) {
        if (!insideSink) {
            // The file may have changed under the open book: the next read opens it anew.
            book_.reset();
        }
        throw;
    }
}

} // namespace kx::ado::jet
