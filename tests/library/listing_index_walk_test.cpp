// Walks through the listing index against walks of the disk itself, on real folders changed
// between searches: the rows and their order must be the walk's, whatever changed.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "library/read_ahead_folder_reader.h"
#include "library/walker.h"
#include "platform/folder_reader_linux.h"
#include "platform/listing_index.h"
#include "platform/listing_index_keeper.h"
#include "support/temp_folder.h"
#include "support/test_volumes.h"
#include "text/gbk.h"

namespace qh {
namespace {

namespace fs = std::filesystem;

std::int64_t changeTimeNs(const fs::path& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        return 0;
    }
    return status.st_ctim.tv_sec * 1'000'000'000LL + status.st_ctim.tv_nsec;
}

// Until the file system's clock has moved past every change time the last walk recorded: the
// next change of any folder then gives it a later one. (Within one tick it may not: that case has
// a test of its own.)
void waitForTheNextTick(const fs::path& probe) {
    testing::writeFile(probe, "x");
    const std::int64_t recorded = changeTimeNs(probe);
    while (changeTimeNs(probe) <= recorded) {
        testing::writeFile(probe, "x");
    }
}

std::vector<std::string> walk(const FolderReader& reader, std::string_view pattern) {
    std::vector<std::string> rows;
    const ReadAheadFolderReader readAhead(reader, {}, {4, 64});
    WalkFiles(readAhead, R"(F:\)", pattern, rows);
    return rows;
}

// Without reading ahead, each folder is opened once: the index's counts are the folders'.
std::vector<std::string> walkAlone(const FolderReader& reader, std::string_view pattern) {
    std::vector<std::string> rows;
    WalkFiles(reader, R"(F:\)", pattern, rows);
    return rows;
}

// A library tree changed at random: files and folders added, deleted, renamed and moved, names
// hidden and shown, links, names that are not UTF-8, a file put where a folder was, the drive's
// folder swapped for another tree and the letter set to a third.
class ChangingLibrary {
public:
    // Three trees of mostly the same names: after a swap, most paths name a folder of the other
    // disk that changed before the walks read this one's, so only its stamp can tell them apart.
    explicit ChangingLibrary(std::uint32_t seed) : random_(seed) {
        const fs::path first = root_.path() / "one";
        fs::create_directories(first);
        for (int i = 0; i < 40; ++i) {
            change(first);
        }
        for (const auto* tree : {"two", "three"}) {
            fs::copy(first, root_.path() / tree,
                     fs::copy_options::recursive | fs::copy_options::copy_symlinks);
            for (int i = 0; i < 3; ++i) {
                change(root_.path() / tree);
            }
        }
        mapDrive("one");
    }

    const SharedDriveTable& drives() const { return drives_; }
    fs::path probe() const { return root_.path() / "probe"; }

    // One change somewhere in the tree the drive shows now (or of the drive itself).
    std::string changeOnce() { return change(driveFolder_, true); }

private:
    void mapDrive(const std::string& tree) {
        driveFolder_ = root_.path() / tree;
        DriveTable table;
        table.set({'F', driveFolder_, DriveType::Fixed});
        drives_.replace(table);
    }

    std::size_t pick(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
    }

    std::string name() {
        static const std::vector<std::string> stems = {"a",       "月亮",   "b月",      "song",
                                                       ".hidden", "月光曲", "\xff\xfe", "ab\x80",
                                                       "Moon",    "x y",    "晚安"};
        static const std::vector<std::string> endings = {".mp3", ".MP3", ".txt", "", ".a.mp3"};
        return stems[pick(stems.size())] + std::to_string(pick(30)) + endings[pick(endings.size())];
    }

    // Every folder below `top` the walk could enter, `top` first (links and hidden ones too).
    std::vector<fs::path> folders(const fs::path& top) {
        std::vector<fs::path> found{top};
        std::error_code error;
        for (auto it = fs::recursive_directory_iterator(top, error);
             it != fs::recursive_directory_iterator(); it.increment(error)) {
            if (it->is_directory() && !it->is_symlink()) {
                found.push_back(it->path());
            }
        }
        return found;
    }

