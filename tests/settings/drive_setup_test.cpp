#include "settings/drive_setup.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace qh {
namespace {

using std::filesystem::path;
using testing::TempFolder;

TEST(DriveSetup, DriveMapFoldersAreTakenFromTheDataFolder) {
    TempFolder folder;
    const auto dataDir = folder.path() / "data";
    std::filesystem::create_directories(folder.path() / "drives/F");
    std::filesystem::create_directories(folder.path() / "stick");
    folder.write("data/drivemap.txt", "# demo shop\nF=../drives/F\nG=" +
                                          (folder.path() / "stick").string() + ",removable\n");
    const auto drives = loadDriveMap(dataDir);
    ASSERT_EQ(drives.size(), 2u);
    EXPECT_EQ(drives[0].letter, 'F');
    EXPECT_EQ(drives[0].hostRoot.lexically_normal(),
              (folder.path() / "drives/F").lexically_normal());
    EXPECT_EQ(drives[0].type, DriveType::Fixed);
    EXPECT_EQ(drives[1].hostRoot, folder.path() / "stick");
    EXPECT_EQ(drives[1].type, DriveType::Removable);
}

TEST(DriveSetup, MissingDriveMapGivesNoDrives) {
    TempFolder folder;
    EXPECT_TRUE(loadDriveMap(folder.path()).empty());
}

// Each bad line is passed over and the lines after it still load; CR-only line ends, which a
// shop's old editor writes, end lines as in every data file.
TEST(DriveSetup, ABadDriveMapLineIsPassedOverAndTheRestLoads) {
    TempFolder folder;
    for (const char* name : {"e", "f", "g", "h", "k"}) {
        std::filesystem::create_directories(folder.path() / name);
    }
    folder.write("a-file", "not a folder");
    const std::string longLine = "J=/" + std::string(1 << 20, 'x');
    folder.write("drivemap.txt",
                 "E=e\r"
                 "M=missing\r"
                 "N=a-file\r\n"
                 "F=f\n"
                 "E=g\r\n"
                 "A=g\r\n"
                 "B=g\r\n"
                 "1=g\r\n" +
                     longLine + "\r\n" + "G=g\r" + "H=h\r" + "K=k");
    std::string loaded;
    for (const auto& drive : loadDriveMap(folder.path())) {
        loaded += std::string{drive.letter, '='} + drive.hostRoot.filename().string() + ' ';
    }
    EXPECT_EQ(loaded, "E=e F=f G=g H=h K=k ");
}

class DriveLetters : public ::testing::Test {
protected:
    DriveLetters() { std::filesystem::create_directories(home()); }
    path home() const { return folder_.path() / "home/clerk"; }
    // No block device of the fixtures is known here, so only /media makes a volume removable.
    MachineVolumes machine(const std::string& mountInfo, const path& homeFolder) const {
        return machineVolumes(mountInfo, homeFolder, folder_.path() / "no-sysfs");
    }

private:
    TempFolder folder_;
};

std::string lettersOf(const DriveTable& table) {
    std::string letters;
    for (const auto& drive : table.drives()) {
        letters += std::string{drive.letter, '='} + drive.hostRoot.string() +
                   (drive.type == DriveType::Removable ? ",removable " : " ");
    }
    return letters;
}

TEST_F(DriveLetters, AsWindowsGivesThemTheSystemDiskDownloadPlaceLocalDisksThenSticks) {
    const std::string root = "27 1 254:0 / / rw - ext4 /dev/vda rw\n";
    const std::string library = "40 27 8:1 / /srv/library rw - ext4 /dev/sda1 rw\n";
    const std::string bind = "41 27 8:1 /songs /home/clerk/songs rw - ext4 /dev/sda1 rw\n";
    const std::string stick = "42 27 8:17 / /media/clerk/STICK rw - vfat /dev/sdb1 rw\n";
    const std::string card = "43 27 179:1 / /run/media/clerk/CARD rw - exfat /dev/mmcblk0p1 rw\n";
    const std::string d = "D=" + home().string() + " ";
    struct Case {
        const char* name;
        std::string mountInfo;
        std::string letters;
    };
    const std::vector<Case> cases = {
        {"the system disk and the download place", root, "C=/ " + d},
        {"a second local disk, mounted twice", root + library + bind,
         "C=/ " + d + "E=/srv/library "},
        {"the first stick under /media never becomes D", root + stick,
         "C=/ " + d + "E=/media/clerk/STICK,removable "},
        {"sticks after the local disks", root + stick + library + card,
         "C=/ " + d +
             "E=/srv/library F=/media/clerk/STICK,removable "
             "G=/run/media/clerk/CARD,removable "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lettersOf(assembleDriveTable({}, {}, machine(c.mountInfo, home()))), c.letters);
    }
}

TEST_F(DriveLetters, WithoutADownloadPlaceDStaysMissingAndNoStickTakesIt) {
    const std::string mounts =
        "27 1 254:0 / / rw - ext4 /dev/vda rw\n"
        "42 27 8:17 / /media/clerk/STICK rw - vfat /dev/sdb1 rw\n";
    struct Case {
        const char* name;
        path home;
    };
    const std::vector<Case> cases = {
        {"no home folder", home() / "missing"},
        {"no home at all", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lettersOf(assembleDriveTable({}, {}, machine(mounts, c.home))),
                  "C=/ E=/media/clerk/STICK,removable ");
    }
}

TEST_F(DriveLetters, AHomeFolderOnARemovableVolumeIsNoDownloadPlace) {
    MountEntry stick;
    stick.mountPoint = home().parent_path();
    EXPECT_EQ(downloadPlaceFor(home(), {stick}), std::nullopt);
    stick.mountPoint = home() / "songs";
    EXPECT_EQ(downloadPlaceFor(home(), {stick}), home());
}

TEST_F(DriveLetters, TheDriveMapAndOptionsWinAndKeepTheirFoldersLetters) {
    const std::string mounts =
        "27 1 254:0 / / rw - ext4 /dev/vda rw\n"
        "40 27 8:1 / /srv/library rw - ext4 /dev/sda1 rw\n"
        "41 27 8:2 / /srv/films rw - ext4 /dev/sda2 rw\n"
        "42 27 8:17 / /media/clerk/STICK rw - vfat /dev/sdb1 rw\n";
    const std::vector<Drive> mapped = {{'F', "/srv/library", DriveType::Fixed},
                                       {'E', "/shop/old-e", DriveType::Fixed}};
    const std::vector<Drive> options = {{'E', "/shop/e", DriveType::Fixed},
                                        {'D', "/shop/d", DriveType::Fixed}};
    EXPECT_EQ(lettersOf(assembleDriveTable(mapped, options, machine(mounts, home()))),
              "C=/ D=/shop/d E=/shop/e F=/srv/library G=/srv/films "
              "H=/media/clerk/STICK,removable ");
}

TEST(DriveMapEntry, TakesTheLettersPlaceAndLeavesTheOtherLinesAlone) {
    EXPECT_EQ(driveMapWith("# shop\r\nF=/srv/f\r\nG=/old\r\ng=/older\r\n", 'G', "/srv/new"),
              "# shop\r\nF=/srv/f\r\nG=/srv/new\r\n");
    EXPECT_EQ(driveMapWith("", 'G', "/srv/new"), "G=/srv/new\r\n");
    const auto withComma = driveMapWith("F=/srv/f", 'H', "/srv/a,removable");
    ASSERT_TRUE(withComma);
    const auto drives = parseDriveMap(*withComma);
    ASSERT_EQ(drives.size(), 2u);
    EXPECT_EQ(drives[1].hostRoot, "/srv/a,removable");
    EXPECT_EQ(drives[1].type, DriveType::Fixed);
    // The last: a line the map's reader would pass over, losing the letter at the next start.
    const std::string overlong = "/" + std::string(kLongestDriveMapLine, 'a');
    for (const std::string& unwritable :
         {std::string("/srv/a\nb"), std::string("/srv/a\rb"), std::string("/srv/a "),
          std::string("relative"), overlong}) {
        SCOPED_TRACE(unwritable.substr(0, 20));
        EXPECT_FALSE(driveMapWith("", 'G', unwritable));
    }
    const std::string longest = "/" + std::string(kLongestDriveMapLine - 3, 'a');
    const auto kept = driveMapWith("", 'G', longest);
    ASSERT_TRUE(kept);
    ASSERT_EQ(parseDriveMap(*kept).size(), 1u);
    EXPECT_EQ(parseDriveMap(*kept)[0].hostRoot, longest);
}

TEST(DriveMapEntry, IsSavedIntoTheDataFolderAndLoadsBack) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path() / "library");
    folder.write("data/drivemap.txt", "# kept\n");
    ASSERT_TRUE(saveDriveMapEntry(folder.path() / "data", 'G', folder.path() / "library"));
    EXPECT_EQ(testing::readFile(folder.path() / "data/drivemap.txt"),
              "# kept\r\nG=" + (folder.path() / "library").string() + "\r\n");
    const auto drives = loadDriveMap(folder.path() / "data");
    ASSERT_EQ(drives.size(), 1u);
    EXPECT_EQ(drives[0].hostRoot, folder.path() / "library");
    EXPECT_FALSE(saveDriveMapEntry(folder.path() / "no-such-data", 'G', folder.path() / "library"));
}

}  // namespace
}  // namespace qh
