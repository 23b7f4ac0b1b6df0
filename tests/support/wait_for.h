#pragma once
// Lets the event loop run until a condition holds, so window tests do not depend on how busy
// the machine is. False when it did not hold within the time.
#include <QDeadlineTimer>
#include <QTest>

namespace qh::testing {

template <typename Condition>
bool waitFor(Condition condition, int milliseconds = 5000) {
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QTest::qWait(5);
    }
    return true;
}

}  // namespace qh::testing
