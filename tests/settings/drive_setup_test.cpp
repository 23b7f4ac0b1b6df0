#include "settings/drive_setup.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace qh {
namespace {

using testing::TempFolder;

TEST(DriveSetup, DriveMapFoldersAreTakenFromTheDataFolder) {
    TempFolder folder;
    const auto dataDir = folder.path() / "data";
    folder.write("data/drivemap.txt", "# demo shop\nF=../drives/F\nG=/media/stick,removable\n");
    const auto drives = loadDriveMap(dataDir);
    ASSERT_EQ(drives.size(), 2u);
    EXPECT_EQ(drives[0].letter, 'F');
    EXPECT_EQ(drives[0].hostRoot.lexically_normal(),
              (folder.path() / "drives/F").lexically_normal());
    EXPECT_EQ(drives[0].type, DriveType::Fixed);
    EXPECT_EQ(drives[1].hostRoot, "/media/stick");
    EXPECT_EQ(drives[1].type, DriveType::Removable);
}

TEST(DriveSetup, MissingDriveMapGivesNoDrives) {
    TempFolder folder;
    EXPECT_TRUE(loadDriveMap(folder.path()).empty());
}

TEST(DriveSetup, OptionsWinOverTheMapAndMountsTakeTheNextFreeLetters) {
    const std::vector<Drive> mapped = {{'D', "/shop/d", DriveType::Fixed},
                                       {'F', "/shop/old-f", DriveType::Fixed}};
    const std::vector<Drive> options = {{'F', "/shop/f", DriveType::Fixed}};
    MountEntry stick;
    stick.mountPoint = "/media/clerk/STICK";
    MountEntry alreadyMapped;
    alreadyMapped.mountPoint = "/shop/d";

    const auto table = assembleDriveTable(mapped, options, {alreadyMapped, stick});

    ASSERT_NE(table.find('F'), nullptr);
    EXPECT_EQ(table.find('F')->hostRoot, "/shop/f");
    ASSERT_NE(table.find('E'), nullptr);
    EXPECT_EQ(table.find('E')->hostRoot, "/media/clerk/STICK");
    EXPECT_EQ(table.find('E')->type, DriveType::Removable);
    EXPECT_EQ(table.drives().size(), 3u);
}

}  // namespace
}  // namespace qh
