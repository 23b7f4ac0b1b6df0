#include <gtest/gtest.h>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <fstream>

#include "app/category_tab_strip.h"
#include "app/main_window.h"
#include "app/window_test_shop.h"
#include "download/marked_file.h"
#include "support/qstring_printer.h"
#include "support/test_volumes.h"
#include "support/wait_for.h"
#include "support/window_children.h"
#include "text/text_list_file.h"

namespace qh {
namespace {

namespace fs = std::filesystem;
using testing::host;

// A library on F, the shop's own disk D, and the customer's card G; the clerk's answers to the
// questions are set by each test.
class FileManagementWindowTest : public ::testing::Test, protected testing::WindowTestShop {
protected:
    FileManagementWindowTest() {
        installKeySounds();
        addDrive('F');
        addDrive('D');
        fs::create_directories(paths.dataDir);
        settings.write("PanFu1", "PanFu1", "F");
    }
    void open() {
        window = std::make_unique<MainWindow>(services());
        window->setMessagePresenter([this](const QString& text) { messages.push_back(text); });
        window->setConfirmer([this](const QString& caption, const QString& text) {
            questions.push_back(caption + "|" + text);
            return answer;
        });
        window->setTextAsker(
            [this](const QString&, const QString&, const QString& text) -> std::optional<QString> {
                offered = text;
                return typed;
            });
        window->show();
        ASSERT_TRUE(
            testing::waitFor([&] { return text("Label63") == QString::fromUtf8("就绪！"); }));
        ASSERT_TRUE(
            testing::waitFor([&] { return !window->findChild<QTimer*>("QiDTimer")->isActive(); }));
        window->findChild<CategoryTabStrip*>("TabControl4")->setCurrentIndex(-1);
        settleSounds();
    }
    template <typename T>
    T* child(const char* name) {
        return testing::child<T>(*window, name);
    }
    QString text(const char* label) { return child<QLabel>(label)->text(); }
    fs::path on(char drive, const char* utf8) {
        return folder.path() / std::string(1, drive) / host(utf8);
    }
    void put(char drive, const char* utf8, std::string_view content = "x") {
        testing::writeFile(on(drive, utf8), content);
    }
    void settleSounds() { ASSERT_TRUE(soundsSettled(*window)); }
    std::string lastSound() { return lastSoundOf(*window); }
    // The drive box's entry of a letter, chosen as the clerk does.
    void chooseDrive(char letter) {
        auto* box = child<QComboBox>("ShellComboBox1");
        const int entry = box->findData(QString(QChar::fromLatin1(letter)) + ":\\");
        ASSERT_GE(entry, 0) << letter;
        box->setCurrentIndex(entry);
        emit box->activated(entry);
        waitForListing();
    }
    void waitForListing() {
        auto* timer5 = window->findChild<QTimer*>("Timer5");
        ASSERT_TRUE(testing::waitFor([&] { return !timer5->isActive(); }));
    }
    QStringList listed() {
        QStringList names;
        auto* model = child<QTreeView>("ShellListView1")->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            names << model->index(row, 0).data().toString();
        }
        return names;
    }
    void selectListed(const char* utf8Name) {
        auto* list = child<QTreeView>("ShellListView1");
        const int row = static_cast<int>(listed().indexOf(QString::fromUtf8(utf8Name)));
        ASSERT_GE(row, 0) << utf8Name;
        list->setCurrentIndex(list->model()->index(row, 0));
    }
    void trigger(const char* action) { window->findChild<QAction*>(action)->trigger(); }
    void openManagementOf(char letter) {
        child<QPushButton>("SpeedButton14")->click();
        waitForListing();
        chooseDrive(letter);
    }
    void search(const char* typed) {
        child<QComboBox>("ComboBox1")->setEditText(QString::fromUtf8(typed));
        child<QPushButton>("SpeedButton22")->click();
        ASSERT_TRUE(
            testing::waitFor([&] { return text("Label63") == QString::fromUtf8("就绪！"); }));
    }

