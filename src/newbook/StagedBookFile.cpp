#include "newbook/StagedBookFile.h"

#include "ado/jet/BookFileCopy.h"
#include "database/CreateCnn.h"
#include "platform/FileDescriptor.h"
#include "platform/NoOverwritePlacement.h"
#include "platform/PlatformError.h"
#include "platform/SystemCalls.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace kx::newbook {
namespace {

[[noreturn]] void ThrowErrno(int err, const std::string& what, const std::filesystem::path& file) {
    throw platform::PlatformError(platform::ErrorNumberFromErrno(err),
                                  what + " " + file.string() + "：" + std::strerror(err));
}

mode_t PermissionsOf(const std::filesystem::path& source) {
    struct stat st {};
    if (::stat(source.c_str(), &st) != 0)
        ThrowErrno(errno, "无法读取文件", source);
    return st.st_mode & 07777;
}

/// The journal that the book engine keeps beside a file while it changes it.
std::filesystem::path JournalOf(const std::filesystem::path& file) { return file.string() + "-journal"; }

} // namespace

StagedBookFile::StagedBookFile(const std::filesystem::path& source, const std::filesystem::path& target) {
    // NoOverwrite: the file is only ever placed through PlaceAt, which never replaces.
    file_.emplace(target, platform::PublishMode::NoOverwrite, PermissionsOf(source));
    path_ = file_->temporaryPath();
    // Under the engine's read lock, or through the engine when a write-ahead log
    // holds part of the template: the template is only read, and comes whole.
    ado::jet::CopyBookFileContent(source.string(), database::kBookDatabasePassword, path_,
                                  [&] { file_->CopyFrom(source); });
    struct stat st {};
    if (::fstat(file_->fd(), &st) != 0)
        ThrowErrno(errno, "无法读取文件", path_);
    device_ = st.st_dev;
    inode_ = st.st_ino;
}

StagedBookFile::~StagedBookFile() {
    if (state_ == State::Staged) {
        std::error_code ec;
        std::filesystem::remove(JournalOf(path_), ec);
    }
}

bool StagedBookFile::PlaceAt(const std::filesystem::path& target) {
    // The book engine wrote through descriptors of its own; a sync of any
    // descriptor of the file puts all of it on the disk.
    if (platform::sys::Fsync(file_->fd()) != 0)
        ThrowErrno(errno, "无法写入文件", path_);
    if (platform::PlaceWithoutOverwrite(path_, target) == platform::Placement::NameTaken)
        return false;
    // The temporary name is gone with the move; the object no longer owns a file there.
    file_.reset();
    state_ = State::Placed;
    path_ = target;
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const platform::FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0 && platform::sys::Fsync(dir.get()) != 0)
        ThrowErrno(errno, "无法写入文件夹", folder);
    return true;
}

std::string StagedBookFile::Remove() {
    const State state = std::exchange(state_, State::Removed);
    std::error_code ec;
    if (state == State::Removed)
        return {};
    if (state == State::Staged) {
        // The temporary file goes with its owner; its name was never given to anyone.
        file_.reset();
        std::filesystem::remove(JournalOf(path_), ec);
        std::filesystem::remove(path_, ec);
        return ec ? ec.message() : std::string();
    }
    struct stat st {};
    if (::lstat(path_.c_str(), &st) != 0)
        return errno == ENOENT ? std::string() : std::strerror(errno);
    // Another program may have moved the book away and put its own file here.
    if (st.st_dev != device_ || st.st_ino != inode_) {
        state_ = State::Placed;
        return "这个名字下已经是另一个文件，没有删除它。";
    }
    std::filesystem::remove(JournalOf(path_), ec);
    if (::unlink(path_.c_str()) != 0) {
        state_ = State::Placed;
        return std::strerror(errno);
    }
    return {};
}

} // namespace kx::newbook
