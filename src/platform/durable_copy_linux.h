#pragma once
// Copying one host file so that the target either does not appear or appears whole: the data
// goes to a temporary name in the target's folder, is synced when asked, and is renamed into
// place.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/unique_fd_linux.h"

namespace qh {

// Copies `source` from byte `sourceOffset` on. An offset equal to the source's size gives an
// empty file; an offset beyond it fails, as there is nothing to take from there. The target
// keeps the source's modification time, as a Windows copy does. Without overwrite an existing
// target, even one that appears while the data is copied, is left alone and the copy fails.
// On failure the temporary file is removed. Without `syncData` nothing waits for the disk. The
// folder is not synced here: one flush after many copies costs the disk one cache flush instead
// of one per copy.
bool copyFileDurably(const std::filesystem::path& source, const std::filesystem::path& target,
                     bool overwrite, std::int64_t sourceOffset, bool syncData);

// A copy whose data is written under its temporary name but neither synced nor named yet.
struct UnnamedCopy {
    UniqueFd folder;
    UniqueFd file;
    std::string temporaryName;
    std::string name;
    bool overwrite = false;
    std::int64_t bytes = 0;  // of data written
};

// Removes the temporary copies in the folder whose writer is no longer running: left by a disk
// pulled out in the middle of a copy, or by a program that was killed. They are hidden, but
// take the customer's space.
void removeAbandonedCopies(int folder);

// The first half of copyFileDurably: empty on failure, with nothing left behind.
std::optional<UnnamedCopy> writeUnnamedCopy(const std::filesystem::path& source,
                                            const std::filesystem::path& target, bool overwrite,
                                            std::int64_t sourceOffset);
// The second half: syncs the data when asked, then gives the copy its name. On failure the
// temporary file is removed.
bool nameCopy(UnnamedCopy& copy, bool syncData);
// The second half for a copy whose descriptor was let go: opens the temporary file in `folder`
// again, syncs its data and names it. On failure the temporary file is removed.
bool nameCopyWrittenEarlier(int folder, const std::string& temporaryName, const std::string& name,
                            bool overwrite);

}  // namespace qh
