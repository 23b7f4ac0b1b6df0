#include "library/read_ahead_folder_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "library/walker.h"
#include "temp_drives.h"

namespace qh {
namespace {

using ::testing::Contains;
using ::testing::IsEmpty;
using ::testing::SizeIs;
using testing::TempDrives;
using testing::utf8;
namespace fs = std::filesystem;

// Passes everything through to the real reader from any thread, counting the folders opened,
// each once however often, and failing to open the sub-folders of one name, as a folder the
// walk may not read.
class CountingReader final : public FolderReader {
public:
    CountingReader(const FolderReader& inner, std::string unreadable = {})
        : inner_(inner), unreadable_(gbk(unreadable)) {}

    std::unique_ptr<OpenFolder> open(std::string_view folder,
                                     const NamePattern& pattern) const override {
        return opened(std::string(folder), inner_.open(folder, pattern));
    }

    int foldersOpened() const {
        std::lock_guard lock(mutex_);
        return static_cast<int>(opened_.size());
    }

private:
    struct Counted final : OpenFolder {
        Counted(std::unique_ptr<OpenFolder> inner, const CountingReader& reader, std::string path)
            : inner(std::move(inner)), reader(reader), path(std::move(path)) {}
        bool next(FolderEntry& entry) override { return inner->next(entry); }
        std::unique_ptr<OpenFolder> openSubfolder(std::string_view name) override {
            std::string subfolder = path + std::string(name) + '\\';
            if (name == reader.unreadable_) {
                return reader.opened(std::move(subfolder), nullptr);
            }
            return reader.opened(std::move(subfolder), inner->openSubfolder(name));
        }
        std::unique_ptr<OpenFolder> inner;
        const CountingReader& reader;
        std::string path;
    };

    std::unique_ptr<OpenFolder> opened(std::string path, std::unique_ptr<OpenFolder> open) const {
        {
            std::lock_guard lock(mutex_);
            opened_.insert(path);
        }
        return open ? std::make_unique<Counted>(std::move(open), *this, std::move(path)) : nullptr;
    }

    const FolderReader& inner_;
    std::string unreadable_;
    mutable std::mutex mutex_;
    mutable std::set<std::string> opened_;
};

class ReadAheadTest : public ::testing::Test {
protected:
    // Three levels of folders, four wide, a matching file at each and a few that do not match,
    // with the cases a walk must get right on the way: a folder it may not read, a hidden folder,
    // a link back up and an empty folder.
    ReadAheadTest() {
        for (int a = 0; a < 4; ++a) {
            const std::string first = "F:\\库\\" + std::to_string(a);
            drives.addFile(first + "\\月" + std::to_string(a) + ".mp3");
            for (int b = 0; b < 4; ++b) {
                const std::string second = first + "\\" + std::to_string(b);
                drives.addFile(second + "\\月.mp3");
                drives.addFile(second + "\\x.mp3");
                for (int c = 0; c < 4; ++c) {
                    drives.addFile(second + "\\" + std::to_string(c) + "\\月亮.wma");
                }
            }
        }
        drives.addFile("F:\\库\\1\\坏\\月.mp3");
        drives.addFile("F:\\库\\2\\.隐藏\\月.mp3");
        drives.addFolder("F:\\库\\3\\空");
        fs::create_directory_symlink("..", drives.hostPath("F:\\库\\0\\0\\环"));
    }

    std::vector<std::string> walk(const FolderReader& reader, std::string_view pattern,
                                  std::stop_token stop = {}) const {
        struct Sink final : WalkSink {
            void found(std::string path) override { paths.push_back(std::move(path)); }
            std::vector<std::string> paths;
        } sink;
        WalkFiles(reader, gbk("F:\\库\\"), gbk(pattern), sink, stop);
        return utf8(sink.paths);
    }

