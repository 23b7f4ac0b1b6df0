#pragma once
// Found paths handed over in batches rather than one by one, so a walk that finds thousands of
// files a second does not flood the window's thread with one post per path, while a lone find
// still shows at once to the eye.
#include <chrono>
#include <cstddef>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

#include "library/walker.h"

namespace qh {

struct BatchLimits {
    // At most one insert of rows in the result list, a few milliseconds' work; the wait sets the
    // pace, so the list is laid out and painted about once a frame, not once per thousand rows.
    std::size_t maxPaths = 20000;
    std::chrono::milliseconds maxWait{16};  // about one frame
};

class PathBatcher final : public WalkSink {
public:
    using HandOver = std::function<void(std::vector<std::string> paths)>;
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // Once `stop` is requested nothing more is handed over.
    PathBatcher(HandOver handOver, BatchLimits limits, std::stop_token stop = {},
                Clock clock = std::chrono::steady_clock::now);

    // Hands the batch over when it is full or its first path has waited `maxWait`. The search's
    // first path goes over alone at once: the first row is what the clerk waits for.
    void found(std::string path) override;
    // Hands the batch over when its first path has waited `maxWait`.
    void betweenFolders() override;
    // Hands over whatever waits.
    void flush();

private:
    void handOverIfWaitedLong();

    HandOver handOver_;
    BatchLimits limits_;
    std::stop_token stop_;
    Clock clock_;
    std::vector<std::string> batch_;
    std::chrono::steady_clock::time_point firstFound_;
    bool handedOverAny_ = false;
};

}  // namespace qh
