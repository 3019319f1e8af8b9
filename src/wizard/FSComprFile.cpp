#include "wizard/FSComprFile.h"

namespace kx::wizard {

FSComprFile::FSComprFile(QWidget* parent, newbook::ArchiveLimits limits) : QWidget(parent), unpacker_(limits) {
    setObjectName(QStringLiteral("FSComprFile"));
    hide();
}

void FSComprFile::Unpack() {
    unpacker_.UnpackTo(source_, target_);
}

void FSComprFile::UnpackTo(const QString& archive, const QString& target) {
    struct HiddenAfterwards {
        QWidget* control;
        ~HiddenAfterwards() { control->setVisible(false); }
    } hidden{this};
    SetArchiveSource(archive);
    SetArchiveTarget(target);
    Unpack();
}

} // namespace kx::wizard
