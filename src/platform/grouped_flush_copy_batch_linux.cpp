#include "platform/grouped_flush_copy_batch_linux.h"

#include <fcntl.h>

#include "platform/unique_fd_linux.h"

namespace qh {

GroupedFlushCopyBatch::GroupedFlushCopyBatch(ResolveCopy resolve) : resolve_(std::move(resolve)) {}

GroupedFlushCopyBatch::~GroupedFlushCopyBatch() {
    finish();
}

void GroupedFlushCopyBatch::copyFile(std::string_view source, std::string_view target,
                                     bool overwrite) {
    const auto ends = resolve_(source, target);
    if (!ends) {
        return;
    }
    // Before the first copy into the folder, so a nearly full disk has that space back for it.
    const auto folder = ends->second.parent_path();
    if (sweptFolders_.insert(folder).second) {
        const UniqueFd fd{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
        if (fd) {
            removeAbandonedCopies(fd.get());
        }
    }
    auto copy = writeUnnamedCopy(ends->first, ends->second, overwrite, 0);
    if (!copy) {
        return;
    }
    groupBytes_ += copy->bytes;
    group_.push_back(std::move(*copy));
    if (groupBytes_ >= kGroupBytes || group_.size() >= kGroupCopies) {
        finish();
    }
}

void GroupedFlushCopyBatch::finish() {
    // All write-outs are started before the first wait, so the disk gets them as one stream.
    for (auto& copy : group_) {
        ::sync_file_range(copy.file.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
    }
    // In the order made. A failure leaves nothing under the name; the job passes such a file over.
    for (auto& copy : group_) {
        nameCopy(copy, /*syncData=*/true);
    }
    group_.clear();
    groupBytes_ = 0;
}

}  // namespace qh
