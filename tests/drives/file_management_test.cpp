#include "drives/file_management.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "download/marked_file.h"
#include "platform/fake_file_system.h"
#include "platform/linux_file_system.h"
#include "support/file_result_printers.h"
#include "support/forwarding_file_system.h"
#include "support/temp_folder.h"
#include "support/test_volumes.h"
#include "text/gbk.h"

namespace qh {
namespace {

using std::filesystem::path;
using testing::readFile;
using testing::TempFolder;
using testing::TmpfsVolume;
using testing::writeFile;

std::string utf8(std::string_view gbkText) {
    return fromGbk(gbkText).toStdString();
}

// The shop's disks as real folders: D the local disk, F the library.
class Shop {
public:
    Shop() {
        std::filesystem::create_directories(root_.path() / "D");
        std::filesystem::create_directories(root_.path() / "F");
        useAsD(root_.path() / "D");
    }
    // D on another host folder, such as a volume of its own.
    void useAsD(const path& folder) {
        DriveTable table;
        table.set({'D', folder, DriveType::Fixed});
        table.set({'F', root_.path() / "F", DriveType::Fixed});
        drives_.replace(table);
        d_ = folder;
    }
    // "D/歌曲下载/月亮.mp3" -> the host path of that file.
    path host(const path& relative) const {
        const auto drive = relative.begin()->string();
        const path below = relative.lexically_relative(drive);
        return (drive == "D" ? d_ : root_.path() / drive) / below;
    }
    path write(const path& relative, std::string_view content) const {
        writeFile(host(relative), content);
        return host(relative);
    }
    void makeFolder(const path& relative) const {
        std::filesystem::create_directories(host(relative));
    }

