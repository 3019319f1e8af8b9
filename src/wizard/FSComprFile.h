#pragma once

#include "newbook/TemplateUnpacker.h"

#include <QString>
#include <QWidget>

namespace kx::wizard {

/// The wizard's archive control: unpacks the book file of a template archive.
/// It has no look of its own and stays hidden; it is a child control so that the
/// wizard owns it like its other parts.
class FSComprFile : public QWidget, public newbook::TemplateUnpacker {
    Q_OBJECT
    Q_PROPERTY(QString ArchiveSource READ ArchiveSource WRITE SetArchiveSource)
    Q_PROPERTY(QString ArchiveTarget READ ArchiveTarget WRITE SetArchiveTarget)

  public:
    explicit FSComprFile(QWidget* parent = nullptr, newbook::ArchiveLimits limits = {});

    /// The archive to unpack: a path text as the book list keeps it ("\" or "/").
    QString ArchiveSource() const { return source_; }
    void SetArchiveSource(const QString& value) { source_ = value; }

    /// The file that receives the archive's book file.
    QString ArchiveTarget() const { return target_; }
    void SetArchiveTarget(const QString& value) { target_ = value; }

    /// Writes the archive's one book file to `ArchiveTarget`. Throws ArchiveError
    /// or platform::PlatformError when it cannot; then nothing was written.
    void Unpack();

    /// Takes `archive` and `target` as its source and target, unpacks, and is
    /// hidden afterwards whatever the outcome.
    void UnpackTo(const QString& archive, const QString& target) override;

  private:
    newbook::DirectTemplateUnpacker unpacker_;
    QString source_;
    QString target_;
};

} // namespace kx::wizard
