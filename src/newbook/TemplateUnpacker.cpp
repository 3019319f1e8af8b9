#include "newbook/TemplateUnpacker.h"

#include "platform/DiskPath.h"

namespace kx::newbook {

void DirectTemplateUnpacker::UnpackTo(const QString& archive, const QString& target) {
    if (archive.isEmpty() || target.isEmpty())
        throw ArchiveError("未指定压缩包或解压目标");
    unpacker_.UnpackSingleFile(platform::ToDiskPath(archive.toStdString()),
                               platform::ToDiskPath(target.toStdString()));
}

} // namespace kx::newbook
