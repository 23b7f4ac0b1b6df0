#include "support/test_volumes.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace qh::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using namespace std::chrono_literals;

constexpr std::uint64_t kMiB = 1 << 20;

std::uint64_t totalBytes(const fs::path& path) {
    struct statvfs st {};
    EXPECT_EQ(::statvfs(path.c_str(), &st), 0) << std::strerror(errno);
    return static_cast<std::uint64_t>(st.f_blocks) * st.f_frsize;
}

dev_t deviceOf(const fs::path& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path << ": " << std::strerror(errno);
    return st.st_dev;
}

// Writes until the volume refuses; returns the bytes taken and the refusal's errno (0 if none).
std::pair<std::uint64_t, int> writeUntilRefused(int fd, std::uint64_t bytes) {
    const std::string chunk(64 << 10, 'x');
    std::uint64_t written = 0;
    while (written < bytes) {
        const ssize_t n = ::write(fd, chunk.data(), chunk.size());
        if (n < 0) {
            return {written, errno};
        }
        written += static_cast<std::uint64_t>(n);
    }
    return {written, ::fsync(fd) == 0 ? 0 : errno};
}

// Content that differs at every 8 bytes and between files, so data that lands on top of other
// data cannot look the same.
std::string pattern(std::uint64_t file, std::size_t bytes) {
    std::string data(bytes, '\0');
    std::uint64_t state = (file + 1) * 0x9E3779B97F4A7C15ull;
    for (std::size_t at = 0; at + 8 <= bytes; at += 8) {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        std::memcpy(&data[at], &z, 8);
    }
    return data;
}

struct VolumeKind {
    const char* name;
    std::optional<std::string> (*unavailable)();
    std::function<std::unique_ptr<MountedVolume>()> make;
    std::uint64_t capacity;
};

void PrintTo(const VolumeKind& kind, std::ostream* out) {
    *out << kind.name;
}

const VolumeKind kKinds[] = {
    {"Tmpfs", &TmpfsVolume::unavailable, [] { return std::make_unique<TmpfsVolume>(kMiB); }, kMiB},
    {"LoopExt4", &LoopExt4Volume::unavailable,
     [] { return std::make_unique<LoopExt4Volume>(8 * kMiB); }, 8 * kMiB},
    {"FakeCapacityStick", &FakeCapacityStick::unavailable,
     [] { return std::make_unique<FakeCapacityStick>(4 * kMiB, 8 * kMiB); }, 8 * kMiB},
};

class VolumeTest : public ::testing::TestWithParam<VolumeKind> {
protected:
    void SetUp() override {
        if (auto why = GetParam().unavailable()) {
            GTEST_SKIP() << *why;
        }
    }
    std::unique_ptr<MountedVolume> make() const { return GetParam().make(); }
};

// The whole size takes writes, the file system's own share aside, and no more.
TEST_P(VolumeTest, RefusesAWriteOfTwiceItsSizeWithNoSpace) {
    const auto volume = make();
    const std::uint64_t capacity = GetParam().capacity;
    EXPECT_NE(deviceOf(volume->path()), deviceOf(volume->folder().parent_path()));
    EXPECT_LE(totalBytes(volume->path()), capacity);
    EXPECT_GE(totalBytes(volume->path()), capacity * 3 / 4);

    const int fd = ::open((volume->path() / "film.rmvb").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0) << std::strerror(errno);
    const auto [written, error] = writeUntilRefused(fd, 2 * capacity);
    ::close(fd);
    EXPECT_EQ(error, ENOSPC) << std::strerror(error);
    EXPECT_LE(written, capacity);
    EXPECT_GE(written, capacity * 3 / 4);
}

