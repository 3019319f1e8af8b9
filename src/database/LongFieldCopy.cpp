#include "LongFieldCopy.h"

#include "ado/Stream.h"
#include "platform/PendingEvents.h"
#include "platform/PrivateTempFolder.h"
#include "platform/Utf8Text.h"

#include <cstdio>
#include <memory>
#include <system_error>

namespace kx::database {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

/// Removes the table's temporary file when the table is done, whatever happened.
struct TemporaryFile {
    std::filesystem::path path = platform::NewPrivateTempName("tmp");
    ~TemporaryFile() {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
};

void AppendPiece(std::FILE* file, const ado::Variant& piece) {
    if (piece.IsMissing())
        return;
    std::string bytes;
    if (piece.Type() == ado::VariantType::Binary) {
        const ado::Bytes data = piece.ToBytes();
        bytes.assign(reinterpret_cast<const char*>(data.data()), data.size());
    } else {
        bytes = piece.ToString();
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        throw std::system_error(errno, std::generic_category(), "写入临时文件失败");
}

/// SaveFieldToFile, throwing on a failure instead of answering false.
bool SaveValue(const std::string& path, ado::Recordset& rs, const std::string& field) {
    platform::LetPendingEventsRun();
    if (rs.IsEOF())
        return false;
    platform::LetPendingEventsRun();
    FileHandle file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw std::system_error(errno, std::generic_category(), "无法创建临时文件");
    ado::Field value = rs.Item(field);
    const long size = value.ActualSize();
    // Pieces are counted up to the byte size; a text piece of n characters holds
    // at least n bytes, so the loop always reaches the end of the value.
    for (long count = 0; count < size; count += kLongValuePieceSize)
        AppendPiece(file.get(), value.GetChunk(kLongValuePieceSize));
    if (std::fflush(file.get()) != 0)
        throw std::system_error(errno, std::generic_category(), "写入临时文件失败");
    return size > 0;
}

/// LoadFieldFromFile, throwing on a failure instead of answering false.
void LoadValue(const std::string& path, ado::Recordset& rs, const std::string& field) {
    ado::Stream stream;
    stream.SetType(ado::adTypeBinary);
    stream.Open({}, ado::adModeUnknown, -1, {}, {});
    stream.LoadFromFile(path);
    rs.Item(field).SetValue(stream.Read(ado::adReadAll));
    rs.Update();
    stream.Close();
    platform::LetPendingEventsRun();
}

} // namespace

bool SaveFieldToFile(const std::string& path, ado::Recordset& rs, const std::string& field) {
    try {
        return SaveValue(path, rs, field);
    } catch (const std::exception&) {
        return false;
    }
}

bool LoadFieldFromFile(const std::string& path, ado::Recordset& rs, const std::string& field) {
    try {
        LoadValue(path, rs, field);
        return true;
    } catch (const std::exception&) {
        platform::LetPendingEventsRun();
        return false;
    }
}

bool CopyLongFields(ado::Recordset& rs, ado::Connection& rCnn, const std::string& table,
                    const std::string& columns, std::string* cause) {
    try {
        std::vector<std::string> names;
        for (auto& name : platform::SplitText(columns, '|'))
            if (!name.empty())
                names.push_back(std::move(name));

        rs.MoveFirst();
        ado::Recordset destination;
        destination.SetCacheSize(kLongValuePieceSize);
        destination.Open(table, rCnn, ado::adOpenForwardOnly, ado::adLockOptimistic, ado::adCmdTable);
        destination.SetCacheSize(kLongValuePieceSize);
        const TemporaryFile temp;

        while (!rs.IsEOF()) {
            // A source row without a partner means the row copy left rows out.
            if (destination.IsEOF()) {
                if (cause != nullptr)
                    *cause = "服务器数据表" + table + "的行少于账簿文件中的行。";
                return false;
            }
            for (const auto& name : names) {
                if (SaveValue(temp.path.string(), rs, name))
                    LoadValue(temp.path.string(), destination, name);
            }
            platform::LetPendingEventsRun();
            platform::LetPendingEventsRun();
            destination.UpdateBatch(ado::adAffectAll);
            platform::LetPendingEventsRun();
            rs.MoveNext();
            destination.MoveNext();
            platform::LetPendingEventsRun();
        }
        destination.Close();
        return true;
    } catch (const std::exception& e) {
        platform::LetPendingEventsRun();
        if (cause != nullptr)
            *cause = e.what();
        return false;
    }
}

} // namespace kx::database
