#include "guide_pictures.h"

#include <QComboBox>
#include <QTest>
#include <QWidget>
#include <array>
#include <string>

#include "library/library_layout.h"
#include "platform/shared_drive_table.h"
#include "shot_picture.h"
#include "text/gbk.h"
#include "window_driver.h"
#include "windows/picture_pane.h"

namespace qh::shots {

namespace {

namespace fs = std::filesystem;

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The copy widgets of each list's tab, by list index.
constexpr std::array<const char*, 5> kBusyAnimations = {"Animate1", "Animate2", "Animate3",
                                                        "Animate4", "Animate5"};
constexpr std::array<const char*, 5> kDoneNotices = {"Label66", "Label70", "Label71", "Label74",
                                                     "Label77"};

// A spot of the window without a menu of its own: the player column's empty line.
constexpr QPoint kEmptyPlace(150, 60);

QStringList categoryTabs() {
    QStringList tabs;
    for (int tab = 0; tab < 12; ++tab) {
        tabs << QStringLiteral("CategoryTab%1").arg(tab);
    }
    return tabs;
}

// Library files moved out of the way for as long as a picture needs them missing, so a copy meets
// files that are gone from the shop's disk.
class FilesAside {
public:
    explicit FilesAside(std::vector<fs::path> files) : files_(std::move(files)) {
        for (const auto& file : files_) {
            fs::rename(file, aside(file));
        }
    }
    ~FilesAside() {
        for (const auto& file : files_) {
            std::error_code error;
            fs::rename(aside(file), file, error);
        }
    }
    FilesAside(const FilesAside&) = delete;
    FilesAside& operator=(const FilesAside&) = delete;

private:
    static fs::path aside(const fs::path& file) { return fs::path(file).concat(".aside"); }
    std::vector<fs::path> files_;
};

class GuidePictures {
public:
    GuidePictures(WindowDriver& main, const SharedDriveTable& drives, const fs::path& outDir)
        : main_(main), drives_(drives), outDir_(outDir) {}

    void make() {
        serveTheFirstCustomer();
        showWhatIsMissing();
        serveTheSecondCustomer();
        browseTheLibrary();
        showTheDrives();
        showTheParameters();
        chooseAWallpaper();
    }

    std::vector<fs::path> written;

private:
    void serveTheFirstCustomer() {
        // The customer's card comes first, so what is added goes straight onto it.
        main_.waitUntil("the card in 清单1's disk drop-down",
                        [&] { return main_.find<QComboBox>("ComboBox14").count() > 0; });
        main_.openDropDown("ComboBox14");
        shoot("copy-disk.png", {{{"ComboBox14"}, "1"}});
        main_.closePopups();
        main_.choose("ComboBox14", 0);
        main_.waitUntil("the card's free space", [&] {
            return main_.shown("Label36") && main_.text("Label36").startsWith(u("可用空间"));
        });

        search(u("月亮"));
        shoot("search-keyword.png",
              {{{"ComboBox1", "SpeedButton22"}, "1"}, {{"Label63"}, "2"}, {{"Label16"}, "3"}});

        main_.doubleClickRow("ListView1", 0);
        waitForCopyEnd(0);
        shoot("list-add.png", {{{"ListView1"}, "1"}, {{"ListView2"}, "2"}, {{"CheckBox2"}, "3"}});

        main_.selectRows("ListView1", 1, 3);
        main_.openContextMenu("ListView1", 1);
        shoot("list-batch.png", {{{"PopupMenu2/N20"}, "1"}});
        main_.closePopups();
        main_.trigger("N20");

        main_.openDropDown("ComboBox2");
        shoot("copy-targets.png", {{{"ComboBox2"}, "1"}});
        main_.closePopups();

        downloadAll(0);
        shoot("copy-done.png", {{{"SpeedButton23", "SpeedButton24"}, "1"}, {{"Label66"}, "2"}});
        shoot("overview.png", {{{"GroupBox7"}, "1"},
                               {categoryTabs(), "2"},
                               {{"ListView1"}, "3"},
                               {{"PageControl2/qt_tabwidget_tabbar", "ListView2"}, "4"},
                               {{"GroupBox5"}, "5"}});

        main_.openContextMenu("ListView2", 0);
        shoot("list-menu.png", {{{"PopupMenu3/N18"}, "1"}, {{"PopupMenu3/N3"}, "2"}});
        main_.closePopups();
    }