TEST_P(VolumeTest, ReadOnlyRemountRefusesWritesButStillReads) {
    const auto volume = make();
    const fs::path kept = volume->path() / "kept.mp3";
    {
        const int fd = ::open(kept.c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0) << std::strerror(errno);
        ASSERT_EQ(::write(fd, "song", 4), 4);
        ::close(fd);
    }

    volume->remountReadOnly();

    errno = 0;
    EXPECT_EQ(::open(kept.c_str(), O_WRONLY), -1);
    EXPECT_EQ(errno, EROFS) << std::strerror(errno);
    errno = 0;
    EXPECT_EQ(::open((volume->path() / "new.mp3").c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644), -1);
    EXPECT_EQ(errno, EROFS) << std::strerror(errno);
    errno = 0;
    EXPECT_EQ(::mkdir((volume->path() / "album").c_str(), 0755), -1);
    EXPECT_EQ(errno, EROFS) << std::strerror(errno);
    EXPECT_EQ(readBackFromDevice(kept), "song");
}

// As a stick pulled out mid-copy: the name leads elsewhere, the open copy writes on unseen.
TEST_P(VolumeTest, LazyUnmountHidesTheVolumeFromItsPathButNotFromOpenFiles) {
    const auto volume = make();
    const dev_t mounted = deviceOf(volume->path());
    const fs::path file = volume->path() / "copying.mp3";
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(fd, 0) << std::strerror(errno);

    volume->lazyUnmount();

    EXPECT_NE(deviceOf(volume->path()), mounted);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(::write(fd, "still", 5), 5) << std::strerror(errno);
    EXPECT_EQ(::fsync(fd), 0) << std::strerror(errno);
    struct stat st {};
    EXPECT_EQ(::fstat(fd, &st), 0);
    EXPECT_EQ(st.st_dev, mounted);
    char back[5] = {};
    EXPECT_EQ(::pread(fd, back, sizeof back, 0), 5);
    EXPECT_EQ(std::string(back, 5), "still");
    ::close(fd);
}

TEST_P(VolumeTest, AnImmutableFolderRefusesChangesToItsEntriesUntilReleased) {
    if (auto why = ImmutableFolder::unavailable()) {
        GTEST_SKIP() << *why;
    }
    const auto volume = make();
    const fs::path album = volume->path() / "album";
    fs::create_directory(album);
    std::ofstream(album / "a.mp3") << "a";
    std::ofstream(album / "d.mp3") << "d";

    struct Change {
        const char* what;
        std::function<int()> attempt;
    };
    const Change changes[] = {
        {"create", [&] { return ::open((album / "b.mp3").c_str(), O_WRONLY | O_CREAT, 0644); }},
        {"rename", [&] { return ::rename((album / "a.mp3").c_str(), (album / "c.mp3").c_str()); }},
        {"remove", [&] { return ::unlink((album / "d.mp3").c_str()); }},
        {"make a folder", [&] { return ::mkdir((album / "disc2").c_str(), 0755); }},
    };
    {
        ImmutableFolder guard(album);
        for (const auto& change : changes) {
            SCOPED_TRACE(change.what);
            errno = 0;
            EXPECT_EQ(change.attempt(), -1);
            EXPECT_EQ(errno, EPERM) << std::strerror(errno);
        }
    }
    for (const auto& change : changes) {
        SCOPED_TRACE(change.what);
        const int result = change.attempt();
        EXPECT_GE(result, 0) << std::strerror(errno);
        if (result >= 0 && std::string(change.what) == "create") {
            ::close(result);
        }
    }
    std::error_code error;
    fs::remove_all(album, error);
    EXPECT_FALSE(error) << error.message();
}

