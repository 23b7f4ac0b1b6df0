#include "platform/linux_file_system.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "dir_entry_printer.h"
#include "platform/folder_reader_linux.h"
#include "platform/unique_fd_linux.h"
#include "support/file_result_printers.h"
#include "support/temp_folder.h"
#include "text/byte_text.h"
#include "text/gbk.h"
#include "text/text_list_file.h"

namespace qh {
namespace {

using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;
namespace fs = std::filesystem;

class LinuxFileSystemTest : public ::testing::Test {
protected:
    LinuxFileSystemTest() { useDrive('F', folder_.path() / "F"); }

    // Points the letter at the host folder, creating the folder.
    fs::path useDrive(char letter, const fs::path& root) {
        fs::create_directories(root);
        DriveTable table = *drives_.snapshot();
        table.set({letter, root, DriveType::Fixed});
        drives_.replace(table);
        return root;
    }
    const fs::path& hostF() const { return drives_.snapshot()->find('F')->hostRoot; }
    // A batch whose copies' results land in `results`, by copy number.
    std::unique_ptr<CopyBatch> batchInto(std::map<std::size_t, CopyResult>& results) {
        return files_.beginCopyBatch(
            [&results](std::size_t copy, CopyResult result) { results.emplace(copy, result); });
    }
    std::unique_ptr<CopyBatch> batch() { return batchInto(results_); }

