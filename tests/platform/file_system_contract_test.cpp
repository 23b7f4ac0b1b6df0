// The rules every FileSystem keeps, run against the Linux implementation over real folders and
// against the fake that the logic's tests use, so the fake cannot drift from the real thing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "dir_entry_printer.h"
#include "platform/fake_file_system.h"
#include "platform/linux_file_system.h"
#include "support/file_result_printers.h"
#include "support/temp_folder.h"
#include "text/gbk.h"

namespace qh {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

// Drives F and G, both empty.
struct LinuxDrives {
    LinuxDrives() {
        DriveTable table;
        for (const char letter : {'F', 'G'}) {
            const auto root = folder.path() / std::string(1, letter);
            std::filesystem::create_directory(root);
            table.set({letter, root, DriveType::Fixed});
        }
        drives.replace(table);
    }
    void addFile(std::string_view windowsPath, std::string_view data) {
        testing::writeFile(*drives.snapshot()->resolve(windowsPath), data);
    }
    std::optional<std::string> content(std::string_view windowsPath) {
        const auto host = drives.snapshot()->resolve(windowsPath);
        if (!host || !std::filesystem::is_regular_file(*host)) {
            return std::nullopt;
        }
        return testing::readFile(*host);
    }

    testing::TempFolder folder;
    SharedDriveTable drives;
    LinuxFileSystem fs{drives};
};

struct FakeDrives {
    FakeDrives() {
        fs.addDrive('F');
        fs.addDrive('G');
    }
    void addFile(std::string_view windowsPath, std::string_view data) {
        fs.addFile(windowsPath, std::string(data));
    }
    std::optional<std::string> content(std::string_view windowsPath) {
        return fs.fileContent(windowsPath);
    }

    FakeFileSystem fs;
};

template <typename Drives>
class FileSystemContract : public ::testing::Test {
protected:
    FileSystem& fs() { return drives.fs; }
    std::vector<std::string> namesIn(std::string_view folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs().list(folder, "*.*", HiddenEntries::Include)) {
            names.push_back(entry.name);
        }
        return names;
    }

    Drives drives;
};

using Implementations = ::testing::Types<LinuxDrives, FakeDrives>;
TYPED_TEST_SUITE(FileSystemContract, Implementations);

TYPED_TEST(FileSystemContract, ListsMatchingEntriesWithAttributesAndSizes) {
    this->drives.addFile(R"(F:\music\a.mp3)", "abc");
    this->drives.addFile(R"(F:\music\B.MP3)", "12345");
    this->drives.addFile(R"(F:\music\notes)", "x");
    this->drives.addFile(R"(F:\music\.cover.mp3)", "");
    ASSERT_TRUE(this->fs().createFolders(R"(F:\music\sub.mp3)"));

    EXPECT_THAT(this->fs().list(R"(F:\music\)", "*.mp3", HiddenEntries::Include),
                UnorderedElementsAre(DirEntry{"a.mp3", attr::Archive, 3},
                                     DirEntry{"B.MP3", attr::Archive, 5},
                                     DirEntry{".cover.mp3", attr::Hidden | attr::Archive, 0},
                                     DirEntry{"sub.mp3", attr::Directory, 0}));
    EXPECT_THAT(this->fs().list(R"(F:\music\)", "*.*", HiddenEntries::Exclude),
                UnorderedElementsAre(
                    DirEntry{"a.mp3", attr::Archive, 3}, DirEntry{"B.MP3", attr::Archive, 5},
                    DirEntry{"notes", attr::Archive, 1}, DirEntry{"sub.mp3", attr::Directory, 0}));
    EXPECT_THAT(this->fs().list("f:/music", "?.mp3", HiddenEntries::Include),
                UnorderedElementsAre(DirEntry{"a.mp3", attr::Archive, 3},
                                     DirEntry{"B.MP3", attr::Archive, 5}));
}

