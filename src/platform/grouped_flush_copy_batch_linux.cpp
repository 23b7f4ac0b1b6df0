#include "platform/grouped_flush_copy_batch_linux.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>

#include "platform/disk_identity_linux.h"
#include "platform/durable_copy_linux.h"

namespace qh {

namespace {

constexpr CopyGroupLimits kNoLimits{INT64_MAX, SIZE_MAX};

}  // namespace

GroupedFlushCopyBatch::GroupedFlushCopyBatch(ResolveCopy resolve, CopyGroupLimits sameDisk,
                                             CopyGroupLimits otherDisk)
    : resolve_(std::move(resolve)),
      sameDisk_(sameDisk),
      otherDisk_(otherDisk),
      groupLimits_(kNoLimits) {}

GroupedFlushCopyBatch::~GroupedFlushCopyBatch() {
    finish();
}

void GroupedFlushCopyBatch::copyFile(std::string_view source, std::string_view target,
                                     bool overwrite) {
    const auto ends = resolve_(source, target);
    if (!ends) {
        return;
    }
    const int folder = groupFolder(ends->second.parent_path());
    if (folder < 0) {
        return;
    }
    // Before the first copy into the folder, so a nearly full disk has that space back for it.
    if (sweptFolders_.insert(ends->second.parent_path()).second) {
        removeAbandonedCopies(folder);
    }
    auto copy = writeUnnamedCopy(ends->first, ends->second, overwrite, 0);
    if (!copy) {
        return;
    }
    const bool sameDisk = onSameDisk(ends->first, folder);
    if (!sameDisk) {
        ::sync_file_range(copy->file.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
    }
    const CopyGroupLimits& limits = sameDisk ? sameDisk_ : otherDisk_;
    groupLimits_ = {std::min(groupLimits_.bytes, limits.bytes),
                    std::min(groupLimits_.copies, limits.copies)};
    groupBytes_ += copy->bytes;
    group_.push_back({folder, std::move(copy->temporaryName), std::move(copy->name), overwrite});
    if (groupBytes_ >= groupLimits_.bytes || group_.size() >= groupLimits_.copies) {
        finish();
    }
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
    // In the order made. A failure leaves nothing under the name; the job passes such a file over.
    for (const auto& copy : group_) {
        nameCopyWrittenEarlier(copy.folder, copy.temporaryName, copy.name, copy.overwrite);
    }
    group_.clear();
    groupFolders_.clear();
    groupBytes_ = 0;
    groupLimits_ = kNoLimits;
}

int GroupedFlushCopyBatch::groupFolder(const std::filesystem::path& folder) {
    if (const auto at = groupFolders_.find(folder); at != groupFolders_.end()) {
        return at->second.get();
    }
    // A missing folder is not remembered: the clerk may still make it.
    UniqueFd opened{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    const int fd = opened.get();
    if (opened) {
        groupFolders_.emplace(folder, std::move(opened));
    }
    return fd;
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
