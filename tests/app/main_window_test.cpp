#include "app/main_window.h"
#include "app/window_test_shop.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "library/category_table.h"
#include "library/library_layout.h"
#include "media/key_sound_tunes.h"
#include "media/sound_cue.h"
#include "platform/desktop_shell_linux.h"
#include "platform/fake_input_methods.h"
#include "platform/fake_shell.h"
#include "platform/fake_sound_device.h"
#include "platform/folder_reader_linux.h"
#include "platform/linux_file_system.h"
#include "settings/settings_store.h"
#include "support/qt_application.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"
#include "support/window_children.h"
#include "text/gbk.h"
#include "text/text_list_file.h"

namespace qh {
namespace {

using testing::host;
using testing::readFile;

class MainWindowTest : public ::testing::Test, protected testing::WindowTestShop {
protected:
    MainWindowTest() { addDrive('G', DriveType::Removable); }

    std::unique_ptr<MainWindow> open(Shell& useShell) {
        auto window = std::make_unique<MainWindow>(services(useShell));
        window->show();
        return window;
    }
    std::unique_ptr<MainWindow> open() { return open(shell); }
    // Start-up loading runs 20 ms after the first show.
    static void letStartUpFinish(MainWindow& window) {
        auto* timer = window.findChild<QTimer*>("QiDTimer");
        ASSERT_TRUE(testing::waitFor([&] { return !timer->isActive(); }));
    }
    // The key sound plays 30 ms after its request.
    static void letSoundPlay(MainWindow& window) {
        auto* timer = window.findChild<QTimer*>("ShengYingTimer");
        ASSERT_TRUE(testing::waitFor([&] { return !timer->isActive(); }));
    }

    template <typename T>
    static T* child(MainWindow& window, const char* name) {
        return testing::child<T>(window, name);
    }
    std::filesystem::path dataFile(const char* name) const { return paths.dataDir / host(name); }
};

TEST_F(MainWindowTest, FirstRunInAnEmptyProgramFolder) {
    auto window = open();
    EXPECT_TRUE(std::filesystem::is_directory(paths.dataDir));
    EXPECT_TRUE(child<QGroupBox>(*window, "GroupBox6")->isVisible());
    letStartUpFinish(*window);
    EXPECT_EQ(readFile(dataFile("热门推荐.txt")), "");
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("青禾点唱 手机下载系统2010.9.01"));
    EXPECT_EQ(fromGbk(window->searchKeyword()), QString::fromUtf8("绿野青禾"));
    EXPECT_EQ(window->searchMask(), "*.*");
    auto* inputMethodBox = child<QComboBox>(*window, "ComboBox9");
    EXPECT_EQ(inputMethodBox->count(), 2);
    EXPECT_EQ(inputMethodBox->currentText(), QString());
}

TEST_F(MainWindowTest, ThirdDriveAloneKeepsTheSetUpPanelHidden) {
    std::filesystem::create_directories(paths.dataDir);
    settings.write("PanFu3", "PanFu3", "H");
    auto window = open();
    EXPECT_FALSE(child<QGroupBox>(*window, "GroupBox6")->isVisible());
    const char* combos[] = {"ComboBox3", "ComboBox4", "ComboBox5", "ComboBox20"};
    const char* expected[] = {"", "", "H", ""};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(combos[i]);
        EXPECT_EQ(child<QComboBox>(*window, combos[i])->currentText(), QString(expected[i]));
    }
}

TEST_F(MainWindowTest, FirstShowDeletesPlayCopiesOnly) {
    for (const char* name :
         {"a.mp3", "b.RMVB", "c.txt", "d", "Vazazazi.ini", ".hidden.mp4", "e.m"}) {
        folder.write(std::filesystem::path("app") / host("数据文件") / name, "x");
    }
    std::filesystem::create_directories(paths.dataDir / "folder.mp3");
    auto window = open();
    for (const char* gone : {"a.mp3", "b.RMVB", ".hidden.mp4", "e.m"}) {
        EXPECT_FALSE(std::filesystem::exists(paths.dataDir / gone)) << gone;
    }
    for (const char* kept : {"c.txt", "d", "Vazazazi.ini", "folder.mp3"}) {
        EXPECT_TRUE(std::filesystem::exists(paths.dataDir / kept)) << kept;
    }
}

