#pragma once

#include <QString>

#include <functional>

namespace kx::newbook {

class TemplateUnpacker;

/// The database file of an Access or archive row of the book list: the row's
/// displayed folder with every ".." replaced by `appPath`, "\" and the file name.
/// A folder with a single leading "\" that does not exist as written (from the
/// root) is taken inside `appPath`.
QString TemplateFileOfRow(const QString& bookPathText, const QString& bookFileText, const QString& appPath);

/// Unpacks the book file of `archivePath` through `unpacker` into a fresh private
/// temporary file and copies that to `targetPath` (replacing it). True only when
/// the archive was unpacked and the copy made; never throws. The temporary file
/// is removed again.
bool UnpackArchive(TemplateUnpacker& unpacker, const QString& archivePath, const QString& targetPath);

/// The file or SQL location from which the new book is made. A template archive
/// (".WAK" in any case) is unpacked (paths resolved against `appPath`) into a new
/// private temporary file, whose path is returned whether or not the unpacking
/// succeeded, so that the caller's file test decides. Any other location comes
/// back unchanged. An error is passed to `reportError` as its error number in
/// decimal, and what was built so far is returned ("" when nothing was).
QString GetTemplateFile(const QString& fromFile, const QString& appPath, TemplateUnpacker& unpacker,
                        const std::function<void(const QString&)>& reportError);

} // namespace kx::newbook