    std::unique_ptr<MainWindow> window;
    std::vector<QString> messages;
    std::vector<QString> questions;
    bool answer = true;
    std::optional<QString> typed;
    QString offered;
};

TEST_F(FileManagementWindowTest, WithoutARemovableDriveTheClerkIsToldAndNothingChanges) {
    open();
    child<QPushButton>("SpeedButton14")->click();
    EXPECT_EQ(messages, std::vector{QString::fromUtf8("U 盘没有插好,或已经退出!")});
    EXPECT_TRUE(child<QWidget>("ListBox8")->isVisible());
    EXPECT_FALSE(child<QWidget>("ShellComboBox1")->isVisible());
}

TEST_F(FileManagementWindowTest, TheCardsFolderListsFoldersFirstAndShowsItsSystemPath) {
    addDrive('G', DriveType::Removable);
    put('G', "歌曲/a.mp3");
    put('G', "b.txt", "12345");
    put('G', "A.jpg");
    fs::create_directories(on('G', "Zoo"));
    open();
    openManagementOf('G');
    EXPECT_FALSE(child<QWidget>("ListView1")->isVisible());
    EXPECT_FALSE(child<QWidget>("ListBox8")->isVisible());
    EXPECT_TRUE(child<QWidget>("ShellListView1")->isVisible());
    EXPECT_EQ(listed(),
              (QStringList{QString::fromUtf8("Zoo"), QString::fromUtf8("歌曲"), "A.jpg", "b.txt"}));
    EXPECT_EQ(text("Label16"), QString::fromUtf8("4 个对象"));
    EXPECT_TRUE(child<QLabel>("Label26")->isVisible());
    EXPECT_EQ(text("Label26"), "G:\\");
    EXPECT_EQ(lastSound(), host("选定.wav"));

    // A folder of the tree: the list follows it, with the system's path.
    auto* tree = child<QTreeView>("ShellTreeView1");
    const auto found = tree->model()->match(tree->model()->index(0, 0, tree->rootIndex()),
                                            Qt::DisplayRole, QString::fromUtf8("歌曲"));
    ASSERT_EQ(found.size(), 1);
    const QModelIndex songs = found[0];
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(songs).center());
    waitForListing();
    EXPECT_EQ(listed(), QStringList{"a.mp3"});
    EXPECT_EQ(text("Label26"), QString::fromUtf8("G:\\歌曲\\"));

    // A tab press brings the result list back over the view, the folder label gone.
    QTest::mousePress(window->findChild<QWidget*>("CategoryTab0"), Qt::LeftButton);
    EXPECT_TRUE(child<QWidget>("ListView1")->isVisible());
    EXPECT_FALSE(child<QLabel>("Label26")->isVisible());
}

TEST_F(FileManagementWindowTest, TwoCardsLeaveTheDiskBrowserOnTheLaterOne) {
    addDrive('G', DriveType::Removable);
    addDrive('H', DriveType::Removable);
    put('G', "g.txt");
    put('H', "h.txt");
    open();
    child<QPushButton>("SpeedButton14")->click();
    auto* browser = window->findChild<QListView*>("ShellListView2");
    ASSERT_TRUE(testing::waitFor([&] {
        const auto* rows = browser->model();
        return rows->rowCount() == 1 && rows->index(0, 0).data().toString() == "h.txt";
    }));
}

TEST_F(FileManagementWindowTest, ANewFolderTakesTheFirstFreeNumber) {
    addDrive('G', DriveType::Removable);
    fs::create_directories(on('G', "新建文件夹1"));
    fs::create_directories(on('G', "新建文件夹3"));
    open();
    openManagementOf('G');
    trigger("N7");
    waitForListing();
    EXPECT_TRUE(fs::is_directory(on('G', "新建文件夹2")));
    EXPECT_EQ(listed().size(), 3);
    auto* tree = child<QTreeView>("ShellTreeView1");
    EXPECT_EQ(tree->model()->rowCount(tree->rootIndex()), 3);
}