    testing::TempFolder folder_;
    std::map<std::size_t, CopyResult> results_;
    SharedDriveTable drives_;
    LinuxFileSystem files_{drives_};
};

// Host names that are not valid UTF-8, or hold characters GBK lacks, list under a GBK name that
// leads back to the same host file, also after a trip through a download list's file.
TEST_F(LinuxFileSystemTest, AnyHostNameListsAndResolvesBack) {
    const std::vector<std::string> hostNames = {"\xff\xfe.mp3", "😀.mp3", "乗俓.mp3", "plain.mp3"};
    for (std::size_t i = 0; i < hostNames.size(); ++i) {
        testing::writeFile(hostF() / hostNames[i], std::string(i + 1, 'x'));
    }
    const auto entries = files_.list(R"(F:\)", "*.mp3", HiddenEntries::Include);
    ASSERT_EQ(entries.size(), hostNames.size());
    std::vector<std::string> listed;
    for (const auto& entry : entries) {
        listed.push_back(R"(F:\)" + entry.name);
    }
    const auto listFile = folder_.path() / "list.txt";
    ASSERT_TRUE(saveTextList(listFile, listed));
    const auto reloaded = loadTextList(listFile);
    ASSERT_EQ(reloaded, listed);

    std::vector<std::string> resolvedNames;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& windowsPath = reloaded[i];
        SCOPED_TRACE(windowsPath);
        const auto host = drives_.snapshot()->resolve(windowsPath);
        ASSERT_TRUE(host);
        EXPECT_EQ(host->parent_path(), hostF());
        resolvedNames.push_back(host->filename());
        EXPECT_EQ(files_.fileSize(windowsPath), entries[i].size);
        EXPECT_EQ(drives_.snapshot()->toWindowsPath(*host), windowsPath);
    }
    EXPECT_THAT(resolvedNames,
                UnorderedElementsAre(hostNames[0], hostNames[1], hostNames[2], hostNames[3]));
    // The emoji is one GB18030 character; each undecodable byte counts as one too. Two question
    // marks before the dot take one character or two, as on Windows.
    EXPECT_EQ(files_.list(R"(F:\)", "?.mp3", HiddenEntries::Include).size(), 1u);
    EXPECT_EQ(files_.list(R"(F:\)", "??.mp3", HiddenEntries::Include).size(), 3u);
}

// A host name holding a backslash or a line break is one Windows name: it lists, goes through a
// list file as one line and leads back to its own file, never to "a\b.mp3" in a folder "a".
TEST_F(LinuxFileSystemTest, NamesWindowsCannotHoldListAsOneNameAndLeadBack) {
    const std::map<std::string, std::string> files = {{"a\\b.mp3", "xy"}, {"x\ny.mp3", "xyz"}};
    for (const auto& [hostName, content] : files) {
        testing::writeFile(hostF() / hostName, content);
    }
    testing::writeFile(hostF() / "a" / "b.mp3", "another file");

    std::vector<std::string> listed;
    std::vector<std::string> shown;
    for (const auto& entry : files_.list(R"(F:\)", "*.mp3", HiddenEntries::Include)) {
        listed.push_back(R"(F:\)" + entry.name);
        shown.push_back(fromGbk(entry.name).toStdString());
    }
    EXPECT_THAT(shown, UnorderedElementsAre("a＼b.mp3", "x␊y.mp3"));
    const NamePattern pattern("*.mp3");
    const auto open = LinuxFolderReader(drives_).open(R"(F:\)", pattern);
    ASSERT_NE(open, nullptr);
    std::vector<std::string> walked;
    FolderEntry entry;
    while (open->next(entry)) {
        if (entry.matches) {
            walked.push_back(R"(F:\)" + entry.name);
        }
    }
    EXPECT_THAT(walked, ::testing::UnorderedElementsAreArray(listed));

    const auto listFile = folder_.path() / "清单1.txt";
    ASSERT_TRUE(saveTextList(listFile, listed));
    const auto reloaded = loadTextList(listFile);
    ASSERT_EQ(reloaded, listed);
    ASSERT_TRUE(files_.createFolders(R"(F:\out)"));
    for (const std::string& path : reloaded) {
        const std::string hostName = gbkToHostName(std::string(fileNameOf(path)));
        SCOPED_TRACE(hostName);
        ASSERT_TRUE(files.contains(hostName));
        const std::string& content = files.at(hostName);
        EXPECT_EQ(files_.fileSize(path), static_cast<std::int64_t>(content.size()));
        const auto stream = files_.openRead(path);
        ASSERT_NE(stream, nullptr);
        std::string read(content.size() + 1, '\0');
        read.resize(static_cast<std::size_t>(stream->read(read.data(), std::int64_t(read.size()))));
        EXPECT_EQ(read, content);
        const std::string copy = R"(F:\out\)" + std::string(fileNameOf(path));
        EXPECT_TRUE(files_.copyFile(path, copy, false));
        EXPECT_EQ(testing::readFile(hostF() / "out" / hostName), content);
    }
    EXPECT_EQ(testing::readFile(hostF() / "a" / "b.mp3"), "another file");
}

TEST_F(LinuxFileSystemTest, AttributesFollowNameModeAndLinks) {
    const fs::path root = hostF();
    testing::writeFile(root / "plain.mp3", "12345");
    testing::writeFile(root / "locked.mp3", "123");
    fs::permissions(root / "locked.mp3",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    fs::create_directory(root / ".hidden");
    fs::create_directory(root / "protected");
    fs::permissions(root / "protected", fs::perms::owner_write, fs::perm_options::remove);
    fs::create_symlink("plain.mp3", root / "link.mp3");
    fs::create_directory_symlink("protected", root / "folderlink");
    fs::create_symlink("missing.mp3", root / "dangling.mp3");
    fs::create_symlink("plain.mp3", root / ".hiddenlink");

    EXPECT_THAT(
        files_.list(R"(F:\)", "*.*", HiddenEntries::Include),
        UnorderedElementsAre(
            DirEntry{"plain.mp3", attr::Archive, 5},
            DirEntry{"locked.mp3", attr::Archive | attr::ReadOnly, 3},
            DirEntry{".hidden", attr::Directory | attr::Hidden, 0},
            // A write-protected folder must still read as a plain folder, or no walk enters it.
            DirEntry{"protected", attr::Directory, 0},
            DirEntry{"link.mp3", attr::Archive | attr::ReparsePoint, 5},
            DirEntry{"folderlink", attr::Directory | attr::ReparsePoint, 0},
            DirEntry{"dangling.mp3", attr::ReparsePoint, 0},
            DirEntry{".hiddenlink", attr::Archive | attr::ReparsePoint | attr::Hidden, 5}));
    EXPECT_EQ(files_.list(R"(F:\)", "*.*", HiddenEntries::Exclude).size(), 6u);
}

TEST_F(LinuxFileSystemTest, CopyKeepsTheModificationTime) {
    testing::writeFile(hostF() / "old.mp3", "song");
    const auto time = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 10);
    fs::last_write_time(hostF() / "old.mp3", time);
    ASSERT_TRUE(files_.copyFile(R"(F:\old.mp3)", R"(F:\copy.mp3)", false));
    EXPECT_EQ(fs::last_write_time(hostF() / "copy.mp3"), time);
}

TEST_F(LinuxFileSystemTest, ADriveWhoseFolderIsGoneIsNeverRecreated) {
    const fs::path gone = useDrive('H', folder_.path() / "stick");
    fs::remove(gone);
    testing::writeFile(hostF() / "a.mp3", "abc");

    EXPECT_FALSE(files_.createFolders(R"(H:\歌曲下载)"));
    EXPECT_EQ(files_.copyFile(R"(F:\a.mp3)", R"(H:\a.mp3)", true),
              CopyResult::failed(FileFault::DiskGone));
    EXPECT_THAT(files_.list(R"(H:\)", "*.*", HiddenEntries::Include), IsEmpty());
    EXPECT_FALSE(files_.volumeSize(R"(H:\)"));
    EXPECT_FALSE(fs::exists(gone));
}

// The early test for an existing target cannot see a file that appears while the data is being
// copied; the final rename must refuse it all the same.
TEST_F(LinuxFileSystemTest, ATargetThatAppearsDuringTheCopyIsKept) {
    testing::writeFile(hostF() / "film.rmvb", std::string(32 << 20, 'f'));
    const fs::path out = hostF() / "out";
    fs::create_directory(out);
    const UniqueFd watch{::inotify_init1(IN_CLOEXEC)};
    ASSERT_GE(::inotify_add_watch(watch.get(), out.c_str(), IN_CREATE), 0);

    bool otherFileFirst = false;
    std::thread other([&] {
        pollfd ready{watch.get(), POLLIN, 0};
        if (::poll(&ready, 1, 10000) != 1) {
            return;  // no temporary file: the copy failed early, the checks below say so
        }
        const UniqueFd fd{
            ::open((out / "film.rmvb").c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644)};
        otherFileFirst = fd && ::write(fd.get(), "mine", 4) == 4;
    });
    const auto copied = files_.copyFile(R"(F:\film.rmvb)", R"(F:\out\film.rmvb)", false);
    other.join();

    if (!otherFileFirst) {
        ASSERT_TRUE(copied);
        GTEST_SKIP() << "the copy was whole before the other file could be made";
    }
    EXPECT_EQ(copied, CopyResult::alreadyThere());
    EXPECT_EQ(testing::readFile(out / "film.rmvb"), "mine");
    EXPECT_EQ(files_.list(R"(F:\out\)", "*.*", HiddenEntries::Include).size(), 1u);
}

// A list's copies go through a batch: whatever its groups, every copy ends up whole under its
// name, the first of two copies to one name wins, lyrics replace, and no temporary file stays.
TEST_F(LinuxFileSystemTest, ABatchNamesEveryCopyWholeAndNeverReplacesAnEarlierOne) {
    const fs::path out = hostF() / "out";
    fs::create_directory(out);
    testing::writeFile(out / "kept.mp3", "customer's own");
    testing::writeFile(out / "song.lrc", "old words");
    testing::writeFile(hostF() / "lyrics.lrc", "new words");
    testing::writeFile(hostF() / "kept.mp3", "library");
    std::vector<std::string> expected;
    std::map<std::size_t, CopyResult> wanted;
    auto copies = batch();
    for (int i = 0; i < 40; ++i) {
        // Sizes from a few bytes to several MiB, so copies fall into groups of every kind.
        std::string data(std::size_t{1} << (i % 24), static_cast<char>('a' + i % 26));
        const std::string name = "s" + std::to_string(i) + ".mp3";
        testing::writeFile(hostF() / "lib" / name, data);
        wanted.emplace(copies->copyFile("F:\\lib\\" + name, "F:\\out\\" + name, false),
                       CopyResult::copied());
        if (i == 3) {
            testing::writeFile(hostF() / "other" / name, "same name, other folder");
            wanted.emplace(copies->copyFile("F:\\other\\" + name, "F:\\out\\" + name, false),
                           CopyResult::alreadyThere());
        }
        expected.push_back(std::move(data));
    }
    wanted.emplace(copies->copyFile(R"(F:\kept.mp3)", R"(F:\out\kept.mp3)", false),
                   CopyResult::alreadyThere());
    wanted.emplace(copies->copyFile(R"(F:\lyrics.lrc)", R"(F:\out\song.lrc)", true),
                   CopyResult::copied());
    wanted.emplace(copies->copyFile(R"(F:\missing.mp3)", R"(F:\out\missing.mp3)", false),
                   CopyResult::failed(FileFault::SourceMissing));
    copies->finish();

    EXPECT_EQ(results_, wanted);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(testing::readFile(out / ("s" + std::to_string(i) + ".mp3")), expected[i]) << i;
    }
    EXPECT_EQ(testing::readFile(out / "kept.mp3"), "customer's own");
    EXPECT_EQ(testing::readFile(out / "song.lrc"), "new words");
    EXPECT_FALSE(fs::exists(out / "missing.mp3"));
    EXPECT_EQ(files_.list(R"(F:\out\)", "*.*", HiddenEntries::Include).size(), 42u);
}

