#include "platform/mount_watcher_linux.h"

#include <sys/mount.h>

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <algorithm>

namespace qh {
namespace {

// Mounting needs root, as the shop's machine does it; elsewhere the test is skipped.
class MountWatcherTest : public ::testing::Test {
protected:
    MountWatcherTest() {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "qinghe-test";
            static char* argv[] = {name, nullptr};
            new QCoreApplication(argc, argv);
        }
        std::string pattern = "/media/qh-stick-XXXXXX";
        std::filesystem::create_directories("/media");
        if (::mkdtemp(pattern.data()) != nullptr) {
            folder_ = pattern;
        }
    }
    ~MountWatcherTest() override {
        ::umount2(folder_.c_str(), MNT_DETACH);
        std::error_code ignored;
        std::filesystem::remove(folder_, ignored);
    }

    static bool waitFor(const std::function<bool()>& condition) {
        QDeadlineTimer deadline(5000);
        while (!condition() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return condition();
    }

    std::filesystem::path folder_;
};

TEST_F(MountWatcherTest, SeesAStickPluggedInAndPulledOut) {
    if (folder_.empty()) {
        GTEST_SKIP() << "no folder under /media";
    }
    MountWatcher watcher;
    // Other volumes may come and go meanwhile (another test's stick, say): only this folder's
    // changes count.
    int added = 0;
    int removed = 0;
    QObject::connect(&watcher, &MountWatcher::mountsChanged, [&](const MountChanges& changes) {
        const auto here = [&](const MountEntry& mount) { return mount.mountPoint == folder_; };
        added += static_cast<int>(std::ranges::count_if(changes.added, here));
        removed += static_cast<int>(std::ranges::count_if(changes.removed, here));
    });
    if (::mount("qh-stick", folder_.c_str(), "tmpfs", 0, "size=16m") != 0) {
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    }
    ASSERT_TRUE(waitFor([&] { return added > 0; }));
    EXPECT_EQ(added, 1);
    EXPECT_EQ(removed, 0);

    ASSERT_EQ(::umount2(folder_.c_str(), 0), 0);
    ASSERT_TRUE(waitFor([&] { return removed > 0; }));
    EXPECT_EQ(added, 1);
    EXPECT_EQ(removed, 1);
}

}  // namespace
}  // namespace qh
