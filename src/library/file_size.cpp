#include "library/file_size.h"

#include "platform/file_system.h"

namespace qh {

std::int64_t FileSizeOf(const FileSystem& files, std::string_view path) {
    return files.fileSize(path).value_or(-1);
}

}  // namespace qh