TEST_F(MainWindowTest, SetUpDriveTwoSetToG) {
    installKeySounds();
    auto window = open();
    letStartUpFinish(*window);
    letSoundPlay(*window);
    sounds.played.clear();
    child<QComboBox>(*window, "ComboBox7")->setEditText("G");

    EXPECT_EQ(settings.read("PanFu2", "PanFu2"), "G");
    auto* open = child<QPushButton>(*window, "Button7");
    EXPECT_TRUE(open->isVisible());
    EXPECT_EQ(open->text(), QString::fromUtf8("打开G:\\青禾点唱库\\"));
    EXPECT_EQ(child<QComboBox>(*window, "ComboBox4")->currentText(), "G");
    const auto library = folder.path() / "G" / host("青禾点唱库");
    for (const auto& category : categoryTable()) {
        EXPECT_TRUE(std::filesystem::is_directory(library / gbkToHostName(category.folder)))
            << category.number;
    }
    EXPECT_FALSE(std::filesystem::exists(library / host("1-音乐") / host("分类歌曲")));

    letSoundPlay(*window);
    ASSERT_EQ(sounds.played.size(), 1u);
    EXPECT_EQ(sounds.played[0].filename(), host("选定.wav"));

    open->click();
    ASSERT_EQ(shell.openedFolders.size(), 1u);
    EXPECT_EQ(shell.openedFolders[0], folder.path() / "G" / host("青禾点唱库"));
}

TEST_F(MainWindowTest, SetUpBlankHidesTheOpenButtonAndKeepsTheSearchBarLetter) {
    auto window = open();
    auto* setup = child<QComboBox>(*window, "ComboBox7");
    setup->setEditText("G");
    setup->setCurrentIndex(0);  // the blank entry
    EXPECT_FALSE(child<QPushButton>(*window, "Button7")->isVisible());
    EXPECT_EQ(child<QComboBox>(*window, "ComboBox4")->currentText(), "G");
    EXPECT_NE(readFile(paths.settingsFile()).find("PanFu2= \r\n"), std::string::npos);
    EXPECT_EQ(settings.read("PanFu2", "PanFu2"), "");
}

// On Linux a letter stands for a folder only once the clerk has chosen one; until then the
// panel says so and offers no library to open.
TEST_F(MainWindowTest, SetUpChoosesAFolderForALetterAndMakesTheLibraryThere) {
    std::filesystem::create_directories(paths.dataDir);
    folder.write(std::filesystem::path("app") / host("数据文件") / "drivemap.txt", "# shop\n");
    const auto chosen = folder.path() / host("歌库 二");
    std::filesystem::create_directories(chosen);
    std::vector<char> asked;
    auto services = this->services();
    services.chooseDriveFolder = [&](QWidget*,
                                     char letter) -> std::optional<std::filesystem::path> {
        asked.push_back(letter);
        return chosen;
    };
    MainWindow window(services);
    window.show();
    auto* setup = child<QComboBox>(window, "ComboBox7");
    auto* open = child<QPushButton>(window, "Button7");
    auto* label = child<QLabel>(window, "DriveFolderLabel2");
    auto* choose = child<QPushButton>(window, "DriveFolderButton2");
    EXPECT_FALSE(choose->isEnabled());

    setup->setEditText("h");
    EXPECT_FALSE(open->isVisible());
    EXPECT_EQ(label->text(), QString::fromUtf8("未对应文件夹，请选择"));
    ASSERT_TRUE(choose->isEnabled());
    choose->click();

    EXPECT_EQ(asked, std::vector<char>{'H'});
    EXPECT_EQ(readFile(paths.dataDir / "drivemap.txt"), "# shop\r\nH=" + chosen.string() + "\r\n");
    ASSERT_NE(drives.snapshot()->find('H'), nullptr);
    EXPECT_EQ(drives.snapshot()->find('H')->hostRoot, chosen);
    for (const auto& category : categoryTable()) {
        EXPECT_TRUE(std::filesystem::is_directory(chosen / host("青禾点唱库") /
                                                  gbkToHostName(category.folder)))
            << category.number;
    }
    EXPECT_TRUE(open->isVisible());
    EXPECT_EQ(label->toolTip().toStdString(), chosen.string());
    open->click();
    ASSERT_EQ(shell.openedFolders.size(), 1u);
    EXPECT_EQ(shell.openedFolders[0], chosen / host("青禾点唱库"));
}

// A data folder that cannot be written is told once in the run, not at every choice.
TEST_F(MainWindowTest, SettingsThatCannotBeSavedAreToldOnce) {
    std::filesystem::create_directories(paths.dataDir);
    std::filesystem::create_directory(paths.settingsFile());  // in the way of every write
    auto window = open();
    std::vector<QString> messages;
    window->setMessagePresenter([&](const QString& text) { messages.push_back(text); });
    letStartUpFinish(*window);
    child<QComboBox>(*window, "ComboBox7")->setEditText("G");
    child<QComboBox>(*window, "ComboBox8")->setEditText("G");
    ASSERT_TRUE(testing::waitFor([&] { return !messages.empty(); }));
    QTest::qWait(50);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], cannotSaveMessage(paths.settingsFile()));
    EXPECT_TRUE(messages[0].contains(QString::fromStdString(paths.dataDir.string())));
}