TEST_F(FileManagementWindowTest, DeleteAsksFirstLeavesFoldersAndDeletesTheFile) {
    addDrive('G', DriveType::Removable);
    put('G', "a.mp3");
    put('G', "b.mp3");
    fs::create_directories(on('G', "歌曲"));
    open();
    openManagementOf('G');

    trigger("N4");
    EXPECT_EQ(messages, std::vector{QString::fromUtf8("没有选择文件!")});
    EXPECT_TRUE(questions.empty());

    selectListed("歌曲");
    trigger("N4");
    ASSERT_EQ(questions, std::vector{QString::fromUtf8("删除文件|亲爱的,你确定不要我了吗?")});
    EXPECT_TRUE(fs::is_directory(on('G', "歌曲")));

    answer = false;
    selectListed("a.mp3");
    trigger("N4");
    EXPECT_TRUE(fs::exists(on('G', "a.mp3")));

    answer = true;
    selectListed("a.mp3");
    sounds.played.clear();
    trigger("N4");
    EXPECT_FALSE(fs::exists(on('G', "a.mp3")));
    EXPECT_TRUE(fs::exists(on('G', "b.mp3")));
    EXPECT_EQ(listed(), (QStringList{QString::fromUtf8("歌曲"), "b.mp3"}));
    EXPECT_EQ(text("Label16"), QString::fromUtf8("2 个对象"));
    EXPECT_EQ(lastSound(), host("删除.wav"));
}

// Odd names, a folder of 10,000 files, a file another program deleted and a card pulled out
// while its folder shows: the view shows what is there and nothing breaks.
TEST_F(FileManagementWindowTest, TheViewShowsWhatIsThereWhateverHappenedToTheDisk) {
    addDrive('G', DriveType::Removable);
    const fs::path big = on('G', "big");
    fs::create_directories(big);
    for (int i = 0; i < 10000; ++i) {
        std::ofstream(big / ("f" + std::to_string(i) + ".mp3"));
    }
    std::ofstream(on('G', "") / "\xff\xfe.mp3");
    std::ofstream(on('G', "") / "a:b.mp3");
    put('G', "gone.mp3");
    open();
    openManagementOf('G');
    EXPECT_EQ(listed().size(), 4);
    selectListed("gone.mp3");
    fs::remove(on('G', "gone.mp3"));
    trigger("N4");
    EXPECT_EQ(listed().size(), 3);

    for (const QString& odd : listed()) {
        if (odd != "big") {
            selectListed(odd.toUtf8().constData());
            trigger("N4");
        }
    }
    EXPECT_EQ(listed(), QStringList{"big"});

    auto* tree = child<QTreeView>("ShellTreeView1");
    const QModelIndex bigFolder = tree->model()->index(0, 0, tree->rootIndex());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(bigFolder).center());
    waitForListing();
    EXPECT_EQ(listed().size(), 10000);
    EXPECT_EQ(text("Label16"), QString::fromUtf8("10000 个对象"));

    fs::remove_all(on('G', ""));  // pulled out
    selectListed("f1.mp3");
    trigger("N4");
    trigger("N7");
    waitForListing();
    EXPECT_TRUE(listed().isEmpty());
}

// A card the kernel has made read-only: nothing is made or deleted, the view shows what is there.
TEST_F(FileManagementWindowTest, OnAReadOnlyCardNothingChangesAndNothingBreaks) {
    if (auto why = testing::TmpfsVolume::unavailable()) {
        GTEST_SKIP() << *why;
    }
    testing::TmpfsVolume card(1 << 20);
    testing::writeFile(card.path() / "a.mp3", "x");
    DriveTable table = *drives.snapshot();
    table.set({'G', card.path(), DriveType::Removable});
    drives.replace(table);
    card.remountReadOnly();
    open();
    openManagementOf('G');
    trigger("N7");
    waitForListing();
    selectListed("a.mp3");
    trigger("N4");
    EXPECT_TRUE(fs::exists(card.path() / "a.mp3"));
    EXPECT_EQ(listed(), QStringList{"a.mp3"});
}

