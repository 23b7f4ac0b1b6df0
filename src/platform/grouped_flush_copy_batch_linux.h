#pragma once
// A copy batch that writes copies into the cache under their temporary names and puts them on
// the disk a group at a time: the data of the whole group, then the names.
//
// A copy onto another disk than its source's (the customer's stick) starts its write-out as
// soon as it is written, so the stick writes while the library's disk reads the next file; its
// group stays small. A copy onto the disk it is read from gathers up to what the kernel holds
// back anyway before the group is written out: one disk that alternates between reading and
// writing does both slower than it does each in one stretch.
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "platform/unique_fd_linux.h"

namespace qh {

// A group is written out and named once it holds this many bytes or copies.
struct CopyGroupLimits {
    std::int64_t bytes = 0;
    std::size_t copies = 0;
};

// Onto another disk: bounds what a pulled disk can leave as hidden temporary files and how far
// the progress line may run ahead of the names on the disk.
inline constexpr CopyGroupLimits kOtherDiskCopyGroup{std::int64_t{64} << 20, 16};

class GroupedFlushCopyBatch final : public CopyBatch {
public:
    // Host paths of a copy's source and target, or empty when either cannot be one.
    using ResolveCopy =
        std::function<std::optional<std::pair<std::filesystem::path, std::filesystem::path>>(
            std::string_view source, std::string_view target)>;

    GroupedFlushCopyBatch(ResolveCopy resolve, CopyGroupLimits sameDisk,
                          CopyGroupLimits otherDisk = kOtherDiskCopyGroup);
    ~GroupedFlushCopyBatch() override;

    void copyFile(std::string_view source, std::string_view target, bool overwrite) override;
    void finish() override;

private:
    // Held by name only: a group onto the disk it is read from can hold thousands of copies, more
    // than a process may keep open.
    struct WrittenCopy {
        int folder = -1;  // in groupFolders_
        std::string temporaryName;
        std::string name;
        bool overwrite = false;
    };

    int groupFolder(const std::filesystem::path& folder);
    bool onSameDisk(const std::filesystem::path& source, int targetFolder);
    const std::string& diskOfDevice(dev_t device);

    ResolveCopy resolve_;
    CopyGroupLimits sameDisk_;
    CopyGroupLimits otherDisk_;
    std::set<std::filesystem::path> sweptFolders_;  // of abandoned copies, once per batch
    std::map<dev_t, std::string> disks_;
    std::map<std::filesystem::path, UniqueFd> groupFolders_;  // a group's copies share a few
    std::vector<WrittenCopy> group_;
    std::int64_t groupBytes_ = 0;
    CopyGroupLimits groupLimits_;  // the tightest of its copies'
};

}  // namespace qh
