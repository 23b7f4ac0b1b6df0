#include "windows/picture_browser_window.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <condition_variable>
#include <mutex>

#include "demo_shop/gif_writer.h"
#include "media/key_sounds.h"
#include "media/sound_cue.h"
#include "platform/fake_sound_device.h"
#include "platform/linux_file_system.h"
#include "platform/shared_drive_table.h"
#include "support/forwarding_file_system.h"
#include "support/qt_application.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"
#include "support/window_children.h"
#include "text/gbk.h"
#include "windows/picture_pane.h"

namespace qh {
namespace {

std::string jpeg(QRgb colour, QSize size = {240, 320}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "jpg");
    return data.toStdString();
}

// Reads of library files wait while the gate is shut, or only those of one held file, as a slow
// disk or a huge photo would hold them up.
class GatedReads final : public testing::ForwardingFileSystem {
public:
    using ForwardingFileSystem::ForwardingFileSystem;
    std::unique_ptr<ReadStream> openRead(std::string_view path) const override {
        std::unique_lock lock(mutex_);
        if (path == held_) {
            heldWaiting_ = true;
        }
        opened_.wait(lock, [&] { return !shut_ && path != held_; });
        return ForwardingFileSystem::openRead(path);
    }
    void shut() {
        std::lock_guard lock(mutex_);
        shut_ = true;
    }
    void hold(const std::string& path) {
        std::lock_guard lock(mutex_);
        held_ = path;
    }
    // The read of the held file has begun and waits.
    bool holdsARead() const {
        std::lock_guard lock(mutex_);
        return heldWaiting_;
    }
    void open() {
        std::lock_guard lock(mutex_);
        shut_ = false;
        held_.clear();
        opened_.notify_all();
    }

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable opened_;
    bool shut_ = false;
    std::string held_;
    mutable bool heldWaiting_ = false;
};

// A library on F with the picture folders, and the shop's data folder.
class PictureBrowserWindowTest : public ::testing::Test {
protected:
    PictureBrowserWindowTest() {
        testing::ensureApplication();
        DriveTable table;
        table.set({'F', folder.path() / "F", DriveType::Fixed});
        drives.replace(table);
        std::filesystem::create_directories(folder.path() / "F");
        std::filesystem::create_directories(dataDir);
    }
    ~PictureBrowserWindowTest() override {
        files.open();
        window.reset();
    }

    static std::filesystem::path topicFolder(const char* size, const char* topic) {
        return std::filesystem::path("F") / gbkToHostName(gbk("青禾点唱库")) /
               gbkToHostName(gbk("5-图片")) / gbkToHostName(gbk(size)) / gbkToHostName(gbk(topic));
    }
    // `count` pictures 00.jpg, 01.jpg ... in the topic's folder, listed in that order.
    void addPictures(const char* size, const char* topic, int count) {
        for (int i = 0; i < count; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "%02d.jpg", i);
            folder.write(topicFolder(size, topic) / name, jpeg(colourOfPicture(i).rgb()));
        }
    }
    // An animation of a green and a white frame.
    void writePlaceholder() {
        std::vector<QImage> frames;
        for (const QRgb colour : {qRgb(0, 255, 0), qRgb(255, 255, 255)}) {
            QImage frame(QSize(100, 40), QImage::Format_RGB32);
            frame.fill(colour);
            frames.push_back(frame);
        }
        folder.write(dataDir / gbkToHostName(gbk("青禾点唱.gif")), demo::animatedGif(frames, 5));
    }
    // The colour in the middle of what the pane draws.
    QColor middleOf(int index) {
        return pane(index)->grab().toImage().pixelColor(PicturePane::kSize.width() / 2,
                                                        PicturePane::kSize.height() / 2);
    }
    // The picture numbered n is drawn in this colour.
    static QColor colourOfPicture(int number) {
        return QColor::fromRgb(6 * number, 255 - 6 * number, 128);
    }
    static bool near(const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) < 12 && std::abs(a.green() - b.green()) < 12 &&
               std::abs(a.blue() - b.blue()) < 12;
    }

    void open(int startCursor = 0) {
        window = std::make_unique<PictureBrowserWindow>(PictureBrowserServices{
            files, dataDir, [this] { return driveTexts; }, keySounds, startCursor});
        window->show();
    }
    PicturePane* pane(int index) {
        return testing::child<PicturePane>(*window,
                                           ("WebBrowser" + std::to_string(index + 1)).c_str());
    }
    void click(const char* button) { testing::child<QPushButton>(*window, button)->click(); }
    QString marker() { return testing::child<QLabel>(*window, "Label1")->text(); }
    // The entries of the topic list the panes hold, top left first; -1 for a pane without one.
    std::vector<int> shownEntries() {
        std::vector<int> shown;
        const auto& pictures = window->pictures();
        for (int i = 0; i < kPicturePaneCount; ++i) {
            const auto found = std::find(pictures.begin(), pictures.end(), pane(i)->libraryPath());
            shown.push_back(found == pictures.end() ? -1
                                                    : static_cast<int>(found - pictures.begin()));
        }
        return shown;
    }
    bool allPanesLoaded() {
        return testing::waitFor([&] {
            for (int i = 0; i < kPicturePaneCount; ++i) {
                if (!pane(i)->isLoaded()) {
                    return false;
                }
            }
            return true;
        });
    }

    testing::TempFolder folder;
    std::filesystem::path dataDir = folder.path() / "data";
    SharedDriveTable drives;
    LinuxFileSystem diskFiles{drives};
    GatedReads files{diskFiles};
    std::array<std::string, kLibraryDriveCount> driveTexts{"F", "", "", ""};
    FakeSoundDevice soundDevice;
    KeySounds keySounds{soundDevice, folder.path() / "sounds"};
    std::unique_ptr<PictureBrowserWindow> window;
};