    std::vector<fs::path> entries(const fs::path& top) {
        std::vector<fs::path> found;
        std::error_code error;
        for (auto it = fs::recursive_directory_iterator(top, error);
             it != fs::recursive_directory_iterator(); it.increment(error)) {
            found.push_back(it->path());
        }
        return found;
    }

    // `ofTheDrive`: the drive's folder and letter may change too.
    std::string change(const fs::path& top, bool ofTheDrive = false) {
        const auto all = folders(top);
        const fs::path folder = all[pick(all.size())];
        const auto existing = entries(top);
        std::error_code ignored;
        switch (pick(existing.empty() ? 3 : ofTheDrive ? 12 : 9)) {
            case 0:
            case 1:
                // Where the name is taken by a folder this adds nothing.
                std::ofstream(folder / name()).put('x');
                return "add a file";
            case 2:
                fs::create_directory(folder / name(), ignored);
                return "add a folder";
            case 3:
                fs::remove_all(existing[pick(existing.size())], ignored);
                return "delete";
            case 4:
                fs::rename(existing[pick(existing.size())], folder / name(), ignored);
                return "rename or move";
            case 5: {
                // A folder moved under another one (not into itself: that fails and changes
                // nothing).
                const fs::path moved = all[pick(all.size())];
                if (moved != top) {
                    fs::rename(moved, folder / name(), ignored);
                }
                return "move a folder";
            }
            case 6: {
                const fs::path target = existing[pick(existing.size())];
                fs::create_symlink(pick(2) == 0 ? target : folder / "gone", folder / name(),
                                   ignored);
                return "link";
            }
            case 7: {
                // Hidden, or shown again.
                const fs::path entry = existing[pick(existing.size())];
                const std::string renamed = entry.filename().string().starts_with('.')
                                                ? entry.filename().string().substr(1)
                                                : "." + entry.filename().string();
                if (!renamed.empty()) {
                    fs::rename(entry, entry.parent_path() / renamed, ignored);
                }
                return "hide or show";
            }
            case 8: {
                // A file where a folder was, or a folder where a file was, under the same name.
                const fs::path entry = existing[pick(existing.size())];
                const bool wasFolder = fs::is_directory(fs::symlink_status(entry));
                fs::remove_all(entry, ignored);
                if (wasFolder) {
                    std::ofstream(entry).put('x');
                } else {
                    fs::create_directory(entry, ignored);
                }
                return "file for folder";
            }
            case 9: {
                // Another disk in the drive's place: the drive's folder and another tree swap.
                const fs::path other =
                    root_.path() / (driveFolder_.filename() == "two" ? "one" : "two");
                const fs::path aside = root_.path() / "aside";
                fs::rename(driveFolder_, aside, ignored);
                fs::rename(other, driveFolder_, ignored);
                fs::rename(aside, other, ignored);
                return "swap the drive's folder";
            }
            case 10: {
                static const std::vector<std::string> trees = {"one", "two", "three"};
                mapDrive(trees[pick(trees.size())]);
                return "set the letter elsewhere";
            }
            default:
                // A folder's own mode changes its stamp but not its listing.
                ::chmod(folder.c_str(), pick(2) == 0 ? 0555 : 0755);
                return "chmod";
        }
    }