    LinuxFileSystem files{drives_};

private:
    TempFolder root_;
    SharedDriveTable drives_;
    path d_;
};

// The names in a host folder, UTF-8, sorted: nothing left behind beside what is expected.
std::vector<std::string> namesIn(const path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ManagedEntries, FoldersFirstThenFilesEachByNameWithoutCaseAndNoHiddenEntries) {
    Shop shop;
    shop.write("F/库/c.mp3", "ccc");
    shop.write("F/库/B.mp3", "bb");
    shop.write("F/库/a.mp3", "a");
    shop.write("F/库/A.mp3", "AAAA");  // beside a.mp3 only on a case-sensitive disk
    shop.write("F/库/歌.mp3", "12345");
    shop.write("F/库/.hidden", "x");
    shop.write("F/库/z/inside.mp3", "inside");
    shop.makeFolder("F/库/Y");
    shop.makeFolder("F/库/.cache");

    std::vector<std::tuple<std::string, bool, std::int64_t>> shown;
    for (const auto& entry : managedEntries(shop.files, gbk("F:\\库\\"))) {
        shown.emplace_back(utf8(entry.name), entry.folder, entry.size);
    }
    EXPECT_EQ(shown, (std::vector<std::tuple<std::string, bool, std::int64_t>>{
                         {"Y", true, 0},
                         {"z", true, 0},
                         {"A.mp3", false, 4},
                         {"a.mp3", false, 1},
                         {"B.mp3", false, 2},
                         {"c.mp3", false, 3},
                         {"歌.mp3", false, 5},
                     }));
}

// Names equal but for case, which only a case-sensitive disk holds, come in the same order
// however the disk lists them.
TEST(ManagedEntries, NamesEqualButForCaseGoByTheirBytes) {
    for (const auto& made : {std::vector<const char*>{"F:\\a.mp3", "F:\\A.mp3", "F:\\B.mp3"},
                             std::vector<const char*>{"F:\\B.mp3", "F:\\A.mp3", "F:\\a.mp3"}}) {
        SCOPED_TRACE(std::string("first made ") + made.front());
        FakeFileSystem files;
        files.addDrive('F');
        for (const char* file : made) {
            files.addFile(file, "x");
        }
        std::vector<std::string> names;
        for (const auto& entry : managedEntries(files, "F:\\")) {
            names.push_back(entry.name);
        }
        EXPECT_EQ(names, (std::vector<std::string>{"A.mp3", "a.mp3", "B.mp3"}));
    }
}

TEST(ManagedEntries, AFolderThatCannotBeReadGivesNone) {
    Shop shop;
    shop.write("F/库/歌.mp3", "x");
    for (const char* folder : {"F:\\没有\\", "G:\\", "F:\\库\\歌.mp3\\"}) {
        SCOPED_TRACE(folder);
        EXPECT_TRUE(managedEntries(shop.files, gbk(folder)).empty());
    }
}

TEST(NewFolder, TakesTheFirstNumberNoEntryHolds) {
    const struct {
        const char* name;
        std::vector<const char*> folders;
        std::vector<const char*> files;
        const char* made;
    } cases[] = {
        {"an empty folder", {}, {}, "新建文件夹1"},
        {"between 1 and 3", {"新建文件夹1", "新建文件夹3"}, {}, "新建文件夹2"},
        {"a file of the name is taken too", {}, {"新建文件夹1"}, "新建文件夹2"},
        {"past a run, other names aside",
         {"新建文件夹1", "新建文件夹2", "新建文件夹", "新建文件夹01"},
         {"新建文件夹3.txt"},
         "新建文件夹3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Shop shop;
        shop.makeFolder("F/库");
        for (const char* folder : c.folders) {
            shop.makeFolder(path("F/库") / folder);
        }
        for (const char* file : c.files) {
            shop.write(path("F/库") / file, "not a folder");
        }
        const auto before = namesIn(shop.host("F/库"));

        const auto made = makeNewFolder(shop.files, gbk("F:\\库\\"));
        ASSERT_TRUE(made);
        EXPECT_EQ(utf8(*made), std::string("F:\\库\\") + c.made);
        EXPECT_TRUE(std::filesystem::is_directory(shop.host(path("F/库") / c.made)));
        // Nothing else changed: a file of the name stays a file.
        auto after = namesIn(shop.host("F/库"));
        std::erase(after, c.made);
        EXPECT_EQ(after, before);
    }
}

// A folder made by someone else after the listing, or one a listing missed.
class ListingNothing final : public testing::ForwardingFileSystem {
public:
    using ForwardingFileSystem::ForwardingFileSystem;
    std::vector<DirEntry> list(std::string_view, std::string_view, HiddenEntries) const override {
        return {};
    }
};

TEST(NewFolder, AFolderTheListingDidNotShowIsNotPassedOffAsNew) {
    Shop shop;
    shop.makeFolder("F/库/新建文件夹1");
    shop.write("F/库/新建文件夹1/歌.mp3", "kept");
    ListingNothing files(shop.files);

    const auto made = makeNewFolder(files, gbk("F:\\库\\"));
    ASSERT_TRUE(made);
    EXPECT_EQ(utf8(*made), "F:\\库\\新建文件夹2");
    EXPECT_TRUE(std::filesystem::is_directory(shop.host("F/库/新建文件夹2")));
}

TEST(NewFolder, AFolderGivenWithoutItsFinalBackslashGetsItInside) {
    Shop shop;
    shop.makeFolder("F/乗");  // its name ends in the byte of a backslash
    const auto made = makeNewFolder(shop.files, gbk("F:\\乗"));
    ASSERT_TRUE(made);
    EXPECT_EQ(utf8(*made), "F:\\乗\\新建文件夹1");
    EXPECT_TRUE(std::filesystem::is_directory(shop.host("F/乗/新建文件夹1")));
}

TEST(NewFolder, AMissingFolderGetsNoneAndIsNotMade) {
    Shop shop;
    EXPECT_EQ(makeNewFolder(shop.files, gbk("F:\\没有\\")), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(shop.host("F/没有")));
    EXPECT_EQ(makeNewFolder(shop.files, "G:\\"), std::nullopt);
}

TEST(TypedNames, EmptyNamesAndNamesNoWindowsFileCanHoldAreRefused) {
    const struct {
        std::string typed;  // UTF-8
        TypedName expected;
    } cases[] = {
        {"", TypedName::Empty},
        {"   ", TypedName::Empty},
        {"a/b", TypedName::NotAName},
        {"a\\b", TypedName::NotAName},
        {"..\\歌", TypedName::NotAName},
        {"a:b", TypedName::NotAName},
        {"a*", TypedName::NotAName},
        {"?", TypedName::NotAName},
        {"\"", TypedName::NotAName},
        {"<", TypedName::NotAName},
        {">", TypedName::NotAName},
        {"|", TypedName::NotAName},
        {"\t", TypedName::NotAName},
        {"a\nb", TypedName::NotAName},
        {std::string("a\0b", 3), TypedName::NotAName},
        {".", TypedName::NotAName},
        {"..", TypedName::NotAName},
        {"新歌", TypedName::Usable},
        {" 刘德华 - 冰雨 ", TypedName::Usable},
        {"a.b", TypedName::Usable},
        // Their second bytes are "\" and "|".
        {"乗亅", TypedName::Usable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("typed \"" + c.typed + "\"");
        EXPECT_EQ(checkTypedName(gbk(c.typed)), c.expected);
    }
}

TEST(RenamedPath, KeepsTheFolderTheMarkerAndTheOldExtension) {
    const struct {
        const char* name;
        const char* oldPath;
        const char* typed;
        const char* renamed;
    } cases[] = {
        {"marker kept", "F:\\库\\歌qh2009.mp3", "新歌", "F:\\库\\新歌qh2009.mp3"},
        {"no marker", "F:\\库\\歌.mp3", "新歌", "F:\\库\\新歌.mp3"},
        {"no extension", "F:\\库\\歌qh2009", "新歌", "F:\\库\\新歌qh2009"},
        {"extension in capitals", "F:\\库\\歌.MP3", "新歌", "F:\\库\\新歌.MP3"},
        {"the last dot's extension", "F:\\库\\a.b.wma", "c", "F:\\库\\c.wma"},
        {"nested folders", "F:\\青禾点唱库\\1-音乐\\刘德华\\冰雨qh2009.wma", "冰雨 (现场)",
         "F:\\青禾点唱库\\1-音乐\\刘德华\\冰雨 (现场)qh2009.wma"},
        {"a marker in a folder's name marks no file", "F:\\qh2009\\歌.mp3", "新歌",
         "F:\\qh2009\\新歌.mp3"},
        {"a dot in a folder's name is no extension", "F:\\a.b\\歌", "新歌", "F:\\a.b\\新歌"},
        {"a folder whose name ends in a trail byte 0x5C", "F:\\乗\\歌.mp3", "新歌",
         "F:\\乗\\新歌.mp3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf8(renamedPath(gbk(c.oldPath), gbk(c.typed))), c.renamed);
    }
}

TEST(LocalCopyTarget, TheCaptionAndTheSourcesExtensionInTheDownloadFolder) {
    const struct {
        const char* caption;
        const char* source;
        const char* target;
    } cases[] = {
        {"月亮", "F:\\青禾点唱库\\1-音乐\\月亮qh2009.mp3", "D:\\歌曲下载\\月亮.mp3"},
        {"月亮", "F:\\库\\月亮", "D:\\歌曲下载\\月亮"},
        {"月亮", "F:\\a.b\\月亮", "D:\\歌曲下载\\月亮"},
        {"刘德华 - 冰雨", "F:\\库\\冰雨.WMA", "D:\\歌曲下载\\刘德华 - 冰雨.WMA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(utf8(localCopyTarget(gbk(c.caption), gbk(c.source))), c.target);
    }
}

// What the window would learn from a job.
class RecordingLocalCopyHost final : public LocalCopyHost {
public:
    void copied(std::size_t index, const CopyResult& result) override {
        copies.emplace_back(index, result);
        if (afterCopy) {
            afterCopy(index);
        }
    }
    void ended() override { ++ends; }

    std::function<void(std::size_t index)> afterCopy;
    std::vector<std::pair<std::size_t, CopyResult>> copies;
    int ends = 0;
};

LocalCopy copy(const char* source, const char* target) {
    return {gbk(source), gbk(target)};
}

using Reports = std::vector<std::pair<std::size_t, CopyResult>>;

TEST(LocalCopyJob, CopiesEachFileWholeOverAnOlderOneOfItsName) {
    Shop shop;
    shop.write("D/歌曲下载/月亮.mp3", "an older 月亮, longer than the new one");
    shop.write("F/库/月亮.mp3", "new 月亮");
    const std::string marked = std::string(kMarkedFileBlockBytes, 'B') + "the song";
    shop.write("F/库/海qh2009.mp3", marked);

    RecordingLocalCopyHost host;
    LocalCopyJob({shop.files,
                  {copy("F:\\库\\月亮.mp3", "D:\\歌曲下载\\月亮.mp3"),
                   copy("F:\\库\\海qh2009.mp3", "D:\\歌曲下载\\海.mp3")}})
        .run(host);

    EXPECT_EQ(host.copies, (Reports{{0, CopyResult::copied()}, {1, CopyResult::copied()}}));
    EXPECT_EQ(host.ends, 1);
    EXPECT_EQ(readFile(shop.host("D/歌曲下载/月亮.mp3")), "new 月亮");
    EXPECT_EQ(readFile(shop.host("D/歌曲下载/海.mp3")), marked);
    EXPECT_EQ(namesIn(shop.host("D/歌曲下载")), (std::vector<std::string>{"月亮.mp3", "海.mp3"}));
}

TEST(LocalCopyJob, AFailedCopyLeavesTheOlderFileAsItWasAndTheNextOneStillCopies) {
    Shop shop;
    shop.write("D/歌曲下载/月亮.mp3", "the older 月亮");
    shop.write("F/库/海.mp3", "海");

    RecordingLocalCopyHost host;
    LocalCopyJob({shop.files,
                  {copy("F:\\库\\月亮.mp3", "D:\\歌曲下载\\月亮.mp3"),
                   copy("F:\\库\\海.mp3", "D:\\歌曲下载\\海.mp3")}})
        .run(host);

    EXPECT_EQ(host.copies, (Reports{{0, CopyResult::failed(FileFault::SourceMissing)},
                                    {1, CopyResult::copied()}}));
    EXPECT_EQ(host.ends, 1);
    EXPECT_EQ(readFile(shop.host("D/歌曲下载/月亮.mp3")), "the older 月亮");
    EXPECT_EQ(namesIn(shop.host("D/歌曲下载")), (std::vector<std::string>{"月亮.mp3", "海.mp3"}));
}

TEST(LocalCopyJob, MakesTheDownloadFolderWhenItIsMissing) {
    Shop shop;
    shop.write("F/库/月亮.mp3", "月亮");
    ASSERT_FALSE(std::filesystem::exists(shop.host("D/歌曲下载")));

    RecordingLocalCopyHost host;
    LocalCopyJob({shop.files, {copy("F:\\库\\月亮.mp3", "D:\\歌曲下载\\月亮.mp3")}}).run(host);

    EXPECT_EQ(host.copies, (Reports{{0, CopyResult::copied()}}));
    EXPECT_EQ(readFile(shop.host("D/歌曲下载/月亮.mp3")), "月亮");
}

TEST(LocalCopyJob, AStopStartsNoFurtherFileAndStillEnds) {
    for (const bool stopAtOnce : {false, true}) {
        SCOPED_TRACE(stopAtOnce ? "stopped before the first file" : "stopped after the first");
        Shop shop;
        shop.write("F/库/月亮.mp3", "月亮");
        shop.write("F/库/海.mp3", "海");
        std::stop_source stop;
        if (stopAtOnce) {
            stop.request_stop();
        }
        RecordingLocalCopyHost host;
        host.afterCopy = [&stop](std::size_t) { stop.request_stop(); };

        LocalCopyJob({shop.files,
                      {copy("F:\\库\\月亮.mp3", "D:\\歌曲下载\\月亮.mp3"),
                       copy("F:\\库\\海.mp3", "D:\\歌曲下载\\海.mp3")}})
            .run(host, stop.get_token());

        const Reports expected = stopAtOnce ? Reports{} : Reports{{0, CopyResult::copied()}};
        EXPECT_EQ(host.copies, expected);
        EXPECT_EQ(host.ends, 1);
        EXPECT_EQ(std::filesystem::exists(shop.host("D/歌曲下载/月亮.mp3")), !stopAtOnce);
        EXPECT_FALSE(std::filesystem::exists(shop.host("D/歌曲下载/海.mp3")));
    }
}

// The shop's disk as a real volume that refuses writes.
TEST(FileManagementOnAReadOnlyDisk, NothingIsMadeAndTheOlderFileStays) {
    if (auto why = TmpfsVolume::unavailable()) {
        GTEST_SKIP() << *why;
    }
    TmpfsVolume disk(1 << 20);
    Shop shop;
    shop.useAsD(disk.path());
    shop.write("D/歌曲下载/月亮.mp3", "the older 月亮");
    shop.write("F/库/月亮.mp3", "new 月亮");
    disk.remountReadOnly();

    RecordingLocalCopyHost host;
    LocalCopyJob({shop.files, {copy("F:\\库\\月亮.mp3", "D:\\歌曲下载\\月亮.mp3")}}).run(host);
    EXPECT_EQ(host.copies, (Reports{{0, CopyResult::failed(FileFault::WriteProtected)}}));
    EXPECT_EQ(host.ends, 1);
    EXPECT_EQ(readFile(shop.host("D/歌曲下载/月亮.mp3")), "the older 月亮");

    EXPECT_EQ(makeNewFolder(shop.files, gbk("D:\\歌曲下载\\")), std::nullopt);
    EXPECT_EQ(namesIn(shop.host("D/歌曲下载")), (std::vector<std::string>{"月亮.mp3"}));
}

}  // namespace
}  // namespace qh
