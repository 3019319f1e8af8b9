#include "SampleBook.h"

#include "CreateCnn.h"
#include "ado/Connection.h"
#include "ado/jet/BookFile.h"
#include "platform/PlatformError.h"
#include "platform/Utf8Text.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>
#include <unistd.h>

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

/// Removes a half-built book unless it was handed over.
struct PartialBook {
    std::filesystem::path path;
    bool keep = false;
    ~PartialBook() {
        if (!keep) {
            std::error_code ec;
            std::filesystem::remove(path, ec);
            std::filesystem::remove(path.string() + "-journal", ec);
        }
    }
};

std::filesystem::path TemporaryNameBeside(const std::filesystem::path& file) {
    std::random_device random;
    return file.parent_path() / ("." + file.filename().string() + "." + std::to_string(::getpid()) + "." +
                                 std::to_string(random()) + ".tmp");
}

} // namespace

bool CreateSampleBook(const std::filesystem::path& file) {
    std::error_code ec;
    if (std::filesystem::exists(file, ec))
        return false;

    PartialBook partial{TemporaryNameBeside(file)};
    ado::jet::CreateBookFile(partial.path.string(), kBookDatabasePassword);
    {
        ado::Connection cnn;
        CreateCnn(cnn, partial.path.string(), "", "", kBookPasswordPlaceholder);
        cnn.Open({}, {}, {}, -1);
        for (const std::string& statement : SplitBookScript(SampleBookScript()))
            cnn.Execute(statement, nullptr, ado::adExecuteNoRecords);
        cnn.Close();
    }

    // A hard link appears only when no file of that name exists, so a book made
    // meanwhile by someone else is never replaced.
    if (::link(partial.path.c_str(), file.c_str()) != 0) {
        if (errno == EEXIST)
            return false;
        throw platform::PlatformError(platform::ErrorNumberFromErrno(errno),
                                      "无法建立样本账簿 " + file.string() + "：" + std::strerror(errno));
    }
    return true;
}

} // namespace kx::database
