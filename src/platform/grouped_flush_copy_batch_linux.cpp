#include "platform/grouped_flush_copy_batch_linux.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "platform/disk_identity_linux.h"
#include "platform/durable_copy_linux.h"
#include "text/byte_text.h"

namespace qh {

namespace {

constexpr CopyGroupLimits kNoLimits{INT64_MAX, SIZE_MAX};

}  // namespace

GroupedFlushCopyBatch::GroupedFlushCopyBatch(ResolveCopy resolve, FlushFolder flush, Report report,
                                             CopyGroupLimits sameDisk, CopyGroupLimits otherDisk)
    : resolve_(std::move(resolve)),
      flush_(std::move(flush)),
      report_(std::move(report)),
      sameDisk_(sameDisk),
      otherDisk_(otherDisk),
      groupLimits_(kNoLimits) {}

GroupedFlushCopyBatch::~GroupedFlushCopyBatch() {
    finish();
}

std::size_t GroupedFlushCopyBatch::copyFile(std::string_view source, std::string_view target,
                                            bool overwrite) {
    const std::size_t number = made_++;
    const auto ends = resolve_(source, target);
    if (ends.fault) {
        report_(number, CopyResult::failed(*ends.fault));
        return number;
    }
    driveOfFolder_.emplace(folderOf(target), ends.targetDrive);
    if (!driveStillThere(ends.targetDrive)) {
        report_(number, CopyResult::failed(FileFault::DiskGone));
        return number;
    }
    const auto folderPath = ends.target.parent_path();
    const int folder = groupFolder(folderPath);
    if (folder < 0) {
        report_(number, CopyResult::failed(targetFaultOf(errno)));
        return number;
    }
    // Before the first copy into the folder, so a nearly full disk has that space back for it.
    if (sweptFolders_.insert(folderPath).second) {
        sweepAbandonedCopies(folder);
    }
    auto write = writeUnnamedCopy(ends.source, ends.target, overwrite, 0);
    if (!write.copy) {
        report_(number, write.result);
        return number;
    }
    auto& copy = *write.copy;
    const bool sameDisk = onSameDisk(ends.source, folder);
    if (!sameDisk) {
        ::sync_file_range(copy.file.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
    }
    const CopyGroupLimits& limits = sameDisk ? sameDisk_ : otherDisk_;
    groupLimits_ = {std::min(groupLimits_.bytes, limits.bytes),
                    std::min(groupLimits_.copies, limits.copies)};
    groupBytes_ += copy.bytes;
    group_.push_back(
        {number, folder, std::move(copy.temporaryName), std::move(copy.name), overwrite});
    if (groupBytes_ >= groupLimits_.bytes || group_.size() >= groupLimits_.copies) {
        finish();
    }
    return number;
}

void GroupedFlushCopyBatch::finish() {
    // All write-outs are started before the first wait, so the disk gets them as one stream.
    for (const auto& copy : group_) {
        const UniqueFd file{
            ::openat(copy.folder, copy.temporaryName.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC)};
        if (file) {
            ::sync_file_range(file.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
        }
    }
    // A folder whose disk was pulled out in the meantime is no longer the customer's: its copies
    // are not named there, where nobody will find them.
    std::set<int> goneFolders;
    for (const auto& [path, folder] : groupFolders_) {
        if (!stillAtItsPath(path, folder)) {
            goneFolders.insert(folder.fd.get());
        }
    }
    // In the order made; each copy whose data is whole on the disk gets its name, also after
    // another one of the group failed.
    for (const auto& copy : group_) {
        if (goneFolders.contains(copy.folder)) {
            discardUnnamedCopy(copy.folder, copy.temporaryName);
            report_(copy.number, CopyResult::failed(FileFault::DiskGone));
            continue;
        }
        report_(copy.number,
                nameCopyWrittenEarlier(copy.folder, copy.temporaryName, copy.name, copy.overwrite));
    }
    group_.clear();
    groupFolders_.clear();
    groupBytes_ = 0;
    groupLimits_ = kNoLimits;
}

FileStatus GroupedFlushCopyBatch::flushFolder(std::string_view folder) {
    // A pulled stick leaves its empty mount point, where the folder is missing: that is the
    // disk gone, not a folder the clerk forgot to make.
    const auto drive = driveOfFolder_.find(folder);
    if (drive != driveOfFolder_.end() && !driveStillThere(drive->second)) {
        return FileStatus::failed(FileFault::DiskGone);
    }
    return flush_(folder);
}

int GroupedFlushCopyBatch::groupFolder(const std::filesystem::path& folder) {
    if (const auto at = groupFolders_.find(folder); at != groupFolders_.end()) {
        return at->second.fd.get();
    }
    // A missing folder is not remembered: the clerk may still make it.
    GroupFolder opened{UniqueFd{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)}, {}};
    if (!opened.fd) {
        return -1;
    }
    if (::fstat(opened.fd.get(), &opened.identity) != 0) {
        return -1;
    }
    const int fd = opened.fd.get();
    groupFolders_.emplace(folder, std::move(opened));
    return fd;
}

bool GroupedFlushCopyBatch::driveStillThere(const std::filesystem::path& drive) {
    struct stat root {};
    if (::stat(drive.c_str(), &root) != 0) {
        return false;
    }
    const auto held = drives_.find(drive);
    if (held == drives_.end()) {
        UniqueFd fd{::open(drive.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
        drives_.emplace(drive, HeldDrive{std::move(fd), root.st_dev, root.st_ino});
        return true;
    }
    return held->second.device == root.st_dev && held->second.inode == root.st_ino;
}

bool GroupedFlushCopyBatch::stillAtItsPath(const std::filesystem::path& path,
                                           const GroupFolder& folder) {
    struct stat now {};
    return ::stat(path.c_str(), &now) == 0 && now.st_dev == folder.identity.st_dev &&
           now.st_ino == folder.identity.st_ino;
}

bool GroupedFlushCopyBatch::onSameDisk(const std::filesystem::path& source, int targetFolder) {
    struct stat from {};
    struct stat to {};
    if (::stat(source.c_str(), &from) != 0 || ::fstat(targetFolder, &to) != 0) {
        return false;
    }
    return from.st_dev == to.st_dev || diskOfDevice(from.st_dev) == diskOfDevice(to.st_dev);
}

const std::string& GroupedFlushCopyBatch::diskOfDevice(dev_t device) {
    auto at = disks_.find(device);
    if (at == disks_.end()) {
        at = disks_.emplace(device, diskOf(device)).first;
    }
    return at->second;
}

}  // namespace qh
