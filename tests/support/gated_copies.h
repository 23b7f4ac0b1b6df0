#pragma once
// A file system that holds copies from the library until the test lets them through.
#include <condition_variable>
#include <mutex>

#include "support/forwarding_file_system.h"

namespace qh::testing {

// Holds every copy of a library file until the test lets it through, so the test can look at
// the window while a job is in the middle of a file.
class GatedCopies final : public ForwardingFileSystem {
public:
    using ForwardingFileSystem::ForwardingFileSystem;

    CopyResult copyFile(std::string_view source, std::string_view target, bool overwrite,
                        std::int64_t sourceOffset, CopyDurability durability) override {
        if (source.starts_with("F:") && !overwrite) {
            std::unique_lock lock(mutex_);
            const int ticket = ++arrived_;
            opened_.wait(lock, [&] { return !holding_ || passes_ >= ticket; });
        }
        return ForwardingFileSystem::copyFile(source, target, overwrite, sourceOffset, durability);
    }

    void hold() {
        std::lock_guard lock(mutex_);
        holding_ = true;
    }
    void letOneThrough() {
        std::lock_guard lock(mutex_);
        ++passes_;
        opened_.notify_all();
    }
    void letAllThrough() {
        std::lock_guard lock(mutex_);
        holding_ = false;
        opened_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool holding_ = false;
    int arrived_ = 0;
    int passes_ = 0;
};

}  // namespace qh::testing
