#include "platform/grouped_flush_copy_batch_linux.h"

#include <sys/mount.h>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "support/file_result_printers.h"
#include "support/temp_folder.h"

namespace qh {
namespace {

namespace fs = std::filesystem;

constexpr CopyGroupLimits kNoLimits{INT64_MAX, SIZE_MAX};

// The batch on host paths, as LinuxFileSystem gives them after the drive table; the target's
// drive is the folder `drive`.
GroupedFlushCopyBatch::ResolveCopy hostPaths(const fs::path& drive = "/") {
    return [drive](std::string_view source, std::string_view target) {
        return CopyEnds{
            .source = fs::path(source), .target = fs::path(target), .targetDrive = drive};
    };
}

FileStatus flushNothing(std::string_view) {
    return FileStatus::ok();
}

// Each copy's result, by copy number.
struct Results {
    CopyBatch::Report report() {
        return [this](std::size_t copy, CopyResult result) { byCopy.emplace(copy, result); };
    }
    std::map<std::size_t, CopyResult> byCopy;
};

// Every entry of the folder, hidden ones too.
std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

std::set<std::string> visibleNamesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& name : namesIn(folder)) {
        if (!name.starts_with(".")) {
            names.insert(name);
        }
    }
    return names;
}

struct GroupCase {
    const char* what;
    CopyGroupLimits sameDisk;
    std::vector<std::size_t> namedAfter;  // how many copies have their names after each copy
};

void PrintTo(const GroupCase& c, std::ostream* out) {
    *out << c.what;
}

class CopyGroupTest : public ::testing::TestWithParam<GroupCase> {};

// A copy takes its name only when its group is written out, and the copies of a group stay
// hidden until then; the groups onto the disk the copies are read from follow its own limits.
TEST_P(CopyGroupTest, CopiesAreNamedAGroupAtATime) {
    const GroupCase& group = GetParam();
    testing::TempFolder folder;
    const fs::path out = folder.path() / "out";
    fs::create_directory(out);
    Results results;
    GroupedFlushCopyBatch batch(hostPaths(), flushNothing, results.report(), group.sameDisk,
                                {1, 1});

    std::set<std::string> copied;
    for (std::size_t i = 0; i < group.namedAfter.size(); ++i) {
        const std::string name = "s" + std::to_string(i) + ".mp3";
        testing::writeFile(folder.path() / "lib" / name, "song" + std::to_string(i));
        batch.copyFile((folder.path() / "lib" / name).string(), (out / name).string(), false);
        copied.insert(name);
        EXPECT_EQ(visibleNamesIn(out).size(), group.namedAfter[i]) << "after copy " << i;
        EXPECT_EQ(namesIn(out).size(), i + 1) << "after copy " << i;
    }
    batch.finish();

    EXPECT_EQ(namesIn(out), copied);
    for (std::size_t i = 0; i < group.namedAfter.size(); ++i) {
        EXPECT_EQ(testing::readFile(out / ("s" + std::to_string(i) + ".mp3")),
                  "song" + std::to_string(i));
        EXPECT_EQ(results.byCopy.at(i), CopyResult::copied()) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, CopyGroupTest,
    ::testing::Values(GroupCase{"one_copy_a_group", {INT64_MAX, 1}, {1, 2, 3}},
                      GroupCase{"three_copies_a_group", {INT64_MAX, 3}, {0, 0, 3, 3, 3, 6, 6}},
                      // Five bytes a copy: the group is full at the third copy.
                      GroupCase{"eleven_bytes_a_group", {11, SIZE_MAX}, {0, 0, 3, 3, 3, 6}},
                      // More copies than a group onto another disk may hold.
                      GroupCase{"no_limits", kNoLimits,
                                std::vector<std::size_t>(kOtherDiskCopyGroup.copies + 4, 0)}),
    [](const auto& info) { return std::string(info.param.what); });

// A group onto the disk it is read from may hold more copies than the process may keep open.
TEST(CopyBatchTest, AGroupHoldsMoreCopiesThanOpenDescriptors) {
    testing::TempFolder folder;
    const fs::path out = folder.path() / "out";
    fs::create_directory(out);
    constexpr int kCopies = 200;
    for (int i = 0; i < kCopies; ++i) {
        testing::writeFile(folder.path() / "lib" / (std::to_string(i) + ".mp3"), std::to_string(i));
    }
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &before), 0);
    rlimit few = before;
    few.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &few), 0);
    {
        Results results;
        GroupedFlushCopyBatch batch(hostPaths(), flushNothing, results.report(), kNoLimits);
        for (int i = 0; i < kCopies; ++i) {
            const std::string name = std::to_string(i) + ".mp3";
            batch.copyFile((folder.path() / "lib" / name).string(), (out / name).string(), false);
        }
    }
    ::setrlimit(RLIMIT_NOFILE, &before);

    EXPECT_EQ(visibleNamesIn(out).size(), static_cast<std::size_t>(kCopies));
    EXPECT_EQ(namesIn(out).size(), static_cast<std::size_t>(kCopies));
    EXPECT_EQ(testing::readFile(out / "123.mp3"), "123");
}

