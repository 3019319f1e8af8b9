#include "Stream.h"

#include "AdoError.h"

#include "platform/AnsiTextFile.h"
#include "platform/DiskPath.h"
#include "platform/PlatformError.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace kx::ado {
namespace {

constexpr const char* kSource = "ADODB.Stream";

} // namespace

void Stream::RequireOpen() const {
    if (!open_)
        throw AdoError(errors::ObjectClosed, kSource, "Operation is not allowed when the object is closed.");
}

void Stream::SetType(long type) {
    if (type != adTypeBinary)
        throw AdoError(errors::FeatureNotAvailable, kSource, "Only binary streams are offered.");
    if (open_ && position_ != 0)
        throw AdoError(errors::IllegalOperation, kSource,
                       "Operation is not allowed in this context: the type changes only at position 0.");
    type_ = type;
}

void Stream::Open(std::string_view source, long /*mode*/, long /*options*/, std::string_view /*userName*/,
                  std::string_view /*password*/) {
    if (open_)
        throw AdoError(errors::ObjectOpen, kSource, "Operation is not allowed when the object is open.");
    if (!source.empty())
        throw AdoError(errors::FeatureNotAvailable, kSource, "A stream opens only empty.");
    data_.clear();
    position_ = 0;
    open_ = true;
}

void Stream::Close() {
    RequireOpen();
    open_ = false;
    Bytes().swap(data_);
    position_ = 0;
}

long Stream::Size() const {
    RequireOpen();
    return static_cast<long>(data_.size());
}

long Stream::Position() const {
    RequireOpen();
    return static_cast<long>(position_);
}

void Stream::SetPosition(long position) {
    RequireOpen();
    if (position < 0 || static_cast<std::size_t>(position) > data_.size())
        throw AdoError(errors::InvalidArgument, kSource, "The position lies outside the stream.");
    position_ = static_cast<std::size_t>(position);
}

bool Stream::IsEOS() const {
    RequireOpen();
    return position_ >= data_.size();
}

void Stream::SetEOS() {
    RequireOpen();
    data_.resize(position_);
}

Variant Stream::Read(long count) {
    RequireOpen();
    if (count < 0 && count != adReadAll)
        throw AdoError(errors::InvalidArgument, kSource, "Read needs a count of 0 or more, or adReadAll.");
    const std::size_t left = data_.size() - position_;
    const std::size_t n = count == adReadAll ? left : std::min(left, static_cast<std::size_t>(count));
    const auto first = data_.begin() + static_cast<std::ptrdiff_t>(position_);
    Bytes piece(first, first + static_cast<std::ptrdiff_t>(n));
    position_ += n;
    return Variant(std::move(piece));
}

void Stream::Write(const Variant& data) {
    RequireOpen();
    if (data.Type() != VariantType::Binary && data.Type() != VariantType::String)
        throw AdoError(errors::DataConversion, kSource,
                       "Application uses a value of the wrong type for the current operation.");
    const Bytes bytes = data.ToBytes();
    if (position_ + bytes.size() > data_.size())
        data_.resize(position_ + bytes.size());
    std::copy(bytes.begin(), bytes.end(), data_.begin() + static_cast<std::ptrdiff_t>(position_));
    position_ += bytes.size();
}

void Stream::LoadFromFile(std::string_view path) {
    RequireOpen();
    std::string content;
    try {
        content = platform::ReadWholeFile(platform::ToDiskPath(path));
    } catch (const platform::PlatformError& e) {
        throw AdoError(errors::FileOpen, kSource,
                       "File could not be opened: \"" + std::string(path) + "\" (" + e.what() + ").",
                       e.number());
    }
    Bytes bytes(content.size());
    if (!content.empty())
        std::memcpy(bytes.data(), content.data(), content.size());
    data_ = std::move(bytes);
    position_ = 0;
}

void Stream::SaveToFile(std::string_view path, long options) {
    RequireOpen();
    const std::filesystem::path file = platform::ToDiskPath(path);
    std::error_code ec;
    if (options != adSaveCreateOverWrite && std::filesystem::exists(file, ec))
        throw AdoError(errors::FileWrite, kSource,
                       "Write to file failed: \"" + std::string(path) + "\" exists.");
    try {
        platform::WriteFileAtomically(
            file, std::string_view(reinterpret_cast<const char*>(data_.data()), data_.size()));
    } catch (const platform::PlatformError& e) {
        throw AdoError(errors::FileWrite, kSource,
                       "Write to file failed: \"" + std::string(path) + "\" (" + e.what() + ").", e.number());
    }
}

} // namespace kx::ado
