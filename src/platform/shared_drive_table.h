#pragma once
// The drive table as every thread sees it: the window's thread replaces it when drives come and
// go, workers read a snapshot that stays whole for as long as they hold it.
#include <memory>
#include <mutex>

#include "platform/drive_table.h"

namespace qh {

class SharedDriveTable {
public:
    explicit SharedDriveTable(DriveTable table = {})
        : current_(std::make_shared<const DriveTable>(std::move(table))) {}

    std::shared_ptr<const DriveTable> snapshot() const {
        std::lock_guard lock(mutex_);
        return current_;
    }
    void replace(DriveTable table) {
        auto next = std::make_shared<const DriveTable>(std::move(table));
        std::lock_guard lock(mutex_);
        current_ = std::move(next);
    }

private:
    mutable std::mutex mutex_;
    std::shared_ptr<const DriveTable> current_;
};

}  // namespace qh
