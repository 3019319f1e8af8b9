#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace kx::ado::jet {

/// Copies the book in the file `sourcePathText` (through platform::ToDiskPath) into
/// `target`, an empty file that exists already, reading the source as one
/// consistent state while the source, and a write-ahead log beside it, stay exactly
/// as they were (another program may be writing them). The source is opened
/// read-only with its key `password`.
///
/// A book whose content is all in its file is copied byte for byte by `copyBytes`,
/// which must append the whole source file to `target`; it runs while the engine
/// holds the source's read lock, so that no writer changes the file meanwhile. A
/// book in write-ahead-log mode, whose log may hold part of its content, is copied
/// by the engine instead, the log's content included: the copy is keyed with
/// `password` and keeps its content in its one file (a rollback journal, never a
/// write-ahead log), so that it can be moved by its name alone.
///
/// Throws AdoError as OpenBookFile does for the source, and with the engine's
/// message when the engine's copy fails; whatever `copyBytes` throws passes
/// through. `target` may then hold part of a book.
void CopyBookFileContent(std::string_view sourcePathText, std::string_view password,
                         const std::filesystem::path& target, const std::function<void()>& copyBytes);

} // namespace kx::ado::jet
