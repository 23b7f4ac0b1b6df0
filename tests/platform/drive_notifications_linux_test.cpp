#include "platform/drive_notifications_linux.h"

#include <sys/mount.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>

#include "platform/linux_file_system.h"
#include "support/core_application.h"
#include "support/temp_folder.h"

namespace qh {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using testing::ensureCoreApplication;

std::string mountLine(int id, const std::string& folder) {
    return std::to_string(id) + " 1 0:" + std::to_string(id) + " / " + folder +
           " rw - vfat /dev/sdx1 rw\n";
}

// A shop with C, D and F, and a mount table in a file that a test rewrites before each rescan,
// as the kernel rewrites /proc/self/mountinfo. Volumes under /media count as removable; the
// sysfs folder is empty, so nothing else does.
class DriveEvents : public ::testing::Test {
protected:
    DriveEvents() : drives_(shopTable()) {
        ensureCoreApplication();
        setMounts({"/", "/srv/library"});
        watcher_ =
            std::make_unique<MountWatcher>(folder_.path() / "mountinfo", folder_.path() / "sys");
        notifications_ = std::make_unique<LinuxDriveNotifications>(*watcher_, drives_);
        // Each event is recorded with whether its drive is in the table at that moment.
        QObject::connect(notifications_.get(), &DriveNotifications::driveAdded,
                         [this](const std::string& root) { record("added", root); });
        QObject::connect(notifications_.get(), &DriveNotifications::driveRemoved,
                         [this](const std::string& root) { record("removed", root); });
    }

    static DriveTable shopTable() {
        DriveTable table;
        table.set({'C', "/", DriveType::Fixed});
        table.set({'D', "/srv/d", DriveType::Fixed});
        table.set({'F', "/srv/library", DriveType::Fixed});
        return table;
    }

    void setMounts(const std::vector<std::string>& folders) {
        std::string content;
        int id = 20;
        for (const auto& folder : folders) {
            content += mountLine(id++, folder);
        }
        testing::writeFile(folder_.path() / "mountinfo", content);
    }

    void mountsBecome(const std::vector<std::string>& folders) {
        setMounts(folders);
        watcher_->rescan();
    }

    void record(const char* what, const std::string& root) {
        const bool inTable = drives_.snapshot()->find(root.at(0)) != nullptr;
        events_.push_back(std::string(what) + " " + root + (inTable ? " (in table)" : ""));
    }

    Drive removableAt(char letter, const char* folder) {
        return {letter, folder, DriveType::Removable};
    }

    testing::TempFolder folder_;
    SharedDriveTable drives_;
    std::unique_ptr<MountWatcher> watcher_;
    std::unique_ptr<LinuxDriveNotifications> notifications_;
    std::vector<std::string> events_;
};

TEST_F(DriveEvents, SticksPluggedInTakeTheNextFreeLettersInMountOrder) {
    mountsBecome({"/", "/srv/library", "/media/clerk/STICK", "/mnt/not-removable"});
    mountsBecome({"/", "/srv/library", "/media/clerk/STICK", "/mnt/not-removable",
                  "/run/media/clerk/CARD", "/media/phone"});

    EXPECT_THAT(events_, ElementsAre("added E:\\ (in table)", "added G:\\ (in table)",
                                     "added H:\\ (in table)"));
    const auto table = drives_.snapshot();
    EXPECT_EQ(*table->find('E'), removableAt('E', "/media/clerk/STICK"));
    EXPECT_EQ(*table->find('G'), removableAt('G', "/run/media/clerk/CARD"));
    EXPECT_EQ(*table->find('H'), removableAt('H', "/media/phone"));
}

TEST_F(DriveEvents, AStickPulledOutLeavesTheTableBeforeItIsReportedAndFreesItsLetter) {
    mountsBecome({"/", "/srv/library", "/media/a", "/media/b"});
    events_.clear();

    mountsBecome({"/", "/srv/library", "/media/b"});
    EXPECT_THAT(events_, ElementsAre("removed E:\\"));
    EXPECT_EQ(drives_.snapshot()->find('E'), nullptr);

    mountsBecome({"/", "/srv/library", "/media/b", "/media/c"});
    EXPECT_THAT(events_, ElementsAre("removed E:\\", "added E:\\ (in table)"));
    EXPECT_EQ(*drives_.snapshot()->find('E'), removableAt('E', "/media/c"));
    EXPECT_EQ(*drives_.snapshot()->find('G'), removableAt('G', "/media/b"));
}

TEST_F(DriveEvents, AStickMovedBetweenTwoReadingsKeepsItsLetter) {
    mountsBecome({"/", "/srv/library", "/media/a"});
    events_.clear();
    mountsBecome({"/", "/srv/library", "/media/a2"});
    EXPECT_THAT(events_, ElementsAre("removed E:\\", "added E:\\ (in table)"));
    EXPECT_EQ(*drives_.snapshot()->find('E'), removableAt('E', "/media/a2"));
}

TEST_F(DriveEvents, AFolderTheShopMappedKeepsItsLetterWhenAVolumeIsMountedThere) {
    DriveTable table = *drives_.snapshot();
    table.set(removableAt('K', "/media/shop-stick/"));
    drives_.replace(table);

    mountsBecome({"/", "/srv/library", "/media/shop-stick"});
    EXPECT_THAT(events_, ElementsAre("added K:\\ (in table)"));
    EXPECT_EQ(drives_.snapshot()->find('E'), nullptr);

    mountsBecome({"/", "/srv/library"});
    EXPECT_THAT(events_, ElementsAre("added K:\\ (in table)", "removed K:\\"));
    EXPECT_EQ(drives_.snapshot()->find('K'), nullptr);
}

TEST_F(DriveEvents, AVolumeWithoutALetterIsNeverReported) {
    DriveTable table;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        table.set({letter, "/srv/" + std::string(1, letter), DriveType::Fixed});
    }
    drives_.replace(table);

