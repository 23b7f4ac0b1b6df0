#pragma once
// Copying one host file so that the target either does not appear or appears whole: the data
// goes to a temporary name in the target's folder, is synced when asked, and is renamed into
// place.
#include <cstdint>
#include <filesystem>

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

}  // namespace qh
