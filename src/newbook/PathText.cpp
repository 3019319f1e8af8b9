#include "newbook/PathText.h"

namespace kx::newbook {

bool IsSeparator(QChar c) {
    return c == u'\\' || c == u'/';
}

bool HasDriveLetter(const QString& path) {
    return path.size() >= 2 && path[1] == u':';
}

bool IsSharePath(const QString& path) {
    return path.size() >= 2 && IsSeparator(path[0]) && path[1] == path[0];
}

bool BeginsWithSingle(const QString& path, QChar separator) {
    return path.startsWith(separator) && !IsSharePath(path);
}

QString CollapseDoubledSeparators(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (IsSeparator(c) && !result.isEmpty() && result.back() == c)
            continue;
        result += c;
    }
    return result;
}

QString WithoutTrailingSeparators(QString path) {
    while (!path.isEmpty() && IsSeparator(path.back()))
        path.chop(1);
    return path;
}

QString ResolvedListFile(const QString& value, const QString& appPath) {
    if (HasDriveLetter(value) || BeginsWithSingle(value, u'/'))
        return value;
    const QString replaced = QString(value).replace(QStringLiteral(".."), appPath);
    const bool hasDrivePart = HasDriveLetter(replaced) || IsSharePath(replaced);
    if (!hasDrivePart && BeginsWithSingle(replaced, u'\\') && !appPath.isEmpty() && BeginsWithSingle(value, u'\\'))
        return WithoutTrailingSeparators(appPath) + u'/' + CollapseDoubledSeparators(value.mid(1));
    return replaced;
}

QString ResolvedTemplateFolder(const QString& value, const QString& appPath) {
    if (appPath.isEmpty())
        return value;
    if (value.isEmpty())
        return appPath + QStringLiteral("/data");
    if (BeginsWithSingle(value, u'\\'))
        return appPath + value;
    return value;
}

} // namespace kx::newbook
