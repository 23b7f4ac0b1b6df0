// The phone-picture browser opened from the main window's 图片 tab, adding to the list on screen.
#include <gtest/gtest.h>
#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/program.h"
#include "app/window_test_shop.h"
#include "support/wait_for.h"
#include "support/window_children.h"
#include "text/gbk.h"
#include "windows/picture_pane.h"

namespace qh {
namespace {

using testing::host;

std::string smallJpeg() {
    QImage image(QSize(240, 320), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "jpg");
    return data.toStdString();
}

// A library on F with big pictures of 美女, D for the default folder, and a phone card on G.
class PictureWindowTest : public ::testing::Test, protected testing::WindowTestShop {
protected:
    PictureWindowTest() {
        installKeySounds();
        addDrive('F');
        addDrive('D');
        addDrive('G', DriveType::Removable);
        std::filesystem::create_directories(paths.dataDir);
        settings.write("PanFu1", "PanFu1", "F");
        settings.write("DanJa", "tp", "0.5");
    }

    void addPicture(const char* name) {
        folder.write(host("F/青禾点唱库/5-图片/大图/美女/") + host(name), smallJpeg());
    }
    static std::string libraryPath(const char* name) {
        return gbk("F:\\青禾点唱库\\5-图片\\大图\\美女\\") + gbk(name);
    }
    void open() {
        windows = createProgramWindows(services());
        auto* loading = windows.main->findChild<QTimer*>("QiDTimer");
        ASSERT_TRUE(testing::waitFor([&] { return !loading->isActive(); }));
        ASSERT_TRUE(testing::waitFor(
            [&] { return !windows.main->findChild<QTimer*>("UZTTimer3")->isActive(); }));
    }
    template <typename T>
    T* child(const char* name) {
        return testing::child<T>(*windows.main, name);
    }
    // The clerk presses 图片 and the browser opens over the main window at its random cursor;
    // 上一页 and 下一页 then bring each picture of a topic of three onto a pane.
    void openBrowser() {
        child<QToolButton>("CategoryTab4")->click();
        auto& browser = *windows.side.pictures;
        EXPECT_TRUE(browser.isVisible());
        testing::child<QPushButton>(browser, "Button3")->click();
        testing::child<QPushButton>(browser, "Button1")->click();
    }
    PicturePane* paneShowing(const char* name) {
        for (auto* pane : windows.side.pictures->findChildren<PicturePane*>()) {
            if (pane->libraryPath() == libraryPath(name)) {
                return pane;
            }
        }
        ADD_FAILURE() << "no pane shows " << name;
        return nullptr;
    }
    void doubleClick(PicturePane* pane) {
        ASSERT_TRUE(testing::waitFor([&] { return pane->isLoaded(); }));
        QTest::mouseClick(pane, Qt::LeftButton);
        QTest::mouseDClick(pane, Qt::LeftButton);
    }
    QString label(const char* name) { return child<QLabel>(name)->text(); }
    std::filesystem::path onDisk(const char* drivePath) const {
        return folder.path() / host(drivePath);
    }

    ProgramWindows windows;
};

TEST_F(PictureWindowTest, ThePictureJoinsTheListOnceWithItsRowTallyAndAmountAndIsCopiedEachTime) {
    for (const char* name : {"美女1.jpg", "美女2.jpg", "美女3.jpg"}) {
        addPicture(name);
    }
    open();
    openBrowser();
    PicturePane* pane = paneShowing("美女1.jpg");
    ASSERT_NE(pane, nullptr);
    doubleClick(pane);
    doubleClick(pane);

    const auto& shown = windows.main->downloadLists().shown();
    EXPECT_EQ(shown.entries(), std::vector<std::string>{libraryPath("美女1.jpg")});
    ASSERT_EQ(windows.main->shownRows().rowCount(), 1);
    EXPECT_EQ(windows.main->shownRows().captionAt(0), gbk("美女1"));
    EXPECT_TRUE(testing::waitFor([&] { return label("Label39") == "1"; }));  // 图片
    EXPECT_EQ(label("Label22"), "1");
    EXPECT_EQ(label("Label60"), "0.5");
    EXPECT_EQ(lastSoundOf(*windows.main), gbkToHostName(gbk("复制.wav")));
    // 同步下载 is ticked from the start: each double click sent the picture to the copy job.
    EXPECT_EQ(shown.copyControl().paths(),
              (std::vector<std::string>{libraryPath("美女1.jpg"), libraryPath("美女1.jpg")}));
    EXPECT_TRUE(
        testing::waitFor([&] { return std::filesystem::exists(onDisk("D/歌曲下载/美女1.jpg")); }));
    EXPECT_EQ(testing::readFile(onDisk("D/歌曲下载/美女1.jpg")), smallJpeg());
}

TEST_F(PictureWindowTest, APictureWhoseNameIsAPieceOfAListedOneIsAnotherPicture) {
    addPicture("美女10.jpg");
    addPicture("美女1.jpg");
    addPicture("美女2.jpg");
    open();
    openBrowser();
    doubleClick(paneShowing("美女10.jpg"));
    doubleClick(paneShowing("美女1.jpg"));
    EXPECT_EQ(windows.main->downloadLists().shown().entries(),
              (std::vector<std::string>{libraryPath("美女10.jpg"), libraryPath("美女1.jpg")}));
}

TEST_F(PictureWindowTest, OnList3WithItsCardThePictureLandsInThatCardsPictureFolder) {
    for (const char* name : {"美女1.jpg", "美女2.jpg", "美女3.jpg"}) {
        addPicture(name);
    }
    open();
    child<QTabWidget>("PageControl2")->setCurrentIndex(2);
    auto* selector = child<QComboBox>("ComboBox16");
    selector->setCurrentIndex(0);
    emit selector->activated(0);
    openBrowser();
    doubleClick(paneShowing("美女2.jpg"));

    EXPECT_EQ(windows.main->downloadLists().shownIndex(), 2);
    EXPECT_EQ(windows.main->downloadLists().shown().entries(),
              std::vector<std::string>{libraryPath("美女2.jpg")});
    EXPECT_TRUE(
        testing::waitFor([&] { return std::filesystem::exists(onDisk("G/Photos/美女2.jpg")); }));
    EXPECT_TRUE(testing::waitFor([&] { return !child<QLabel>("Label71")->isHidden(); }));
    // 清单1's customer gets nothing.
    EXPECT_FALSE(std::filesystem::exists(onDisk("D/歌曲下载/美女2.jpg")));
    EXPECT_TRUE(windows.main->downloadLists().list(0).copyControl().paths().empty());
}

}  // namespace
}  // namespace qh