TYPED_TEST(FileSystemContract, ListingWhatIsNoFolderFindsNothing) {
    this->drives.addFile(R"(F:\music\a.mp3)", "abc");
    for (const char* folder : {R"(F:\missing\)", R"(Q:\)", R"(F:\music\a.mp3\)", "music\\", ""}) {
        SCOPED_TRACE(folder);
        EXPECT_THAT(this->fs().list(folder, "*.*", HiddenEntries::Include), IsEmpty());
    }
}

TYPED_TEST(FileSystemContract, TellsFilesFromFolders) {
    this->drives.addFile(R"(F:\music\.a.mp3)", "abc");
    struct Case {
        const char* path;
        std::optional<std::int64_t> size;
        bool file;
        bool folder;
    };
    const std::vector<Case> cases = {
        {R"(F:\music\.a.mp3)", 3, true, false},
        {R"(F:\music)", std::nullopt, false, true},
        {R"(F:\music\)", std::nullopt, false, true},
        {R"(F:\)", std::nullopt, false, true},
        {R"(F:\music\b.mp3)", std::nullopt, false, false},
        {R"(Q:\music)", std::nullopt, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(this->fs().fileSize(c.path), c.size);
        EXPECT_EQ(this->fs().fileExists(c.path), c.file);
        EXPECT_EQ(this->fs().folderExists(c.path), c.folder);
    }
}

TYPED_TEST(FileSystemContract, CopyPlacesTheWholeFileAndNothingElse) {
    const std::string source = gbk(R"(F:\青禾点唱库\乗\俓.mp3)");
    const std::string target = gbk(R"(G:\歌曲下载\俓.mp3)");
    this->drives.addFile(source, "0123456789");
    ASSERT_TRUE(this->fs().createFolders(gbk(R"(G:\歌曲下载)")));

    EXPECT_TRUE(this->fs().copyFile(source, target, false));
    EXPECT_EQ(this->drives.content(target), "0123456789");
    EXPECT_EQ(this->drives.content(source), "0123456789");
    EXPECT_THAT(this->namesIn(gbk(R"(G:\歌曲下载\)")), ElementsAre(gbk("俓.mp3")));
}

TYPED_TEST(FileSystemContract, CopyReplacesATargetOnlyWhenAsked) {
    this->drives.addFile(R"(F:\new.mp3)", "new");
    this->drives.addFile(R"(G:\out\song.mp3)", "old");

    EXPECT_EQ(this->fs().copyFile(R"(F:\new.mp3)", R"(G:\out\song.mp3)", false),
              CopyResult::alreadyThere());
    EXPECT_EQ(this->drives.content(R"(G:\out\song.mp3)"), "old");
    EXPECT_TRUE(this->fs().copyFile(R"(F:\new.mp3)", R"(G:\out\song.mp3)", true));
    EXPECT_EQ(this->drives.content(R"(G:\out\song.mp3)"), "new");
    EXPECT_THAT(this->namesIn(R"(G:\out\)"), ElementsAre("song.mp3"));
}

TYPED_TEST(FileSystemContract, CopyFromAnOffsetDropsTheLeadingBytes) {
    this->drives.addFile(R"(F:\marked.mp3)", "0123456789");
    ASSERT_TRUE(this->fs().createFolders(R"(G:\out)"));
    struct Case {
        std::int64_t offset;
        std::optional<std::string> copied;
        CopyResult result = CopyResult::copied();
    };
    const std::vector<Case> cases = {
        {0, "0123456789"},
        {4, "456789"},
        {10, ""},
        {11, std::nullopt, CopyResult::failed(FileFault::SourceUnreadable)},
        {-1, std::nullopt, CopyResult::failed(FileFault::Other)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offset);
        const std::string target = R"(G:\out\)" + std::to_string(c.offset + 1) + ".mp3";
        EXPECT_EQ(this->fs().copyFile(R"(F:\marked.mp3)", target, false, c.offset), c.result);
        EXPECT_EQ(this->drives.content(target), c.copied);
    }
}

TYPED_TEST(FileSystemContract, FailedCopiesLeaveNothingBehind) {
    this->drives.addFile(R"(F:\a.mp3)", "abc");
    ASSERT_TRUE(this->fs().createFolders(R"(F:\folder)"));
    ASSERT_TRUE(this->fs().createFolders(R"(G:\out\taken)"));
    struct Case {
        const char* name;
        const char* source;
        const char* target;
        FileFault fault;
    };
    const std::vector<Case> cases = {
        {"missing source", R"(F:\none.mp3)", R"(G:\out\x.mp3)", FileFault::SourceMissing},
        {"source is a folder", R"(F:\folder)", R"(G:\out\x.mp3)", FileFault::SourceMissing},
        {"source drive missing", R"(Q:\a.mp3)", R"(G:\out\x.mp3)", FileFault::SourceMissing},
        {"target folder missing", R"(F:\a.mp3)", R"(G:\out\none\x.mp3)", FileFault::FolderMissing},
        {"target drive missing", R"(F:\a.mp3)", R"(Q:\out\x.mp3)", FileFault::DiskGone},
        {"target is a folder", R"(F:\a.mp3)", R"(G:\out\taken)", FileFault::Other},
        {"target is a drive root", R"(F:\a.mp3)", R"(G:\)", FileFault::Other},
        {"target names another drive", R"(F:\a.mp3)", R"(G:\out\..\..\F:\x.mp3)", FileFault::Other},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(this->fs().copyFile(c.source, c.target, true), CopyResult::failed(c.fault));
        EXPECT_THAT(this->namesIn(R"(G:\out\)"), ElementsAre("taken"));
        EXPECT_THAT(this->namesIn(R"(G:\)"), ElementsAre("out"));
    }
}

// What reading a copy back tells: nothing for a true copy, VerifyFailed for other data or none.
TYPED_TEST(FileSystemContract, VerifyComparesTheCopyWithItsSourceFromTheOffset) {
    this->drives.addFile(R"(F:\a.mp3)", "0123456789");
    this->drives.addFile(R"(G:\same.mp3)", "0123456789");
    this->drives.addFile(R"(G:\tail.mp3)", "456789");
    this->drives.addFile(R"(G:\other.mp3)", "0123456780");
    this->drives.addFile(R"(G:\short.mp3)", "012345678");
    struct Case {
        const char* target;
        std::int64_t offset;
        FileStatus status;
    };
    const std::vector<Case> cases = {
        {R"(G:\same.mp3)", 0, FileStatus::ok()},
        {R"(G:\tail.mp3)", 4, FileStatus::ok()},
        {R"(G:\other.mp3)", 0, FileStatus::failed(FileFault::VerifyFailed)},
        {R"(G:\short.mp3)", 0, FileStatus::failed(FileFault::VerifyFailed)},
        {R"(G:\none.mp3)", 0, FileStatus::failed(FileFault::VerifyFailed)},
        {R"(Q:\same.mp3)", 0, FileStatus::failed(FileFault::DiskGone)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        for (const auto check : {CopyCheck::Sampled, CopyCheck::Whole}) {
            EXPECT_EQ(this->fs().verifyCopy(R"(F:\a.mp3)", c.offset, c.target, check), c.status);
        }
    }
}

TYPED_TEST(FileSystemContract, FlushTellsAFolderThatIsGone) {
    ASSERT_TRUE(this->fs().createFolders(R"(G:\out)"));
    EXPECT_EQ(this->fs().flushFolder(R"(G:\out\)"), FileStatus::ok());
    EXPECT_EQ(this->fs().flushFolder(R"(Q:\out\)"), FileStatus::failed(FileFault::DiskGone));
    EXPECT_FALSE(this->fs().flushFolder(R"(G:\none\)"));
}

TYPED_TEST(FileSystemContract, ClimbingStopsAtTheDriveRoot) {
    this->drives.addFile(R"(F:\a.mp3)", "abc");
    EXPECT_TRUE(this->fs().copyFile(R"(F:\..\..\a.mp3)", R"(G:\..\..\..\b.mp3)", false));
    EXPECT_EQ(this->drives.content(R"(G:\b.mp3)"), "abc");
    EXPECT_TRUE(this->fs().createFolders(R"(G:\..\x\..\..\y)"));
    EXPECT_TRUE(this->fs().folderExists(R"(G:\y)"));
}

TYPED_TEST(FileSystemContract, DeleteRemovesOnlyWhatItNames) {
    this->drives.addFile(R"(F:\full\a.mp3)", "abc");
    ASSERT_TRUE(this->fs().createFolders(R"(F:\empty)"));

    EXPECT_FALSE(this->fs().deleteFile(R"(F:\empty)"));
    EXPECT_FALSE(this->fs().deleteFolder(R"(F:\full)"));
    EXPECT_FALSE(this->fs().deleteFolder(R"(F:\full\a.mp3)"));
    EXPECT_FALSE(this->fs().deleteFolder(R"(F:\)"));
    EXPECT_FALSE(this->fs().deleteFile(R"(Q:\full\a.mp3)"));
    EXPECT_TRUE(this->fs().folderExists(R"(F:\empty)"));
    EXPECT_TRUE(this->fs().fileExists(R"(F:\full\a.mp3)"));

    EXPECT_TRUE(this->fs().deleteFile(R"(F:\full\a.mp3)"));
    EXPECT_FALSE(this->fs().deleteFile(R"(F:\full\a.mp3)"));
    EXPECT_TRUE(this->fs().deleteFolder(R"(F:\full)"));
    EXPECT_TRUE(this->fs().deleteFolder(R"(F:\empty)"));
    EXPECT_THAT(this->namesIn(R"(F:\)"), IsEmpty());
    EXPECT_TRUE(this->fs().folderExists(R"(F:\)"));
}

TYPED_TEST(FileSystemContract, RenameNeverReplaces) {
    this->drives.addFile(R"(F:\a.mp3)", "a");
    this->drives.addFile(R"(F:\b.mp3)", "b");
    ASSERT_TRUE(this->fs().createFolders(R"(F:\folder)"));

    EXPECT_FALSE(this->fs().rename(R"(F:\a.mp3)", R"(F:\b.mp3)"));
    EXPECT_FALSE(this->fs().rename(R"(F:\a.mp3)", R"(F:\folder)"));
    EXPECT_FALSE(this->fs().rename(R"(F:\none.mp3)", R"(F:\c.mp3)"));
    EXPECT_FALSE(this->fs().rename(R"(F:\a.mp3)", R"(Q:\c.mp3)"));
    EXPECT_FALSE(this->fs().rename(R"(F:\folder)", R"(F:\folder\inner)"));
    EXPECT_EQ(this->drives.content(R"(F:\a.mp3)"), "a");
    EXPECT_EQ(this->drives.content(R"(F:\b.mp3)"), "b");

    EXPECT_TRUE(this->fs().rename(R"(F:\a.mp3)", gbk(R"(F:\folder\歌.mp3)")));
    EXPECT_TRUE(this->fs().rename(R"(F:\folder)", R"(F:\renamed)"));
    EXPECT_EQ(this->drives.content(gbk(R"(F:\renamed\歌.mp3)")), "a");
    EXPECT_THAT(this->namesIn(R"(F:\)"), UnorderedElementsAre("b.mp3", "renamed"));
}

TYPED_TEST(FileSystemContract, CreateFoldersMakesParentsAndStopsAtFiles) {
    this->drives.addFile(R"(F:\a.mp3)", "abc");
    EXPECT_TRUE(this->fs().createFolders(R"(F:\x\y\z)"));
    EXPECT_TRUE(this->fs().folderExists(R"(F:\x\y\z)"));
    EXPECT_TRUE(this->fs().createFolders(R"(F:\x\y)"));
    EXPECT_TRUE(this->fs().createFolders(R"(F:\)"));
    EXPECT_FALSE(this->fs().createFolders(R"(F:\a.mp3\sub)"));
    EXPECT_FALSE(this->fs().createFolders(R"(F:\a.mp3)"));
    EXPECT_FALSE(this->fs().createFolders(R"(Q:\x)"));
    EXPECT_FALSE(this->fs().createFolders(R"(F:\bad:name)"));
    EXPECT_THAT(this->namesIn(R"(F:\)"), UnorderedElementsAre("a.mp3", "x"));
}

// Windows names ignore the case of ASCII letters: a path whose exact spelling is missing reaches
// the entry that matches without regard to case, name by name, the exact spelling first and the
// byte-wise smallest of several ("Twice" before "twice") otherwise.
TYPED_TEST(FileSystemContract, FindsNamesWithoutRegardToLetterCase) {
    const std::string mtvFile = gbk(R"(F:\青禾点唱库\2-mtv\a.3gp)");
    const std::string askedFile = gbk(R"(F:\青禾点唱库\2-MTV\A.3GP)");
    this->drives.addFile(mtvFile, "abc");
    this->drives.addFile(R"(F:\Twice\x.mp3)", "upper");
    this->drives.addFile(R"(F:\twice\x.mp3)", "lower");
    ASSERT_TRUE(this->fs().createFolders(R"(G:\out)"));

    EXPECT_EQ(this->fs().fileSize(askedFile), 3);
    EXPECT_TRUE(this->fs().fileExists(askedFile));
    EXPECT_TRUE(this->fs().folderExists(gbk(R"(F:\青禾点唱库\2-MTV)")));
    EXPECT_FALSE(this->fs().fileExists(gbk(R"(F:\青禾点唱库\2-MTV\B.3GP)")));
    EXPECT_THAT(this->fs().list(gbk(R"(F:\青禾点唱库\2-MTV\)"), "*.*", HiddenEntries::Include),
                ElementsAre(DirEntry{"a.3gp", attr::Archive, 3}));
    const auto stream = this->fs().openRead(askedFile);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->size(), 3);

    const struct {
        const char* path;
        const char* content;
    } spellings[] = {
        {R"(F:\twice\x.mp3)", "lower"},
        {R"(F:\Twice\X.MP3)", "upper"},
        {R"(F:\TWICE\x.mp3)", "upper"},
    };
    for (const auto& spelling : spellings) {
        SCOPED_TRACE(spelling.path);
        EXPECT_TRUE(this->fs().copyFile(spelling.path, R"(G:\out\x.mp3)", true));
        EXPECT_EQ(this->drives.content(R"(G:\out\x.mp3)"), spelling.content);
    }

    EXPECT_TRUE(this->fs().copyFile(askedFile, R"(G:\OUT\b.3gp)", false));
    EXPECT_EQ(this->drives.content(R"(G:\out\b.3gp)"), "abc");
    EXPECT_EQ(this->fs().verifyCopy(askedFile, 0, R"(G:\Out\B.3gp)", CopyCheck::Whole),
              FileStatus::ok());
    EXPECT_EQ(this->fs().flushFolder(R"(G:\OUT\)"), FileStatus::ok());
    EXPECT_TRUE(this->fs().deleteFile(R"(F:\TWICE\X.mp3)"));
    EXPECT_EQ(this->drives.content(R"(F:\Twice\x.mp3)"), std::nullopt);
    EXPECT_EQ(this->drives.content(R"(F:\twice\x.mp3)"), "lower");
    EXPECT_TRUE(this->fs().deleteFolder(R"(F:\TWICE)"));
    EXPECT_THAT(this->namesIn(R"(F:\)"), UnorderedElementsAre(gbk("青禾点唱库"), "twice"));
}

// What is written goes into the folder and file that are there in other letter case, as on
// Windows; only a name found in no spelling is made, as spelled.
TYPED_TEST(FileSystemContract, WritesIntoEntriesThatDifferOnlyInLetterCase) {
    ASSERT_TRUE(this->fs().createFolders(gbk(R"(G:\青禾点唱库\2-mtv)")));
    EXPECT_TRUE(this->fs().createFolders(gbk(R"(G:\青禾点唱库\2-MTV\)")));
    EXPECT_TRUE(this->fs().createFolders(gbk(R"(G:\青禾点唱库\2-MTV\New)")));
    EXPECT_THAT(this->namesIn(gbk(R"(G:\青禾点唱库\)")), ElementsAre("2-mtv"));
    EXPECT_THAT(this->namesIn(gbk(R"(G:\青禾点唱库\2-mtv\)")), ElementsAre("New"));

    this->drives.addFile(R"(F:\song.mp3)", "new");
    this->drives.addFile(R"(G:\out\song.mp3)", "old");
    EXPECT_EQ(this->fs().copyFile(R"(F:\SONG.MP3)", R"(G:\OUT\Song.mp3)", false),
              CopyResult::alreadyThere());
    EXPECT_TRUE(this->fs().copyFile(R"(F:\song.mp3)", R"(G:\Out\SONG.mp3)", true));
    EXPECT_THAT(this->namesIn(R"(G:\out\)"), ElementsAre("song.mp3"));
    EXPECT_EQ(this->drives.content(R"(G:\out\song.mp3)"), "new");

    this->drives.addFile(R"(G:\out\other.mp3)", "other");
    EXPECT_FALSE(this->fs().rename(R"(G:\out\other.mp3)", R"(G:\OUT\Song.MP3)"));
    EXPECT_TRUE(this->fs().rename(R"(G:\OUT\SONG.mp3)", R"(G:\out\Song.mp3)"));
    EXPECT_FALSE(this->fs().rename(R"(G:\out\song.mp3)", R"(G:\out\Song.mp3)"));
    EXPECT_THAT(this->namesIn(R"(G:\out\)"), UnorderedElementsAre("Song.mp3", "other.mp3"));
    EXPECT_EQ(this->drives.content(R"(G:\out\Song.mp3)"), "new");
    EXPECT_FALSE(this->fs().rename(R"(G:\out)", R"(G:\OUT\inner)"));
}

TYPED_TEST(FileSystemContract, ReadStreamSeeksAndReadsToTheEnd) {
    this->drives.addFile(R"(F:\a.mp3)", "0123456789");
    auto stream = this->fs().openRead(R"(F:\a.mp3)");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->size(), 10);
    char buffer[16] = {};
    EXPECT_TRUE(stream->seek(4));
    ASSERT_EQ(stream->read(buffer, 3), 3);
    EXPECT_EQ(std::string(buffer, 3), "456");
    ASSERT_EQ(stream->read(buffer, sizeof buffer), 3);
    EXPECT_EQ(std::string(buffer, 3), "789");
    EXPECT_EQ(stream->read(buffer, sizeof buffer), 0);
    EXPECT_FALSE(stream->seek(-1));
    EXPECT_TRUE(stream->seek(0));
    EXPECT_EQ(stream->read(buffer, 1), 1);
    EXPECT_EQ(buffer[0], '0');

    EXPECT_EQ(this->fs().openRead(R"(F:\none.mp3)"), nullptr);
    EXPECT_EQ(this->fs().openRead(R"(F:\)"), nullptr);
    EXPECT_EQ(this->fs().openRead(R"(Q:\a.mp3)"), nullptr);
}

TYPED_TEST(FileSystemContract, VolumeSizeBelongsToAPresentDrive) {
    const auto size = this->fs().volumeSize(R"(F:\any\path)");
    ASSERT_TRUE(size);
    EXPECT_GT(size->totalBytes, 0u);
    EXPECT_LE(size->freeBytes, size->totalBytes);
    EXPECT_FALSE(this->fs().volumeSize(R"(Q:\)"));
    EXPECT_FALSE(this->fs().volumeSize("nonsense"));
}

}  // namespace
}  // namespace qh
