#pragma once

#include <QString>

#include <functional>
#include <string>

namespace kx::newbook {

class TemplateUnpacker;

/// The database file of an Access or archive row of the book list: the row's
/// displayed folder with every ".." replaced by `appPath`, "\" and the file name.
/// A folder with a single leading "\" that does not exist as written (from the
/// root) is taken inside `appPath`.
QString TemplateFileOfRow(const QString& bookPathText, const QString& bookFileText, const QString& appPath);

/// Unpacks the book file of `archivePath` through `unpacker` into a fresh private
/// temporary file and puts that at `targetPath` (replacing it): renamed when both
/// are on one file system, so that a large book is not held twice, else copied.
/// True only when the archive was unpacked and the target made; never throws. The
/// temporary file is removed again. On failure `failure` (when given) gets the
/// reason, in Chinese.
bool UnpackArchive(TemplateUnpacker& unpacker, const QString& archivePath, const QString& targetPath,
                   std::string* failure = nullptr);

/// The file or SQL location from which the new book is made. A template archive
/// (".WAK" in any case) is unpacked (paths resolved against `appPath`) into a new
/// private temporary file, whose path is returned whether or not the unpacking
/// succeeded, so that the caller's file test decides. Any other location comes
/// back unchanged. An error is passed to `reportError` as its error number in
/// decimal, and what was built so far is returned ("" when nothing was). Why the
/// archive was refused goes to `unpackFailure` (when given), for the message about
/// the missing template file.
QString GetTemplateFile(const QString& fromFile, const QString& appPath, TemplateUnpacker& unpacker,
                        const std::function<void(const QString&)>& reportError,
                        std::string* unpackFailure = nullptr);

} // namespace kx::newbook
