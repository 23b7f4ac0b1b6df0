#pragma once
// A copy batch that writes copies into the cache under their temporary names and puts them on
// the disk a group at a time: the data of the whole group, then the names. A disk that streams
// one long write-out does better than one that stops for every file, or one whose reads of the
// library fight the write-out of the copies.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/durable_copy_linux.h"
#include "platform/file_system.h"

namespace qh {

class GroupedFlushCopyBatch final : public CopyBatch {
public:
    // Host paths of a copy's source and target, or empty when either cannot be one.
    using ResolveCopy =
        std::function<std::optional<std::pair<std::filesystem::path, std::filesystem::path>>(
            std::string_view source, std::string_view target)>;

    explicit GroupedFlushCopyBatch(ResolveCopy resolve);
    ~GroupedFlushCopyBatch() override;

    void copyFile(std::string_view source, std::string_view target, bool overwrite) override;
    void finish() override;

private:
    // Bounds what a pulled disk can leave as hidden temporary files, how far the progress line
    // may run ahead of the disk, and the descriptors held open.
    static constexpr std::int64_t kGroupBytes = std::int64_t{64} << 20;
    static constexpr std::size_t kGroupCopies = 16;

    ResolveCopy resolve_;
    std::set<std::filesystem::path> sweptFolders_;  // of abandoned copies, once per batch
    std::vector<UnnamedCopy> group_;
    std::int64_t groupBytes_ = 0;
};

}  // namespace qh