    // Ten files of which three are gone from the library when 下载 is pressed, then 下载 again
    // once they are back.
    void showWhatIsMissing() {
        main_.trigger("N18");
        search(u("五月天"));
        if (main_.rowCount("ListView1") < 10) {
            throw ShotError("the demo library has fewer than ten songs of 五月天");
        }
        main_.selectRows("ListView1", 0, 9);
        main_.trigger("N20");
        {
            const FilesAside missing({libraryFileOf(2), libraryFileOf(5), libraryFileOf(8)});
            downloadAll(0);
            if (!main_.shown("UndeliveredNotice1")) {
                throw ShotError("the copy without three of its files reported no missing files");
            }
            // Selected rows would hide the red of the missing ones.
            main_.clearSelection("ListView2");
            shoot(
                "copy-undelivered.png",
                {{{"UndeliveredNotice1"}, "1"}, {{"ListView2"}, "2"}, {{"UndeliveredCount"}, "3"}});
        }
        downloadAll(0);
        if (!main_.shown("Label66")) {
            throw ShotError("下载 again did not copy the files that were back");
        }
    }

    void serveTheSecondCustomer() {
        main_.clickTab("PageControl2", 1);
        main_.waitUntil("清单2 on screen", [&] { return main_.rowCount("ListView2") == 0; });

        main_.click("CheckBox1");
        search(u("6191"));
        main_.waitUntil("the number's file in 清单2",
                        [&] { return main_.rowCount("ListView2") > 0; });
        waitForCopyEnd(1);
        shoot("search-number.png",
              {{{"CheckBox1"}, "1"}, {{"ComboBox1"}, "2"}, {{"ListView2"}, "3"}});
        main_.click("CheckBox1");

        addFirstFound("CategoryTab1", u("周杰伦"));
        addFirstFound("CategoryTab4", u("节日"));
        addFirstFound("CategoryTab5", u("小时代"));
        addFirstFound("CategoryTab6", u("超级玛丽"));

        main_.press("CategoryTab2");
        search(u("无间道"));
        shoot("search-tabs.png", {{categoryTabs(), "1"}, {{"ListView1"}, "2"}});

        shoot("tally.png", {{{"GroupBox5"}, "1"}, {{"Label60"}, "2"}});
        shoot("list-switch.png",
              {{{"PageControl2/qt_tabwidget_tabbar"}, "1"}, {{"ListView2"}, "2"}});
        shoot("disk-none.png", {{{"ComboBox15"}, "1"}, {{"Label37"}, "2"}});
    }