    testing::TempFolder root_;
    std::mt19937 random_;
    SharedDriveTable drives_;
    fs::path driveFolder_;
};

TEST(ListingIndexWalk, GivesTheWalksRowsThroughThousandsOfChanges) {
    ChangingLibrary library(20261211);
    // Trusting every folder at once: the fixture keeps its changes out of the recording tick.
    ListingIndex index(std::chrono::nanoseconds(0));
    const LinuxFolderReader disk(library.drives());
    const LinuxFolderReader indexed(library.drives(), &index);
    const std::vector<std::string> patterns = {"*.*", "*月*", "*A*.mp3", "*\xd4\xc2*"};
    for (int step = 0; step < 3000; ++step) {
        const std::string changed = library.changeOnce();
        const std::string& pattern = patterns[static_cast<std::size_t>(step) % patterns.size()];
        ASSERT_EQ(walk(indexed, pattern), walk(disk, pattern))
            << "step " << step << " after: " << changed << ", pattern " << pattern;
        if (step % 10 == 0) {
            ASSERT_EQ(ListSubfolders(indexed, R"(F:\)"), ListSubfolders(disk, R"(F:\)"))
                << "step " << step;
        }
        waitForTheNextTick(library.probe());
    }
    // Most folders had not changed at each step: those came from the index.
    const auto counts = index.counts();
    EXPECT_GT(counts.listedFromIndex, 2 * counts.read);
}

// A folder changed twice within one tick of the file system's clock keeps one change time: a
// listing read between the two changes must not be trusted by its stamp. On a volume that keeps
// whole seconds most changes made right after a read fall within its second.
TEST(ListingIndexWalk, AFolderChangedWithinTheTickItWasReadInIsReadAgain) {
    if (auto why = testing::LoopExt4Volume::unavailable()) {
        GTEST_SKIP() << *why;
    }
    testing::LoopExt4Volume volume(16 << 20, testing::Ext4Times::WholeSeconds);
    const fs::path library = volume.path() / "lib";
    fs::create_directories(library);
    DriveTable table;
    table.set({'F', library, DriveType::Fixed});
    SharedDriveTable drives(table);
    ListingIndex index;
    const LinuxFolderReader disk(drives);
    const LinuxFolderReader indexed(drives, &index);
    int sameTick = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto name = "song" + std::to_string(attempt) + ".mp3";
        walk(indexed, "*.*");
        const std::int64_t read = changeTimeNs(library);
        testing::writeFile(library / name, "");
        sameTick += changeTimeNs(library) == read;
        ASSERT_EQ(walk(indexed, "*.*"), walk(disk, "*.*")) << "attempt " << attempt;
    }
    EXPECT_GT(sameTick, 50) << "the volume's clock was meant to keep most changes in one tick";
}

// The saved index serves the next run: after a restart no folder is read until one changes.
TEST(ListingIndexWalk, TheNextRunListsUnchangedFoldersFromTheSavedIndex) {
    testing::TempFolder folder;
    const fs::path library = folder.path() / "lib";
    for (int i = 0; i < 5; ++i) {
        testing::writeFile(library / ("歌手" + std::to_string(i)) / "月亮.mp3", "");
        testing::writeFile(library / ("歌手" + std::to_string(i)) / "b.txt", "");
    }
    DriveTable table;
    table.set({'F', library, DriveType::Fixed});
    SharedDriveTable drives(table);
    const fs::path dataDir = folder.path() / "data";
    fs::create_directories(dataDir);
    const LinuxFolderReader disk(drives);
    // One run of the program: its index, read from the data folder at start and saved at the end,
    // recorded long after the folders' changes, as on the morning after.
    struct ProgramRun {
        ProgramRun(const SharedDriveTable& drives, const fs::path& dataDir)
            : indexed(drives, &index), keeper(index, dataDir / kListingIndexFileName, "here") {
            keeper.startLoading();
        }
        ListingIndex index{std::chrono::seconds(2), [] {
                               return std::chrono::duration_cast<std::chrono::nanoseconds>(
                                          std::chrono::system_clock::now().time_since_epoch() +
                                          std::chrono::seconds(10))
                                   .count();
                           }};
        const LinuxFolderReader indexed;
        ListingIndexKeeper keeper;
    };
    {
        ProgramRun first(drives, dataDir);
        EXPECT_EQ(walkAlone(first.indexed, "*.*"), walk(disk, "*.*"));
        EXPECT_EQ(first.index.counts().read, 6u);
    }
    ProgramRun next(drives, dataDir);
    EXPECT_EQ(walkAlone(next.indexed, "*月*"), walk(disk, "*月*"));
    EXPECT_EQ(next.index.counts().read, 0u);
    EXPECT_EQ(next.index.counts().listedFromIndex, 6u);

    testing::writeFile(library / "歌手3" / "月亮2.mp3", "");
    EXPECT_EQ(walkAlone(next.indexed, "*月*"), walk(disk, "*月*"));
    EXPECT_EQ(next.index.counts().read, 1u);
}

}  // namespace
}  // namespace qh
