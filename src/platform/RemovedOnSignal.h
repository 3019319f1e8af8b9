#pragma once

#include <filesystem>
#include <memory>

namespace kx::platform {

/// Registers a temporary file, or a folder of temporary files, that must not
/// outlive the process when SIGINT, SIGTERM or SIGHUP ends it: for as long as
/// the object lives, such a signal first removes it (a folder with the files
/// directly in it) and then ends the process as the signal would have.
///
/// Only signals whose disposition is the default one are taken over, at each
/// registration: a host that handles them itself decides how its
/// process ends, and its normal exit removes the temporaries anyway. The handler
/// does nothing but async-signal-safe calls (unlink, getdents64, rmdir). A fixed
/// number of registrations can be live at once; one beyond that is not kept, and
/// the temporary then goes as it does after any other abrupt end.
class RemovedOnSignal {
  public:
    enum class Kind { File, Folder };

    RemovedOnSignal(const std::filesystem::path& path, Kind kind);
    ~RemovedOnSignal();
    RemovedOnSignal(const RemovedOnSignal&) = delete;
    RemovedOnSignal& operator=(const RemovedOnSignal&) = delete;

    struct Entry;

  private:
    std::unique_ptr<Entry> entry_;
    int slot_ = -1;
};

} // namespace kx::platform