// A test that fails half-way must not leave a mount, loop device, folder or process behind.
TEST_P(VolumeTest, LeavesNothingBehindHoweverItEnds) {
    struct Ending {
        const char* what;
        std::function<void(MountedVolume&)> act;
    };
    const Ending endings[] = {
        {"mounted with a file on it",
         [](MountedVolume& v) { std::ofstream(v.path() / "a.mp3") << "a"; }},
        {"remounted read-only", [](MountedVolume& v) { v.remountReadOnly(); }},
        {"lazily unmounted", [](MountedVolume& v) { v.lazyUnmount(); }},
    };
    for (const auto& ending : endings) {
        SCOPED_TRACE(ending.what);
        fs::path folder;
        std::string device;
        {
            const auto volume = make();
            folder = volume->folder();
            device = volume->device();
            ending.act(*volume);
        }
        EXPECT_THAT(mountPointsUnder(folder), IsEmpty());
        EXPECT_FALSE(fs::exists(folder));
        if (!device.empty()) {
            // A test running beside this one may have taken the freed device number since: only
            // this volume's image must be gone from it.
            const fs::path backing =
                fs::path("/sys/block") / fs::path(device).filename() / "loop/backing_file";
            std::string image;
            std::getline(std::ifstream(backing), image);
            EXPECT_FALSE(image.starts_with(folder.string()))
                << device << " is still attached to " << image;
        }
        errno = 0;
        EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1) << "a child process is left";
        EXPECT_EQ(errno, ECHILD);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, VolumeTest, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

// A volume that cannot be set up says which step failed and undoes the steps before it.
TEST(VolumeSetUpTest, AFailedSetUpThrowsAndLeavesNothing) {
    struct Failure {
        const char* what;
        std::optional<std::string> (*unavailable)();
        std::function<void()> make;
        const char* step;
    };
    const Failure failures[] = {
        {"ext4 too small to format", &LoopExt4Volume::unavailable, [] { LoopExt4Volume(4096); },
         "mkfs.ext4"},
        {"fake stick too small to format", &FakeCapacityStick::unavailable,
         [] { FakeCapacityStick(4096, 8192); }, "mkfs.ext4"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.what);
        if (auto why = failure.unavailable()) {
            GTEST_SKIP() << *why;
        }
        // Its own temp folder, so what other tests make at the same time does not count.
        TempFolder temp;
        const char* const oldTemp = std::getenv("TMPDIR");
        const std::string restore = oldTemp != nullptr ? oldTemp : "";
        ::setenv("TMPDIR", temp.path().c_str(), 1);
        EXPECT_THAT(failure.make,
                    ::testing::ThrowsMessage<std::runtime_error>(HasSubstr(failure.step)));
        oldTemp != nullptr ? ::setenv("TMPDIR", restore.c_str(), 1) : ::unsetenv("TMPDIR");

        EXPECT_THAT(mountPointsUnder(temp.path()), IsEmpty());
        EXPECT_TRUE(fs::is_empty(temp.path()));
        errno = 0;
        EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1) << "a child process is left";
    }
}

struct ReadBack {
    std::vector<std::string> failures;  // every write, fsync or read that reported an error
    std::vector<std::string> changed;   // files that read back other than written
};

// Writes the files one after another, each made durable, then reads each back from the device.
ReadBack writeThenReadBack(const fs::path& folder, int files, std::size_t bytes) {
    ReadBack result;
    const auto name = [&](int i) { return folder / ("file" + std::to_string(i) + ".bin"); };
    for (int i = 0; i < files; ++i) {
        const std::string data = pattern(static_cast<std::uint64_t>(i), bytes);
        const int fd = ::open(name(i).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) {
            result.failures.push_back(name(i).string() + ": open: " + std::strerror(errno));
            continue;
        }
        for (std::size_t at = 0; at < data.size();) {
            const ssize_t n = ::write(fd, data.data() + at, data.size() - at);
            if (n <= 0) {
                result.failures.push_back(name(i).string() + ": write: " + std::strerror(errno));
                break;
            }
            at += static_cast<std::size_t>(n);
        }
        if (::fsync(fd) != 0) {
            result.failures.push_back(name(i).string() + ": fsync: " + std::strerror(errno));
        }
        if (::close(fd) != 0) {
            result.failures.push_back(name(i).string() + ": close: " + std::strerror(errno));
        }
    }
    for (int i = 0; i < files; ++i) {
        try {
            if (readBackFromDevice(name(i)) != pattern(static_cast<std::uint64_t>(i), bytes)) {
                result.changed.push_back(name(i).filename().string());
            }
        } catch (const std::exception& e) {
            result.failures.push_back(e.what());
        }
    }
    return result;
}

