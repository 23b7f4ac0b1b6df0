#include "download/copy_job.h"

#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "download/copy_progress.h"
#include "download/download_lists.h"
#include "download/list_copy_control.h"
#include "download/marked_file.h"
#include "download/target_folder_set.h"
#include "platform/fake_file_system.h"
#include "support/file_result_printers.h"
#include "support/forwarding_file_system.h"
#include "support/recording_copy_host.h"
#include "text/byte_text.h"
#include "text/gbk.h"

namespace qh {
namespace {

using testing::RecordingCopyHost;
using testing::utf8;

// Passes everything to a FakeFileSystem, notes the target of every copy tried and which copies
// meant for the disk a pulled-out disk could still lose: those since their folder's last flush.
class CopyRecordingFileSystem final : public testing::ForwardingFileSystem {
public:
    using ForwardingFileSystem::ForwardingFileSystem;

    std::vector<std::string> copyTargets() const {
        std::lock_guard lock(mutex_);
        return copyTargets_;
    }
    std::set<std::string> unflushedCopies() const {
        std::lock_guard lock(mutex_);
        return unflushed_;
    }

    CopyResult copyFile(std::string_view source, std::string_view target, bool overwrite,
                        std::int64_t sourceOffset, CopyDurability durability) override {
        recordCopyTarget(target);
        const auto copied =
            ForwardingFileSystem::copyFile(source, target, overwrite, sourceOffset, durability);
        if (copied && durability == CopyDurability::OnDisk) {
            recordUnflushed(target);
        }
        return copied;
    }
    // Like the disk's own batch, copies take their names only when the batch is finished.
    std::unique_ptr<CopyBatch> beginCopyBatch(CopyBatch::Report report) override {
        return std::make_unique<NamedAtFinish>(*this, std::move(report));
    }
    FileStatus flushFolder(std::string_view folder) override {
        std::lock_guard lock(mutex_);
        const std::string flushed = utf8(folder);
        std::erase_if(unflushed_,
                      [&](const std::string& copy) { return copy.starts_with(flushed); });
        return ForwardingFileSystem::flushFolder(folder);
    }

private:
    // Reads each source at once into a hidden file beside the target, and names it at finish.
    class NamedAtFinish final : public CopyBatch {
    public:
        NamedAtFinish(CopyRecordingFileSystem& disk, Report report)
            : disk_(disk), report_(std::move(report)) {}
        ~NamedAtFinish() override { finish(); }

        std::size_t copyFile(std::string_view source, std::string_view target,
                             bool overwrite) override {
            const std::size_t number = made_++;
            disk_.recordCopyTarget(target);
            if (!overwrite && disk_.ForwardingFileSystem::fileExists(target)) {
                report_(number, CopyResult::alreadyThere());
                return number;
            }
            HeldCopy copy{number, std::string(folderOf(target)) + ".held-" + std::to_string(number),
                          std::string(target), overwrite};
            const auto held = disk_.ForwardingFileSystem::copyFile(source, copy.heldName, true, 0,
                                                                   CopyDurability::OnDisk);
            if (held) {
                held_.push_back(std::move(copy));
            } else {
                report_(number, held);
            }
            return number;
        }
        void finish() override {
            for (const auto& copy : held_) {
                if (copy.overwrite) {
                    disk_.ForwardingFileSystem::deleteFile(copy.target);
                }
                if (disk_.ForwardingFileSystem::rename(copy.heldName, copy.target)) {
                    disk_.recordUnflushed(copy.target);
                    report_(copy.number, CopyResult::copied());
                } else {
                    disk_.ForwardingFileSystem::deleteFile(copy.heldName);
                    report_(copy.number, CopyResult::failed(disk_.fileExists(copy.target)
                                                                ? FileFault::Other
                                                                : FileFault::DiskGone));
                }
            }
            held_.clear();
        }
        FileStatus flushFolder(std::string_view folder) override {
            return disk_.flushFolder(folder);
        }

    private:
        struct HeldCopy {
            std::size_t number = 0;
            std::string heldName;
            std::string target;
            bool overwrite = false;
        };
        CopyRecordingFileSystem& disk_;
        Report report_;
        std::size_t made_ = 0;
        std::vector<HeldCopy> held_;
    };

    void recordCopyTarget(std::string_view target) {
        std::lock_guard lock(mutex_);
        copyTargets_.emplace_back(target);
    }
    void recordUnflushed(std::string_view target) {
        std::lock_guard lock(mutex_);
        unflushed_.emplace(utf8(target));
    }

