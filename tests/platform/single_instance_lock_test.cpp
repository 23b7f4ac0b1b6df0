#include "platform/single_instance_lock_linux.h"

#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QFile>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "support/scoped_environment.h"
#include "support/temp_folder.h"

namespace qh {
namespace {

using testing::ScopedEnvironment;

QString folderOf(const testing::TempFolder& folder) {
    return QString::fromStdString(folder.path().string());
}

TEST(SingleInstanceLock, ASecondHolderWaitsUntilTheFirstIsGone) {
    const testing::TempFolder folder;
    std::optional<LinuxSingleInstanceLock> first(std::in_place, folder.path());
    LinuxSingleInstanceLock second(folder.path());

    ASSERT_TRUE(first->tryAcquire("青禾点唱"));
    EXPECT_TRUE(first->tryAcquire("青禾点唱"));
    EXPECT_FALSE(second.tryAcquire("青禾点唱"));
    // The shop runs the program for days: an old lock of a live holder still holds.
    const auto lockFile =
        folder.path() / LinuxSingleInstanceLock::lockFileName("青禾点唱").toStdString();
    std::filesystem::last_write_time(
        lockFile, std::filesystem::file_time_type::clock::now() - std::chrono::hours(72));
    EXPECT_FALSE(second.tryAcquire("青禾点唱"));
    first.reset();
    EXPECT_TRUE(second.tryAcquire("青禾点唱"));
}

// Names that differ only in characters the file name cannot show readably still get their
// own lock.
TEST(SingleInstanceLock, DifferentNamesAreDifferentLocks) {
    const testing::TempFolder folder;
    LinuxSingleInstanceLock slash(folder.path());
    LinuxSingleInstanceLock backslash(folder.path());
    EXPECT_TRUE(slash.tryAcquire("shop/lock"));
    EXPECT_TRUE(backslash.tryAcquire("shop\\lock"));

    const QString fileName = LinuxSingleInstanceLock::lockFileName("../青禾/lock");
    EXPECT_FALSE(fileName.contains('/'));
    EXPECT_TRUE(fileName.startsWith(".lock-"));
}

TEST(SingleInstanceLock, ALockLeftByACrashedHolderIsTakenOver) {
    const testing::TempFolder folder;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Dies holding the lock: no destructor runs, the lock file stays.
        auto* lock = new LinuxSingleInstanceLock(folder.path());
        ::_exit(lock->tryAcquire("qinghe") ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(
        QFile::exists(folderOf(folder) + "/" + LinuxSingleInstanceLock::lockFileName("qinghe")));

    LinuxSingleInstanceLock survivor(folder.path());
    EXPECT_TRUE(survivor.tryAcquire("qinghe"));
}

// Two starts on one data folder from different environments (another desktop session, another
// user) would overwrite each other's lists; two shop folders are two shops.
TEST(SingleInstanceLock, OneProgramPerDataFolderWhateverTheEnvironment) {
    const testing::TempFolder shop;
    const testing::TempFolder runtimeA;
    const testing::TempFolder runtimeB;
    std::filesystem::create_directories(shop.path() / "one");
    std::filesystem::create_directories(shop.path() / "two");

    std::optional<ScopedEnvironment> environment(std::in_place, "XDG_RUNTIME_DIR",
                                                 runtimeA.path().string());
    LinuxSingleInstanceLock first(shop.path() / "one");
    ASSERT_TRUE(first.tryAcquire("qinghe"));
    EXPECT_TRUE(std::filesystem::exists(
        shop.path() / "one" / LinuxSingleInstanceLock::lockFileName("qinghe").toStdString()));

    environment.emplace("XDG_RUNTIME_DIR", runtimeB.path().string());
    LinuxSingleInstanceLock sameFolder(shop.path() / "one");
    EXPECT_FALSE(sameFolder.tryAcquire("qinghe"));
    LinuxSingleInstanceLock otherShop(shop.path() / "two");
    EXPECT_TRUE(otherShop.tryAcquire("qinghe"));
}

// A data folder that may not be written still keeps a second copy out, through a lock of its
// own in the runtime folder.
TEST(SingleInstanceLock, AnUnwritableDataFolderLocksInTheRuntimeFolder) {
    const testing::TempFolder runtime;
    const std::filesystem::path missing = runtime.path() / "no-such-folder";
    LinuxSingleInstanceLock first(missing, folderOf(runtime));
    LinuxSingleInstanceLock second(missing, folderOf(runtime));
    LinuxSingleInstanceLock elsewhere(runtime.path() / "another-missing-folder", folderOf(runtime));

    ASSERT_TRUE(first.tryAcquire("qinghe"));
    EXPECT_TRUE(first.lockFilePath("qinghe").startsWith(folderOf(runtime)));
    EXPECT_FALSE(second.tryAcquire("qinghe"));
    EXPECT_TRUE(elsewhere.tryAcquire("qinghe"));
}

}  // namespace
}  // namespace qh
