// The rules every MediaDevice keeps, run against the Qt Multimedia device on real files and
// against the fake that the player's tests use, so the fake cannot drift from the real thing.
// The real device plays in real time; the fake's time is moved by the test, as the player's
// own tests move it.
#include <gtest/gtest.h>
#include <QTest>

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "media/tone_wav.h"
#include "platform/fake_media_device.h"
#include "platform/qt_media_device.h"
#include "support/core_application.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"

namespace qh {
namespace {

using testing::TempFolder;

// Made before the device, which needs Qt's event machinery.
struct EventLoop {
    EventLoop() { testing::ensureCoreApplication(); }
};

struct RealDevice {
    void markUnplayable(const std::filesystem::path&) {}
    void giveLength(const std::filesystem::path&, std::int64_t) {}
    void letTimePass(int milliseconds) { QTest::qWait(milliseconds); }
    template <typename Condition>
    bool waitUntil(Condition condition, int milliseconds = 5000) {
        return testing::waitFor(condition, milliseconds);
    }
    bool unavailable() { return !device.available(); }

    EventLoop eventLoop;
    QtMediaDevice device;
};

// Plays as a device does: the position runs while playing and stops at the file's end.
struct SimulatedDevice {
    void markUnplayable(const std::filesystem::path& file) { device.failing.insert(file); }
    void giveLength(const std::filesystem::path& file, std::int64_t milliseconds) {
        device.lengths[file] = milliseconds;
    }
    void letTimePass(int milliseconds) {
        if (!device.playing) {
            return;
        }
        auto& now = device.current;
        now.position = std::min(now.position + milliseconds, now.length);
        if (now.position == now.length) {
            now.ended = true;
            device.playing = false;
        }
    }
    template <typename Condition>
    bool waitUntil(Condition condition, int milliseconds = 5000) {
        for (int passed = 0; !condition(); passed += 10) {
            if (passed >= milliseconds) {
                return false;
            }
            letTimePass(10);
        }
        return true;
    }
    bool unavailable() { return false; }

    FakeMediaDevice device;
};

template <typename Device>
class MediaDeviceContract : public ::testing::Test {
protected:
    void SetUp() override {
        if (real.unavailable()) {
            GTEST_SKIP() << "Qt Multimedia has no backend here (install the GStreamer plugins)";
        }
        real.giveLength(twoSeconds, 2000);
        real.markUnplayable(notSound);
        real.markUnplayable(missing);
    }

    MediaDevice& device() { return real.device; }
    MediaStatus now() { return real.device.status(); }
    template <typename Condition>
    bool waitUntil(Condition condition, int milliseconds = 5000) {
        return real.waitUntil(condition, milliseconds);
    }
    bool lengthKnown() {
        return waitUntil([&] { return now().length > 0 || now().failed; });
    }

    TempFolder folder;
    const std::filesystem::path twoSeconds =
        folder.write("two seconds.wav", makeToneWav({{440, 440, 1000}, {660, 660, 1000}}));
    const std::filesystem::path notSound = folder.write("notes.mp3", std::string(4000, 'x'));
    const std::filesystem::path missing = folder.path() / "gone.mp3";
    Device real;
};

using Devices = ::testing::Types<RealDevice, SimulatedDevice>;
class DeviceNames {
public:
    template <typename T>
    static std::string GetName(int) {
        return std::is_same_v<T, RealDevice> ? "Qt" : "Fake";
    }
};
TYPED_TEST_SUITE(MediaDeviceContract, Devices, DeviceNames);

TYPED_TEST(MediaDeviceContract, PlaysPausesResumesSeeksEndsAndStops) {
    this->device().openAndPlay(this->twoSeconds);
    ASSERT_TRUE(this->lengthKnown());
    EXPECT_FALSE(this->now().failed);
    EXPECT_NEAR(this->now().length, 2000, 50);

    ASSERT_TRUE(this->waitUntil([&] { return this->now().position >= 300; }))
        << "the position does not run while playing";

    this->device().pause();
    this->real.letTimePass(100);
    const auto pausedAt = this->now().position;
    this->real.letTimePass(400);
    EXPECT_NEAR(this->now().position, pausedAt, 30) << "the position runs while paused";

    this->device().resume();
    EXPECT_TRUE(this->waitUntil([&] { return this->now().position > pausedAt + 200; }))
        << "resume does not play on";

    this->device().seek(1500);
    ASSERT_TRUE(this->waitUntil([&] { return this->now().position >= 1450; }));
    EXPECT_LE(this->now().position, 1800) << "seeking does not land near 1500 ms";

    ASSERT_TRUE(this->waitUntil([&] { return this->now().ended; }))
        << "playing to the end is not reported";
    EXPECT_FALSE(this->now().failed);

    this->device().stop();
    EXPECT_TRUE(this->waitUntil([&] { return this->now().position == 0 && !this->now().ended; }));
    EXPECT_NEAR(this->now().length, 2000, 50) << "stop closed the file";

    // The file stays open: it plays again from the start.
    this->device().resume();
    EXPECT_TRUE(this->waitUntil([&] { return this->now().position >= 200; }));
    EXPECT_LT(this->now().position, 1500);
    EXPECT_FALSE(this->now().ended);
}

TYPED_TEST(MediaDeviceContract, OpeningAgainPlaysFromTheStartAfterTheEnd) {
    this->device().openAndPlay(this->twoSeconds);
    ASSERT_TRUE(this->lengthKnown());
    this->device().seek(1800);
    ASSERT_TRUE(this->waitUntil([&] { return this->now().ended; }));

    // As the playlist repeats its only entry.
    this->device().openAndPlay(this->twoSeconds);
    EXPECT_FALSE(this->now().ended);
    ASSERT_TRUE(this->waitUntil([&] { return this->now().position >= 200; }));
    EXPECT_LT(this->now().position, 1500);
    EXPECT_FALSE(this->now().ended);
    EXPECT_FALSE(this->now().failed);
}

TYPED_TEST(MediaDeviceContract, AFileThatCannotPlayFailsAndNeverEnds) {
    const struct {
        const char* name;
        std::filesystem::path file;
    } cases[] = {
        {"a text file named .mp3", this->notSound},
        {"a missing file", this->missing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Opened over a file that plays, whose state must not carry over.
        this->device().openAndPlay(this->twoSeconds);
        ASSERT_TRUE(this->waitUntil([&] { return this->now().position >= 100; }));

        this->device().openAndPlay(c.file);
        ASSERT_TRUE(this->waitUntil([&] { return this->now().failed; }, 3000));
        this->real.letTimePass(500);
        EXPECT_TRUE(this->now().failed);
        EXPECT_FALSE(this->now().ended);
        EXPECT_EQ(this->now().length, 0);

        // The next file starts without the failure.
        this->device().openAndPlay(this->twoSeconds);
        EXPECT_FALSE(this->now().failed);
        ASSERT_TRUE(this->waitUntil([&] { return this->now().position >= 100; }));
        EXPECT_FALSE(this->now().failed);
    }
}

}  // namespace
}  // namespace qh
