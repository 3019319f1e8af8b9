#include "SampleBook.h"

#include "CreateCnn.h"
#include "ado/Connection.h"
#include "ado/jet/BookFile.h"
#include "platform/PrivateTempFolder.h"
#include "platform/PublishedFile.h"
#include "platform/Utf8Text.h"

#include <system_error>

namespace kx::database {

extern const std::string_view kSampleBookScriptText;

std::string_view SampleBookScript() { return kSampleBookScriptText; }

std::vector<std::string> SplitBookScript(std::string_view script) {
    std::vector<std::string> statements;
    std::string current;
    for (std::string& line : platform::SplitText(script, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string_view trimmed = platform::TrimSpaces(line);
        if (current.empty() && (trimmed.empty() || trimmed.rfind("--", 0) == 0))
            continue;
        if (!current.empty())
            current += '\n';
        current += line;
        const auto end = current.find_last_not_of(" \t");
        if (end != std::string::npos && current[end] == ';') {
            current.erase(end);
            statements.push_back(std::move(current));
            current.clear();
        }
    }
    if (!platform::TrimSpaces(current).empty())
        statements.push_back(std::move(current));
    return statements;
}

namespace {

/// A book being built in the private temporary folder, removed when it goes.
struct BookUnderConstruction {
    BookUnderConstruction() = default;
    BookUnderConstruction(const BookUnderConstruction&) = delete;
    BookUnderConstruction& operator=(const BookUnderConstruction&) = delete;
    ~BookUnderConstruction() {
        std::error_code ec;
        std::filesystem::remove(path, ec);
        std::filesystem::remove(path.string() + "-journal", ec);
    }
    const std::filesystem::path path = platform::NewPrivateTempName("mde");
};

} // namespace

bool CreateSampleBook(const std::filesystem::path& file) {
    std::error_code ec;
    if (std::filesystem::exists(file, ec))
        return false;

    // The engine makes its files by name, so the book is built apart and then
    // published beside its name: it appears there only whole, and a book made
    // meanwhile by someone else is never replaced.
    const BookUnderConstruction built;
    ado::jet::CreateBookFile(built.path.string(), kBookDatabasePassword);
    {
        ado::Connection cnn;
        CreateCnn(cnn, built.path.string(), "", "", kBookPasswordPlaceholder);
        cnn.Open({}, {}, {}, -1);
        for (const std::string& statement : SplitBookScript(SampleBookScript()))
            cnn.Execute(statement, nullptr, ado::adExecuteNoRecords);
        cnn.Close();
    }

    platform::PublishedFile book(file, platform::PublishMode::NoOverwrite);
    book.CopyFrom(built.path);
    return book.Publish();
}

} // namespace kx::database