using Entries = std::vector<int>;

TEST_F(PictureBrowserWindowTest, TwentyPicturesPageForwardToTheEndAndBackWithOverlap) {
    addPictures("大图", "美女", 20);
    window = std::make_unique<PictureBrowserWindow>(
        PictureBrowserServices{files, dataDir, [this] { return driveTexts; }, keySounds, 0});
    EXPECT_FALSE(testing::child<QPushButton>(*window, "Button3")->isEnabled());
    window->show();
    ASSERT_EQ(window->pictures().size(), 20u);
    EXPECT_EQ(shownEntries(), (Entries{0, 1, 2, 3, 4, 5}));
    EXPECT_TRUE(testing::child<QPushButton>(*window, "Button3")->isEnabled());
    EXPECT_TRUE(allPanesLoaded());
    EXPECT_TRUE(pane(0)->showsPicture());

    click("Button1");
    EXPECT_EQ(shownEntries(), (Entries{6, 7, 8, 9, 10, 11}));
    click("Button1");
    EXPECT_EQ(shownEntries(), (Entries{12, 13, 14, 15, 16, 17}));
    EXPECT_EQ(marker(), "");
    EXPECT_EQ(keySounds.pendingCode(), 0);
    ASSERT_TRUE(allPanesLoaded());

    click("Button1");
    EXPECT_EQ(shownEntries(), (Entries{18, 13, 14, 15, 16, 17}));
    EXPECT_EQ(marker(), QString::fromUtf8("已到最后"));
    EXPECT_EQ(keySounds.pendingCode(), kCueError);
    EXPECT_EQ(window->cursor(), 19);

    click("Button3");
    EXPECT_EQ(shownEntries(), (Entries{14, 15, 16, 17, 18, 19}));
    EXPECT_EQ(marker(), "");
    EXPECT_EQ(window->cursor(), 13);
    // Pictures paged back to show at once from what was decoded before.
    EXPECT_TRUE(pane(1)->showsPicture());
    EXPECT_TRUE(pane(3)->showsPicture());
}

TEST_F(PictureBrowserWindowTest, TopicsKeepTheCursorSoAShorterOneShowsItsPicturesOnlyPagingBack) {
    addPictures("大图", "美女", 20);
    addPictures("大图", "风景", 5);
    open(18);
    EXPECT_EQ(shownEntries(), (Entries{18, -1, -1, -1, -1, -1}));

    click("Button15");  // 风景
    ASSERT_EQ(window->pictures().size(), 5u);
    EXPECT_EQ(window->cursor(), 4);
    EXPECT_EQ(marker(), QString::fromUtf8("已到最后"));
    EXPECT_EQ(shownEntries(), (Entries{-1, -1, -1, -1, -1, -1}));  // still 美女 18 and blanks

    click("Button3");
    EXPECT_EQ(shownEntries(), (Entries{-1, -1, 1, 2, 3, 4}));
    EXPECT_EQ(marker(), QString::fromUtf8("已到最前"));
    EXPECT_EQ(window->cursor(), 0);

    // An empty topic leaves the panes alone and ends at -1, where 下一页 has nothing to do.
    click("Button16");  // 爱情
    EXPECT_TRUE(window->pictures().empty());
    EXPECT_EQ(window->cursor(), -1);
    EXPECT_EQ(marker(), QString::fromUtf8("已到最后"));
    EXPECT_EQ(shownEntries(), (Entries{-1, -1, -1, -1, -1, -1}));
    click("Button1");
    EXPECT_EQ(window->cursor(), -1);
}

