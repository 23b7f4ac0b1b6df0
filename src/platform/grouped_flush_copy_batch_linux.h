#pragma once
// A copy batch that writes copies into the cache under their temporary names and puts them on
// the disk a group at a time: the data of the whole group, then the names.
//
// A copy onto another disk than its source's (the customer's stick) is written out and named
// on its own. A copy onto the disk it is read from gathers up to what the kernel holds
// back anyway before the group is written out: one disk that alternates between reading and
// writing does both slower than it does each in one stretch.
#include <sys/stat.h>
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

// Onto another disk (the customer's stick) every copy is named as soon as its data is on the
// disk, before the next one is read: a stick pulled out, turned read-only or found full then
// keeps under their names all the files that were whole, and no hidden remains of them.
inline constexpr CopyGroupLimits kOtherDiskCopyGroup{std::int64_t{64} << 20, 1};

// Host paths of a copy's ends and the folder of the target's drive; or why there is none.
struct CopyEnds {
    std::filesystem::path source;
    std::filesystem::path target;
    std::filesystem::path targetDrive;
    std::optional<FileFault> fault;
};

class GroupedFlushCopyBatch final : public CopyBatch {
public:
    using ResolveCopy = std::function<CopyEnds(std::string_view source, std::string_view target)>;
    using FlushFolder = std::function<FileStatus(std::string_view folder)>;

    GroupedFlushCopyBatch(ResolveCopy resolve, FlushFolder flush, Report report,
                          CopyGroupLimits sameDisk,
                          CopyGroupLimits otherDisk = kOtherDiskCopyGroup);
    ~GroupedFlushCopyBatch() override;

    std::size_t copyFile(std::string_view source, std::string_view target, bool overwrite) override;
    void finish() override;
    FileStatus flushFolder(std::string_view folder) override;

private:
    // Held by name only: a group onto the disk it is read from can hold thousands of copies, more
    // than a process may keep open.
    struct WrittenCopy {
        std::size_t number = 0;
        int folder = -1;  // in groupFolders_
        std::string temporaryName;
        std::string name;
        bool overwrite = false;
    };
    struct GroupFolder {
        UniqueFd fd;
        struct stat identity {};
    };

    // The folder's descriptor, or -1 with errno set.
    int groupFolder(const std::filesystem::path& folder);
    // Whether the drive's folder is still the volume the batch first wrote to: a disk pulled out
    // leaves its mount point behind, on the shop's own disk.
    bool driveStillThere(const std::filesystem::path& drive);
    // Whether the folder's path still leads to the folder the group's copies were written in.
    static bool stillAtItsPath(const std::filesystem::path& path, const GroupFolder& folder);
    bool onSameDisk(const std::filesystem::path& source, int targetFolder);
    const std::string& diskOfDevice(dev_t device);

    ResolveCopy resolve_;
    FlushFolder flush_;
    Report report_;
    std::size_t made_ = 0;
    CopyGroupLimits sameDisk_;
    CopyGroupLimits otherDisk_;
    std::set<std::filesystem::path> sweptFolders_;  // of abandoned copies, once per batch
    std::map<dev_t, std::string> disks_;
    // A drive's folder as first written to, held open so its device number cannot pass to
    // another volume mounted there later.
    struct HeldDrive {
        UniqueFd root;
        dev_t device = 0;
        ino_t inode = 0;
    };
    std::map<std::filesystem::path, HeldDrive> drives_;
    // The drive of each target folder the batch copied into, by its GBK path.
    std::map<std::string, std::filesystem::path, std::less<>> driveOfFolder_;
    std::map<std::filesystem::path, GroupFolder> groupFolders_;  // a group's copies share a few
    std::vector<WrittenCopy> group_;
    std::int64_t groupBytes_ = 0;
    CopyGroupLimits groupLimits_;  // the tightest of its copies'
};

}  // namespace qh
