#pragma once
// Folders read for a walk of the library. A walk needs, from each folder, the names that match
// its pattern and the sub-folders it may enter; it needs no file's size and no file's read-only
// bit, and the names of the many files that do not match need not even be converted. A
// sub-folder opens from its open parent, without resolving its whole path again.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/name_pattern.h"

namespace qh {

struct FolderEntry {
    std::string name;  // GBK; never "." or ".."
    std::uint32_t attributes = 0;
    bool matches = false;  // the name matches the pattern the folder was opened with
};

class OpenFolder {
public:
    virtual ~OpenFolder() = default;

    // The next entry in the order the file system lists them; false at the end. Given are the
    // entries that match and every folder that is not a symbolic link, whatever its name.
    // Attributes are the Windows bits of FileSystem::list, but a reader need not read a file's
    // ReadOnly bit: no walk asks for it.
    virtual bool next(FolderEntry& entry) = 0;

    // A sub-folder this folder listed, opened with the same pattern; nullptr when it cannot be
    // read. Once `next` has reached the end, sub-folders may be opened from several threads at
    // once: a walk reads ahead on a second thread.
    virtual std::unique_ptr<OpenFolder> openSubfolder(std::string_view name) = 0;
};

class FolderReader {
public:
    virtual ~FolderReader() = default;

    // `folder` is a full path ending in a backslash; nullptr when it cannot be read (a missing
    // drive, a missing folder). The pattern must outlive the folders opened with it.
    virtual std::unique_ptr<OpenFolder> open(std::string_view folder,
                                             const NamePattern& pattern) const = 0;
};

}  // namespace qh
