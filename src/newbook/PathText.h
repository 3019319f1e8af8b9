#pragma once

#include <QChar>
#include <QString>

namespace kx::newbook {

/// "\" and "/" both separate the parts of a path text.
bool IsSeparator(QChar c);

/// A path of the form "X:..." carries a drive letter.
bool HasDriveLetter(const QString& path);

/// "\\server..." or "//server..." names a network share.
bool IsSharePath(const QString& path);

/// The path starts with one `separator` that does not begin a share.
bool BeginsWithSingle(const QString& path, QChar separator);

/// Runs of the same separator shrink to one ("a\\b" -> "a\b", "a//b" -> "a/b").
QString CollapseDoubledSeparators(const QString& text);

/// The path without the separators it ends with.
QString WithoutTrailingSeparators(QString path);

/// The book list file that the setting `value` names: drive-letter and "/"
/// paths as they are; otherwise every ".." stands for `appPath`, and a single
/// leading "\" puts the rest inside `appPath`.
QString ResolvedListFile(const QString& value, const QString& appPath);

/// The template folder that the setting `value` names: "" is `appPath` + "/data",
/// one with a single leading "\" is inside `appPath`, any other as it is.
/// Nothing is resolved while `appPath` is empty.
QString ResolvedTemplateFolder(const QString& value, const QString& appPath);

} // namespace kx::newbook
