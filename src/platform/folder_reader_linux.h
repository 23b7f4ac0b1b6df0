#pragma once
#include "platform/folder_reader.h"
#include "platform/listing_index.h"
#include "platform/shared_drive_table.h"

namespace qh {

// Folders through the drive table on Linux, the folder opened found on the disk by resolveOnDisk
// (its sub-folders open by the names listed), read with getdents64 so that every name is listed,
// valid UTF-8 or not. The file system's entry types tell folders from the rest, so no entry costs
// a stat unless its volume leaves the type out, and only a name that may match is converted to
// GBK. Attributes: Directory for folders, never ReadOnly, so a protected library is still
// searched; Hidden for dot-names; Archive on regular files; a symbolic link has ReparsePoint
// beside its target's Directory bit and is never entered. NTFS volumes give their own bits
// instead of the name rule.
//
// With a listing index, a folder whose stamp shows no change since it was last read whole is
// listed from the index instead of the disk (one statx in place of reading it), and every folder
// read whole is kept there. What a walk finds, and the order it finds it in, are the same either
// way: the index gives the folder's raw listing, and the rest (the entry types that need a look,
// the links' targets, NTFS's own bits) is looked at on the volume as for a folder read.
class LinuxFolderReader final : public FolderReader {
public:
    explicit LinuxFolderReader(const SharedDriveTable& drives, ListingIndex* index = nullptr)
        : drives_(drives), index_(index) {}

    std::unique_ptr<OpenFolder> open(std::string_view folder,
                                     const NamePattern& pattern) const override;

private:
    const SharedDriveTable& drives_;
    ListingIndex* index_;
};

}  // namespace qh
