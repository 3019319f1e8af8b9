#pragma once

#include "newbook/ArchiveUnpacker.h"

#include <QString>

namespace kx::newbook {

/// What unpacks the book file of a template archive for the creation: the
/// wizard's archive control, or `DirectTemplateUnpacker` where there is none.
class TemplateUnpacker {
  public:
    virtual ~TemplateUnpacker() = default;

    /// Writes the one book file of the archive `archive` (a path text as the book
    /// list keeps it, "\" or "/") to `target`. Throws ArchiveError or
    /// platform::PlatformError when it cannot; then nothing was written.
    virtual void UnpackTo(const QString& archive, const QString& target) = 0;

  protected:
    TemplateUnpacker() = default;
    TemplateUnpacker(const TemplateUnpacker&) = default;
    TemplateUnpacker& operator=(const TemplateUnpacker&) = default;
};

/// Unpacks through an `ArchiveUnpacker` of its own.
class DirectTemplateUnpacker final : public TemplateUnpacker {
  public:
    explicit DirectTemplateUnpacker(ArchiveLimits limits = {}) : unpacker_(limits) {}

    void UnpackTo(const QString& archive, const QString& target) override;

  private:
    ArchiveUnpacker unpacker_;
};

} // namespace kx::newbook