// A disk pulled out in the middle of a copy keeps the hidden temporary file; the next batch that
// copies into the folder removes it, whoever wrote it, and never one that is still being named:
// another batch's of this program, or a running program's.
TEST_F(LinuxFileSystemTest, ABatchRemovesCopiesAbandonedInItsFolder) {
    const fs::path out = hostF() / "out";
    fs::create_directory(out);
    testing::writeFile(hostF() / "held.mp3", "held");
    testing::writeFile(hostF() / "a.mp3", "abc");
    // Onto the disk it is read from: the copy waits under its temporary name for its group.
    std::map<std::size_t, CopyResult> heldResults;
    auto holding = batchInto(heldResults);
    holding->copyFile(R"(F:\held.mp3)", R"(F:\out\held.mp3)", false);
    std::vector<std::string> live;
    for (const auto& entry : fs::directory_iterator(out)) {
        live.push_back(entry.path().filename());
    }
    ASSERT_EQ(live.size(), 1u);
    const std::string& held = live.front();
    // This program's name with another copy number: a leftover of an earlier batch.
    const std::string ownLeftover = held.substr(0, held.rfind('-')) + "-999999.tmp";
    const pid_t gone = ::fork();
    if (gone == 0) {
        ::_exit(0);
    }
    ASSERT_GT(gone, 0);
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    const std::string earlierForm = ".qhcopy-" + std::to_string(gone) + "-3.tmp";
    // init's id, but not its start time: another process that had the id once.
    const std::string idUsedAgain = ".qhcopy-" + held.substr(8, 8) + "-1-987654321012-0.tmp";
    const std::string otherBoot = ".qhcopy-00000000-1-1-0.tmp";
    const std::string runningEarlierForm = ".qhcopy-1-2.tmp";  // init never ends
    for (const std::string& name : {ownLeftover, earlierForm, idUsedAgain, otherBoot,
                                    runningEarlierForm, std::string(".qhcopy-x.tmp")}) {
        testing::writeFile(out / name, "part");
    }

    batch()->copyFile(R"(F:\a.mp3)", R"(F:\out\a.mp3)", false);

    for (const std::string& removed : {ownLeftover, earlierForm, idUsedAgain, otherBoot}) {
        EXPECT_FALSE(fs::exists(out / removed)) << removed;
    }
    for (const std::string& kept :
         {held, runningEarlierForm, std::string(".qhcopy-x.tmp"), std::string("a.mp3")}) {
        EXPECT_TRUE(fs::exists(out / kept)) << kept;
    }
    holding->finish();
    EXPECT_EQ(heldResults.at(0), CopyResult::copied());
    EXPECT_EQ(testing::readFile(out / "held.mp3"), "held");
}

