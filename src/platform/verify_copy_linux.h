#pragma once
// Reading a copy back from the disk itself and comparing it with its source.
#include <cstdint>
#include <filesystem>

#include "platform/file_system.h"

namespace qh {

// What is compared is what the disk gives back, not what the computer keeps of the copy: a stick
// that takes more than it holds returns other data there. Sampled compares the first,
// middle and last block, Whole every byte. The copy must be on the disk (synced) already.
FileStatus verifyCopyOnDisk(const std::filesystem::path& source, std::int64_t sourceOffset,
                            const std::filesystem::path& copy, CopyCheck check);

}  // namespace qh
