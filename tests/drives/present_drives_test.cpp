#include "drives/present_drives.h"

#include <gtest/gtest.h>

#include "platform/fake_file_system.h"

namespace qh {
namespace {

TEST(PresentDrives, EveryDriveInLetterOrderWithItsTypeAndTotalSize) {
    FakeFileSystem files;
    files.addDrive('D', 500'000'000'000);
    files.addDrive('G', 2'013'265'920);
    files.addFile("G:\\a.mp3", std::string(1000, 'x'));  // used space leaves the total alone
    DriveTable table;
    table.set({'H', "/media/reader", DriveType::Removable});  // no card: no volume to read
    table.set({'G', "/media/stick", DriveType::Removable});
    table.set({'D', "/srv/d", DriveType::Fixed});

    EXPECT_EQ(presentDrives(table, files),
              (std::vector<PresentDrive>{{"D:\\", DriveType::Fixed, 500'000'000'000},
                                         {"G:\\", DriveType::Removable, 2'013'265'920},
                                         {"H:\\", DriveType::Removable, 0}}));
}

}  // namespace
}  // namespace qh
