#include "platform/linux_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <system_error>

#include "platform/durable_copy_linux.h"
#include "platform/grouped_flush_copy_batch_linux.h"
#include "platform/host_folder_listing_linux.h"
#include "platform/path_on_disk.h"
#include "platform/rename_no_replace_linux.h"
#include "platform/unique_fd_linux.h"
#include "platform/verify_copy_linux.h"
#include "platform/windows_path.h"
#include "platform/write_back_threshold_linux.h"

namespace qh {

namespace {

class FileReadStream final : public ReadStream {
public:
    FileReadStream(UniqueFd fd, std::int64_t size) : fd_(std::move(fd)), size_(size) {}

    std::int64_t size() const override { return size_; }
    bool seek(std::int64_t offset) override {
        return offset >= 0 && ::lseek(fd_.get(), offset, SEEK_SET) == offset;
    }
    std::int64_t read(char* buffer, std::int64_t count) override {
        if (count <= 0) {
            return 0;
        }
        while (true) {
            const ssize_t got = ::read(fd_.get(), buffer, static_cast<std::size_t>(count));
            if (got >= 0 || errno != EINTR) {
                return got;
            }
        }
    }

private:
    UniqueFd fd_;
    std::int64_t size_;
};

// The drive's root is never removed, renamed or written over as if it were an entry.
bool namesAnEntry(std::string_view path) {
    const auto parsed = parseWindowsPath(path);
    return parsed && !parsed->names.empty();
}

std::optional<struct stat> statFollowingLinks(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return status;
}

// The drive's folder went with its disk.
bool driveGone(const Drive& drive) {
    const auto root = statFollowingLinks(drive.hostRoot);
    return !root || !S_ISDIR(root->st_mode);
}

}  // namespace

std::optional<std::filesystem::path> LinuxFileSystem::resolve(std::string_view path) const {
    return resolveOnDisk(*drives_.snapshot(), path);
}

std::vector<DirEntry> LinuxFileSystem::list(std::string_view folder, std::string_view pattern,
                                            HiddenEntries hidden) const {
    const auto host = resolve(folder);
    return host ? listHostFolder(*host, pattern, hidden) : std::vector<DirEntry>{};
}

std::optional<std::int64_t> LinuxFileSystem::fileSize(std::string_view path) const {
    const auto host = resolve(path);
    const auto status = host ? statFollowingLinks(*host) : std::nullopt;
    if (!status || S_ISDIR(status->st_mode)) {
        return std::nullopt;
    }
    return status->st_size;
}

bool LinuxFileSystem::fileExists(std::string_view path) const {
    const auto host = resolve(path);
    const auto status = host ? statFollowingLinks(*host) : std::nullopt;
    return status && !S_ISDIR(status->st_mode);
}

bool LinuxFileSystem::folderExists(std::string_view path) const {
    const auto host = resolve(path);
    const auto status = host ? statFollowingLinks(*host) : std::nullopt;
    return status && S_ISDIR(status->st_mode);
}

CopyEnds LinuxFileSystem::copyEnds(std::string_view source, std::string_view target) const {
    const auto table = drives_.snapshot();
    auto from = resolveOnDisk(*table, source);
    auto to = resolveOnDisk(*table, target);
    const auto parsed = parseWindowsPath(target);
    const Drive* drive = parsed ? table->find(parsed->letter) : nullptr;
    if (!from) {
        return {.fault = FileFault::SourceMissing};
    }
    if (!parsed) {
        return {.fault = FileFault::Other};
    }
    if (drive == nullptr) {
        return {.fault = FileFault::DiskGone};
    }
    if (!to || !namesAnEntry(target)) {
        return {.fault = FileFault::Other};
    }
    return {.source = std::move(*from), .target = std::move(*to), .targetDrive = drive->hostRoot};
}

bool LinuxFileSystem::driveOfPathGone(std::string_view path) const {
    const auto parsed = parseWindowsPath(path);
    const auto table = drives_.snapshot();
    const Drive* drive = parsed ? table->find(parsed->letter) : nullptr;
    return drive == nullptr || driveGone(*drive);
}

CopyResult LinuxFileSystem::copyFile(std::string_view source, std::string_view target,
                                     bool overwrite, std::int64_t sourceOffset,
                                     CopyDurability durability) {
    const auto ends = copyEnds(source, target);
    if (ends.fault) {
        return CopyResult::failed(*ends.fault);
    }
    const auto result = copyFileDurably(ends.source, ends.target, overwrite, sourceOffset,
                                        durability == CopyDurability::OnDisk);
    // A drive whose volume is gone is a disk pulled out, not a folder the clerk forgot to make.
    if (!result.arrived() && result.fault() == FileFault::FolderMissing &&
        driveOfPathGone(target)) {
        return CopyResult::failed(FileFault::DiskGone);
    }
    return result;
}

std::unique_ptr<CopyBatch> LinuxFileSystem::beginCopyBatch(CopyBatch::Report report) {
    return std::make_unique<GroupedFlushCopyBatch>(
        [this](std::string_view source, std::string_view target) {
            return copyEnds(source, target);
        },
        [this](std::string_view folder) { return flushFolder(folder); }, std::move(report),
        CopyGroupLimits{backgroundWriteBackBytes(kOtherDiskCopyGroup.bytes), SIZE_MAX});
}

FileStatus LinuxFileSystem::verifyCopy(std::string_view source, std::int64_t sourceOffset,
                                       std::string_view target, CopyCheck check) {
    const auto ends = copyEnds(source, target);
    if (ends.fault) {
        return FileStatus::failed(*ends.fault);
    }
    return verifyCopyOnDisk(ends.source, sourceOffset, ends.target, check);
}

void LinuxFileSystem::removeAbandonedCopies(std::string_view folder) {
    const auto host = resolve(folder);
    const UniqueFd fd{host ? ::open(host->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1};
    if (fd) {
        sweepAbandonedCopies(fd.get());
    }
}

bool LinuxFileSystem::deleteFile(std::string_view path) {
    const auto host = resolve(path);
    // unlink refuses folders by itself.
    return host && namesAnEntry(path) && ::unlink(host->c_str()) == 0;
}

bool LinuxFileSystem::deleteFolder(std::string_view path) {
    const auto host = resolve(path);
    return host && namesAnEntry(path) && ::rmdir(host->c_str()) == 0;
}

bool LinuxFileSystem::rename(std::string_view from, std::string_view to) {
    const auto table = drives_.snapshot();
    const auto hostFrom = resolveOnDisk(*table, from);
    auto hostTo = resolveOnDisk(*table, to);
    if (!hostFrom || !hostTo || !namesAnEntry(from) || !namesAnEntry(to)) {
        return false;
    }
    // The entry's own name in other letter case ("a.mp3" to "A.MP3") is a rename on Windows, not
    // a clash with an existing name.
    if (*hostTo == *hostFrom) {
        hostTo = hostTo->parent_path() / table->resolve(to)->filename();
    }
    return renameNoReplace(AT_FDCWD, hostFrom->c_str(), AT_FDCWD, hostTo->c_str());
}

bool LinuxFileSystem::createFolders(std::string_view path) {
    const auto parsed = parseWindowsPath(path);
    const auto table = drives_.snapshot();
    const Drive* drive = parsed ? table->find(parsed->letter) : nullptr;
    const auto host = resolveOnDisk(*table, path);
    std::error_code error;
    // A drive whose folder has gone (a pulled disk) must not be recreated as a plain folder.
    if (drive == nullptr || !host || !std::filesystem::is_directory(drive->hostRoot, error)) {
        return false;
    }
    std::filesystem::create_directories(*host, error);
    return std::filesystem::is_directory(*host, error);
}

std::unique_ptr<ReadStream> LinuxFileSystem::openRead(std::string_view path) const {
    const auto host = resolve(path);
    if (!host) {
        return nullptr;
    }
    // Opened without waiting, so a pipe or a device that took a file's name cannot hold up the
    // reader; only a regular file is read.
    UniqueFd fd{::open(host->c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    struct stat status {};
    if (!fd || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        ::fcntl(fd.get(), F_SETFL, O_RDONLY) != 0) {
        return nullptr;
    }
    return std::make_unique<FileReadStream>(std::move(fd), status.st_size);
}

FileStatus LinuxFileSystem::flushFolder(std::string_view folder) {
    const auto host = resolve(folder);
    if (!host) {
        return FileStatus::failed(FileFault::DiskGone);
    }
    UniqueFd fd{::open(host->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (!fd && errno == ENOENT && driveOfPathGone(folder)) {
        return FileStatus::failed(FileFault::DiskGone);
    }
    if (!fd || ::syncfs(fd.get()) != 0) {
        return FileStatus::failed(targetFaultOf(errno));
    }
    // FUSE volumes (ntfs-3g) may take syncfs as a no-op but hear a folder's fsync; some of them
    // cannot sync a folder either, and their copies' data is synced all the same.
    if (::fsync(fd.get()) == 0 || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) {
        return FileStatus::ok();
    }
    return FileStatus::failed(targetFaultOf(errno));
}

std::optional<VolumeSize> LinuxFileSystem::volumeSize(std::string_view path) const {
    const auto parsed = parseWindowsPath(path);
    const auto table = drives_.snapshot();
    const Drive* drive = parsed ? table->find(parsed->letter) : nullptr;
    struct statvfs volume {};
    if (drive == nullptr || ::statvfs(drive->hostRoot.c_str(), &volume) != 0) {
        return std::nullopt;
    }
    // f_bavail, not f_bfree: what a copy can really use, as Windows reports it to the caller.
    return VolumeSize{std::uint64_t{volume.f_blocks} * volume.f_frsize,
                      std::uint64_t{volume.f_bavail} * volume.f_frsize};
}

}  // namespace qh