TEST_F(PictureBrowserWindowTest, TheSizeTabsAndButtonsOpenTheirTopicFolders) {
    addPictures("小图", "美女", 8);
    addPictures("小图", "另类", 8);
    open();
    auto* sizes = testing::child<QTabWidget>(*window, "PageControl1");
    EXPECT_EQ(sizes->tabText(0), QString::fromUtf8("大图"));
    EXPECT_EQ(sizes->tabText(1), QString::fromUtf8("小图"));
    sizes->setCurrentIndex(1);
    const auto allBelow = [&](const char* topic) {
        const std::string folder = gbk("F:\\青禾点唱库\\5-图片\\") + gbk(topic) + '\\';
        return window->pictures().size() == 8 &&
               std::all_of(window->pictures().begin(), window->pictures().end(),
                           [&](const std::string& path) { return path.starts_with(folder); });
    };
    EXPECT_TRUE(allBelow("小图\\美女"));
    click("Button37");
    EXPECT_TRUE(allBelow("小图\\另类"));
    EXPECT_EQ(testing::child<QPushButton>(*window, "Button37")->text(),
              QString::fromUtf8("另　类"));
    EXPECT_EQ(testing::child<QPushButton>(*window, "Button25")->text(),
              QString::fromUtf8("非 主 流"));
}

TEST_F(PictureBrowserWindowTest, AClickChoosesAPaneAloneAndADoubleClickAsksToAddIt) {
    addPictures("大图", "美女", 20);
    open(3);
    ASSERT_TRUE(allPanesLoaded());
    QSignalSpy adds(window.get(), &PictureBrowserWindow::pictureAddWanted);

    QTest::mouseClick(pane(1), Qt::LeftButton);
    QTest::mouseClick(pane(4), Qt::LeftButton);
    EXPECT_EQ(window->chosenPicture(), window->pictures()[7]);
    for (int i = 0; i < kPicturePaneCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pane(i)->isSelected(), i == 4);
    }
    EXPECT_EQ(adds.count(), 0);

    QTest::mouseDClick(pane(4), Qt::LeftButton);
    ASSERT_EQ(adds.count(), 1);
    EXPECT_EQ(adds.front().front().value<std::string>(), window->pictures()[7]);

    // A page shown anew has nothing selected.
    click("Button1");
    EXPECT_FALSE(pane(4)->isSelected());
    // The right button chooses nothing.
    QTest::mouseClick(pane(2), Qt::RightButton);
    EXPECT_EQ(window->chosenPicture(), window->pictures()[7]);
}

TEST_F(PictureBrowserWindowTest, ThePlaceholderFillsThePanesButIsNeverAPictureToAdd) {
    writePlaceholder();
    addPictures("大图", "美女", 3);
    open(0);
    ASSERT_TRUE(allPanesLoaded());
    EXPECT_EQ(shownEntries(), (Entries{0, 1, -1, -1, -1, -1}));
    EXPECT_TRUE(pane(5)->showsPicture());  // the placeholder
    EXPECT_EQ(pane(5)->libraryPath(), "");
    // It moves.
    const int frame = pane(5)->frameShown();
    EXPECT_TRUE(testing::waitFor([&] { return pane(5)->frameShown() != frame; }));

    QSignalSpy adds(window.get(), &PictureBrowserWindow::pictureAddWanted);
    QTest::mouseClick(pane(0), Qt::LeftButton);
    QTest::mouseClick(pane(5), Qt::LeftButton);
    EXPECT_EQ(window->chosenPicture(), "");
    QTest::mouseDClick(pane(5), Qt::LeftButton);
    EXPECT_EQ(adds.count(), 0);
}

