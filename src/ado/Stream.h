#pragma once

#include "AdoConstants.h"
#include "Variant.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kx::ado {

/// A block of bytes in memory with a position, that can be filled from a file
/// and saved to one (binary streams, adTypeBinary; text streams are not offered).
///
/// Open before use; everything else throws errors::ObjectClosed on a closed
/// stream. Paths go through platform::ToDiskPath (either separator works).
/// Failures throw AdoError.
class Stream {
  public:
    /// adTypeBinary (the default). Setting adTypeText throws
    /// errors::FeatureNotAvailable; setting the type needs position 0.
    long Type() const noexcept { return type_; }
    void SetType(long type);

    /// Opens an empty stream. `source` must be empty (streams on a URL or record
    /// are not offered); the other arguments are accepted and not used.
    void Open(std::string_view source = {}, long mode = adModeUnknown, long options = -1,
              std::string_view userName = {}, std::string_view password = {});
    void Close();
    long State() const noexcept { return open_ ? adStateOpen : adStateClosed; }

    long Size() const;
    long Position() const;
    /// Throws errors::InvalidArgument beyond the size.
    void SetPosition(long position);
    /// The position is at the end.
    bool IsEOS() const;
    /// Cuts the stream at the position.
    void SetEOS();

    /// Reads `count` bytes (adReadAll: all that is left) from the position; gives
    /// Binary, empty when nothing is left.
    Variant Read(long count = adReadAll);
    /// Writes Binary (or the UTF-8 bytes of a String) at the position, overwriting
    /// and extending; the position moves past them.
    void Write(const Variant& data);

    /// Replaces the content with the file's bytes; the position becomes 0. Throws
    /// errors::FileOpen when the file cannot be read.
    void LoadFromFile(std::string_view path);
    /// Writes the whole content to the file, replacing it atomically.
    /// adSaveCreateNotExist fails with errors::FileWrite when the file exists;
    /// adSaveCreateOverWrite replaces it.
    void SaveToFile(std::string_view path, long options = adSaveCreateNotExist);

  private:
    void RequireOpen() const;
    long type_ = adTypeBinary;
    bool open_ = false;
    Bytes data_;
    std::size_t position_ = 0;
};

} // namespace kx::ado