    TempDrives drives;
    const CountingReader plain{drives.reader(), "坏"};
};

TEST_F(ReadAheadTest, FindsWhatThePlainWalkFindsInTheSameOrder) {
    const std::vector<std::string> expected = walk(plain, "*月*");
    ASSERT_THAT(expected, SizeIs(4 + 16 + 64));
    const std::vector<std::string> expectedFolders = utf8(ListSubfolders(plain, gbk("F:\\库\\")));
    const struct {
        const char* name;
        ReadAheadLimits limits;
    } cases[] = {
        {"one folder ahead", {1, 1}},
        {"a few folders ahead", {3, 1000}},
        {"few entries ahead", {100, 2}},
        {"default", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (int round = 0; round < 20; ++round) {
            const ReadAheadFolderReader readAhead(plain, {}, c.limits);
            ASSERT_EQ(walk(readAhead, "*月*"), expected);
            ASSERT_EQ(utf8(ListSubfolders(readAhead, gbk("F:\\库\\"))), expectedFolders);
        }
    }
}

TEST_F(ReadAheadTest, StaysWithinItsLimitsAheadOfTheWalk) {
    // Each folder of the tree holds one match, so the n-th path found lies in about the n-th
    // folder of the walk: the folders opened by then are those plus the ones read ahead.
    const int folders = 1 + 4 + 16 + 64;
    for (const std::size_t limit : {1, 4}) {
        SCOPED_TRACE(limit);
        const CountingReader counting(drives.reader());
        const ReadAheadFolderReader readAhead(counting, {}, {limit, 1000});
        struct Sink final : WalkSink {
            explicit Sink(const CountingReader& reader) : reader(reader) {}
            void found(std::string) override {
                ++paths;
                mostAhead = std::max(mostAhead, reader.foldersOpened() - paths);
            }
            const CountingReader& reader;
            int paths = 0;
            int mostAhead = 0;
        } sink(counting);
        WalkFiles(readAhead, gbk("F:\\库\\"), gbk("*月*"), sink);
        // Those read ahead, the one each thread is reading, and the three folders without a
        // match.
        EXPECT_LE(sink.mostAhead, static_cast<int>(limit) + 2 + 3);
        EXPECT_GE(counting.foldersOpened(), folders);
    }
}

TEST_F(ReadAheadTest, AStoppedWalkStopsReadingAhead) {
    const CountingReader counting(drives.reader());
    std::stop_source stop;
    const ReadAheadFolderReader readAhead(counting, stop.get_token(), {4, 1000});
    struct Sink final : WalkSink {
        explicit Sink(std::stop_source& stop) : stop(stop) {}
        void found(std::string path) override {
            paths.push_back(std::move(path));
            stop.request_stop();
        }
        std::stop_source& stop;
        std::vector<std::string> paths;
    } sink(stop);
    WalkFiles(readAhead, gbk("F:\\库\\"), gbk("*月*"), sink, stop.get_token());
    EXPECT_EQ(utf8(sink.paths), std::vector<std::string>(1, walk(plain, "*月*").front()));
    // The root, the folder of the match, those read ahead and the one in hand; the walk has
    // returned, so the helper has ended and reads nothing more.
    const int opened = counting.foldersOpened();
    EXPECT_LE(opened, 2 + 4 + 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(counting.foldersOpened(), opened);
}

TEST_F(ReadAheadTest, AnySubfolderOpensOutOfWalkOrder) {
    const ReadAheadFolderReader readAhead(plain, {});
    const NamePattern pattern(gbk("*.*"));
    const auto root = readAhead.open(gbk("F:\\库\\2\\"), pattern);
    ASSERT_NE(root, nullptr);
    FolderEntry entry;
    while (root->next(entry)) {
    }
    // The hidden folder is never entered by a walk, and "3" comes after "0" to "2" in any order.
    for (const char* name : {".隐藏", "3", "0"}) {
        SCOPED_TRACE(name);
        const auto folder = root->openSubfolder(gbk(name));
        ASSERT_NE(folder, nullptr);
        std::vector<std::string> names;
        while (folder->next(entry)) {
            names.push_back(entry.name);
        }
        EXPECT_THAT(utf8(names), Contains("月.mp3"));
    }
    EXPECT_EQ(root->openSubfolder(gbk("没有")), nullptr);
}

TEST_F(ReadAheadTest, AMissingFolderOpensNothing) {
    const ReadAheadFolderReader readAhead(plain, {});
    const NamePattern pattern(gbk("*.*"));
    EXPECT_EQ(readAhead.open(gbk("F:\\没有\\"), pattern), nullptr);
    EXPECT_EQ(readAhead.open(gbk("Q:\\库\\"), pattern), nullptr);
    EXPECT_THAT(walk(ReadAheadFolderReader(plain, {}), ""), IsEmpty());
}

}  // namespace
}  // namespace qh