// A tmpfs is a disk of its own: copies onto it from the temporary folder's disk go in the
// small groups meant for a customer's disk.
TEST(CopyBatchTest, CopiesOntoAnotherDiskFollowItsLimits) {
    testing::TempFolder folder;
    const fs::path stick = folder.path() / "stick";
    fs::create_directory(stick);
    if (::mount("tmpfs", stick.c_str(), "tmpfs", 0, "size=1m") != 0) {
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    }
    {
        Results results;
        GroupedFlushCopyBatch batch(hostPaths(), flushNothing, results.report(), kNoLimits,
                                    {INT64_MAX, 2});
        for (int i = 0; i < 3; ++i) {
            const std::string name = std::to_string(i) + ".mp3";
            testing::writeFile(folder.path() / "lib" / name, "abc");
            batch.copyFile((folder.path() / "lib" / name).string(), (stick / name).string(), false);
        }
        EXPECT_EQ(visibleNamesIn(stick), (std::set<std::string>{"0.mp3", "1.mp3"}));
        batch.finish();
        EXPECT_EQ(visibleNamesIn(stick), (std::set<std::string>{"0.mp3", "1.mp3", "2.mp3"}));
    }
    ::umount2(stick.c_str(), MNT_DETACH);
}

// A copy whose temporary file went (the clerk emptied the folder) is passed over; the rest of
// its group is named.
TEST(CopyBatchTest, ACopyGoneBeforeItsGroupIsNamedIsPassedOver) {
    testing::TempFolder folder;
    const fs::path out = folder.path() / "out";
    fs::create_directory(out);
    testing::writeFile(folder.path() / "a.mp3", "a");
    testing::writeFile(folder.path() / "b.mp3", "b");
    Results results;
    GroupedFlushCopyBatch batch(hostPaths(), flushNothing, results.report(), kNoLimits);
    batch.copyFile((folder.path() / "a.mp3").string(), (out / "a.mp3").string(), false);
    for (const auto& name : namesIn(out)) {
        fs::remove(out / name);
    }
    batch.copyFile((folder.path() / "b.mp3").string(), (out / "b.mp3").string(), false);
    batch.finish();

    EXPECT_EQ(namesIn(out), (std::set<std::string>{"b.mp3"}));
    EXPECT_FALSE(results.byCopy.at(0).arrived());
    EXPECT_EQ(results.byCopy.at(1), CopyResult::copied());
}

// A stick pulled out (a lazy unmount) while its copies wait for their names: they are not named
// on the volume nobody can reach any more, and later copies meant for it are not written into
// the empty folder it leaves behind on the shop's own disk.
TEST(CopyBatchTest, ADiskPulledOutBeforeItsGroupIsNamedFailsItsCopies) {
    testing::TempFolder folder;
    const fs::path stick = folder.path() / "stick";
    fs::create_directory(stick);
    if (::mount("tmpfs", stick.c_str(), "tmpfs", 0, "size=4m") != 0) {
        GTEST_SKIP() << "needs root: mounts a tmpfs as the customer's stick";
    }
    testing::writeFile(folder.path() / "a.mp3", "a");
    testing::writeFile(folder.path() / "b.mp3", "b");
    // The stick is S:, as the drive table would give it.
    const auto onStick = [&](std::string_view source, std::string_view target) {
        return CopyEnds{.source = fs::path(source),
                        .target = stick / std::string(target.substr(3)),
                        .targetDrive = stick};
    };
    Results results;
    GroupedFlushCopyBatch batch(onStick, flushNothing, results.report(), kNoLimits, kNoLimits);
    batch.copyFile((folder.path() / "a.mp3").string(), "S:\\a.mp3", false);
    ASSERT_EQ(::umount2(stick.c_str(), MNT_DETACH), 0);
    batch.copyFile((folder.path() / "b.mp3").string(), "S:\\b.mp3", false);
    batch.finish();

    EXPECT_EQ(results.byCopy.at(0), CopyResult::failed(FileFault::DiskGone));
    EXPECT_EQ(results.byCopy.at(1), CopyResult::failed(FileFault::DiskGone));
    EXPECT_TRUE(namesIn(stick).empty());
    // Its folder cannot be flushed: the stick is gone, not a folder missing. Another stick in
    // the same place is not the one the batch wrote to either.
    EXPECT_EQ(batch.flushFolder("S:\\"), FileStatus::failed(FileFault::DiskGone));
    ASSERT_EQ(::mount("tmpfs", stick.c_str(), "tmpfs", 0, "size=4m"), 0);
    EXPECT_EQ(batch.flushFolder("S:\\"), FileStatus::failed(FileFault::DiskGone));
    ::umount2(stick.c_str(), MNT_DETACH);
}

}  // namespace
}  // namespace qh
