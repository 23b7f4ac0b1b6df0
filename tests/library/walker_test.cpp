#include "library/walker.h"

#include <sys/stat.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "platform/fake_file_system.h"
#include "platform/file_system.h"
#include "platform/listing_folder_reader.h"
#include "temp_drives.h"

namespace qh {
namespace {

using ::testing::ElementsAre;
using testing::gbkAll;
using ::testing::IsEmpty;
using testing::TempDrives;
using ::testing::UnorderedElementsAre;
using testing::utf8;
namespace fs = std::filesystem;

std::vector<std::string> walk(const FolderReader& reader, std::string_view folder,
                              std::string_view pattern) {
    std::vector<std::string> found;
    WalkFiles(reader, gbk(folder), gbk(pattern), found);
    return utf8(found);
}

// Passes everything through to the real reader, counting the folders opened and failing to open
// the sub-folders of one name, as a folder the walk may not read.
class ObservedReader final : public FolderReader {
public:
    ObservedReader(const FolderReader& inner, std::string unreadable = {})
        : inner_(inner), unreadable_(gbk(unreadable)) {}

    std::unique_ptr<OpenFolder> open(std::string_view folder,
                                     const NamePattern& pattern) const override {
        ++opened;
        auto open = inner_.open(folder, pattern);
        return open ? std::make_unique<Observed>(std::move(open), *this) : nullptr;
    }

    mutable int opened = 0;

private:
    struct Observed final : OpenFolder {
        Observed(std::unique_ptr<OpenFolder> inner, const ObservedReader& reader)
            : inner(std::move(inner)), reader(reader) {}
        bool next(FolderEntry& entry) override { return inner->next(entry); }
        std::unique_ptr<OpenFolder> openSubfolder(std::string_view name) override {
            ++reader.opened;
            if (name == reader.unreadable_) {
                return nullptr;
            }
            auto open = inner->openSubfolder(name);
            return open ? std::make_unique<Observed>(std::move(open), reader) : nullptr;
        }
        std::unique_ptr<OpenFolder> inner;
        const ObservedReader& reader;
    };

