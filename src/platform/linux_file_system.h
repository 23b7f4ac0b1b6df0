#pragma once
#include <filesystem>
#include <optional>
#include <utility>

#include "platform/file_system.h"
#include "platform/grouped_flush_copy_batch_linux.h"
#include "platform/shared_drive_table.h"

namespace qh {

// Files through the drive table on Linux, each path found on the disk by resolveOnDisk. Names are
// read with readdir so that names which are not valid UTF-8 are listed too. Attributes: Directory
// for folders; Hidden for dot-names; ReadOnly when the owner's write bit is clear; Archive on
// files; NTFS volumes (ntfs-3g) give their own bits.
class LinuxFileSystem final : public FileSystem {
public:
    explicit LinuxFileSystem(const SharedDriveTable& drives) : drives_(drives) {}

    std::vector<DirEntry> list(std::string_view folder, std::string_view pattern,
                               HiddenEntries hidden) const override;
    std::optional<std::int64_t> fileSize(std::string_view path) const override;
    bool fileExists(std::string_view path) const override;
    bool folderExists(std::string_view path) const override;
    CopyResult copyFile(std::string_view source, std::string_view target, bool overwrite,
                        std::int64_t sourceOffset = 0,
                        CopyDurability durability = CopyDurability::OnDisk) override;
    std::unique_ptr<CopyBatch> beginCopyBatch(CopyBatch::Report report) override;
    FileStatus verifyCopy(std::string_view source, std::int64_t sourceOffset,
                          std::string_view target, CopyCheck check) override;
    void removeAbandonedCopies(std::string_view folder) override;
    bool deleteFile(std::string_view path) override;
    bool deleteFolder(std::string_view path) override;
    bool rename(std::string_view from, std::string_view to) override;
    bool createFolders(std::string_view path) override;
    std::unique_ptr<ReadStream> openRead(std::string_view path) const override;
    FileStatus flushFolder(std::string_view folder) override;
    std::optional<VolumeSize> volumeSize(std::string_view path) const override;

private:
    std::optional<std::filesystem::path> resolve(std::string_view path) const;
    CopyEnds copyEnds(std::string_view source, std::string_view target) const;
    // The drive of the path is not in the table, or its volume is no longer there.
    bool driveOfPathGone(std::string_view path) const;

    const SharedDriveTable& drives_;
};

}  // namespace qh