    // The singer index, a style of the category panel, the new additions and the ranking of what
    // the two customers had copied.
    void browseTheLibrary() {
        main_.click("SpeedButton11");
        main_.waitUntil("the category panel", [&] { return main_.shown("PageControl1"); });
        const QStringList letters = {"SpeedButton35", "SpeedButton27", "SpeedButton31"};  // L D H
        for (const QString& letter : letters) {
            main_.click(letter);
        }
        QStringList letterButtons;
        for (int number : {9, 21}) {
            letterButtons << QStringLiteral("SpeedButton%1").arg(number);
        }
        for (int number = 26; number <= 49; ++number) {
            letterButtons << QStringLiteral("SpeedButton%1").arg(number);
        }
        shoot("search-singers.png", {{{"PageControl1/qt_tabwidget_tabbar"}, "1"},
                                     {letterButtons, "2"},
                                     {{"StringGrid1"}, "3"}});

        main_.clickTab("PageControl1", 1);
        showView("SpeedButton1", "the songs of 经典老歌");
        shoot("search-styles.png", {{{"PageControl1/qt_tabwidget_tabbar"}, "1"},
                                    {{"SpeedButton1"}, "2"},
                                    {{"ListView1"}, "3"}});

        main_.click("SpeedButton8");
        showView("SpeedButton52", "the new songs");
        shoot("search-new.png",
              {{{"SpeedButton8"}, "1"}, {{"GroupBox9"}, "2"}, {{"ListView1"}, "3"}});

        main_.click("SpeedButton50");
        if (main_.rowCount("ListView1") == 0) {
            throw ShotError("热门排行 showed no file, though the customers' files were copied");
        }
        shoot("search-ranking.png", {{{"SpeedButton50"}, "1"}, {{"ListView1"}, "2"}});
        main_.press("CategoryTab0");

        // A song heard before it is copied: 播放 of the result menu puts it into the playlist too.
        search(u("月亮"));
        main_.clickRow("ListView1", 0);
        main_.trigger("N30");
        main_.waitUntil("the song playing", [&] { return main_.text("Label9") == u("状态:播放"); });
        shoot("search-listen.png", {{{"Button11", "Button13", "Button4"}, "1"},
                                    {{"Label8", "Label11", "Label9"}, "2"},
                                    {{"ListBox9"}, "3"}});
        main_.click("Button4");
    }

    // A view's button, until its files are listed.
    void showView(const char* button, const std::string& what) {
        main_.click(button);
        main_.waitUntil(what, [&] { return main_.rowCount("ListView1") > 0; });
        main_.settle();
    }

    void showTheDrives() {
        main_.clickTab("PageControl2", 0);
        main_.waitUntil("the card's free space on 清单1", [&] { return main_.shown("Label36"); });
        shoot("disk-space.png", {{{"ComboBox14"}, "1"}, {{"Label36"}, "2"}});
        shoot("drive-letters.png", {{{"ComboBox3", "ComboBox4", "ComboBox5", "ComboBox20"}, "1"}});

        main_.rightClick(kEmptyPlace);
        shoot("window-menu.png", {{{"PopupMenu1/N15"}, "1"}, {{"PopupMenu1/N33"}, "2"}});
        main_.closePopups();
        main_.trigger("N33");
        main_.waitUntil("the basic set-up panel", [&] { return main_.shown("GroupBox6"); });
        // The shop's library drive, as the clerk chose it: the panel shows the folder F stands for.
        main_.typeInto("ComboBox6", QStringLiteral("F"));
        shoot("setup-panel.png",
              {{{"ComboBox6"}, "1"}, {{"DriveFolderButton1"}, "2"}, {{"Button10"}, "3"}});
        main_.click("Button10");
    }

    void showTheParameters() {
        main_.trigger("N15");
        QWidget& parameters = topLevelWindow("TCanSHuForm");
        main_.waitUntil("the parameters window", [&] { return parameters.isVisible(); });
        QStringList prices;
        for (int box = 1; box <= 12; ++box) {
            prices << QStringLiteral("Edit%1").arg(box);
        }
        shoot(WindowDriver(parameters), "parameters.png", {{prices, "1"}, {{"Button1"}, "2"}});
        parameters.hide();
    }

    // 图片 opens the phone-picture browser; a click chooses a picture and a double click adds it to
    // the list on screen.
    void chooseAWallpaper() {
        main_.press("CategoryTab4");
        WindowDriver browser(topLevelWindow("TTuForm"));
        browser.waitUntil("the first page of pictures", [&] {
            for (int pane = 1; pane <= 6; ++pane) {
                if (!browser.find<PicturePane>(QStringLiteral("WebBrowser%1").arg(pane))
                         .isLoaded()) {
                    return false;
                }
            }
            return true;
        });
        const int before = main_.rowCount("ListView2");
        auto& chosen = browser.find<PicturePane>("WebBrowser2");
        QTest::mouseClick(&chosen, Qt::LeftButton);
        QTest::mouseDClick(&chosen, Qt::LeftButton);
        main_.waitUntil("the picture in the list",
                        [&] { return main_.rowCount("ListView2") > before; });
        waitForCopyEnd(0);
        QStringList topics;
        for (int number : {14, 15, 16, 17, 24, 19, 20, 18, 25, 26, 21}) {
            topics << QStringLiteral("Button%1").arg(number);
        }
        shoot(browser, "pictures.png",
              {{{"PageControl1/qt_tabwidget_tabbar"}, "1"},
               {topics, "2"},
               {{"WebBrowser2"}, "3"},
               {{"Button3", "Button1"}, "4"}});
        browser.click("Button2");
    }

