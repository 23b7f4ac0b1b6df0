#include "download/download_list.h"

#include <gtest/gtest.h>

#include "platform/fake_file_system.h"
#include "support/temp_folder.h"
#include "text/gbk.h"

namespace qh {
namespace {

using testing::readFile;
using testing::TempFolder;

std::vector<std::string> gbkAll(std::initializer_list<const char*> utf8Texts) {
    std::vector<std::string> texts;
    for (const char* text : utf8Texts) {
        texts.push_back(gbk(text));
    }
    return texts;
}

class ListFile : public ::testing::Test {
protected:
    TempFolder folder;
    std::filesystem::path file = folder.path() / "清单2.txt";
    DownloadList list{file};
};

TEST_F(ListFile, EveryLineIsKeptAndWrittenBackByteForByte) {
    const std::string longLine = "F:\\" + std::string(1 << 20, 'x') + ".mp3";
    const std::string content = gbk("F:\\青禾点唱库\\1-音乐\\老歌.mp3\r\n") +
                                "\r\n"                          // an empty line
                                "F:\\\x81\x20\xff\xfe.mp3\r\n"  // not GBK
                                + longLine + "\r\n" +
                                gbk("Q:\\无此盘\\a.mp3\r\n") +  // a drive the table lacks
                                gbk("F:\\青禾点唱库\\1-音乐\\老歌.mp3\r\n");  // edited in twice
    folder.write(file.filename(), content);

    list.load();
    ASSERT_EQ(list.entries().size(), 6u);
    EXPECT_EQ(list.entries()[1], "");
    EXPECT_EQ(list.entries()[3], longLine);
    EXPECT_EQ(list.entries()[0], list.entries()[5]);

    ASSERT_TRUE(list.save());
    EXPECT_EQ(readFile(file), content);
}

TEST_F(ListFile, AnyLineEndReadsAndCrLfIsWritten) {
    folder.write(file.filename(), "F:\\a.mp3\nF:\\b.mp3\rF:\\c.mp3");
    list.load();
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"F:\\a.mp3", "F:\\b.mp3", "F:\\c.mp3"}));
    ASSERT_TRUE(list.save());
    EXPECT_EQ(readFile(file), "F:\\a.mp3\r\nF:\\b.mp3\r\nF:\\c.mp3\r\n");
}

TEST_F(ListFile, NoFileLoadsAsAnEmptyListAndAnEmptyListSavesAnEmptyFile) {
    list.addPaths({"F:\\a.mp3"});
    list.load();
    EXPECT_TRUE(list.entries().empty());
    EXPECT_FALSE(std::filesystem::exists(file));

    ASSERT_TRUE(list.save());
    EXPECT_EQ(readFile(file), "");
}

TEST(DownloadList, TheSameFileIsListedOnceAndEveryOtherPathIsTaken) {
    const auto listed =
        gbkAll({"F:\\青禾点唱库\\3-电影\\电影.rmvb", "F:\\青禾点唱库\\1-音乐\\老歌.mp3"});
    const struct {
        const char* path;
        bool appended;
    } cases[] = {
        {"F:\\青禾点唱库\\3-电影\\电影.rmvb", false},
        {"F:\\青禾点唱库\\1-音乐\\老歌.mp3", false},
        {"G:\\青禾点唱库\\1-音乐\\老歌.mp3", true},  // same name, another folder
        {"F:\\青禾点唱库\\1-音乐\\老歌.MP3", true},  // letter case counts
        {"F:\\青禾点唱库\\3-电影\\电影.rm", true},   // only a piece of a listed path
        {"1-音乐\\老歌.mp3", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        DownloadList list("unused");
        ASSERT_EQ(list.addPaths(listed), 2u);
        EXPECT_EQ(list.addPaths({gbk(c.path)}), c.appended ? 1u : 0u);
        EXPECT_EQ(list.entries().size(), c.appended ? 3u : 2u);
    }
}

TEST(DownloadList, APathPickedTwiceInOneAddIsListedOnce) {
    DownloadList list("unused");
    EXPECT_EQ(list.addPaths({"F:\\a.mp3", "F:\\b.mp3", "F:\\a.mp3"}), 2u);
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"F:\\a.mp3", "F:\\b.mp3"}));
}

// The customer's disk G: with a music and a video folder; the library on F:.
class DeleteSelected : public ::testing::Test {
protected:
    DeleteSelected() {
        files.addDrive('F');
        files.addDrive('G');
        auto folders = list.targets().folders();
        folders[kMusic] = gbk("G:\\My Music");
        folders[kVideo] = gbk("G:\\视频");
        list.targets().fill(folders);
        for (const char* path : {
                 "F:\\青禾点唱库\\1-音乐\\老歌.mp3",
                 "F:\\青禾点唱库\\1-音乐\\老歌.lrc",
                 "G:\\My Music\\老歌.mp3",
                 "G:\\My Music\\老歌.lrc",
                 "G:\\My Music\\情歌.mp3",
                 "G:\\My Music\\留下.mp3",
                 "G:\\My Music\\留下.lrc",
                 "G:\\视频\\电影.rmvb",
                 "G:\\视频\\电影.lrc",
             }) {
            files.addFile(gbk(path), "x");
        }
        list.addPaths(gbkAll({
            "F:\\青禾点唱库\\1-音乐\\老歌.mp3",
            "F:\\青禾点唱库\\1-音乐\\qh2009情歌.mp3",
            "F:\\青禾点唱库\\1-音乐\\留下.mp3",
            "F:\\青禾点唱库\\3-电影\\电影.rmvb",
            "F:\\青禾点唱库\\1-音乐\\从未复制.mp3",
        }));
    }
    bool exists(const char* path) const { return files.fileExists(gbk(path)); }

