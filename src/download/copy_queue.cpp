#include "download/copy_queue.h"

namespace qh {

void CopyQueue::assign(std::vector<std::string> paths) {
    std::lock_guard lock(mutex_);
    paths_ = std::move(paths);
}

std::size_t CopyQueue::append(std::string path) {
    std::lock_guard lock(mutex_);
    paths_.push_back(std::move(path));
    return paths_.size() - 1;
}

std::size_t CopyQueue::size() const {
    std::lock_guard lock(mutex_);
    return paths_.size();
}

std::optional<std::string> CopyQueue::at(std::size_t index) const {
    std::lock_guard lock(mutex_);
    if (index >= paths_.size()) {
        return std::nullopt;
    }
    return paths_[index];
}

std::vector<std::string> CopyQueue::paths() const {
    std::lock_guard lock(mutex_);
    return paths_;
}

}  // namespace qh
