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

#include "support/temp_folder.h"

namespace qh {
namespace {

QString folderOf(const testing::TempFolder& folder) {
    return QString::fromStdString(folder.path().string());
}

TEST(SingleInstanceLock, ASecondHolderWaitsUntilTheFirstIsGone) {
    const testing::TempFolder folder;
    std::optional<LinuxSingleInstanceLock> first(std::in_place, folderOf(folder));
    LinuxSingleInstanceLock second(folderOf(folder));

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
    LinuxSingleInstanceLock slash(folderOf(folder));
    LinuxSingleInstanceLock backslash(folderOf(folder));
    EXPECT_TRUE(slash.tryAcquire("shop/lock"));
    EXPECT_TRUE(backslash.tryAcquire("shop\\lock"));

    const QString fileName = LinuxSingleInstanceLock::lockFileName("../青禾/lock");
    EXPECT_FALSE(fileName.contains('/'));
    EXPECT_TRUE(fileName.startsWith("lock-"));
}

TEST(SingleInstanceLock, ALockLeftByACrashedHolderIsTakenOver) {
    const testing::TempFolder folder;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Dies holding the lock: no destructor runs, the lock file stays.
        auto* lock = new LinuxSingleInstanceLock(folderOf(folder));
        ::_exit(lock->tryAcquire("qinghe") ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(
        QFile::exists(folderOf(folder) + "/" + LinuxSingleInstanceLock::lockFileName("qinghe")));

    LinuxSingleInstanceLock survivor(folderOf(folder));
    EXPECT_TRUE(survivor.tryAcquire("qinghe"));
}

TEST(SingleInstanceLock, LivesInTheRuntimeFolder) {
    const testing::TempFolder folder;
    const char* previous = ::getenv("XDG_RUNTIME_DIR");
    const std::optional<std::string> saved =
        previous ? std::optional<std::string>(previous) : std::nullopt;
    ::setenv("XDG_RUNTIME_DIR", folder.path().c_str(), 1);

    LinuxSingleInstanceLock lock;
    EXPECT_TRUE(lock.tryAcquire("qinghe"));
    EXPECT_TRUE(
        QFile::exists(folderOf(folder) + "/" + LinuxSingleInstanceLock::lockFileName("qinghe")));

    if (saved) {
        ::setenv("XDG_RUNTIME_DIR", saved->c_str(), 1);
    } else {
        ::unsetenv("XDG_RUNTIME_DIR");
    }
}

}  // namespace
}  // namespace qh
