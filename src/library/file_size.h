#pragma once
#include <cstdint>
#include <string_view>

namespace qh {

class FileSystem;

// The file's size in bytes, 64-bit so that files of 2 GiB and more show their true size; -1 when
// the file cannot be found. Hidden and system files are found too.
std::int64_t FileSizeOf(const FileSystem& files, std::string_view path);

}  // namespace qh
