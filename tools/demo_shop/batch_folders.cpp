#include "batch_folders.h"

#include <cstdio>

namespace qh::demo {

void fillInBatches(const Folder& folder, std::uint64_t count,
                   const std::function<void(const Folder&, std::uint64_t)>& writeOne) {
    if (count <= kMaxFilesPerFolder) {
        for (std::uint64_t i = 0; i < count; ++i) {
            writeOne(folder, i);
        }
        return;
    }
    const std::uint64_t batches = (count + kMaxFilesPerFolder - 1) / kMaxFilesPerFolder;
    std::uint64_t index = 0;
    for (std::uint64_t batch = 0; batch < batches; ++batch) {
        char name[32];
        std::snprintf(name, sizeof name, "第%03llu辑", static_cast<unsigned long long>(batch + 1));
        const Folder batchFolder = folder.child(name);
        const std::uint64_t end = count * (batch + 1) / batches;
        for (; index < end; ++index) {
            writeOne(batchFolder, index);
        }
    }
}

}  // namespace qh::demo
