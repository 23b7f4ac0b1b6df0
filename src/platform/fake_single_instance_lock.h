#pragma once
// The single-instance lock for tests: says whether another copy runs, and records the names
// asked for.
#include <string>
#include <string_view>
#include <vector>

#include "platform/single_instance_lock.h"

namespace qh {

class FakeSingleInstanceLock final : public SingleInstanceLock {
public:
    explicit FakeSingleInstanceLock(bool anotherCopyRuns = false)
        : anotherCopyRuns_(anotherCopyRuns) {}

    bool tryAcquire(std::string_view name) override {
        requestedNames_.emplace_back(name);
        return !anotherCopyRuns_;
    }

    const std::vector<std::string>& requestedNames() const { return requestedNames_; }

private:
    bool anotherCopyRuns_;
    std::vector<std::string> requestedNames_;
};

}  // namespace qh
