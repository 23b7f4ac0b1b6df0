#pragma once
// Copying one host file so that the target either does not appear or appears whole and on the
// disk: the data goes to a temporary name in the target's folder, is synced, and is renamed
// into place.
#include <cstdint>
#include <filesystem>

namespace qh {

// Copies `source` from byte `sourceOffset` on. An offset equal to the source's size gives an
// empty file; an offset beyond it fails, as there is nothing to take from there. The target
// keeps the source's modification time, as a Windows copy does. Without overwrite an existing
// target, even one that appears while the data is copied, is left alone and the copy fails.
// On failure the temporary file is removed.
bool copyFileDurably(const std::filesystem::path& source, const std::filesystem::path& target,
                     bool overwrite, std::int64_t sourceOffset);

}  // namespace qh