    // The keyword box, then 查找, until the search is over with something found.
    void search(const QString& typed) {
        main_.typeInto("ComboBox1", typed);
        main_.click("SpeedButton22");
        main_.waitUntil("the search for " + typed.toStdString(),
                        [&] { return main_.text("Label63") == u("就绪！"); });
        if (main_.rowCount("ListView1") == 0) {
            throw ShotError("the demo library has nothing for " + typed.toStdString());
        }
    }

    void addFirstFound(const char* categoryTab, const QString& typed) {
        main_.press(categoryTab);
        search(typed);
        const int before = main_.rowCount("ListView2");
        main_.doubleClickRow("ListView1", 0);
        main_.waitUntil("the file in the list",
                        [&] { return main_.rowCount("ListView2") > before; });
        waitForCopyEnd(1);
    }

    // 全选 and 下载 of the list on screen, until its copy has ended.
    void downloadAll(int list) {
        const char* selectAll[] = {"SpeedButton23", "SpeedButton57", "SpeedButton62",
                                   "SpeedButton64", "SpeedButton66"};
        const char* download[] = {"SpeedButton24", "SpeedButton61", "SpeedButton63",
                                  "SpeedButton65", "SpeedButton67"};
        main_.click(selectAll[list]);
        main_.click(download[list]);
        waitForCopyEnd(list);
    }

    // A copy shows the list's busy animation from its start; it goes once the notice is up.
    void waitForCopyEnd(int list) {
        const QString undelivered = QStringLiteral("UndeliveredNotice%1").arg(list + 1);
        main_.waitUntil("the end of 清单" + std::to_string(list + 1) + "'s copy", [&] {
            return !main_.shown(kBusyAnimations[list]) &&
                   (main_.shown(kDoneNotices[list]) || main_.shown(undelivered));
        });
    }

    // The library file of a row of the list on screen, which shows the file's name and type.
    fs::path libraryFileOf(int row) const {
        const QString name =
            main_.rowText("ListView2", row) + u'.' + main_.rowText("ListView2", row, 1);
        const auto root = drives_.snapshot()->resolve(
            libraryRoot(toGbk(main_.find<QComboBox>("ComboBox3").currentText())));
        if (!root) {
            throw ShotError("the library drive of the search bar is no folder");
        }
        std::vector<fs::path> found;
        for (const auto& entry : fs::recursive_directory_iterator(*root)) {
            if (entry.is_regular_file() &&
                QString::fromStdString(entry.path().filename().string()) == name) {
                found.push_back(entry.path());
            }
        }
        if (found.size() != 1) {
            throw ShotError("no single library file for the row " + name.toStdString());
        }
        return found.front();
    }

    void shoot(const char* file, const std::vector<Mark>& marks) { shoot(main_, file, marks); }
    void shoot(const WindowDriver& window, const char* file, const std::vector<Mark>& marks) {
        window.settle();
        const fs::path path = outDir_ / file;
        savePicture(pictureOf(window.window(), marks), path);
        written.push_back(path);
    }

    WindowDriver& main_;
    const SharedDriveTable& drives_;
    fs::path outDir_;
};

}  // namespace

std::vector<fs::path> makeGuidePictures(WindowDriver& main, const SharedDriveTable& drives,
                                        const fs::path& outDir) {
    GuidePictures pictures(main, drives, outDir);
    pictures.make();
    return pictures.written;
}

}  // namespace qh::shots