// A sampled read-back looks at the first, middle and last 64 KiB, where a stick that wraps its
// writes shows it; the whole read-back finds a difference anywhere.
TEST_F(LinuxFileSystemTest, ReadBackComparesSamplesOrEveryByte) {
    constexpr std::size_t kSize = 1 << 20;
    std::string data(kSize, '\0');
    for (std::size_t i = 0; i < kSize; ++i) {
        data[i] = static_cast<char>(i * 131 % 251);
    }
    testing::writeFile(hostF() / "song.mp3", data);
    const struct {
        const char* what;
        std::size_t changedByte;
        bool sampledSeesIt;
    } cases[] = {
        {"first byte", 0, true},
        {"last byte", kSize - 1, true},
        {"middle", kSize / 2 + 100, true},
        {"between the samples", kSize / 4, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string copy = data;
        copy[c.changedByte] = static_cast<char>(copy[c.changedByte] ^ 1);
        testing::writeFile(hostF() / "copy.mp3", copy);
        const auto failed = FileStatus::failed(FileFault::VerifyFailed);
        EXPECT_EQ(files_.verifyCopy(R"(F:\song.mp3)", 0, R"(F:\copy.mp3)", CopyCheck::Sampled),
                  c.sampledSeesIt ? failed : FileStatus::ok());
        EXPECT_EQ(files_.verifyCopy(R"(F:\song.mp3)", 0, R"(F:\copy.mp3)", CopyCheck::Whole),
                  failed);
    }
    testing::writeFile(hostF() / "copy.mp3", data);
    EXPECT_EQ(files_.verifyCopy(R"(F:\song.mp3)", 0, R"(F:\copy.mp3)", CopyCheck::Sampled),
              FileStatus::ok());
}

// A job stopped at shut-down lets go of its batch without finishing it.
TEST_F(LinuxFileSystemTest, ABatchLetGoNamesWhatItHolds) {
    testing::writeFile(hostF() / "a.mp3", "abc");
    testing::writeFile(hostF() / "b.mp3", "de");
    files_.createFolders(R"(F:\out)");
    {
        auto copies = batch();
        copies->copyFile(R"(F:\a.mp3)", R"(F:\out\a.mp3)", false);
        copies->copyFile(R"(F:\b.mp3)", R"(F:\out\b.mp3)", false);
    }
    EXPECT_EQ(results_, (std::map<std::size_t, CopyResult>{{0, CopyResult::copied()},
                                                           {1, CopyResult::copied()}}));
    EXPECT_EQ(testing::readFile(hostF() / "out" / "a.mp3"), "abc");
    EXPECT_EQ(testing::readFile(hostF() / "out" / "b.mp3"), "de");
    EXPECT_EQ(files_.list(R"(F:\out\)", "*.*", HiddenEntries::Include).size(), 2u);
}

// A small tmpfs stands for a customer's disk that fills up half-way through a copy.
class FullDiskTest : public LinuxFileSystemTest {
protected:
    void SetUp() override {
        stick_ = useDrive('G', folder_.path() / "stick");
        if (::mount("tmpfs", stick_.c_str(), "tmpfs", 0, "size=1m") != 0) {
            GTEST_SKIP() << "mounting a tmpfs is not permitted here";
        }
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_) {
            ::umount2(stick_.c_str(), MNT_DETACH);
        }
    }

    fs::path stick_;
    bool mounted_ = false;
};

