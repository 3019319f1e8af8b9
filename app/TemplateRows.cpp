#include "TemplateRows.h"

#include "catalogue/BookLocation.h"
#include "newbook/TemplateFolder.h"
#include "newbook/TemplateLocation.h"
#include "platform/AnsiTextFile.h"
#include "platform/DiskPath.h"

#include <QStringList>

namespace kx::app {

TemplateRows::TemplateRows(const QString& listFile, const QString& templateFolder, const QString& appPath)
    : appPath_(appPath) {
    const std::string app = appPath.toStdString();
    const std::string text = platform::ReadAnsiTextFile(platform::ToDiskPath(listFile.toStdString(), app));
    if (!templateFolder.isEmpty()) {
        // Each archive row goes in at the top, so the last name comes first.
        const std::vector<QString> names =
            newbook::ArchiveFileNames(platform::ToDiskPath(templateFolder.toStdString(), app), QStringLiteral("WAK"));
        for (auto name = names.rbegin(); name != names.rend(); ++name)
            rows_.push_back({templateFolder, *name});
        archiveCount_ = static_cast<int>(names.size());
    }
    QString lines = QString::fromStdString(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList split = lines.split(u'\n');
    if (!split.isEmpty() && split.back().isEmpty())
        split.removeLast();
    for (const QString& line : split) {
        const QStringList fields = line.split(u'\t');
        const QString bookFile = fields.size() > 2 ? fields[2] : QString();
        if (!bookFile.isEmpty())
            rows_.push_back({fields.size() > 1 ? fields[1] : QString(), bookFile});
    }
}

QString TemplateRows::ShownPath(const Row& row) const {
    const QString extension = QString::fromStdString(platform::ExtensionOf(row.bookFile.toStdString()));
    const bool fileKind = extension == QStringLiteral("WAK") || extension == QStringLiteral("WSK");
    if (!fileKind && catalogue::BookLocation::IsServerText(row.storedPath.toStdString()))
        return QString::fromStdString(std::string(
            catalogue::BookLocation::FromListFields(row.storedPath.toStdString(), {}).Server().value_or("")));
    if (appPath_.isEmpty())
        return row.storedPath;
    return QString::fromStdString(
        catalogue::BookLocation::StoredFolder(row.storedPath.toStdString(), appPath_.toStdString()));
}

int TemplateRows::RowOfFile(const std::string& file) const {
    const std::string app = appPath_.toStdString();
    const auto wanted = platform::ToDiskPath(file, app);
    for (int i = 0; i < Count(); ++i) {
        const Row& row = rows_[static_cast<std::size_t>(i)];
        if (platform::ToDiskPath((ShownPath(row) + u'/' + row.bookFile).toStdString(), app) == wanted)
            return i;
    }
    return -1;
}

QString TemplateRows::Location(int row) const {
    const Row& r = rows_.at(static_cast<std::size_t>(row));
    if (const auto location = catalogue::BookLocation::FromListFields(r.storedPath.toStdString(), r.bookFile.toStdString());
        location.IsServerBook())
        return QString::fromStdString(location.SqlLocation());
    return newbook::TemplateFileOfRow(ShownPath(r), r.bookFile, appPath_);
}

bool TemplateRows::Exists(int row) const {
    if (catalogue::BookLocation::IsServerText(rows_.at(static_cast<std::size_t>(row)).storedPath.toStdString()))
        return true;
    return platform::FileExists(Location(row).toStdString(), appPath_.toStdString());
}

} // namespace kx::app