    FakeFileSystem files;
    DownloadList list{"unused"};
};

TEST_F(DeleteSelected, RemovesTheEntriesWithTheirCopiesAndLyricsOnTheCustomersDisk) {
    ASSERT_TRUE(list.deleteSelected({4, 3, 0, 1, 3}, files));

    EXPECT_EQ(list.entries(), gbkAll({"F:\\青禾点唱库\\1-音乐\\留下.mp3"}));
    EXPECT_FALSE(exists("G:\\My Music\\老歌.mp3"));
    EXPECT_FALSE(exists("G:\\My Music\\老歌.lrc"));
    EXPECT_FALSE(exists("G:\\My Music\\情歌.mp3"));  // the copy's name has no marker
    EXPECT_FALSE(exists("G:\\视频\\电影.rmvb"));
    EXPECT_FALSE(exists("G:\\视频\\电影.lrc"));  // a lyrics file goes with every kind
    // Unselected entries and the library keep their files.
    EXPECT_TRUE(exists("G:\\My Music\\留下.mp3"));
    EXPECT_TRUE(exists("G:\\My Music\\留下.lrc"));
    EXPECT_TRUE(exists("F:\\青禾点唱库\\1-音乐\\老歌.mp3"));
    EXPECT_TRUE(exists("F:\\青禾点唱库\\1-音乐\\老歌.lrc"));
}

TEST_F(DeleteSelected, WithoutASelectionNothingHappens) {
    EXPECT_FALSE(list.deleteSelected({}, files));
    EXPECT_FALSE(list.deleteSelected({5, 9}, files));
    EXPECT_EQ(list.entries().size(), 5u);
    EXPECT_TRUE(exists("G:\\My Music\\老歌.mp3"));
}

TEST_F(DeleteSelected, ACustomersDiskThatIsGoneStillLosesTheEntries) {
    files.removeDrive('G');
    ASSERT_TRUE(list.deleteSelected(list.allIndices(), files));
    EXPECT_TRUE(list.entries().empty());
    EXPECT_TRUE(exists("F:\\青禾点唱库\\1-音乐\\老歌.mp3"));
}

// The delete looks where the copy went: a newer format in the folder of its sort, a file of
// no known kind in the music folder, whatever came before it.
TEST(DownloadList, FilesOfNoGroupAreDeletedWhereTheirCopiesWent) {
    FakeFileSystem files;
    files.addDrive('G');
    files.addFile("G:\\music\\x.abc", "x");
    files.addFile("G:\\pictures\\p.png", "p");
    files.addFile("G:\\video\\x.abc", "the customer's own");

    DownloadList list("unused");
    list.targets().fill({"G:\\music", "G:\\video", "G:\\pictures", "G:\\games", "G:\\books"});
    list.addPaths({"F:\\film.rmvb", "F:\\x.abc", "F:\\p.png"});
    list.deleteSelected({1, 2}, files);

    EXPECT_FALSE(files.fileExists("G:\\music\\x.abc"));
    EXPECT_FALSE(files.fileExists("G:\\pictures\\p.png"));
    EXPECT_TRUE(files.fileExists("G:\\video\\x.abc"));
}

TEST(DownloadList, SyncAddsStartAJobOnlyWhileNoneRuns) {
    DownloadList list("unused");
    auto& copy = list.copyControl();
    EXPECT_EQ(list.syncAdd("F:\\a.mp3"), 0u);
    EXPECT_TRUE(copy.busy());
    EXPECT_EQ(list.syncAdd("F:\\b.mp3"), std::nullopt);  // the running job reaches it
    EXPECT_EQ(copy.syncCounters(), (SyncCounters{.total = 2, .next = 1}));

    EXPECT_EQ(copy.pathAtOrGoIdle(2), std::nullopt);  // the job found nothing more and ended
    EXPECT_EQ(list.syncAdd("F:\\c.mp3"), 2u);
    EXPECT_EQ(copy.paths(), (std::vector<std::string>{"F:\\a.mp3", "F:\\b.mp3", "F:\\c.mp3"}));
    EXPECT_EQ(copy.syncCounters().total, 3);
}

TEST(DownloadList, DownloadQueuesTheSelectionInListOrderUnlessAJobRuns) {
    DownloadList list("unused");
    list.addPaths({"F:\\a.mp3", "F:\\b.mp3", "F:\\c.mp3"});
    auto& copy = list.copyControl();

    EXPECT_EQ(list.startDownload({}), DownloadStart::NothingSelected);
    EXPECT_FALSE(copy.busy());

    EXPECT_EQ(list.startDownload({2, 0}), DownloadStart::Started);
    EXPECT_EQ(copy.paths(), (std::vector<std::string>{"F:\\a.mp3", "F:\\c.mp3"}));
    EXPECT_TRUE(copy.busy());

    // The running job reads the queue, so a second download leaves it alone.
    EXPECT_EQ(list.startDownload({1}), DownloadStart::ListBusy);
    EXPECT_EQ(copy.paths(), (std::vector<std::string>{"F:\\a.mp3", "F:\\c.mp3"}));
}

}  // namespace
}  // namespace qh
