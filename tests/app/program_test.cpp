#include "app/program.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>

#include "platform/fake_drive_notifications.h"
#include "platform/fake_input_methods.h"
#include "platform/fake_media_device.h"
#include "platform/fake_shell.h"
#include "platform/fake_sound_device.h"
#include "platform/folder_reader_linux.h"
#include "platform/linux_file_system.h"
#include "platform/single_instance_lock_linux.h"
#include "settings/save_failures.h"
#include "settings/settings_store.h"
#include "support/qt_application.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"
#include "support/window_children.h"
#include "text/gbk.h"
#include "text/temporary_writer.h"

namespace qh {
namespace {

using testing::TempFolder;

TEST(Program, SecondCopyIsToldItRunsAlready) {
    TempFolder folder;
    LinuxSingleInstanceLock first(folder.path());
    LinuxSingleInstanceLock second(folder.path());
    std::vector<std::pair<QString, QString>> messages;
    const auto record = [&](const QString& text, const QString& caption) {
        messages.emplace_back(text, caption);
    };

    EXPECT_TRUE(claimSingleInstance(first, record));
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(claimSingleInstance(second, record));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, QString::fromUtf8("程序已经运行"));
    EXPECT_EQ(messages[0].second, "Error");
}

// A second start on the same shop from another session (its own runtime folder and home) is a
// process of its own; it is refused all the same.
TEST(Program, ASecondStartFromAnotherEnvironmentIsRefused) {
    TempFolder folder;
    const auto dataDir = appPathsFor(folder.path() / "shop").dataDir;
    std::filesystem::create_directories(dataDir);
    std::filesystem::create_directories(folder.path() / "other-runtime");
    LinuxSingleInstanceLock running(dataDir);
    ASSERT_TRUE(claimSingleInstance(running, [](const QString&, const QString&) {}));

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::setenv("XDG_RUNTIME_DIR", (folder.path() / "other-runtime").c_str(), 1);
        ::setenv("HOME", folder.path().c_str(), 1);
        LinuxSingleInstanceLock lock(dataDir);
        QString told;
        const bool alone =
            claimSingleInstance(lock, [&](const QString& text, const QString&) { told = text; });
        ::_exit(!alone && told == QString::fromUtf8("程序已经运行") ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// What createProgramWindows needs, over a temporary program folder.
struct ProgramShop {
    explicit ProgramShop(std::vector<std::string> inputMethodNames = {})
        : inputMethods(std::move(inputMethodNames)) {
        testing::ensureApplication();
        std::filesystem::create_directories(paths.dataDir);
    }
    ProgramWindows open() {
        return createProgramWindows({paths, settings, saveFailures, drives, files, folderReader,
                                     shell, sounds, media, inputMethods, driveEvents});
    }

    TempFolder folder;
    AppPaths paths = appPathsFor(folder.path());
    SaveFailures saveFailures;
    SettingsStore settings{paths.settingsFile(), &saveFailures};
    SharedDriveTable drives;
    LinuxFileSystem files{drives};
    LinuxFolderReader folderReader{drives};
    FakeShell shell;
    FakeSoundDevice sounds;
    FakeMediaDevice media;
    FakeInputMethods inputMethods;
    FakeDriveNotifications driveEvents;
};

TEST(Program, StartingClearsAwaySavesThatAnEarlierRunLeftHalfDone) {
    ProgramShop shop;
    // Left by a run under an earlier boot of the computer, and one this run is writing.
    const std::string left = ".清单1.txt.qhsave-0000000z-1-1-0.tmp";
    const std::string writing = ".清单2.txt.qhsave-" + thisWriter().stem() + "-0.tmp";
    for (const auto& name : {left, writing}) {
        testing::writeFile(shop.paths.dataDir / name, "half a list");
    }
    const auto windows = shop.open();
    EXPECT_FALSE(std::filesystem::exists(shop.paths.dataDir / left));
    EXPECT_TRUE(std::filesystem::exists(shop.paths.dataDir / writing));
}

TEST(Program, MakesTheMainWindowShownAndFiveSideWindowsHidden) {
    ProgramShop shop;
    const auto windows = shop.open();

    EXPECT_TRUE(windows.main->isVisible());
    const struct {
        const char* name;
        const char* caption;
        QSize size;
    } expected[] = {
        {"Twang", "  青禾点唱 ----网  络  搜  索", {1032, 748}},
        {"TGYuForm4", "青禾点唱手机下载系统", {491, 427}},
        {"TTuForm", "青禾点唱  之  手机图片", {920, 758}},
        {"TCDMuLuForm", "青禾点唱 之 CD目录", {570, 459}},
        {"TCanSHuForm", "参数设置", {377, 428}},
    };
    ASSERT_EQ(windows.side.frames.size(), std::size(expected));
    for (std::size_t i = 0; i < windows.side.frames.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(windows.side.frames[i]->objectName(), expected[i].name);
        EXPECT_EQ(windows.side.frames[i]->windowTitle(), QString::fromUtf8(expected[i].caption));
        EXPECT_EQ(windows.side.frames[i]->size(), expected[i].size);
        EXPECT_FALSE(windows.side.frames[i]->isVisible());
    }
    // The main window reaches these through their own pointers.
    EXPECT_EQ(windows.side.about, windows.side.frames[1].get());
    EXPECT_EQ(windows.side.pictures, windows.side.frames[2].get());
    EXPECT_EQ(windows.side.cdCatalogue, windows.side.frames[3].get());
    EXPECT_EQ(windows.side.parameters, windows.side.frames[4].get());
}

// 网上搜索 hands the keyword box's text, as it stands, to the web search window and opens it.
TEST(Program, TheWebSearchButtonSearchesBothEnginesForTheKeyword) {
    ProgramShop shop;
    // No engine is asked for anything: nothing listens there.
    shop.settings.write("WangLuo", "BaiDu", "http://127.0.0.1:1");
    shop.settings.write("WangLuo", "SouGou", "http://127.0.0.1:1");
    const auto windows = shop.open();
    testing::child<QComboBox>(*windows.main, "ComboBox1")->setEditText(QString::fromUtf8("月亮"));
    testing::child<QPushButton>(*windows.main, "SpeedButton13")->click();
    EXPECT_TRUE(windows.side.webSearch->isVisible());
    EXPECT_EQ(testing::child<QLineEdit>(*windows.side.webSearch, "Edit1")->text(),
              QString::fromUtf8("月亮"));
}

// The keyword box switches the desktop's input method: the clerk's pinyin while she types
// keywords, the plain keyboard for numbers and outside the box.
TEST(Program, TheKeywordBoxSwitchesTheInputMethodWithItsModeAndFocus) {
    ProgramShop shop({gbk("键盘 - 汉语"), gbk("拼音")});
    shop.settings.write("PanFu1", "PanFu1", "F");
    shop.settings.write("ShuRuFa", "shurufa1", gbk("拼音"));
    const auto windows = shop.open();
    auto& inputMethods = shop.inputMethods;
    MainWindow& main = *windows.main;
    main.activateWindow();
    const auto now = [&] { return inputMethods.current(); };

    ASSERT_TRUE(testing::waitFor([&] { return now() == gbk("拼音"); }));
    auto* numberMode = testing::child<QCheckBox>(main, "CheckBox1");
    numberMode->click();
    EXPECT_EQ(now(), gbk("键盘 - 汉语"));
    numberMode->click();
    EXPECT_TRUE(testing::waitFor([&] { return now() == gbk("拼音"); }));

    // A method the machine does not have gives the keyboard; the parameters window's choice
    // counts at once while the box has the focus.
    auto* choice = testing::child<QComboBox>(*windows.side.parameters, "ComboBox1");
    choice->setEditText(QString::fromUtf8("五笔"));
    EXPECT_TRUE(testing::waitFor([&] { return inputMethods.calls().back().name == gbk("五笔"); }));
    EXPECT_EQ(now(), gbk("键盘 - 汉语"));
    choice->setEditText(QString::fromUtf8("拼音"));
    EXPECT_TRUE(testing::waitFor([&] { return now() == gbk("拼音"); }));

    testing::child<QPushButton>(main, "SpeedButton22")->setFocus();
    EXPECT_EQ(now(), gbk("键盘 - 汉语"));
}

}  // namespace
}  // namespace qh