    const FolderReader& inner_;
    std::string unreadable_;
};

TEST(ClassifyEntry, OnlyAPlainFolderIsEntered) {
    const struct {
        const char* name;
        const char* entryName;
        std::uint32_t attributes;
        EntryKind kind;
    } cases[] = {
        {"dot", ".", attr::Directory, EntryKind::DotEntry},
        {"dot dot", "..", attr::Directory, EntryKind::DotEntry},
        {"folder", "a", attr::Directory, EntryKind::Subfolder},
        {"folder named like a file", "a.mp3", attr::Directory, EntryKind::Subfolder},
        {"read-only folder", "a", attr::Directory | attr::ReadOnly, EntryKind::File},
        {"hidden folder", ".a", attr::Directory | attr::Hidden, EntryKind::File},
        {"system folder", "a", attr::Directory | attr::System, EntryKind::File},
        {"archive folder", "a", attr::Directory | attr::Archive, EntryKind::File},
        {"link to a folder", "a", attr::Directory | attr::ReparsePoint, EntryKind::File},
        {"file", "a.mp3", attr::Archive, EntryKind::File},
        {"file without attributes", "a", 0, EntryKind::File},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ClassifyEntry(c.entryName, c.attributes), c.kind);
    }
}

TEST(WalkFiles, FindsAFoldersOwnFilesFirstThenEachSubfolderInListingOrder) {
    FakeFileSystem files;
    files.addDrive('F');
    // The fake lists in creation order: folders before files here, and 2-MTV before 1-音乐.
    for (const char* path : {
             "F:\\青禾点唱库\\2-MTV\\d.3gp",
             "F:\\青禾点唱库\\1-音乐\\分类歌曲\\经典老歌\\b.mp3",
             "F:\\青禾点唱库\\1-音乐\\a.mp3",
             "F:\\青禾点唱库\\1-音乐\\新增歌曲\\e.mp3",
             "F:\\青禾点唱库\\欢迎.mp3",
             "F:\\青禾点唱库\\1-音乐\\c",
         }) {
        ASSERT_TRUE(files.addFile(gbk(path), ""));
    }
    const ListingFolderReader reader(files);
    EXPECT_THAT(walk(reader, "F:\\青禾点唱库\\", "*.*"),
                ElementsAre("F:\\青禾点唱库\\欢迎.mp3", "F:\\青禾点唱库\\2-MTV\\d.3gp",
                            "F:\\青禾点唱库\\1-音乐\\a.mp3", "F:\\青禾点唱库\\1-音乐\\c",
                            "F:\\青禾点唱库\\1-音乐\\分类歌曲\\经典老歌\\b.mp3",
                            "F:\\青禾点唱库\\1-音乐\\新增歌曲\\e.mp3"));
}

TEST(WalkFiles, FolderWithMoreThanTheFolderAttributeIsReportedAndNotEntered) {
    const struct {
        const char* name;
        std::uint32_t attributes;
        std::vector<std::string> found;
    } cases[] = {
        {"plain folder", attr::Directory, {"F:\\库\\周杰伦.mp3\\稻香.mp3"}},
        {"archive", attr::Directory | attr::Archive, {"F:\\库\\周杰伦.mp3"}},
        {"system", attr::Directory | attr::System, {"F:\\库\\周杰伦.mp3"}},
        {"hidden", attr::Directory | attr::Hidden, {"F:\\库\\周杰伦.mp3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFileSystem files;
        files.addDrive('F');
        files.addFile(gbk("F:\\库\\周杰伦.mp3\\稻香.mp3"), "");
        files.setAttributes(gbk("F:\\库\\周杰伦.mp3"), c.attributes);
        EXPECT_EQ(walk(ListingFolderReader(files), "F:\\库\\", "*.mp3"), c.found);
    }
}

class WalkFilesOnDisk : public ::testing::Test {
protected:
    std::vector<std::string> walk(std::string_view folder, std::string_view pattern) const {
        return qh::walk(drives.reader(), folder, pattern);
    }

    TempDrives drives;
};

TEST_F(WalkFilesOnDisk, KeywordPatternFindsMatchesAtAnyDepth) {
    for (const char* path : {
             "F:\\青禾点唱库\\1-音乐\\邓丽君\\月光下的亮.MP3",
             "F:\\青禾点唱库\\1-音乐\\0012 月亮代表我的心.mp3",
             "F:\\青禾点唱库\\1-音乐\\月亮.wma",
             "F:\\青禾点唱库\\1-音乐\\亮月.mp3",
             "F:\\青禾点唱库\\1-音乐\\.月亮.mp3",
         }) {
        drives.addFile(path);
    }
    const auto found = walk("F:\\青禾点唱库\\1-音乐\\", "*月*亮**.mp3");
    EXPECT_THAT(found, UnorderedElementsAre("F:\\青禾点唱库\\1-音乐\\0012 月亮代表我的心.mp3",
                                            "F:\\青禾点唱库\\1-音乐\\.月亮.mp3",
                                            "F:\\青禾点唱库\\1-音乐\\邓丽君\\月光下的亮.MP3"));
    // The sub-folder's file comes after the folder's own, whatever the listing order.
    EXPECT_EQ(found.back(), "F:\\青禾点唱库\\1-音乐\\邓丽君\\月光下的亮.MP3");
}

TEST_F(WalkFilesOnDisk, AFolderIsEnteredUnlessItIsHiddenWhateverItsMode) {
    const fs::path plain = drives.addFolder("F:\\库\\周杰伦.mp3");
    drives.addFile("F:\\库\\周杰伦.mp3\\稻香.mp3");
    const fs::path readOnly = drives.addFolder("F:\\库\\只读.mp3");
    drives.addFile("F:\\库\\只读.mp3\\a.mp3");
    drives.addFile("F:\\库\\.隐藏.mp3\\b.mp3");
    // A write-protected folder is still entered: a library on a read-only mount stays searchable.
    fs::permissions(readOnly,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_THAT(walk("F:\\库\\", "*.mp3"),
                UnorderedElementsAre("F:\\库\\周杰伦.mp3\\稻香.mp3", "F:\\库\\只读.mp3\\a.mp3",
                                     "F:\\库\\.隐藏.mp3"));
}

TEST_F(WalkFilesOnDisk, SymbolicLinksAreReportedAndNeverFollowed) {
    drives.addFile("F:\\库\\a\\x.mp3");
    const fs::path a = drives.hostPath("F:\\库\\a");
    fs::create_directory_symlink("../a", a / "loop");
    fs::create_symlink("x.mp3", a / "link.mp3");
    // A walk that followed the loop would only end when out of file descriptors; this one is
    // cut short so that it fails at once.
    struct BoundedSink final : WalkSink {
        void found(std::string path) override {
            paths.push_back(std::move(path));
            if (paths.size() > 10) {
                stop.request_stop();
            }
        }
        std::vector<std::string> paths;
        std::stop_source stop;
    } sink;
    WalkFiles(drives.reader(), gbk("F:\\库\\"), "*.*", sink, sink.stop.get_token());
    EXPECT_THAT(utf8(sink.paths),
                UnorderedElementsAre("F:\\库\\a\\x.mp3", "F:\\库\\a\\loop", "F:\\库\\a\\link.mp3"));
}

TEST_F(WalkFilesOnDisk, AFolderThatCannotBeReadAddsNothingAndTheWalkGoesOn) {
    drives.addFile("F:\\库\\坏\\a.mp3");
    drives.addFile("F:\\库\\好\\b.mp3");
    drives.addFile("F:\\库\\c.mp3");
    const ObservedReader reader(drives.reader(), "坏");
    EXPECT_THAT(qh::walk(reader, "F:\\库\\", "*.mp3"),
                UnorderedElementsAre("F:\\库\\好\\b.mp3", "F:\\库\\c.mp3"));
    // A missing drive or library folder is silent.
    EXPECT_THAT(walk("Q:\\库\\", "*.*"), IsEmpty());
    EXPECT_THAT(walk("F:\\没有\\", "*.*"), IsEmpty());
}

TEST_F(WalkFilesOnDisk, EmptyOrBlankPatternFindsNothingAndReadsNoFolder) {
    drives.addFile("F:\\库\\a.mp3");
    for (const char* pattern : {"", " ", "   ", " \t"}) {
        SCOPED_TRACE(std::string("\"") + pattern + "\"");
        const ObservedReader reader(drives.reader());
        EXPECT_THAT(qh::walk(reader, "F:\\库\\", pattern), IsEmpty());
        EXPECT_EQ(reader.opened, 0);
    }
}

TEST_F(WalkFilesOnDisk, NamesThatAreNotUtf8LeadBackToTheirFiles) {
    const fs::path library = drives.addFolder("F:\\库");
    const std::vector<fs::path> hostFiles = {library / "\xff\xfe" / "歌.mp3",
                                             library / "\xe6\x9c.mp3"};
    for (const auto& file : hostFiles) {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << file.filename().string();
    }
    std::vector<std::string> found;
    WalkFiles(drives.reader(), gbk("F:\\库\\"), "*.mp3", found);
    ASSERT_EQ(found.size(), hostFiles.size());
    std::set<fs::path> resolved;
    for (const auto& path : found) {
        resolved.insert(drives.resolve(path).value());
    }
    EXPECT_EQ(resolved, std::set<fs::path>(hostFiles.begin(), hostFiles.end()));
}

TEST_F(WalkFilesOnDisk, ThousandsOfFilesInOneFolder) {
    const fs::path folder = drives.addFolder("F:\\库\\大");
    for (int i = 0; i < 10000; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%05d.mp3", i);
        std::ofstream(folder / name);
    }
    const auto all = walk("F:\\库\\", "*.*");
    EXPECT_EQ(all.size(), 10000u);
    EXPECT_EQ(std::set<std::string>(all.begin(), all.end()).size(), 10000u);
    EXPECT_THAT(walk("F:\\库\\", "*0999**.mp3"),
                UnorderedElementsAre(
                    "F:\\库\\大\\00999.mp3", "F:\\库\\大\\09990.mp3", "F:\\库\\大\\09991.mp3",
                    "F:\\库\\大\\09992.mp3", "F:\\库\\大\\09993.mp3", "F:\\库\\大\\09994.mp3",
                    "F:\\库\\大\\09995.mp3", "F:\\库\\大\\09996.mp3", "F:\\库\\大\\09997.mp3",
                    "F:\\库\\大\\09998.mp3", "F:\\库\\大\\09999.mp3"));
}

TEST_F(WalkFilesOnDisk, AStopRequestEndsTheWalkBeforeTheNextFolder) {
    drives.addFile("F:\\库\\0.mp3");
    for (const char* path : {"F:\\库\\a\\1.mp3", "F:\\库\\b\\2.mp3", "F:\\库\\c\\3.mp3"}) {
        drives.addFile(path);
    }
    struct StoppingSink final : WalkSink {
        void found(std::string path) override {
            paths.push_back(std::move(path));
            stop.request_stop();
        }
        std::vector<std::string> paths;
        std::stop_source stop;
    } sink;
    WalkFiles(drives.reader(), gbk("F:\\库\\"), "*.mp3", sink, sink.stop.get_token());
    EXPECT_THAT(utf8(sink.paths), ElementsAre("F:\\库\\0.mp3"));
}

TEST(ListSubfolders, EveryFolderBeforeItsOwnSubfoldersInListingOrder) {
    FakeFileSystem files;
    files.addDrive('F');
    for (const char* path : {"F:\\剧\\2-B\\x\\y\\1.rmvb", "F:\\剧\\1-A\\2.rmvb", "F:\\剧\\3.rmvb",
                             "F:\\剧\\2-B\\z\\4.rmvb"}) {
        files.addFile(gbk(path), "");
    }
    const ListingFolderReader reader(files);
    for (const char* folder : {"F:\\剧\\", "F:\\剧"}) {
        SCOPED_TRACE(folder);
        EXPECT_THAT(utf8(ListSubfolders(reader, gbk(folder))),
                    ElementsAre("F:\\剧\\2-B", "F:\\剧\\2-B\\x", "F:\\剧\\2-B\\x\\y",
                                "F:\\剧\\2-B\\z", "F:\\剧\\1-A"));
    }
}

TEST(ListSubfolders, LeavesOutHiddenFoldersAndLinks) {
    TempDrives drives;
    drives.addFile("F:\\剧\\神雕侠侣\\第1部\\1.rmvb");
    drives.addFile("F:\\剧\\.隐藏\\内\\2.rmvb");
    const fs::path readOnly = drives.addFolder("F:\\剧\\只读\\内");
    fs::permissions(readOnly.parent_path(), fs::perms::owner_write, fs::perm_options::remove);
    fs::create_directory_symlink(drives.hostPath("F:\\剧\\神雕侠侣"),
                                 drives.hostPath("F:\\剧\\链接"));
    EXPECT_THAT(utf8(ListSubfolders(drives.reader(), gbk("F:\\剧\\"))),
                UnorderedElementsAre("F:\\剧\\神雕侠侣", "F:\\剧\\神雕侠侣\\第1部", "F:\\剧\\只读",
                                     "F:\\剧\\只读\\内"));
}

}  // namespace
}  // namespace qh