// Whether the device's bytes from `period` on repeat those before it, read past every cache.
bool deviceRepeatsAfter(const std::string& device, std::uint64_t period) {
    const int fd = ::open(device.c_str(), O_RDONLY | O_DIRECT | O_CLOEXEC);
    EXPECT_GE(fd, 0) << device << ": " << std::strerror(errno);
    constexpr std::size_t kChunk = 1 << 20;
    auto* low = static_cast<char*>(std::aligned_alloc(4096, kChunk));
    auto* high = static_cast<char*>(std::aligned_alloc(4096, kChunk));
    bool same = true;
    for (std::uint64_t at = 0; same && at < period; at += kChunk) {
        const auto size = static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, period - at));
        same = ::pread(fd, low, size, static_cast<off_t>(at)) == static_cast<ssize_t>(size) &&
               ::pread(fd, high, size, static_cast<off_t>(at + period)) ==
                   static_cast<ssize_t>(size) &&
               std::memcmp(low, high, size) == 0;
    }
    std::free(low);
    std::free(high);
    ::close(fd);
    return same;
}

std::uint64_t deviceBytes(const std::string& device) {
    const int fd = ::open(device.c_str(), O_RDONLY | O_CLOEXEC);
    EXPECT_GE(fd, 0) << device << ": " << std::strerror(errno);
    std::uint64_t bytes = 0;
    EXPECT_EQ(::ioctl(fd, BLKGETSIZE64, &bytes), 0) << std::strerror(errno);
    ::close(fd);
    return bytes;
}

// A stick that claims 48 MiB and holds 24 against an honest 48 MiB one: both show 48 MiB and
// take 40 MiB of files without an error; only the honest one gives every file back.
struct StickCase {
    const char* name;
    std::optional<std::string> (*unavailable)();
    std::function<std::unique_ptr<MountedVolume>()> make;
    bool lies;
};

void PrintTo(const StickCase& stick, std::ostream* out) {
    *out << stick.name;
}

constexpr std::uint64_t kClaimed = 48 * kMiB;
constexpr std::uint64_t kReal = 24 * kMiB;

const StickCase kSticks[] = {
    {"Honest", &LoopExt4Volume::unavailable,
     [] { return std::make_unique<LoopExt4Volume>(kClaimed); }, false},
    {"FakeCapacity", &FakeCapacityStick::unavailable,
     [] { return std::make_unique<FakeCapacityStick>(kReal, kClaimed); }, true},
};

class StickReadBackTest : public ::testing::TestWithParam<StickCase> {};

TEST_P(StickReadBackTest, EveryWriteSucceedsAndOnlyTheHonestStickGivesItAllBack) {
    const StickCase& stick = GetParam();
    if (auto why = stick.unavailable()) {
        GTEST_SKIP() << *why;
    }
    const auto volume = stick.make();
    EXPECT_EQ(deviceBytes(volume->device()), kClaimed);
    EXPECT_GT(totalBytes(volume->path()), kClaimed * 9 / 10);

    const ReadBack back = writeThenReadBack(volume->path(), 5, 8 * kMiB);

    EXPECT_THAT(back.failures, IsEmpty());
    if (stick.lies) {
        EXPECT_THAT(back.changed, Not(IsEmpty()));
    } else {
        EXPECT_THAT(back.changed, IsEmpty());
    }
    ::sync();
    EXPECT_EQ(deviceRepeatsAfter(volume->device(), kReal), stick.lies);
}

INSTANTIATE_TEST_SUITE_P(Sticks, StickReadBackTest, ::testing::ValuesIn(kSticks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RunProgramTest, ReturnsTheOutputAndThrowsOnFailureOrOverrun) {
    EXPECT_EQ(runProgram({"sh", "-c", "echo out; echo err >&2"}), "out\nerr\n");
    EXPECT_THAT(
        [] {
            runProgram({"sh", "-c", "echo why; exit 3"});
        },
        ::testing::ThrowsMessage<std::runtime_error>(HasSubstr("why")));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(runProgram({"sleep", "30"}, 200ms), std::runtime_error);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_THROW(runProgram({"qh-no-such-program"}), std::runtime_error);
}

}  // namespace
}  // namespace qh::testing
