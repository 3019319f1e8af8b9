#include "newbook/TemplateLocation.h"

#include "catalogue/BookLocation.h"

#include "platform/DiskPath.h"
#include "platform/PlatformError.h"
#include "platform/PrivateTempFolder.h"
#include "newbook/SqlLocation.h"
#include "newbook/TemplateUnpacker.h"

#include <filesystem>
#include <system_error>

namespace kx::newbook {

QString TemplateFileOfRow(const QString& bookPathText, const QString& bookFileText, const QString& appPath) {
    return QString::fromStdString(
        catalogue::BookLocation::FromFolderAndFile(bookPathText.toStdString(), bookFileText.toStdString())
            .RowFileText(appPath.toStdString()));
}

bool UnpackArchive(TemplateUnpacker& unpacker, const QString& archivePath, const QString& targetPath) {
    bool done = false;
    try {
        const std::filesystem::path unpacked = platform::NewPrivateTempName();
        unpacker.UnpackTo(archivePath, QString::fromStdString(unpacked.string()));
        const std::filesystem::path target = platform::ToDiskPath(targetPath.toStdString());
        std::error_code ec;
        std::filesystem::copy_file(unpacked, target, std::filesystem::copy_options::overwrite_existing, ec);
        done = !ec && std::filesystem::is_regular_file(target, ec);
        // The unpacked file holds accounting data and has served its purpose.
        std::filesystem::remove(unpacked, ec);
    } catch (const std::exception&) {
        done = false;
    }
    return done;
}

QString GetTemplateFile(const QString& fromFile, const QString& appPath, TemplateUnpacker& unpacker,
                        const std::function<void(const QString&)>& reportError) {
    if (!IsArchiveLocation(fromFile.toStdString()))
        return fromFile;
    QString target;
    try {
        target = QString::fromStdString(platform::NewPrivateTempName().string());
        const QString archive = QString::fromStdString(
            platform::ToDiskPath(fromFile.toStdString(), appPath.toStdString()).string());
        UnpackArchive(unpacker, archive, target);
    } catch (const platform::PlatformError& e) {
        reportError(QString::number(e.number()));
    } catch (const std::exception&) {
        reportError(QString::number(platform::errnum::InvalidProcedureCall));
    }
    return target;
}

} // namespace kx::newbook