TEST_F(FullDiskTest, ACopyThatDoesNotFitLeavesNothing) {
    testing::writeFile(hostF() / "film.rmvb", std::string(3 << 20, 'f'));
    testing::writeFile(hostF() / "song.mp3", std::string(100 << 10, 's'));

    EXPECT_EQ(files_.copyFile(R"(F:\film.rmvb)", R"(G:\film.rmvb)", false),
              CopyResult::failed(FileFault::DiskFull));
    EXPECT_THAT(files_.list(R"(G:\)", "*.*", HiddenEntries::Include), IsEmpty());
    const auto size = files_.volumeSize(R"(G:\)");
    ASSERT_TRUE(size);
    EXPECT_EQ(size->totalBytes, 1u << 20);
    EXPECT_EQ(size->freeBytes, size->totalBytes);

    EXPECT_TRUE(files_.copyFile(R"(F:\song.mp3)", R"(G:\song.mp3)", false));
    EXPECT_EQ(files_.fileSize(R"(G:\song.mp3)"), 100 << 10);
}

// The copy that does not fit fails in its group; the copies before and after it are whole.
TEST_F(FullDiskTest, ABatchPassesOverACopyThatDoesNotFit) {
    testing::writeFile(hostF() / "film.rmvb", std::string(3 << 20, 'f'));
    testing::writeFile(hostF() / "a.mp3", std::string(100 << 10, 'a'));
    testing::writeFile(hostF() / "b.mp3", std::string(200 << 10, 'b'));

    auto copies = batch();
    copies->copyFile(R"(F:\a.mp3)", R"(G:\a.mp3)", false);
    copies->copyFile(R"(F:\film.rmvb)", R"(G:\film.rmvb)", false);
    copies->copyFile(R"(F:\b.mp3)", R"(G:\b.mp3)", false);
    copies->finish();

    EXPECT_EQ(results_,
              (std::map<std::size_t, CopyResult>{{0, CopyResult::copied()},
                                                 {1, CopyResult::failed(FileFault::DiskFull)},
                                                 {2, CopyResult::copied()}}));
    EXPECT_THAT(files_.list(R"(G:\)", "*.*", HiddenEntries::Include),
                UnorderedElementsAre(::testing::Field(&DirEntry::name, "a.mp3"),
                                     ::testing::Field(&DirEntry::name, "b.mp3")));
    EXPECT_EQ(testing::readFile(stick_ / "b.mp3"), std::string(200 << 10, 'b'));
}

}  // namespace
}  // namespace qh