TEST_F(PictureBrowserWindowTest,
       WithTheBeautyNoteThePanesKeepWhatTheyShowedInsteadOfThePlaceholder) {
    writePlaceholder();
    folder.write(dataDir / gbkToHostName(gbk("美女.txt")), "");
    addPictures("大图", "美女", 3);
    open(0);
    ASSERT_TRUE(testing::waitFor([&] { return pane(1)->isLoaded(); }));
    EXPECT_FALSE(pane(5)->isLoaded());
    EXPECT_FALSE(pane(5)->showsPicture());
}

TEST_F(PictureBrowserWindowTest, PagingGoesOnWhileTheDiskIsSlowAndClicksWaitForThePictures) {
    addPictures("大图", "美女", 40);
    files.shut();
    open(0);
    QSignalSpy adds(window.get(), &PictureBrowserWindow::pictureAddWanted);
    // Nothing has loaded yet: clicks in the panes are not taken.
    QTest::mouseDClick(pane(0), Qt::LeftButton);
    EXPECT_EQ(window->chosenPicture(), "");
    EXPECT_EQ(adds.count(), 0);

    click("Button1");
    click("Button1");
    EXPECT_EQ(shownEntries(), (Entries{12, 13, 14, 15, 16, 17}));
    EXPECT_FALSE(pane(0)->isLoaded());
    files.open();
    ASSERT_TRUE(allPanesLoaded());
    for (int i = 0; i < kPicturePaneCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(pane(i)->showsPicture());
    }
    QTest::mouseClick(pane(0), Qt::LeftButton);
    EXPECT_EQ(window->chosenPicture(), window->pictures()[12]);
}

TEST_F(PictureBrowserWindowTest, APictureThatComesLateNeverTakesThePaneOfTheNextPage) {
    addPictures("大图", "美女", 40);
    const auto pictures = topicPictures(diskFiles, driveTexts, pictureTopicFolder(0, 0));
    ASSERT_EQ(pictures.size(), 40u);
    files.hold(pictures[0]);
    open(0);
    ASSERT_TRUE(testing::waitFor([&] { return files.holdsARead(); }));
    click("Button1");
    ASSERT_TRUE(allPanesLoaded());
    files.open();
    // The first page's top left picture comes back now; the pane shows what it holds.
    QTest::qWait(100);
    for (int i = 0; i < kPicturePaneCount; ++i) {
        SCOPED_TRACE(i);
        const std::string& path = pane(i)->libraryPath();
        EXPECT_EQ(path, pictures[static_cast<std::size_t>(6 + i)]);
        const int number = std::stoi(path.substr(path.rfind('\\') + 1, 2));
        EXPECT_TRUE(near(middleOf(i), colourOfPicture(number))) << number;
    }
}

TEST_F(PictureBrowserWindowTest, ATopicOfOddFilesListsTheFilesAndShowsEmptyFramesForTheBadOnes) {
    const auto topic = topicFolder("大图", "美女");
    const std::string good = jpeg(qRgb(200, 30, 30), {1200, 1600});
    folder.write(topic / "a-good.jpg", good);
    folder.write(topic / "b-empty.jpg", "");
    folder.write(topic / "c-cut.jpg", good.substr(0, good.size() / 3));
    folder.write(topic / "d-notes.txt", "不是图片");
    folder.write(topic / "e-\xff\xfe.jpg", good);  // a name that is not UTF-8
    folder.write(topic / ".hidden.jpg", good);
    std::filesystem::create_directories(folder.path() / topic / "f-folder");
    folder.write(topic / "g-end.jpg", good);
    open(0);

    ASSERT_EQ(window->pictures().size(), 6u);
    // Going forward the last entry stays unshown: five panes take the first five.
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(testing::waitFor([&] { return pane(i)->isLoaded(); }));
        const std::string path = pane(i)->libraryPath();
        const std::string name = path.substr(path.rfind('\\') + 1);
        SCOPED_TRACE(name);
        if (name == "a-good.jpg" || name == "g-end.jpg" || name.starts_with("e-")) {
            EXPECT_TRUE(pane(i)->showsPicture());
        } else if (name != "c-cut.jpg") {  // a cut-short JPEG may show its top
            EXPECT_FALSE(pane(i)->showsPicture());
        }
    }
}

}  // namespace
}  // namespace qh
