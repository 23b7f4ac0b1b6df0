#pragma once
// The paths a list's copy jobs are to copy. A running sync job reads it on its worker thread while
// a sync add appends on the window's thread, so it is guarded.
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace qh {

class CopyQueue {
public:
    void assign(std::vector<std::string> paths);
    // The index the path got.
    std::size_t append(std::string path);
    std::size_t size() const;
    std::optional<std::string> at(std::size_t index) const;
    std::vector<std::string> paths() const;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> paths_;
};

}  // namespace qh
