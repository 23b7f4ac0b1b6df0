#include "platform/fake_file_system.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "dir_entry_printer.h"

namespace qh {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::string> namesOf(const std::vector<DirEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries) {
        names.push_back(entry.name);
    }
    return names;
}

TEST(FakeFileSystem, ListsInCreationOrder) {
    FakeFileSystem files;
    files.addDrive('F');
    files.addFile(R"(F:\z.mp3)", "");
    files.createFolders(R"(F:\m)");
    files.addFile(R"(F:\a.mp3)", "");
    EXPECT_THAT(namesOf(files.list(R"(F:\)", "*", HiddenEntries::Include)),
                ElementsAre("z.mp3", "m", "a.mp3"));
}

TEST(FakeFileSystem, StoredAttributesReplaceTheNameRules) {
    FakeFileSystem files;
    files.addDrive('F');
    files.createFolders(R"(F:\archived)");
    files.addFile(R"(F:\system.dat)", "x");
    ASSERT_TRUE(files.setAttributes(R"(F:\archived)", attr::Directory | attr::Archive));
    ASSERT_TRUE(files.setAttributes(R"(F:\system.dat)", attr::System));
    EXPECT_THAT(files.list(R"(F:\)", "*.*", HiddenEntries::Include),
                ElementsAre(DirEntry{"archived", attr::Directory | attr::Archive, 0},
                            DirEntry{"system.dat", attr::System, 1}));
    EXPECT_THAT(namesOf(files.list(R"(F:\)", "*.*", HiddenEntries::Exclude)),
                ElementsAre("archived"));
}

TEST(FakeFileSystem, AFullDiskRefusesACopyThatDoesNotFit) {
    FakeFileSystem files;
    files.addDrive('F');
    files.addDrive('G', 10);
    files.addFile(R"(F:\six.mp3)", "123456");

    EXPECT_TRUE(files.copyFile(R"(F:\six.mp3)", R"(G:\1.mp3)", false));
    EXPECT_FALSE(files.copyFile(R"(F:\six.mp3)", R"(G:\2.mp3)", false));
    EXPECT_FALSE(files.fileExists(R"(G:\2.mp3)"));
    EXPECT_TRUE(files.copyFile(R"(F:\six.mp3)", R"(G:\2.mp3)", false, 2));
    const auto size = files.volumeSize(R"(G:\)");
    ASSERT_TRUE(size);
    EXPECT_EQ(size->totalBytes, 10u);
    EXPECT_EQ(size->freeBytes, 0u);
}

TEST(FakeFileSystem, AWriteProtectedFolderRefusesChanges) {
    FakeFileSystem files;
    files.addDrive('F');
    files.addFile(R"(F:\a.mp3)", "a");
    files.addFile(R"(F:\locked\b.mp3)", "b");
    ASSERT_TRUE(files.setWriteProtected(R"(F:\locked)"));

    EXPECT_FALSE(files.copyFile(R"(F:\a.mp3)", R"(F:\locked\a.mp3)", false));
    EXPECT_FALSE(files.copyFile(R"(F:\a.mp3)", R"(F:\locked\b.mp3)", true));
    EXPECT_FALSE(files.deleteFile(R"(F:\locked\b.mp3)"));
    EXPECT_FALSE(files.rename(R"(F:\locked\b.mp3)", R"(F:\b.mp3)"));
    EXPECT_FALSE(files.rename(R"(F:\a.mp3)", R"(F:\locked\a.mp3)"));
    EXPECT_FALSE(files.createFolders(R"(F:\locked\sub)"));
    EXPECT_THAT(namesOf(files.list(R"(F:\locked\)", "*.*", HiddenEntries::Include)),
                ElementsAre("b.mp3"));
    EXPECT_EQ(files.fileContent(R"(F:\locked\b.mp3)"), "b");

    ASSERT_TRUE(files.setWriteProtected(R"(F:\locked)", false));
    EXPECT_TRUE(files.copyFile(R"(F:\a.mp3)", R"(F:\locked\a.mp3)", false));
}

TEST(FakeFileSystem, APulledDriveTakesEverythingWithIt) {
    FakeFileSystem files;
    files.addDrive('F');
    files.addDrive('G');
    files.addFile(R"(F:\a.mp3)", "a");
    files.addFile(R"(G:\out\b.mp3)", "b");
    files.removeDrive('G');

    EXPECT_THAT(files.list(R"(G:\out\)", "*.*", HiddenEntries::Include), IsEmpty());
    EXPECT_FALSE(files.copyFile(R"(F:\a.mp3)", R"(G:\out\a.mp3)", false));
    EXPECT_FALSE(files.createFolders(R"(G:\out)"));
    EXPECT_FALSE(files.volumeSize(R"(G:\)"));
    files.addDrive('G');
    EXPECT_FALSE(files.folderExists(R"(G:\out)"));
}

}  // namespace
}  // namespace qh
