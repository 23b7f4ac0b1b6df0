#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include "app/main_window.h"
#include "app/program.h"
#include "app/skins.h"
#include "app/window_test_shop.h"
#include "support/wait_for.h"
#include "support/window_children.h"
#include "text/gbk.h"
#include "windows/about_window.h"

namespace qh {
namespace {

using testing::host;

// The whole program's windows over a shop with a library drive, so the set-up panel stays
// hidden until the menu asks for it.
class WindowMenuTest : public ::testing::Test, protected testing::WindowTestShop {
protected:
    WindowMenuTest() {
        installKeySounds();
        folder.write(host("F/青禾点唱库/1-音乐/月亮.mp3"), "x");
        addDrive('F');
        std::filesystem::create_directories(paths.dataDir);
        settings.write("PanFu1", "PanFu1", "F");
    }
    ~WindowMenuTest() override { applySkin(0); }

    void start() {
        windows = createProgramWindows(services());
        ASSERT_TRUE(testing::waitFor(
            [&] { return !windows.main->findChild<QTimer*>("QiDTimer")->isActive(); }));
    }
    MainWindow& window() { return *windows.main; }
    template <typename T>
    T* child(const char* name) {
        return testing::child<T>(window(), name);
    }
    QAction* entry(const char* name) { return child<QAction>(name); }
    // The captions of a menu's entries in order, "-" for a separator.
    static QStringList captions(const QMenu& menu) {
        QStringList all;
        for (const QAction* action : menu.actions()) {
            all << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        return all;
    }
    QWidget* sideWindow(const char* name) {
        for (const auto& frame : windows.side.frames) {
            if (frame->objectName() == QLatin1String(name)) {
                return frame.get();
            }
        }
        ADD_FAILURE() << name;
        return nullptr;
    }
    std::string lastSound() const {
        return sounds.played.empty() ? "" : sounds.played.back().filename().string();
    }
    void letSoundPlay() {
        auto* timer = window().findChild<QTimer*>("ShengYingTimer");
        ASSERT_TRUE(testing::waitFor([&] { return !timer->isActive(); }));
    }

    ProgramWindows windows;
};

QStringList utf8List(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts) {
        list << QString::fromUtf8(text);
    }
    return list;
}

TEST_F(WindowMenuTest, EveryMenuHoldsItsEntriesInOrder) {
    start();
    const struct {
        const char* menu;
        QStringList entries;
    } menus[] = {
        {"PopupMenu1", utf8List({"操作教程", "-", "皮肤", "-", "参数设置", "-", "基本设置",
                                 "CD目录打印", "-", "最小化", "关闭"})},
        {"N9", utf8List({"<默认皮肤>", "-", "稻花香", "绿水晶", "海蓝", "黑金刚", "大灰狼",
                         "装甲军绿", "黄鼠狼", "古典1", "古典2", "宏伟蓝图"})},
        {"PopupMenu2",
         utf8List({"播放", "-", "批量添加 到 清单", "-", "添加到 播放列表", "全部添加 到 播放列表",
                   "-", "彻底删除选中的文件", "替换文件", "重命名"})},
        {"PopupMenu3", utf8List({"清空", "-", "全选", "下载", "-", "删除选中的文件", "-", "播放",
                                 "添加到播放列表", "复制到本地磁盘", "-"})},
        {"PopupMenu4", utf8List({"删除", "新建文件夹"})},
        {"PopupMenu6", utf8List({"播放", "清空列表", "删除"})},
    };
    for (const auto& menu : menus) {
        SCOPED_TRACE(menu.menu);
        auto* found = child<QMenu>(menu.menu);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(captions(*found), menu.entries);
    }
    EXPECT_FALSE(entry("N27")->isEnabled());  // the playlist's 播放 waits for an entry
}

TEST_F(WindowMenuTest, AControlWithoutAMenuOfItsOwnShowsTheWindowMenu) {
    start();
    auto* windowMenu = child<QMenu>("PopupMenu1");
    for (const char* control : {"Label63", "GroupBox5", "SpeedButton22", "ClientArea"}) {
        SCOPED_TRACE(control);
        auto* widget = child<QWidget>(control);
        QContextMenuEvent press(QContextMenuEvent::Mouse, QPoint(2, 2),
                                widget->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(widget, &press);
        EXPECT_TRUE(windowMenu->isVisible());
        windowMenu->hide();
    }
    // The result list has a menu of its own.
    auto* results = child<QTreeView>("ListView1");
    emit results->customContextMenuRequested(QPoint(2, 2));
    EXPECT_FALSE(windowMenu->isVisible());
    EXPECT_TRUE(child<QMenu>("PopupMenu2")->isVisible());
}

TEST_F(WindowMenuTest, EveryRepaintOfTheWindowReadsTheDiskAgainSoon) {
    start();
    auto* refresh = child<QTimer>("UPangTimer3");
    ASSERT_TRUE(testing::waitFor([&] { return !refresh->isActive(); }));
    child<QWidget>("ClientArea")->repaint();
    EXPECT_TRUE(refresh->isActive());
}

TEST_F(WindowMenuTest, TheWindowMenuOpensTheSideWindowsAndTheSetUpPanel) {
    start();
    auto* parameters = sideWindow("TCanSHuForm");
    auto* catalogue = sideWindow("TCDMuLuForm");
    auto* setUp = child<QGroupBox>("GroupBox6");
    ASSERT_FALSE(parameters->isVisible());
    ASSERT_FALSE(setUp->isVisible());

    entry("N15")->trigger();
    EXPECT_TRUE(parameters->isVisible());
    entry("N33")->trigger();
    EXPECT_TRUE(setUp->isVisible());
    sounds.played.clear();
    entry("CD1")->trigger();
    EXPECT_TRUE(catalogue->isVisible());
    letSoundPlay();
    EXPECT_EQ(lastSound(), host("选定.wav"));
}

TEST_F(WindowMenuTest, MinimiseAndCloseActOnTheWindow) {
    start();
    entry("N13")->trigger();
    EXPECT_TRUE(testing::waitFor([&] { return window().isMinimized(); }));
    window().showNormal();
    entry("N2")->trigger();
    EXPECT_FALSE(window().isVisible());
}

TEST_F(WindowMenuTest, TheGuideOpensWhenItIsThereAndNothingHappensWithoutIt) {
    start();
    entry("N17")->trigger();
    EXPECT_TRUE(shell.openedFolders.empty());

    const auto guide = paths.appDir / host("操作教程");
    std::filesystem::create_directories(guide);
    entry("N17")->trigger();
    ASSERT_EQ(shell.openedFolders.size(), 1u);
    EXPECT_EQ(shell.openedFolders[0], guide);
}

TEST_F(WindowMenuTest, AChosenSkinIsTickedAloneStoredAndWornAgainAtTheNextStart) {
    start();
    entry("N51")->trigger();
    entry("N31")->trigger();  // 海蓝
    for (const auto& skin : skinEntries()) {
        SCOPED_TRACE(skin.menuItem);
        EXPECT_EQ(entry(skin.menuItem)->isChecked(), std::string(skin.menuItem) == "N31");
    }
    EXPECT_EQ(settings.read("PiFu", "PiFu"), "3");
    EXPECT_EQ(qApp->styleSheet(), skinStyleSheet(3));

    windows = {};
    applySkin(0);
    start();
    EXPECT_TRUE(entry("N31")->isChecked());
    EXPECT_EQ(qApp->styleSheet(), skinStyleSheet(3));
    // The side windows made after the first show wear it too.
    EXPECT_EQ(sideWindow("TGYuForm4")->palette().color(QPalette::Window),
              QColor(skinColours(3).window));
}

TEST_F(WindowMenuTest, AStoredSkinThatNamesNoSkinGivesTheDefaultLookWithNothingTicked) {
    for (const char* stored : {"", "abc", "-1", "11", "999999999999"}) {
        SCOPED_TRACE(stored);
        settings.write("PiFu", "PiFu", stored);
        applySkin(5);
        start();
        EXPECT_EQ(qApp->styleSheet(), skinStyleSheet(0));
        for (const auto& skin : skinEntries()) {
            EXPECT_FALSE(entry(skin.menuItem)->isChecked()) << skin.menuItem;
        }
        windows = {};
    }
}

TEST_F(WindowMenuTest, LinksOpenTheAboutWindowEitherWayAndTheHomePage) {
    start();
    auto* about = windows.side.about;
    auto* disclaimer = child<QLabel>("Label27");
    QTest::mouseClick(disclaimer, Qt::LeftButton);
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(testing::child<QGroupBox>(*about, "GroupBox2")->isVisible());

    about->hide();
    QTest::mouseClick(child<QLabel>("Label24"), Qt::LeftButton);
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(testing::child<QGroupBox>(*about, "GroupBox2")->isVisible());

    settings.write("WangZhan", "ZhuYe", "https://shop.example/");
    QTest::mouseClick(child<QLabel>("Label25"), Qt::LeftButton);
    ASSERT_EQ(shell.openedAddresses.size(), 1u);
    EXPECT_EQ(shell.openedAddresses[0], "https://shop.example/");
}

TEST_F(WindowMenuTest, ALinkIsRedWhileTheMouseIsOverItAndPlainOtherwise) {
    start();
    auto* link = child<QLabel>("Label24");
    const auto colour = [link] { return link->palette().color(QPalette::WindowText); };
    EXPECT_EQ(colour(), QColor(skinColours(0).text));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(link, &enter);
    EXPECT_EQ(colour(), QColor(skinColours(0).alert));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link, &leave);
    EXPECT_EQ(colour(), QColor(skinColours(0).text));
}

TEST_F(WindowMenuTest, ATabPressSetsTheMaskBackAndOpensThePicturesOnTheirTab) {
    start();
    auto* introduction = child<QListWidget>("ListBox8");
    EXPECT_TRUE(introduction->isVisible());
    auto* pictures = sideWindow("TTuForm");

    // A search on the music tab took "*.mp3"; the press on the same tab gives "*.*" back.
    child<QComboBox>("ComboBox1")->setEditText(QString::fromUtf8("月亮"));
    child<QPushButton>("SpeedButton22")->click();
    ASSERT_TRUE(testing::waitFor(
        [&] { return child<QLabel>("Label63")->text() == QString::fromUtf8("就绪！"); }));
    EXPECT_EQ(window().searchMask(), "*.mp3");
    EXPECT_FALSE(introduction->isVisible());
    sounds.played.clear();
    QTest::mousePress(child<QToolButton>("CategoryTab0"), Qt::LeftButton);
    EXPECT_EQ(window().searchMask(), "*.*");
    EXPECT_FALSE(pictures->isVisible());
    EXPECT_TRUE(child<QTreeView>("ListView1")->isVisible());
    EXPECT_TRUE(child<QComboBox>("ComboBox1")->lineEdit()->hasFocus());
    letSoundPlay();
    EXPECT_EQ(lastSound(), host("选定.wav"));

    for (int press = 0; press < 2; ++press) {
        SCOPED_TRACE(press);
        QTest::mousePress(child<QToolButton>("CategoryTab4"), Qt::LeftButton);
        EXPECT_TRUE(pictures->isVisible());
        pictures->hide();
    }
}

TEST_F(WindowMenuTest, TheFolderTreeGoesAwayWhenTheClerkTurnsElsewhere) {
    start();
    auto* tree = child<QTreeView>("ShellTreeView2");
    const auto openTree = [&] {
        auto* targets = child<QComboBox>("ComboBox2");
        targets->activated(0);
        ASSERT_TRUE(tree->isVisible());
    };
    const struct {
        const char* where;
        const char* control;
    } elsewhere[] = {{"the tally", "GroupBox5"},
                     {"清单5's page", "TabSheet8"},
                     {"the window's background", "ClientArea"}};
    for (const auto& place : elsewhere) {
        SCOPED_TRACE(place.where);
        if (std::string(place.control) == "TabSheet8") {
            child<QTabWidget>("PageControl2")->setCurrentIndex(4);
        }
        openTree();
        auto* control = child<QWidget>(place.control);
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(2, control->height() - 2));
        EXPECT_FALSE(tree->isVisible());
    }
}

}  // namespace
}  // namespace qh
