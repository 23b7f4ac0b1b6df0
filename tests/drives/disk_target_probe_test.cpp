#include "drives/disk_target_probe.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/fake_file_system.h"
#include "platform/linux_file_system.h"
#include "support/temp_folder.h"
#include "text/gbk.h"

namespace qh {
namespace {

// Folder paths in kind order, UTF-8 for readable failures.
std::vector<std::string> utf8(const TargetFolders& folders) {
    std::vector<std::string> texts;
    for (const auto& folder : folders) {
        texts.push_back(fromGbk(folder).toStdString());
    }
    return texts;
}

// A card on G whose folders (UTF-8 Windows paths) are made in the order given, each spelled
// exactly as given, as a case-sensitive Linux disk can hold them.
class Card {
public:
    explicit Card(const std::vector<const char*>& folders = {}) {
        files.addDrive('G');
        for (const char* folder : folders) {
            files.addFolder(gbk(folder));
        }
    }
    std::vector<std::string> probe() { return utf8(probeDiskTargets(files, "G:\\")); }

    FakeFileSystem files;
};

TEST(DiskTargetProbe, TakesTheFirstNameOfEachKindThatIsThereWhateverItsCase) {
    const struct {
        const char* name;
        std::vector<const char*> folders;
        std::vector<std::string> targets;
    } cases[] = {
        {"empty card: every kind gets its own folder",
         {},
         {"G:\\My Music", "G:\\video", "G:\\Photos", "G:\\Games", "G:\\Ebook"}},
        {"earlier names win: 歌曲 before mp3, videos before video, 图片 before Images",
         {"G:\\mp3", "G:\\歌曲", "G:\\video", "G:\\videos", "G:\\Images", "G:\\图片"},
         {"G:\\歌曲", "G:\\videos", "G:\\图片", "G:\\Games", "G:\\Ebook"}},
        {"the last names of a kind",
         {"G:\\Audio", "G:\\视频"},
         {"G:\\Audio", "G:\\视频", "G:\\Photos", "G:\\Games", "G:\\Ebook"}},
        {"case aside, kept as on the disk; MUSIC is no music name",
         {"G:\\MUSIC", "G:\\VIDEO", "G:\\photos", "G:\\GAMES", "G:\\eBook"},
         {"G:\\My Music", "G:\\VIDEO", "G:\\photos", "G:\\GAMES", "G:\\eBook"}},
        {"a phone card's game folder, each level in any case",
         {"G:\\MYTHROAD\\nes"},
         {"G:\\My Music", "G:\\video", "G:\\Photos", "G:\\MYTHROAD\\nes", "G:\\Ebook"}},
        {"Games before mythroad\\NES",
         {"G:\\mythroad\\NES", "G:\\Games"},
         {"G:\\My Music", "G:\\video", "G:\\Photos", "G:\\Games", "G:\\Ebook"}},
        {"mythroad without NES is no game folder",
         {"G:\\mythroad\\SAVE"},
         {"G:\\My Music", "G:\\video", "G:\\Photos", "G:\\Games", "G:\\Ebook"}},
        {"the e-book folder is always Ebook",
         {"G:\\电子书", "G:\\books"},
         {"G:\\My Music", "G:\\video", "G:\\Photos", "G:\\Games", "G:\\Ebook"}},
        {"only directly under the root",
         {"G:\\DCIM\\Photos", "G:\\x\\My Music"},
         {"G:\\My Music", "G:\\video", "G:\\Photos", "G:\\Games", "G:\\Ebook"}},
        {"a folder of exactly the name wins over one differing in case",
         {"G:\\VIDEOS", "G:\\videos", "G:\\Videos"},
         {"G:\\My Music", "G:\\videos", "G:\\Photos", "G:\\Games", "G:\\Ebook"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Card card(c.folders);
        EXPECT_EQ(card.probe(), c.targets);
    }
}

TEST(DiskTargetProbe, CreatesTheMissingFoldersSoTheNextChoiceFindsThem) {
    Card card({"G:\\歌曲"});
    card.probe();
    for (const char* created : {"G:\\video", "G:\\Photos", "G:\\Games", "G:\\Ebook"}) {
        EXPECT_TRUE(card.files.folderExists(gbk(created))) << created;
    }
    EXPECT_FALSE(card.files.folderExists(gbk("G:\\My Music")));

    // Chosen again after the clerk made a "My Music": the earlier name is found now.
    card.files.createFolders(gbk("G:\\my music"));
    EXPECT_EQ(card.probe()[kMusic], "G:\\my music");
}

TEST(DiskTargetProbe, FilesAreNoFoldersAndAFolderThatCannotBeMadeIsStillTheTarget) {
    Card card({"G:\\mp3"});
    card.files.addFile(gbk("G:\\My Music"), "not a folder");
    card.files.addFile(gbk("G:\\Photos"), "not a folder");
    EXPECT_EQ(card.probe(), (std::vector<std::string>{"G:\\mp3", "G:\\video", "G:\\Photos",
                                                      "G:\\Games", "G:\\Ebook"}));
    EXPECT_FALSE(card.files.folderExists(gbk("G:\\Photos")));

    Card writeProtected;
    writeProtected.files.setWriteProtected("G:\\");
    EXPECT_EQ(writeProtected.probe(),
              (std::vector<std::string>{"G:\\My Music", "G:\\video", "G:\\Photos", "G:\\Games",
                                        "G:\\Ebook"}));
    EXPECT_TRUE(writeProtected.files.list("G:\\", "*", HiddenEntries::Include).empty());
}

// The same on a real Linux folder: UTF-8 host names, a case-sensitive file system.
TEST(DiskTargetProbe, FindsAndMakesFoldersOnARealDisk) {
    testing::TempFolder disk;
    for (const char* folder : {"歌曲", "VIDEO", "mythroad/NES", "电子书"}) {
        std::filesystem::create_directories(disk.path() / folder);
    }
    SharedDriveTable drives;
    DriveTable table;
    table.set({'G', disk.path(), DriveType::Removable});
    drives.replace(table);
    LinuxFileSystem files(drives);

    EXPECT_EQ(utf8(probeDiskTargets(files, "G:\\")),
              (std::vector<std::string>{"G:\\歌曲", "G:\\VIDEO", "G:\\Photos", "G:\\mythroad\\NES",
                                        "G:\\Ebook"}));
    EXPECT_TRUE(std::filesystem::is_directory(disk.path() / "Photos"));
    EXPECT_TRUE(std::filesystem::is_directory(disk.path() / "Ebook"));
    EXPECT_FALSE(std::filesystem::exists(disk.path() / "video"));
}

}  // namespace
}  // namespace qh
