#pragma once
#include "platform/file_system.h"
#include "platform/folder_reader.h"

namespace qh {

// Folders read through any FileSystem's listing, each sub-folder by its full path: the walk over
// the in-memory file system of tests, or over a platform without a reader of its own. It reads
// every entry with its size, so it is no faster than FileSystem::list.
class ListingFolderReader final : public FolderReader {
public:
    explicit ListingFolderReader(const FileSystem& files) : files_(files) {}

    std::unique_ptr<OpenFolder> open(std::string_view folder,
                                     const NamePattern& pattern) const override;

private:
    const FileSystem& files_;
};

}  // namespace qh
