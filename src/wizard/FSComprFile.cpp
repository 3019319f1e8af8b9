#include "wizard/FSComprFile.h"

#include "platform/DiskPath.h"

namespace kx::wizard {

FSComprFile::FSComprFile(QWidget* parent, ArchiveLimits limits) : QWidget(parent), unpacker_(limits) {
    setObjectName(QStringLiteral("FSComprFile"));
    hide();
}

void FSComprFile::Unpack() {
    if (source_.isEmpty() || target_.isEmpty())
        throw ArchiveError("未指定压缩包或解压目标");
    unpacker_.UnpackSingleFile(platform::ToDiskPath(source_.toStdString()),
                               platform::ToDiskPath(target_.toStdString()));
}

} // namespace kx::wizard