TEST_F(MainWindowTest, TypingIntoASearchBarDriveRunsTheChangeForEveryKey) {
    auto window = open();
    auto* combo = child<QComboBox>(*window, "ComboBox3");
    combo->setFocus();
    QTest::keyClicks(combo->lineEdit(), "GH");
    EXPECT_EQ(settings.read("PanFu1", "PanFu1"), "GH");
    EXPECT_TRUE(
        std::filesystem::is_directory(folder.path() / "G" / host("青禾点唱库") / host("3-电影")));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "GH"));
}

TEST_F(MainWindowTest, ConfirmHidesTheSetUpPanelAndSavesNothing) {
    auto window = open();
    child<QPushButton>(*window, "Button10")->click();
    EXPECT_FALSE(child<QGroupBox>(*window, "GroupBox6")->isVisible());
    EXPECT_FALSE(std::filesystem::exists(paths.settingsFile()));
}

TEST_F(MainWindowTest, InputMethodChoiceIsSavedOnly) {
    auto window = open();
    child<QComboBox>(*window, "ComboBox9")->setCurrentIndex(1);
    EXPECT_EQ(settings.read("ShuRuFa", "shurufa1"), gbk("fcitx 中文输入法"));
}

TEST_F(MainWindowTest, ListOneAndTheHotListGoBackToTheirFilesAtClose) {
    std::filesystem::create_directories(paths.dataDir);
    const std::vector<std::string> list = {gbk("F:\\青禾点唱库\\1-音乐\\a.mp3"), "",
                                           "\xff\xfe bad"};
    saveTextList(dataFile("清单1.txt"), list);
    const std::vector<std::string> hot = {"002C,F:\\b.mp3", "", "no count", "abcC,F:\\c.mp3",
                                          "001C,F:\\a.mp3"};
    saveTextList(dataFile("热门推荐.txt"), hot);

    auto window = open();
    letStartUpFinish(*window);
    EXPECT_EQ(window->downloadLists().shown().entries(), list);
    EXPECT_EQ(window->shownRows().rowCount(), 3);
    window->armHotCount("F:\\a.mp3");
    auto* count = window->findChild<QTimer*>("BaiSTimer");
    ASSERT_TRUE(testing::waitFor([&] { return !count->isActive(); }));
    window->close();

    EXPECT_EQ(loadTextList(dataFile("清单1.txt")), list);
    const std::vector<std::string> saved = loadTextList(dataFile("热门推荐.txt"));
    EXPECT_EQ(saved, (std::vector<std::string>{"", "abcC,F:\\c.mp3", "no count", "002C,F:\\a.mp3",
                                               "002C,F:\\b.mp3"}));
}

TEST_F(MainWindowTest, CloseWritesNoListFileThatNeverExisted) {
    auto window = open();
    letStartUpFinish(*window);
    std::filesystem::remove(dataFile("热门推荐.txt"));
    window->close();
    EXPECT_FALSE(std::filesystem::exists(dataFile("清单1.txt")));
    EXPECT_FALSE(std::filesystem::exists(dataFile("热门推荐.txt")));
}

TEST_F(MainWindowTest, CloseRunsTheShopsBatchFileAndPlaysTheExitSound) {
    installKeySounds();
    folder.write("app/bt.bat", "echo done > left-behind\n");
    DesktopShell desktop;
    auto window = open(desktop);
    letStartUpFinish(*window);
    sounds.played.clear();
    window->close();
    ASSERT_EQ(sounds.played.size(), 1u);
    EXPECT_EQ(sounds.played[0].filename(), host("退出.wav"));
    const auto leftBehind = paths.appDir / "left-behind";
    EXPECT_TRUE(testing::waitFor([&] { return readFile(leftBehind) == "done\n"; }));
}

TEST_F(MainWindowTest, StartUpPlaysTheStartSoundAndCreatesTheStagingFolders) {
    installKeySounds();
    addDrive('D');
    std::filesystem::create_directories(paths.dataDir);
    settings.write("PiFu", "PiFu", "not a number");
    auto window = open();
    letStartUpFinish(*window);
    letSoundPlay(*window);
    ASSERT_FALSE(sounds.played.empty());
    EXPECT_EQ(sounds.played.back().filename(), host("启动.wav"));
    for (int list = 1; list <= 5; ++list) {
        EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "D" / host("歌曲下载") /
                                                  (host("清单") + std::to_string(list))))
            << list;
    }
}

}  // namespace
}  // namespace qh
