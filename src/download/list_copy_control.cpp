#include "download/list_copy_control.h"

namespace qh {

bool ListCopyControl::startBatch(std::vector<std::string> paths) {
    std::lock_guard lock(mutex_);
    if (busy_) {
        return false;
    }
    queue_ = std::move(paths);
    batchLength_ = queue_.size();
    busy_ = true;
    return true;
}

std::optional<std::size_t> ListCopyControl::syncAdd(std::string path) {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(path));
    ++counters_.total;
    if (busy_) {
        return std::nullopt;
    }
    busy_ = true;
    return queue_.size() - 1;
}

std::optional<std::size_t> ListCopyControl::claimSync() {
    std::lock_guard lock(mutex_);
    if (busy_) {
        return std::nullopt;
    }
    busy_ = true;
    return queue_.empty() ? 0 : queue_.size() - 1;
}

std::vector<std::string> ListCopyControl::batchPaths() const {
    std::lock_guard lock(mutex_);
    return {queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(batchLength_)};
}

std::optional<std::string> ListCopyControl::pathAtOrGoIdle(std::size_t index) {
    std::lock_guard lock(mutex_);
    if (index < queue_.size() && !stopRequested_) {
        return queue_[index];
    }
    busy_ = false;
    return std::nullopt;
}

SyncCounters ListCopyControl::syncCounters() const {
    std::lock_guard lock(mutex_);
    return counters_;
}

bool ListCopyControl::markSyncAddServed() {
    std::lock_guard lock(mutex_);
    ++counters_.next;
    return counters_.next > counters_.total;
}

bool ListCopyControl::busy() const {
    std::lock_guard lock(mutex_);
    return busy_;
}

std::vector<std::string> ListCopyControl::paths() const {
    std::lock_guard lock(mutex_);
    return queue_;
}

void ListCopyControl::setLyricsWanted(bool wanted) {
    std::lock_guard lock(mutex_);
    lyricsWanted_ = wanted;
}

bool ListCopyControl::lyricsWanted() const {
    std::lock_guard lock(mutex_);
    return lyricsWanted_;
}

void ListCopyControl::requestStop() {
    std::lock_guard lock(mutex_);
    stopRequested_ = true;
}

bool ListCopyControl::stopRequested() const {
    std::lock_guard lock(mutex_);
    return stopRequested_;
}

}  // namespace qh
