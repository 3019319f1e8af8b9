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

bool UnpackArchive(TemplateUnpacker& unpacker, const QString& archivePath, const QString& targetPath,
                   std::string* failure) {
    bool done = false;
    std::string reason;
    try {
        const std::filesystem::path unpacked = platform::NewPrivateTempName();
        unpacker.UnpackTo(archivePath, QString::fromStdString(unpacked.string()));
        const std::filesystem::path target = platform::ToDiskPath(targetPath.toStdString());
        std::error_code ec;
        std::filesystem::rename(unpacked, target, ec);
        if (ec)
            std::filesystem::copy_file(unpacked, target, std::filesystem::copy_options::overwrite_existing,
                                       ec);
        if (ec)
            reason = "无法复制解压出的账簿文件：" + ec.message();
        done = !ec && std::filesystem::is_regular_file(target, ec);
        // The unpacked file holds accounting data and has served its purpose.
        std::filesystem::remove(unpacked, ec);
    } catch (const std::exception& e) {
        reason = e.what();
        done = false;
    }
    if (!done && failure != nullptr)
        *failure = reason;
    return done;
}

QString GetTemplateFile(const QString& fromFile, const QString& appPath, TemplateUnpacker& unpacker,
                        const std::function<void(const QString&)>& reportError, std::string* unpackFailure) {
    if (!IsArchiveLocation(fromFile.toStdString()))
        return fromFile;
    QString target;
    try {
        target = QString::fromStdString(platform::NewPrivateTempName().string());
        const QString archive = QString::fromStdString(
            platform::ToDiskPath(fromFile.toStdString(), appPath.toStdString()).string());
        UnpackArchive(unpacker, archive, target, unpackFailure);
    } catch (const platform::PlatformError& e) {
        reportError(QString::number(e.number()));
    } catch (const std::exception&) {
        reportError(QString::number(platform::errnum::InvalidProcedureCall));
    }
    return target;
}

} // namespace kx::newbook
