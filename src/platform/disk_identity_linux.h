#pragma once
// Which physical disk a file system lives on, so a copy can tell whether its reads and its writes
// share one disk. Two partitions of one disk (the shop's C: and D:) count as the same disk.
#include <sys/types.h>

#include <filesystem>
#include <string>

namespace qh {

// The disk's entry under `sysfs`: a partition's parent, or the block device itself. A device
// without a block entry (a tmpfs, a network share) is a disk of its own.
std::string diskOf(dev_t device, const std::filesystem::path& sysfs = "/sys");

}  // namespace qh
