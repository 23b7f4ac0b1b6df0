#include "platform/folder_reader_linux.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

#include "platform/file_system.h"
#include "support/temp_folder.h"
#include "text/gbk.h"

namespace qh {
namespace {

using ::testing::UnorderedElementsAre;
namespace fs = std::filesystem;
// UTF-8 name, attributes, matches: readable in a failure.
using Listed = std::tuple<std::string, std::uint32_t, bool>;

class LinuxFolderReaderTest : public ::testing::Test {
protected:
    LinuxFolderReaderTest() {
        fs::create_directories(library);
        DriveTable table;
        table.set({'F', folder.path(), DriveType::Fixed});
        drives.replace(table);
    }

    std::vector<Listed> listAll(OpenFolder& open) {
        std::vector<Listed> listed;
        FolderEntry entry;
        while (open.next(entry)) {
            listed.emplace_back(fromGbk(entry.name).toStdString(), entry.attributes, entry.matches);
        }
        return listed;
    }

    testing::TempFolder folder;
    fs::path library = folder.path() / "库";
    SharedDriveTable drives;
    LinuxFolderReader reader{drives};
};

TEST_F(LinuxFolderReaderTest, GivesMatchesAndFoldersWithTheBitsThatDecideAWalk) {
    testing::writeFile(library / "a.mp3", "");
    testing::writeFile(library / "b.wma", "");
    testing::writeFile(library / ".h.mp3", "");
    fs::create_directory(library / "sub");
    fs::create_directory(library / "x.mp3");
    fs::create_directory(library / ".hidden");
    fs::create_directory(library / "ro");
    fs::permissions(library / "ro", fs::perms::owner_write, fs::perm_options::remove);
    fs::create_directory_symlink("sub", library / "l.mp3");
    fs::create_symlink("nowhere", library / "dangling.mp3");
    fs::create_directory_symlink("sub", library / "other");

    const NamePattern pattern("*.mp3");
    const auto open = reader.open(gbk("F:\\库\\"), pattern);
    ASSERT_NE(open, nullptr);
    EXPECT_THAT(listAll(*open),
                UnorderedElementsAre(Listed{"a.mp3", attr::Archive, true},
                                     Listed{".h.mp3", attr::Hidden | attr::Archive, true},
                                     Listed{"sub", attr::Directory, false},
                                     Listed{"x.mp3", attr::Directory, true},
                                     Listed{".hidden", attr::Directory | attr::Hidden, false},
                                     Listed{"ro", attr::Directory, false},
                                     Listed{"l.mp3", attr::Directory | attr::ReparsePoint, true},
                                     Listed{"dangling.mp3", attr::ReparsePoint, true}));
}

TEST_F(LinuxFolderReaderTest, OpensRealSubfoldersOnlyAndMissingFoldersNot) {
    testing::writeFile(library / "\xff" / "a.mp3", "");
    fs::create_directory_symlink("\xff", library / "link");
    const NamePattern pattern("*.*");
    const auto open = reader.open(gbk("F:\\库\\"), pattern);
    ASSERT_NE(open, nullptr);
    const auto sub = open->openSubfolder(hostNameToGbk("\xff"));
    ASSERT_NE(sub, nullptr);
    EXPECT_THAT(listAll(*sub), UnorderedElementsAre(Listed{"a.mp3", attr::Archive, true}));
    EXPECT_EQ(open->openSubfolder("link"), nullptr);
    EXPECT_EQ(open->openSubfolder(".."), nullptr);
    EXPECT_EQ(reader.open(gbk("F:\\没有\\"), pattern), nullptr);
    EXPECT_EQ(reader.open(gbk("Q:\\库\\"), pattern), nullptr);
}

}  // namespace
}  // namespace qh
