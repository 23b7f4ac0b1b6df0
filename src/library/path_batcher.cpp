#include "library/path_batcher.h"

namespace qh {

PathBatcher::PathBatcher(HandOver handOver, BatchLimits limits, std::stop_token stop, Clock clock)
    : handOver_(std::move(handOver)),
      limits_(limits),
      stop_(std::move(stop)),
      clock_(std::move(clock)) {}

void PathBatcher::found(std::string path) {
    if (batch_.empty()) {
        firstFound_ = clock_();
    }
    batch_.push_back(std::move(path));
    if (!handedOverAny_ || batch_.size() >= limits_.maxPaths) {
        flush();
    } else {
        handOverIfWaitedLong();
    }
}

void PathBatcher::betweenFolders() {
    if (!batch_.empty()) {
        handOverIfWaitedLong();
    }
}

void PathBatcher::flush() {
    if (batch_.empty()) {
        return;
    }
    std::vector<std::string> paths = std::move(batch_);
    batch_.clear();
    if (!stop_.stop_requested()) {
        handOver_(std::move(paths));
        handedOverAny_ = true;
    }
}

void PathBatcher::handOverIfWaitedLong() {
    if (clock_() - firstFound_ >= limits_.maxWait) {
        flush();
    }
}

}  // namespace qh