TEST_F(FileManagementWindowTest, TheLocalDiskButtonMakesTheDownloadFolderTheBrowsersRoot) {
    fs::remove_all(on('D', "歌曲下载"));
    open();
    fs::remove_all(on('D', "歌曲下载"));  // the staging folders made it at start-up
    put('D', "other.txt");
    window->findChild<QTimer*>("UPangTimer3")->stop();
    child<QPushButton>("SpeedButton10")->click();
    EXPECT_TRUE(fs::is_directory(on('D', "歌曲下载")));
    EXPECT_FALSE(child<QWidget>("ListView1")->isVisible());
    EXPECT_TRUE(child<QWidget>("ShellComboBox1")->isVisible());
    EXPECT_TRUE(window->findChild<QTimer*>("UPangTimer3")->isActive());
    put('D', "歌曲下载/已下载.mp3");
    auto* browser = window->findChild<QListView*>("ShellListView2");
    ASSERT_TRUE(testing::waitFor([&] {
        return browser->model()->rowCount() == 1 &&
               browser->model()->index(0, 0).data().toString() == QString::fromUtf8("已下载.mp3");
    }));
}

// --- the library's files, from the result list -----------------------------------------------

TEST_F(FileManagementWindowTest, ARenameKeepsTheMarkerAndTheExtensionAndTellsTheTruth) {
    put('F', "青禾点唱库/1-音乐/歌qh2009.mp3", "marked");
    put('F', "青禾点唱库/1-音乐/新歌qh2009.mp3", "other");
    put('F', "青禾点唱库/1-音乐/老歌.MP3", "plain");
    open();
    search("歌");
    ASSERT_EQ(window->results().rowCount(), 3);
    const auto rowOf = [&](const char* utf8Name) {
        for (int row = 0; row < window->results().rowCount(); ++row) {
            if (window->results().pathAt(row).ends_with(gbk(utf8Name))) {
                return row;
            }
        }
        return -1;
    };
    auto* list = child<QTreeView>("ListView1");
    const auto pick = [&](int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(window->results().index(row, 0)).center());
    };

    // A name that would be a path, or none, is refused before anything is renamed.
    for (const char* refused : {"", "   ", "a\\b", "c:d", "e/f", "g?"}) {
        SCOPED_TRACE(refused);
        messages.clear();
        typed = QString::fromUtf8(refused);
        pick(rowOf("老歌.MP3"));
        trigger("N5");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(fs::exists(on('F', "青禾点唱库/1-音乐/老歌.MP3")));
    }

    // 新歌qh2009.mp3 is there already: the rename fails and says so; nothing is replaced.
    messages.clear();
    typed = QString::fromUtf8("新歌");
    const int marked = rowOf("\\歌qh2009.mp3");
    ASSERT_GE(marked, 0);
    pick(marked);
    trigger("N5");
    EXPECT_EQ(offered, QString::fromUtf8("歌"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains(QString::fromUtf8("没有成功")));
    std::ifstream other(on('F', "青禾点唱库/1-音乐/新歌qh2009.mp3"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(other), {}), "other");

    messages.clear();
    typed = QString::fromUtf8("另一首");
    pick(marked);
    trigger("N5");
    EXPECT_EQ(messages, std::vector{QString::fromUtf8("F:\\青禾点唱库\\1-音乐\\另一首qh2009.mp3")});
    EXPECT_TRUE(fs::exists(on('F', "青禾点唱库/1-音乐/另一首qh2009.mp3")));

    messages.clear();
    typed = QString::fromUtf8("新的歌");
    pick(rowOf("老歌.MP3"));
    trigger("N5");
    EXPECT_EQ(messages, std::vector{QString::fromUtf8("F:\\青禾点唱库\\1-音乐\\新的歌.MP3")});
    EXPECT_TRUE(fs::exists(on('F', "青禾点唱库/1-音乐/新的歌.MP3")));
    EXPECT_FALSE(fs::exists(on('F', "青禾点唱库/1-音乐/老歌.MP3")));
    // The row keeps what it showed.
    EXPECT_EQ(window->results().captionAt(rowOf("老歌.MP3")), gbk("老歌"));
}

