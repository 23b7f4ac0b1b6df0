#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>

#include "app/main_window.h"
#include "app/window_test_shop.h"
#include "download/target_folder_set.h"
#include "support/gated_copies.h"
#include "support/wait_for.h"
#include "support/window_children.h"
#include "text/gbk.h"
#include "text/text_list_file.h"

namespace qh {
namespace {

using testing::host;

// A library on F, D for the default folder, and a phone card on G that has both 歌曲 and mp3.
class RemovableDiskWindowTest : public ::testing::Test, protected testing::WindowTestShop {
protected:
    RemovableDiskWindowTest() {
        addDrive('F');
        addDrive('D');
        addDrive('G', DriveType::Removable);
        for (const char* made : {"G/歌曲", "G/mp3", "G/mythroad/NES"}) {
            std::filesystem::create_directories(folder.path() / host(made));
        }
        folder.write(host("F/青禾点唱库/1-音乐/0012 月亮.mp3"), "song");
        std::filesystem::create_directories(paths.dataDir);
        settings.write("PanFu1", "PanFu1", "F");
    }
    ~RemovableDiskWindowTest() override {
        gate.letAllThrough();
        window.reset();
    }

    void open() {
        auto services = this->services();
        window = std::make_unique<MainWindow>(MainWindowServices{
            services.paths, services.settings, services.saveFailures, services.drives, gate,
            services.folderReader, services.shell, services.keySoundDevice, services.mediaDevice,
            services.inputMethods, services.driveNotifications});
        window->setMessagePresenter([](const QString&) {});
        window->show();
        ASSERT_TRUE(
            testing::waitFor([&] { return !window->findChild<QTimer*>("UZTTimer3")->isActive(); }));
    }
    template <typename T>
    T* child(const char* name) {
        return testing::child<T>(*window, name);
    }
    QComboBox* selector(int list) {
        const char* names[] = {"ComboBox14", "ComboBox15", "ComboBox16", "ComboBox17",
                               "ComboBox18"};
        return child<QComboBox>(names[list]);
    }
    QComboBox* targetBox(int list) {
        const char* names[] = {"ComboBox2", "ComboBox10", "ComboBox11", "ComboBox12", "ComboBox13"};
        return child<QComboBox>(names[list]);
    }
    static QStringList itemsOf(QComboBox* box) {
        QStringList items;
        for (int i = 0; i < box->count(); ++i) {
            items << box->itemText(i);
        }
        return items;
    }
    // The clerk shows the list and picks the disk entry in its selector.
    void chooseDisk(int list, int entry) {
        child<QTabWidget>("PageControl2")->setCurrentIndex(list);
        selector(list)->setCurrentIndex(entry);
        emit selector(list)->activated(entry);
    }
    bool labelShown(const char* name) { return !child<QLabel>(name)->isHidden(); }