    mutable std::mutex mutex_;
    std::vector<std::string> copyTargets_;
    std::set<std::string> unflushed_;  // UTF-8
};

// The library on F:, the customer's disk G: with a music and a video folder, the staging
// folders on D:, and one list's targets, control and tab.
struct Shop {
    Shop() {
        for (const char letter : {'D', 'F', 'G'}) {
            files.addDrive(letter);
        }
        for (int list = 0; list < kListCount; ++list) {
            files.createFolders(stagingFolderOf(list));
        }
        setFolder(kMusic, "G:\\My Music");
        setFolder(kVideo, "G:\\视频");
    }

    void setFolder(TargetKind kind, const char* folder) {
        auto folders = targets.folders();
        folders[kind] = gbk(folder);
        targets.fill(folders);
        files.createFolders(gbk(folder));
    }
    // A customer's disk as it is when plugged in again, or replaced by a smaller one.
    void insertCustomerDisk(std::uint64_t capacity = FakeFileSystem::defaultCapacity) {
        files.addDrive('G', capacity);
        files.createFolders(gbk("G:\\My Music"));
        files.createFolders(gbk("G:\\视频"));
    }

    void addFile(const char* path, std::string data) { files.addFile(gbk(path), std::move(data)); }
    std::optional<std::string> content(const char* path) const {
        return files.fileContent(gbk(path));
    }
    bool exists(const char* path) const { return files.fileExists(gbk(path)); }
    std::vector<DirEntry> listing(const std::string& folder) const {
        return files.list(folder, "*", HiddenEntries::Include);
    }

    // `list` 0 for 清单1: the tab's lines are worded as that list words them.
    CopyJob job(int list, bool lyrics = false) {
        control.setLyricsWanted(lyrics);
        return CopyJob({.list = list,
                        .files = recorder,
                        .targets = targets,
                        .control = control,
                        .stagingFolder = stagingFolderOf(list)},
                       host);
    }
    void runBatch(int list, std::initializer_list<const char*> paths, bool lyrics = false) {
        std::vector<std::string> queued;
        for (const char* path : paths) {
            queued.push_back(gbk(path));
        }
        ASSERT_TRUE(control.startBatch(std::move(queued)));
        job(list, lyrics).runBatch();
    }
    std::optional<std::size_t> syncAdd(const char* path) { return control.syncAdd(gbk(path)); }

