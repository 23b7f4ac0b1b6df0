#pragma once
// A test of the input-method frameworks over private buses: one for fcitx5 (the session's), one
// for IBus (its own). Skipped where dbus-daemon is not installed.
#include <gtest/gtest.h>

#include "platform/input_method_bus_fakes.h"
#include "support/core_application.h"
#include "support/temp_folder.h"

namespace qh::testing {

// A stuck framework costs the window at most this long; a D-Bus call left at its default waits
// 25 s.
inline constexpr qint64 kWindowMayWaitMs = 1000;

class InputMethodBusTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!PrivateBus::daemonInstalled()) {
            GTEST_SKIP() << "dbus-daemon is not installed (apt-get install dbus-daemon): the "
                            "input-method tests over D-Bus are skipped";
        }
        ensureCoreApplication();
        registerFakeServiceTypes();
        ASSERT_TRUE(session_.start());
        ASSERT_TRUE(ibus_.start());
    }

    TempFolder folder_;
    PrivateBus session_{folder_.path() / "session"};
    PrivateBus ibus_{folder_.path() / "ibus"};
};

}  // namespace qh::testing
