#pragma once
// How much unwritten data the kernel keeps in the cache before it starts writing it out by
// itself. Holding a batch of copies back up to that much costs the disk nothing extra.
#include <cstdint>
#include <string_view>

namespace qh {

// From the texts of /proc/sys/vm/dirty_background_bytes, /proc/sys/vm/dirty_background_ratio
// and /proc/meminfo, as the kernel reckons it: the bytes when set, else the ratio of the memory
// available. Never less than `floor`, which also stands in for texts that cannot be read.
std::int64_t backgroundWriteBackBytes(std::string_view backgroundBytes,
                                      std::string_view backgroundRatio, std::string_view meminfo,
                                      std::int64_t floor);

// The same, read from this machine's /proc.
std::int64_t backgroundWriteBackBytes(std::int64_t floor);

}  // namespace qh