    FakeFileSystem files;
    CopyRecordingFileSystem recorder{files};
    TargetFolderSet targets;
    ListCopyControl control;
    RecordingCopyHost host;
};

TEST(CopyJob, ABatchLeavesAnExistingCopyAloneAndStillCountsIt) {
    Shop shop;
    shop.addFile("F:\\库\\a.mp3", "a");
    shop.addFile("F:\\库\\b.mp3", "b");
    shop.addFile("F:\\库\\c.mp3", "c");
    shop.addFile("G:\\My Music\\b.mp3", "the customer's own");

    shop.runBatch(0, {"F:\\库\\a.mp3", "F:\\库\\b.mp3", "F:\\库\\c.mp3"});

    EXPECT_EQ(shop.content("G:\\My Music\\a.mp3"), "a");
    EXPECT_EQ(shop.content("G:\\My Music\\b.mp3"), "the customer's own");
    EXPECT_EQ(shop.content("G:\\My Music\\c.mp3"), "c");
    const auto tab = shop.host.tab();
    EXPECT_EQ(tab.lines, (std::vector<std::string>{"1/3 正在下载...a.mp3", "2/3 正在下载...b.mp3",
                                                   "3/3 正在下载...c.mp3", ""}));
    EXPECT_EQ(tab.sounds, 1);
    EXPECT_EQ(tab.ends, 1);
    EXPECT_FALSE(shop.control.busy());
}

TEST(CopyJob, AStopRequestEndsTheBatchAfterTheFileBeingCopiedWithoutTheEnding) {
    Shop shop;
    for (const char* path : {"F:\\库\\a.mp3", "F:\\库\\b.mp3", "F:\\库\\c.mp3"}) {
        shop.addFile(path, "x");
    }
    shop.host.whileCopying = [&](const std::string&) { shop.control.requestStop(); };

    shop.runBatch(0, {"F:\\库\\a.mp3", "F:\\库\\b.mp3", "F:\\库\\c.mp3"});

    EXPECT_TRUE(shop.exists("G:\\My Music\\a.mp3"));
    EXPECT_FALSE(shop.exists("G:\\My Music\\b.mp3"));
    const auto tab = shop.host.tab();
    EXPECT_FALSE(tab.noticeShown);
    EXPECT_EQ(tab.sounds, 0);
    EXPECT_EQ(tab.ends, 1);
    EXPECT_FALSE(shop.control.busy());
}

TEST(CopyJob, EachFileGoesToTheFolderOfItsOwnKind) {
    Shop shop;
    shop.addFile("F:\\库\\老歌.mp3", "song");
    shop.addFile("F:\\库\\电影.rmvb", "film");
    shop.runBatch(0, {"F:\\库\\老歌.mp3", "F:\\库\\电影.rmvb"});
    EXPECT_EQ(shop.content("G:\\My Music\\老歌.mp3"), "song");
    EXPECT_EQ(shop.content("G:\\视频\\电影.rmvb"), "film");
}

// Formats newer than the extension groups go to the folder of their sort and a file still
// unknown to the music folder, also as the job's first file, when no kind has been seen yet:
// no file is passed over, none goes to a bare name.
TEST(CopyJob, FilesOfNoGroupGoToTheFolderOfTheirSort) {
    const struct {
        const char* file;
        const char* copy;
    } cases[] = {
        {"F:\\库\\壁纸.PNG", "G:\\图片\\壁纸.PNG"},
        {"F:\\库\\歌.flac", "G:\\My Music\\歌.flac"},
        {"F:\\库\\片.flv", "G:\\视频\\片.flv"},
        {"F:\\库\\书.epub", "G:\\书\\书.epub"},
        {"F:\\库\\游戏.apk", "G:\\游戏\\游戏.apk"},
        {"F:\\库\\x.abc", "G:\\My Music\\x.abc"},
        {"F:\\库\\无扩展名", "G:\\My Music\\无扩展名"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Shop shop;
        shop.setFolder(kPicture, "G:\\图片");
        shop.setFolder(kGame, "G:\\游戏");
        shop.setFolder(kEbook, "G:\\书");
        shop.addFile(c.file, "data");

        shop.runBatch(0, {c.file});

        EXPECT_EQ(shop.content(c.copy), "data");
        EXPECT_TRUE(shop.host.tab().noticeShown);
    }
}

TEST(CopyJob, WhileABatchCopiesTheTabShowsItAndAtTheEndItsListsOwnEnding) {
    const struct {
        const char* name;
        int list;
        const char* status;
    } cases[] = {{"清单1", 0, "before"},
                 {"清单2", 1, "正在下载...1/1"},
                 {"清单3", 2, "下载完成!"},
                 {"清单4", 3, "before"},
                 {"清单5", 4, "下载完成!"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Shop shop;
        RecordingCopyHost::Tab whileCopying;
        shop.host.whileCopying = [&](const std::string&) { whileCopying = shop.host.tab(); };
        shop.addFile("F:\\库\\a.mp3", "a");

        shop.runBatch(c.list, {"F:\\库\\a.mp3"});

        EXPECT_FALSE(whileCopying.noticeShown);
        EXPECT_TRUE(whileCopying.timerOn);
        EXPECT_TRUE(whileCopying.barShown);
        EXPECT_EQ(whileCopying.barPosition, 0);
        EXPECT_EQ(whileCopying.barMaximum, 12);
        EXPECT_EQ(whileCopying.elapsed, "0");

        const auto tab = shop.host.tab();
        EXPECT_EQ(tab.line, "");
        EXPECT_EQ(tab.status, c.status);
        EXPECT_TRUE(tab.noticeShown);
        EXPECT_TRUE(tab.barShown);  // full, and it stays
        EXPECT_EQ(tab.barPosition, 12);
        EXPECT_FALSE(tab.timerOn);
        EXPECT_EQ(tab.sounds, 1);
        EXPECT_EQ(tab.hotCounts, 0);
        EXPECT_EQ(tab.historyTrims, 0);
        EXPECT_EQ(tab.ends, 1);
        EXPECT_GE(tab.freeSpaceRefreshes, 1);
        EXPECT_FALSE(shop.control.busy());
    }
}

TEST(CopyJob, SyncAddsWhileTheFirstFileCopiesAreServedByTheSameJob) {
    Shop shop;
    for (const char* path : {"F:\\库\\a.mp3", "F:\\库\\b.mp3", "F:\\库\\c.mp3"}) {
        shop.addFile(path, "x");
    }
    RecordingCopyHost::Tab atSecondFile;
    shop.host.whileCopying = [&](const std::string& line) {
        if (line.starts_with("1/")) {
            EXPECT_EQ(shop.syncAdd("F:\\库\\b.mp3"), std::nullopt);
            EXPECT_EQ(shop.syncAdd("F:\\库\\c.mp3"), std::nullopt);
        } else if (line.starts_with("2/")) {
            atSecondFile = shop.host.tab();
        }
    };

    const auto first = shop.syncAdd("F:\\库\\a.mp3");
    ASSERT_EQ(first, 0u);
    shop.job(1).runSync(*first);

    const auto tab = shop.host.tab();
    EXPECT_EQ(tab.lines, (std::vector<std::string>{"1/1正在下载...a.mp3", "2/3正在下载...b.mp3",
                                                   "3/3正在下载...c.mp3", ""}));
    EXPECT_FALSE(atSecondFile.noticeShown);  // not finished after the first file
    EXPECT_TRUE(atSecondFile.timerOn);
    EXPECT_TRUE(tab.noticeShown);
    EXPECT_FALSE(tab.barShown);  // 清单2 hides its bar once its sync adds are served
    EXPECT_EQ(tab.barPosition, 12);
    EXPECT_FALSE(tab.timerOn);
    EXPECT_EQ(tab.status, "before");
    EXPECT_EQ(tab.hotCounted, (std::vector<std::string>{gbk("F:\\库\\a.mp3"), gbk("F:\\库\\b.mp3"),
                                                        gbk("F:\\库\\c.mp3")}));
    EXPECT_EQ(tab.historyTrims, 3);
    EXPECT_EQ(tab.sounds, 0);
    EXPECT_EQ(tab.ends, 1);
    for (const char* path : {"G:\\My Music\\a.mp3", "G:\\My Music\\b.mp3", "G:\\My Music\\c.mp3"}) {
        EXPECT_TRUE(shop.exists(path)) << path;
    }
    EXPECT_FALSE(shop.control.busy());
}

TEST(CopyJob, ASyncFinishEndsEachListItsOwnWay) {
    const struct {
        const char* name;
        int list;
        const char* status;
        bool barShown;
    } cases[] = {{"清单1", 0, "复制完成!", false},
                 {"清单2", 1, "before", false},
                 {"清单3", 2, "before", true},
                 {"清单4", 3, "before", true},
                 {"清单5", 4, "before", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Shop shop;
        shop.addFile("F:\\库\\a.mp3", "a");
        shop.job(c.list).runSync(*shop.syncAdd("F:\\库\\a.mp3"));

        const auto tab = shop.host.tab();
        EXPECT_EQ(tab.status, c.status);
        EXPECT_EQ(tab.barShown, c.barShown);
        EXPECT_EQ(tab.barPosition, 12);
        EXPECT_TRUE(tab.noticeShown);
        EXPECT_EQ(tab.line, "");
        EXPECT_EQ(tab.sounds, 0);
        EXPECT_EQ(tab.ends, 1);
    }
}

TEST(CopyJob, TheDoneNoticeWaitsUntilTheCopiesAreOnTheCustomersDisk) {
    const struct {
        const char* name;
        void (*run)(Shop& shop);
    } cases[] = {
        {"batch",
         [](Shop& shop) {
             shop.runBatch(0, {"F:\\库\\a.mp3", "F:\\库\\电影.rmvb", "F:\\库\\qh2009b.mp3"});
         }},
        {"sync",
         [](Shop& shop) {
             shop.host.whileCopying = [&](const std::string& line) {
                 if (line.starts_with("1/1")) {
                     shop.syncAdd("F:\\库\\电影.rmvb");
                     shop.syncAdd("F:\\库\\qh2009b.mp3");
                 }
             };
             shop.job(0).runSync(*shop.syncAdd("F:\\库\\a.mp3"));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Shop shop;
        shop.addFile("F:\\库\\a.mp3", "a");
        shop.addFile("F:\\库\\电影.rmvb", "film");
        shop.addFile("F:\\库\\qh2009b.mp3", std::string(kMarkedFileBlockBytes, 'x') + "b");
        std::optional<std::set<std::string>> unflushedAtNotice;
        std::vector<bool> presentAtNotice;
        shop.host.whenNoticeShown = [&] {
            unflushedAtNotice = shop.recorder.unflushedCopies();
            for (const char* copy :
                 {"G:\\My Music\\a.mp3", "G:\\视频\\电影.rmvb", "G:\\My Music\\b.mp3"}) {
                presentAtNotice.push_back(shop.exists(copy));
            }
        };

        c.run(shop);

        ASSERT_TRUE(unflushedAtNotice);
        EXPECT_EQ(*unflushedAtNotice, std::set<std::string>{}) << "a pulled-out disk loses them";
        EXPECT_EQ(presentAtNotice, std::vector<bool>(3, true));
        EXPECT_EQ(shop.content("G:\\My Music\\b.mp3"), "b");
    }
}

TEST(CopyJob, ASyncJobWithoutAnAddLeavesLaterLinesAheadOfTheTotal) {
    Shop shop;
    shop.addFile("F:\\库\\a.mp3", "a");
    shop.addFile("F:\\库\\b.mp3", "b");
    shop.job(0).runSync(*shop.syncAdd("F:\\库\\a.mp3"));
    shop.job(0).runSync(*shop.control.claimSync());  // the number search copies the current file
    shop.job(0).runSync(*shop.syncAdd("F:\\库\\b.mp3"));

    EXPECT_EQ(shop.host.tab().lines,
              (std::vector<std::string>{"1/1正在下载...a.mp3", "", "2/1正在下载...a.mp3", "",
                                        "3/2正在下载...b.mp3", ""}));
}

TEST(CopyJob, AnEmptyQueueEndsASyncJobAtOnce) {
    Shop shop;
    shop.job(0).runSync(*shop.control.claimSync());
    const auto tab = shop.host.tab();
    EXPECT_TRUE(tab.lines.empty());
    EXPECT_EQ(tab.ends, 1);
    EXPECT_FALSE(shop.control.busy());
}

TEST(CopyJob, ASyncAddDuringABatchIsCopiedAfterIt) {
    Shop shop;
    for (const char* path : {"F:\\库\\a.mp3", "F:\\库\\b.mp3", "F:\\库\\c.mp3"}) {
        shop.addFile(path, "x");
    }
    shop.host.whileCopying = [&](const std::string& line) {
        if (line.starts_with("1/2")) {
            EXPECT_EQ(shop.syncAdd("F:\\库\\c.mp3"), std::nullopt);  // the list is busy
        }
    };

    shop.runBatch(2, {"F:\\库\\a.mp3", "F:\\库\\b.mp3"});

    const auto tab = shop.host.tab();
    EXPECT_EQ(tab.lines, (std::vector<std::string>{"1/2正在下载： a.mp3", "2/2正在下载： b.mp3", "",
                                                   "1/1正在下载...c.mp3", ""}));
    EXPECT_TRUE(shop.exists("G:\\My Music\\c.mp3"));
    EXPECT_EQ(tab.sounds, 1);
    EXPECT_EQ(tab.ends, 1);
    EXPECT_FALSE(shop.control.busy());
}

TEST(CopyJob, LyricsGoWithMusicOnlyAndReplaceAnOlderLyricsFile) {
    const struct {
        const char* label;
        const char* file;
        bool lyricsBox;
        bool libraryHasLyrics;
        bool lyricsCopied;
    } cases[] = {
        {"song", "F:\\库\\老歌.mp3", true, true, true},
        {"box unticked", "F:\\库\\老歌.mp3", false, true, false},
        {"no lyrics in the library", "F:\\库\\老歌.mp3", true, false, false},
        {"film", "F:\\库\\老歌.rmvb", true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Shop shop;
        shop.addFile(c.file, "media");
        if (c.libraryHasLyrics) {
            shop.addFile("F:\\库\\老歌.lrc", "new lyrics");
        }
        shop.addFile("G:\\My Music\\老歌.lrc", "old lyrics");

        shop.runBatch(0, {c.file}, c.lyricsBox);

        EXPECT_EQ(shop.content("G:\\My Music\\老歌.lrc"),
                  c.lyricsCopied ? "new lyrics" : "old lyrics");
        EXPECT_FALSE(shop.exists("G:\\视频\\老歌.lrc"));
    }
}

TEST(CopyJob, LyricsComeEvenWhenTheSongWasCopiedBefore) {
    Shop shop;
    shop.addFile("F:\\库\\老歌.mp3", "song");
    shop.addFile("F:\\库\\老歌.lrc", "lyrics");
    shop.addFile("G:\\My Music\\老歌.mp3", "copied before");

    shop.runBatch(0, {"F:\\库\\老歌.mp3"}, /*lyrics=*/true);

    EXPECT_EQ(shop.content("G:\\My Music\\老歌.mp3"), "copied before");
    EXPECT_EQ(shop.content("G:\\My Music\\老歌.lrc"), "lyrics");
}

std::string numberedBytes(std::size_t count) {
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<char>(i % 251);
    }
    return bytes;
}

TEST(CopyJob, AMarkedFileArrivesWithoutItsBlockUnderItsPlainName) {
    const std::string library = numberedBytes(5'407'552);
    const struct {
        const char* label;
        const char* musicFolder;
        bool copyExists;
        bool stagingStays;
    } cases[] = {
        {"to the customer's disk", "G:\\My Music", false, false},
        {"over an existing copy", "G:\\My Music", true, false},
        {"the staging folder is the target", "D:\\歌曲下载\\清单2", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Shop shop;
        shop.setFolder(kMusic, c.musicFolder);
        shop.addFile("F:\\库\\qh2009老歌.mp3", library);
        shop.addFile("F:\\库\\老歌.lrc", "lyrics");
        const std::string destination = gbk(c.musicFolder) + gbk("\\老歌.mp3");
        if (c.copyExists) {
            shop.files.addFile(destination, "copied before");
        }

        shop.runBatch(1, {"F:\\库\\qh2009老歌.mp3"}, /*lyrics=*/true);

        const auto copy = shop.files.fileContent(destination);
        ASSERT_TRUE(copy);
        if (c.copyExists) {
            EXPECT_EQ(*copy, "copied before");
        } else {
            ASSERT_EQ(copy->size(), 5'000'000u);
            EXPECT_EQ(copy->front(), library[407'552]);
            EXPECT_TRUE(*copy == library.substr(407'552));
        }
        EXPECT_EQ(shop.exists("D:\\歌曲下载\\清单2\\老歌.mp3"), c.stagingStays);
        EXPECT_EQ(shop.files.fileContent(gbk(c.musicFolder) + gbk("\\老歌.lrc")), "lyrics");
        EXPECT_EQ(shop.host.tab().lines.front(), "正在下载： 老歌.mp3");
    }
}

// A batch of a file that cannot be copied, then a film that can: the first leaves no trace on
// the customer's disk and is reported with its reason, the film arrives, and the clerk is told
// one of two files is missing instead of the done notice.
TEST(CopyJob, AFileThatCannotBeCopiedIsReportedAndLeavesNothingBehind) {
    const struct {
        const char* label;
        const char* file;
        std::size_t size;  // 0: not in the library
        std::function<void(Shop&)> fault;
        FileFault reported;
        const char* reason;
    } cases[] = {
        {"missing source", "F:\\库\\无此歌.mp3", 0, [](Shop&) {}, FileFault::SourceMissing,
         "源文件不存在"},
        {"missing target folder", "F:\\库\\老歌.mp3", 10,
         [](Shop& shop) {
             auto folders = shop.targets.folders();
             folders[kMusic] = gbk("G:\\无此文件夹");
             shop.targets.fill(folders);
         },
         FileFault::FolderMissing, "目标文件夹不存在"},
        {"full disk", "F:\\库\\老歌.mp3", 5000, [](Shop& shop) { shop.insertCustomerDisk(1000); },
         FileFault::DiskFull, "磁盘已满"},
        {"write-protected folder", "F:\\库\\老歌.mp3", 10,
         [](Shop& shop) { shop.files.setWriteProtected(gbk("G:\\My Music")); },
         FileFault::WriteProtected, "磁盘写保护"},
        {"marked file no longer than its block", "F:\\库\\qh2009老歌.mp3", 407'552, [](Shop&) {},
         FileFault::SourceUnreadable, "源文件无法读取"},
        {"no staging drive", "F:\\库\\qh2009老歌.mp3", 500'000,
         [](Shop& shop) { shop.files.removeDrive('D'); }, FileFault::Other, "复制失败"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Shop shop;
        if (c.size > 0) {
            shop.addFile(c.file, std::string(c.size, 'm'));
        }
        c.fault(shop);
        shop.addFile("F:\\库\\电影.rmvb", "film");

        shop.runBatch(0, {c.file, "F:\\库\\电影.rmvb"});

        EXPECT_EQ(shop.listing(gbk("G:\\My Music\\")), std::vector<DirEntry>{});
        EXPECT_EQ(shop.listing(stagingFolderOf(0)), std::vector<DirEntry>{});
        EXPECT_EQ(shop.content("G:\\视频\\电影.rmvb"), "film");
        const auto tab = shop.host.tab();
        EXPECT_EQ(tab.lines.size(), 3u);
        EXPECT_FALSE(tab.noticeShown);
        EXPECT_EQ(tab.undeliveredNotice,
                  std::string("清单1 下载未完成：1/2 个文件未复制（") + c.reason + "）");
        EXPECT_EQ(tab.undelivered,
                  (std::map<std::string, FileFault>{{utf8(gbk(c.file)), c.reported}}));
        EXPECT_EQ(tab.sounds, 0);
        EXPECT_EQ(tab.errorSounds, 1);
        EXPECT_NE(tab.barPosition, tab.barMaximum) << "a full bar would say done";
        EXPECT_EQ(tab.ends, 1);
    }
}

// A stick that takes more than it holds: the files past its real size read back as other data,
// so they fail and do not stay under their names; the one that fitted arrives.
TEST(CopyJob, FilesAFakeCapacityStickCannotHoldFailTheirCheck) {
    Shop shop;
    shop.files.addFakeCapacityDrive('G', FakeFileSystem::defaultCapacity, 1000);
    shop.files.createFolders(gbk("G:\\My Music"));
    for (const char name : {'a', 'b', 'c'}) {
        shop.files.addFile(gbk("F:\\库\\") + name + ".mp3", std::string(600, name));
    }

    shop.runBatch(0, {"F:\\库\\a.mp3", "F:\\库\\b.mp3", "F:\\库\\c.mp3"});

    EXPECT_EQ(shop.content("G:\\My Music\\a.mp3"), std::string(600, 'a'));
    EXPECT_FALSE(shop.exists("G:\\My Music\\b.mp3"));
    EXPECT_FALSE(shop.exists("G:\\My Music\\c.mp3"));
    EXPECT_EQ(shop.host.tab().undeliveredNotice, "清单1 下载未完成：2/3 个文件未复制（校验失败）");
}

// Every file failing, for several reasons at once: all are counted, the reasons most frequent
// first; a sync job says so in its place too, with 清单1's status line.
TEST(CopyJob, EveryFileFailingIsCountedWithItsReasons) {
    Shop shop;
    shop.addFile("F:\\库\\a.mp3", std::string(600, 'a'));
    shop.addFile("F:\\库\\b.mp3", std::string(600, 'b'));
    shop.insertCustomerDisk(1000);

    shop.runBatch(2, {"F:\\库\\a.mp3", "F:\\库\\b.mp3", "F:\\库\\无.mp3", "F:\\库\\c.mp3"});

    auto tab = shop.host.tab();
    EXPECT_EQ(tab.undeliveredNotice,
              "清单3 下载未完成：3/4 个文件未复制（源文件不存在 2、磁盘已满 1）");
    EXPECT_EQ(tab.status, "下载未完成!");
    EXPECT_EQ(shop.content("G:\\My Music\\a.mp3"), std::string(600, 'a'));

    Shop sync;
    sync.job(0).runSync(*sync.syncAdd("F:\\库\\无.mp3"));
    tab = sync.host.tab();
    EXPECT_EQ(tab.undeliveredNotice, "清单1 下载未完成：1/1 个文件未复制（源文件不存在）");
    EXPECT_EQ(tab.status, "复制未完成!");
    EXPECT_EQ(tab.errorSounds, 1);
    EXPECT_FALSE(tab.barShown);
}

// The customer's disk pulled out while the first of three files copies: the job stops there,
// nothing else is written anywhere (not even to the default folder the list falls back to),
// every file of the job is reported missing, and the same list copies normally afterwards.
TEST(CopyJob, ADiskPulledOutStopsTheJobAndNothingGoesElsewhere) {
    const struct {
        const char* label;
        // What the window does when the disk goes: nothing yet, or the list's withdrawal.
        bool withdrawn;
    } cases[] = {{"noticed by the copy", false}, {"withdrawn by the window", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Shop shop;
        for (const char* path : {"F:\\库\\a.mp3", "F:\\库\\b.mp3", "F:\\库\\c.mp3"}) {
            shop.addFile(path, "x");
        }
        shop.host.whileCopying = [&](const std::string& line) {
            if (line.starts_with("1/")) {
                shop.files.removeDrive('G');
                if (c.withdrawn) {
                    shop.targets.withdrawDisk();
                }
            }
        };

        shop.runBatch(0, {"F:\\库\\a.mp3", "F:\\库\\b.mp3", "F:\\库\\c.mp3"});

        EXPECT_EQ(shop.listing(gbk("D:\\歌曲下载\\")).size(), 5u) << "only the staging folders";
        auto tab = shop.host.tab();
        EXPECT_EQ(tab.undeliveredNotice, "清单1 下载未完成：3/3 个文件未复制（磁盘已拔出）");
        EXPECT_EQ(tab.undelivered.size(), 3u);

        // Plugged in again: the next download copies all three.
        shop.host.whileCopying = {};
        shop.insertCustomerDisk();
        if (c.withdrawn) {
            shop.setFolder(kMusic, "G:\\My Music");
        }
        shop.runBatch(0, {"F:\\库\\a.mp3", "F:\\库\\b.mp3", "F:\\库\\c.mp3"});
        tab = shop.host.tab();
        EXPECT_TRUE(tab.noticeShown);
        EXPECT_TRUE(shop.exists("G:\\My Music\\c.mp3"));
    }
}

// A sync add made after the disk went away is a new request, for the list's folders as they
// are now; the files queued before are not copied there.
TEST(CopyJob, SyncAddsAfterAWithdrawalGoToTheListsFoldersOfNow) {
    Shop shop;
    shop.addFile("F:\\库\\a.mp3", "a");
    shop.addFile("F:\\库\\b.mp3", "b");
    shop.addFile("F:\\库\\c.mp3", "c");
    shop.host.whileCopying = [&](const std::string& line) {
        if (line.starts_with("1/1")) {
            shop.syncAdd("F:\\库\\b.mp3");
            shop.files.removeDrive('G');
            shop.targets.withdrawDisk();
        } else if (line.starts_with("2/2")) {
            shop.syncAdd("F:\\库\\c.mp3");
        }
    };

    shop.job(1).runSync(*shop.syncAdd("F:\\库\\a.mp3"));

    EXPECT_FALSE(shop.exists("D:\\歌曲下载\\a.mp3"));
    EXPECT_FALSE(shop.exists("D:\\歌曲下载\\b.mp3"));
    EXPECT_EQ(shop.content("D:\\歌曲下载\\c.mp3"), "c");
    const auto tab = shop.host.tab();
    EXPECT_EQ(tab.undeliveredNotice, "清单2 下载未完成：2/3 个文件未复制（磁盘已拔出）");
    EXPECT_FALSE(shop.control.busy());
}

// Window threads adding while jobs walk the queue and go idle: each added path must be copied by
// exactly one job, whether it was appended just before or just after a job's last look.
TEST(CopyJobRace, EverySyncAddIsCopiedOnceWhileJobsStartAndEnd) {
    constexpr int kAdders = 4;
    constexpr int kAddsEach = 200;
    constexpr int kBatchTries = 60;
    FakeFileSystem disk;
    for (const char letter : {'D', 'F', 'G'}) {
        disk.addDrive(letter);
    }
    disk.createFolders(gbk("G:\\Music"));
    CopyRecordingFileSystem recorder(disk);
    TargetFolderSet targets;
    auto folders = targets.folders();
    folders[kMusic] = gbk("G:\\Music");
    targets.fill(folders);
    ListCopyControl control;
    RecordingCopyHost host;
    host.whileCopying = [](const std::string&) { std::this_thread::yield(); };

    auto libraryPath = [](const std::string& name) { return "F:\\lib\\" + name + ".mp3"; };
    std::vector<std::string> expectedTargets;
    std::mutex expectedMutex;
    auto expect = [&](const std::vector<std::string>& names) {
        std::lock_guard lock(expectedMutex);
        for (const auto& name : names) {
            expectedTargets.push_back("G:\\Music\\" + name + ".mp3");
        }
    };

    std::mutex jobsMutex;
    std::vector<std::thread> jobs;
    auto startJob = [&](auto run) {
        std::lock_guard lock(jobsMutex);
        jobs.emplace_back([&, run] {
            CopyJob job({.list = 0,
                         .files = recorder,
                         .targets = targets,
                         .control = control,
                         .stagingFolder = stagingFolderOf(0)},
                        host);
            run(job);
        });
    };

    std::vector<std::thread> windows;
    for (int adder = 0; adder < kAdders; ++adder) {
        windows.emplace_back([&, adder] {
            for (int add = 0; add < kAddsEach; ++add) {
                const std::string name = std::to_string(adder) + "-" + std::to_string(add);
                disk.addFile(libraryPath(name), name);
                expect({name});
                if (const auto first = control.syncAdd(libraryPath(name))) {
                    startJob([first = *first](CopyJob& job) { job.runSync(first); });
                }
                std::this_thread::yield();
            }
        });
    }
    windows.emplace_back([&] {
        for (int batch = 0; batch < kBatchTries; ++batch) {
            const std::string name = "batch-" + std::to_string(batch);
            disk.addFile(libraryPath(name), name);
            if (control.startBatch({libraryPath(name)})) {
                expect({name});
                startJob([](CopyJob& job) { job.runBatch(); });
            }
            std::this_thread::yield();
        }
    });
    for (auto& window : windows) {
        window.join();
    }
    std::lock_guard lock(jobsMutex);
    for (auto& job : jobs) {
        job.join();
    }

    auto copied = recorder.copyTargets();
    std::sort(copied.begin(), copied.end());
    std::sort(expectedTargets.begin(), expectedTargets.end());
    EXPECT_EQ(copied, expectedTargets);
    EXPECT_FALSE(control.busy());
    EXPECT_EQ(control.syncCounters(),
              (SyncCounters{.total = kAdders * kAddsEach, .next = kAdders * kAddsEach + 1}));
    EXPECT_EQ(host.tab().ends, static_cast<int>(jobs.size()));
}

}  // namespace
}  // namespace qh