TEST_F(FileManagementWindowTest, DeletingForGoodTakesTheSelectedRowsOwnFile) {
    put('F', "青禾点唱库/1-音乐/月亮 a.mp3");
    put('F', "青禾点唱库/1-音乐/月亮 b.mp3");
    open();
    search("月亮");
    ASSERT_EQ(window->results().rowCount(), 2);
    const std::string picked = window->results().pathAt(0);
    const std::string selected = window->results().pathAt(1);
    auto* list = child<QTreeView>("ListView1");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(window->results().index(0, 0)).center());
    // Another row selected while the picked one stays current.
    list->selectionModel()->select(window->results().index(1, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);

    answer = false;
    trigger("N22");
    EXPECT_EQ(questions, std::vector{QString::fromUtf8("删除文件|你确定要删除所选文件吗?")});
    EXPECT_EQ(window->results().rowCount(), 2);

    answer = true;
    trigger("N22");
    const auto hostOf = [&](const std::string& path) { return *drives.snapshot()->resolve(path); };
    EXPECT_FALSE(fs::exists(hostOf(selected)));
    EXPECT_TRUE(fs::exists(hostOf(picked)));
    ASSERT_EQ(window->results().rowCount(), 1);
    EXPECT_EQ(window->results().pathAt(0), picked);
    EXPECT_EQ(text("Label16"), QString::fromUtf8("1 个对象"));
}

// --- 复制到本地磁盘 ----------------------------------------------------------------------------

TEST_F(FileManagementWindowTest, CopyToTheLocalDiskReplacesAnOlderFileOnlyWithAWholeOne) {
    const std::string marked(kMarkedFileBlockBytes + 10, 'm');
    put('F', "青禾点唱库/1-音乐/月亮qh2009.mp3", marked);
    put('F', "青禾点唱库/1-音乐/星星.mp3", "new star");
    put('D', "歌曲下载/月亮.mp3", "older moon");
    put('D', "歌曲下载/gone.mp3", "older gone");
    saveTextList(paths.dataFile(gbk("清单1.txt")), {gbk("F:\\青禾点唱库\\1-音乐\\月亮qh2009.mp3"),
                                                    gbk("F:\\青禾点唱库\\1-音乐\\星星.mp3"),
                                                    gbk("F:\\青禾点唱库\\1-音乐\\gone.mp3")});
    open();
    trigger("N6");
    EXPECT_EQ(messages, std::vector{QString::fromUtf8("至少要选择一个文件!")});

    messages.clear();
    child<QTreeView>("ListView2")->selectAll();
    trigger("N6");
    ASSERT_TRUE(testing::waitFor(
        [&] { return text("StatusPanel1").startsWith(QString::fromUtf8("已复制")); }));
    EXPECT_EQ(text("StatusPanel1"), QString::fromUtf8("已复制到本地磁盘 2 个文件"));
    const auto read = [&](const char* utf8) {
        std::ifstream in(on('D', utf8), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(read("歌曲下载/月亮.mp3"), marked);  // the block kept, the older file replaced
    EXPECT_EQ(read("歌曲下载/星星.mp3"), "new star");
    EXPECT_EQ(read("歌曲下载/gone.mp3"), "older gone");  // its source missing: the older stays
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains("1"));
}

}  // namespace
}  // namespace qh