    mountsBecome({"/", "/srv/library", "/media/a"});
    mountsBecome({"/", "/srv/library"});
    EXPECT_THAT(events_, IsEmpty());
    EXPECT_EQ(*drives_.snapshot(), table);
}

// The real kernel: a tmpfs mounted under /media as a stick would be. Needs root; skipped
// elsewhere.
TEST(DriveEventsOnThisMachine, ATmpfsUnderMediaIsAddedWithItsSizeAndRemoved) {
    ensureCoreApplication();
    std::filesystem::create_directories("/media");
    std::string pattern = "/media/qh-drive-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        GTEST_SKIP() << "no folder under /media";
    }
    const std::filesystem::path folder = pattern;
    struct Cleanup {
        std::filesystem::path folder;
        ~Cleanup() {
            ::umount2(folder.c_str(), MNT_DETACH);
            std::error_code ignored;
            std::filesystem::remove(folder, ignored);
        }
    } cleanup{folder};

    SharedDriveTable drives;
    LinuxFileSystem files(drives);
    MountWatcher watcher;
    LinuxDriveNotifications notifications(watcher, drives);
    // Other volumes may come and go meanwhile; only this folder's events count.
    std::string added;
    std::string removed;
    std::optional<VolumeSize> size;
    QObject::connect(&notifications, &DriveNotifications::driveAdded, [&](const std::string& root) {
        const Drive* drive = drives.snapshot()->find(root.at(0));
        if (drive != nullptr && drive->hostRoot == folder) {
            added = root;
            size = files.volumeSize(root);
        }
    });
    QObject::connect(&notifications, &DriveNotifications::driveRemoved,
                     [&](const std::string& root) {
                         if (root == added) {
                             removed = root;
                         }
                     });
    if (::mount("qh-drive", folder.c_str(), "tmpfs", 0, "size=16m") != 0) {
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    }
    auto waitFor = [](const std::function<bool()>& condition) {
        QDeadlineTimer deadline(5000);
        while (!condition() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return condition();
    };
    ASSERT_TRUE(waitFor([&] { return !added.empty(); }));
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(size->totalBytes, 16u * 1024 * 1024);

    ASSERT_EQ(::umount2(folder.c_str(), 0), 0);
    ASSERT_TRUE(waitFor([&] { return !removed.empty(); }));
    // A stick mounted meanwhile (another test's, say) may take the letter; this folder has none.
    const Drive* after = drives.snapshot()->find(added.at(0));
    EXPECT_TRUE(after == nullptr || after->hostRoot != folder);
}

}  // namespace
}  // namespace qh