    testing::GatedCopies gate{files};
    std::unique_ptr<MainWindow> window;
};

TEST_F(RemovableDiskWindowTest, AtStartEverySelectorOffersTheCardAndNoListHasChosenIt) {
    open();
    for (int list = 0; list < 5; ++list) {
        SCOPED_TRACE(list);
        EXPECT_EQ(itemsOf(selector(list)), QStringList{QString::fromUtf8("可移动磁盘：G:\\")});
        EXPECT_EQ(selector(list)->currentIndex(), -1);
        EXPECT_EQ(selector(list)->placeholderText(), QString::fromUtf8("请选择可移动磁盘"));
        EXPECT_EQ(targetBox(list)->currentText(), QString::fromUtf8("音乐：D:\\歌曲下载"));
    }
    EXPECT_TRUE(labelShown("Label37"));
    EXPECT_FALSE(labelShown("Label36"));
}

TEST_F(RemovableDiskWindowTest, ChoosingTheCardFindsItsFoldersAndASyncAddCopiesOntoIt) {
    open();
    chooseDisk(1, 0);

    EXPECT_EQ(itemsOf(targetBox(1)), (QStringList{QString::fromUtf8("音乐：G:\\歌曲"),
                                                  QString::fromUtf8("视频：G:\\video"),
                                                  QString::fromUtf8("图片：G:\\Photos"),
                                                  QString::fromUtf8("游戏：G:\\mythroad\\NES"),
                                                  QString::fromUtf8("电子书：G:\\Ebook")}));
    EXPECT_EQ(targetBox(1)->currentText(), QString::fromUtf8("音乐：G:\\歌曲"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "G" / "video"));
    EXPECT_EQ(targetBox(0)->currentText(), QString::fromUtf8("音乐：D:\\歌曲下载"));
    EXPECT_TRUE(labelShown("Label36"));
    EXPECT_FALSE(labelShown("Label37"));
    EXPECT_TRUE(testing::waitFor([&] {
        return child<QLabel>("Label36")->text().startsWith(QString::fromUtf8("可用空间："));
    }));

    // A number search adds its first match to 清单2, whose copy lands in the card's song folder.
    child<QCheckBox>("CheckBox1")->click();
    child<QComboBox>("ComboBox1")->setEditText(QStringLiteral("0012"));
    child<QPushButton>("SpeedButton22")->click();
    EXPECT_TRUE(testing::waitFor(
        [&] { return std::filesystem::exists(folder.path() / "G" / host("歌曲/0012 月亮.mp3")); }));

    // Back on 清单1, which chose no disk, the labels say so; 清单2 shows its card again.
    child<QTabWidget>("PageControl2")->setCurrentIndex(0);
    EXPECT_TRUE(labelShown("Label37"));
    child<QTabWidget>("PageControl2")->setCurrentIndex(1);
    EXPECT_TRUE(labelShown("Label36"));
}

TEST_F(RemovableDiskWindowTest, PullingOutADiskResetsEveryListThatChoseItAndNoOther) {
    addDrive('H', DriveType::Removable);
    open();
    ASSERT_EQ(selector(0)->count(), 2);
    chooseDisk(0, 0);  // G
    chooseDisk(2, 0);  // G
    chooseDisk(3, 1);  // H

    driveEvents.pullOut("G:\\");

    for (const int list : {0, 2}) {
        SCOPED_TRACE(list);
        EXPECT_EQ(selector(list)->currentIndex(), -1);
        EXPECT_EQ(targetBox(list)->currentText(), QString::fromUtf8("音乐：D:\\歌曲下载"));
        EXPECT_EQ(window->downloadLists().list(list).targets().folders()[kGame],
                  gbk("D:\\歌曲下载"));
    }
    EXPECT_EQ(itemsOf(selector(1)), QStringList{QString::fromUtf8("可移动磁盘：H:\\")});
    EXPECT_EQ(selector(3)->currentText(), QString::fromUtf8("可移动磁盘：H:\\"));
    EXPECT_EQ(window->downloadLists().list(3).targets().folders()[kMusic], gbk("H:\\My Music"));
    EXPECT_TRUE(labelShown("Label37"));

    // A disk plugged in goes to the end of every selector; no list takes it by itself.
    driveEvents.plugIn("H:\\");
    EXPECT_EQ(selector(0)->count(), 2);
    EXPECT_EQ(selector(0)->currentIndex(), -1);
    EXPECT_EQ(selector(3)->currentIndex(), 0);
}

// The card pulled out while its list copies onto it: the job stops, the rest of the list goes
// nowhere (not to the shop's own D:\歌曲下载 the list now falls back to), and the clerk is told
// that none of the three arrived.
TEST_F(RemovableDiskWindowTest, ACardPulledOutWhileItsListCopiesStopsTheJob) {
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
        folder.write(host("F/青禾点唱库/1-音乐/") + name, "song");
    }
    saveTextList(paths.dataDir / host("清单1.txt"),
                 {gbk("F:\\青禾点唱库\\1-音乐\\a.mp3"), gbk("F:\\青禾点唱库\\1-音乐\\b.mp3"),
                  gbk("F:\\青禾点唱库\\1-音乐\\c.mp3")});
    open();
    chooseDisk(0, 0);
    gate.hold();
    child<QTreeView>("ListView2")->selectAll();
    child<QPushButton>("SpeedButton24")->click();
    ASSERT_TRUE(testing::waitFor([&] {
        return child<QLabel>("Label58")->text() == QString::fromUtf8("1/3 正在下载...a.mp3");
    }));

    // The card's folder goes with the card, as its mount point empties.
    std::filesystem::rename(folder.path() / "G", folder.path() / "G-pulled");
    driveEvents.pullOut("G:\\");
    gate.letAllThrough();

    ASSERT_TRUE(testing::waitFor([&] { return !child<QLabel>("UndeliveredNotice1")->isHidden(); }));
    EXPECT_EQ(child<QLabel>("UndeliveredNotice1")->text(),
              QString::fromUtf8("清单1 下载未完成：3/3 个文件未复制（磁盘已拔出）"));
    EXPECT_TRUE(child<QLabel>("Label66")->isHidden());
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
        EXPECT_FALSE(std::filesystem::exists(folder.path() / "D" / host("歌曲下载") / name));
        EXPECT_FALSE(std::filesystem::exists(folder.path() / "G-pulled" / host("歌曲") / name));
    }
    EXPECT_EQ(targetBox(0)->currentText(), QString::fromUtf8("音乐：D:\\歌曲下载"));
}

// A card plugged in again still holds the hidden remains of a copy it was pulled from; choosing
// it gives the space back.
TEST_F(RemovableDiskWindowTest, ChoosingACardRemovesTheRemainsOfCopiesCutShort) {
    const pid_t gone = ::fork();
    if (gone == 0) {
        ::_exit(0);
    }
    ASSERT_GT(gone, 0);
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    const auto remains =
        folder.write(host("G/歌曲/.qhcopy-") + std::to_string(gone) + "-7.tmp", "half a song");
    open();
    ASSERT_TRUE(std::filesystem::exists(remains));

    chooseDisk(1, 0);

    EXPECT_FALSE(std::filesystem::exists(remains));
}

}  // namespace
}  // namespace qh
