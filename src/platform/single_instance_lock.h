#pragma once
// The system-wide named lock that keeps a second copy of the program from running.
#include <string_view>

namespace qh {

class SingleInstanceLock {
public:
    virtual ~SingleInstanceLock() = default;
    // True when this process now holds the lock of that name; false when another holds it.
    // The lock is held until the object is destroyed or the process ends, a crash included.
    virtual bool tryAcquire(std::string_view name) = 0;
};

}  // namespace qh
