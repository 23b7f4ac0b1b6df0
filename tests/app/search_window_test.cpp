#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

#include "app/keyword_line_edit.h"
#include "app/main_window.h"
#include "app/window_test_shop.h"
#include "media/key_sound_tunes.h"
#include "platform/fake_input_methods.h"
#include "platform/fake_shell.h"
#include "platform/fake_sound_device.h"
#include "platform/folder_reader_linux.h"
#include "platform/linux_file_system.h"
#include "settings/settings_store.h"
#include "support/gated_folder_reader.h"
#include "support/qt_application.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"
#include "support/window_children.h"
#include "text/gbk.h"
#include "text/text_list_file.h"

namespace qh {
namespace {

using testing::host;

// A library on drive F with songs, a film and a song outside the music folder.
class SearchWindowTest : public ::testing::Test, protected testing::WindowTestShop {
protected:
    SearchWindowTest() {
        for (const char* file :
             {"F/青禾点唱库/1-音乐/0012 月亮代表我的心.mp3",
              "F/青禾点唱库/1-音乐/邓丽君/0345 邓丽君-月亮代表我的心.mp3",
              "F/青禾点唱库/1-音乐/邓丽君/0346 甜蜜蜜.mp3",
              "F/青禾点唱库/1-音乐/邓丽君/0347 月亮.wma", "F/青禾点唱库/3-电影/月亮河.rmvb",
              "F/青禾点唱库/0012 欢迎曲.mp3"}) {
            folder.write(host(file), "x");
        }
        installKeySounds();
        addDrive('F');
        addDrive('D');  // where a sync add copies while no customer disk is chosen
        std::filesystem::create_directories(paths.dataDir);
        settings.write("PanFu1", "PanFu1", "F");

        window = std::make_unique<MainWindow>(services());
        window->setMessagePresenter([this](const QString& text) { messages.push_back(text); });
        window->show();
        // Start-up: the warm-up search and the 20 ms loading both done.
        EXPECT_TRUE(testing::waitFor([&] { return status() == QString::fromUtf8("就绪！"); }));
        EXPECT_TRUE(
            testing::waitFor([&] { return !window->findChild<QTimer*>("QiDTimer")->isActive(); }));
    }

    template <typename T>
    T* child(const char* name) {
        return testing::child<T>(*window, name);
    }
    QString status() { return child<QLabel>("Label63")->text(); }
    void search(const char* typed) {
        child<QComboBox>("ComboBox1")->setEditText(QString::fromUtf8(typed));
        sounds.played.clear();
        child<QPushButton>("SpeedButton22")->click();
    }
    void waitForTheEnd() {
        ASSERT_TRUE(testing::waitFor([&] { return status() == QString::fromUtf8("就绪！"); }));
        auto* soundTimer = window->findChild<QTimer*>("ShengYingTimer");
        ASSERT_TRUE(testing::waitFor([&] { return !soundTimer->isActive(); }));
    }
    std::vector<std::string> resultPaths() {
        std::vector<std::string> paths;
        for (int row = 0; row < window->results().rowCount(); ++row) {
            paths.push_back(window->results().pathAt(row));
        }
        return paths;
    }
    std::string lastSound() const {
        return sounds.played.empty() ? "" : sounds.played.back().filename().string();
    }

    std::vector<QString> messages;
    std::unique_ptr<MainWindow> window;
};

TEST_F(SearchWindowTest, KeywordOnTheMusicTabFindsSongsOfEveryFolderInOrder) {
    search("月亮");
    EXPECT_EQ(status(), QString::fromUtf8("正 在 搜 索 ..."));
    waitForTheEnd();
    EXPECT_EQ(resultPaths(),
              (std::vector<std::string>{
                  gbk("F:\\青禾点唱库\\1-音乐\\0012 月亮代表我的心.mp3"),
                  gbk("F:\\青禾点唱库\\1-音乐\\邓丽君\\0345 邓丽君-月亮代表我的心.mp3")}));
    EXPECT_EQ(window->searchKeyword(), gbk("月*亮*"));
    EXPECT_EQ(window->searchMask(), "*.mp3");
    EXPECT_EQ(child<QLabel>("Label16")->text(), QString::fromUtf8("2 个对象"));
    EXPECT_EQ(window->currentFile(), resultPaths()[0]);
    EXPECT_EQ(lastSound(), host("查找.wav"));
    EXPECT_TRUE(child<QPushButton>("SpeedButton22")->isEnabled());

    const auto& results = window->results();
    EXPECT_EQ(results.data(results.index(1, 0), Qt::DisplayRole).toString(),
              QString::fromUtf8("0345 邓丽君-月亮代表我的心"));
    EXPECT_EQ(results.data(results.index(1, 1), Qt::DisplayRole).toString(), "mp3");
    EXPECT_EQ(results.data(results.index(1, 2), Qt::DisplayRole).toString(), "0.00");
    EXPECT_EQ(results.data(results.index(1, 3), Qt::DisplayRole).toInt(), 2);
}

TEST_F(SearchWindowTest, EveryKeywordSearchGrowsTheHistory) {
    search("月亮");
    waitForTheEnd();
    search("月亮");
    waitForTheEnd();
    EXPECT_EQ(window->keywordHistory(), (std::vector<std::string>{gbk("月亮"), gbk("月亮")}));
    EXPECT_EQ(child<QComboBox>("ComboBox1")->count(), 2);
}

TEST_F(SearchWindowTest, RefusedTextIsToldAndLeavesTheSearchCounting) {
    for (const char* typed : {"12", "2009", "mp3", "a"}) {
        SCOPED_TRACE(typed);
        messages.clear();
        search(typed);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], QString::fromUtf8("对不起,此字符被禁搜"));
        EXPECT_EQ(status(), QString::fromUtf8("正 在 搜 索 ..."));
        EXPECT_TRUE(child<QPushButton>("SpeedButton22")->isEnabled());
        EXPECT_EQ(window->results().rowCount(), 0);
        EXPECT_TRUE(window->findChild<QTimer*>("Timer13")->isActive());
    }
    EXPECT_TRUE(window->keywordHistory().empty());
}

// A refused search empties the list; the warm-up still walking must not fill it again.
TEST(SearchWindowWarmUpTest, ARefusedSearchStopsTheWarmUpToo) {
    testing::WindowTestShop shop;
    shop.folder.write(host("F/青禾点唱库/慢/0012 绿野青禾.mp3"), "x");
    shop.addDrive('F');
    std::filesystem::create_directories(shop.paths.dataDir);
    shop.settings.write("PanFu1", "PanFu1", "F");
    const testing::GatedReader slowDisk(shop.folderReader, "慢");
    MainWindow window({shop.paths, shop.settings, shop.saveFailures, shop.drives, shop.files,
                       slowDisk, shop.shell, shop.sounds, shop.media, shop.inputMethods,
                       shop.driveEvents});
    std::vector<QString> messages;
    window.setMessagePresenter([&](const QString& text) { messages.push_back(text); });
    window.show();
    ASSERT_TRUE(testing::waitFor([&] { return slowDisk.reached(); }));

    window.findChild<QComboBox*>("ComboBox1")->setEditText(QStringLiteral("12"));
    window.findChild<QPushButton*>("SpeedButton22")->click();
    ASSERT_EQ(messages.size(), 1u);
    slowDisk.openGate();
    QTest::qWait(300);
    EXPECT_EQ(window.results().rowCount(), 0);
    EXPECT_NE(window.findChild<QLabel*>("Label63")->text(), QString::fromUtf8("就绪！"));
}

TEST_F(SearchWindowTest, AClickOrTabIntoTheKeywordBoxSelectsItsTextSoTypingReplacesIt) {
    auto* box = child<QComboBox>("ComboBox1");
    auto* editor = box->lineEdit();
    for (const auto reason : {Qt::MouseFocusReason, Qt::TabFocusReason}) {
        SCOPED_TRACE(reason);
        box->setEditText(QString::fromUtf8("这里输入查找关键字"));
        child<QTreeView>("ListView1")->setFocus();
        if (reason == Qt::MouseFocusReason) {
            QTest::mouseClick(editor, Qt::LeftButton, {}, QPoint(10, editor->height() / 2));
        } else {
            editor->setFocus(Qt::TabFocusReason);
        }
        ASSERT_TRUE(testing::waitFor([&] { return editor->selectedText() == box->currentText(); }));
        QTest::keyClicks(editor, "abc");
        EXPECT_EQ(box->currentText(), "abc");
    }
}

TEST_F(SearchWindowTest, NothingFoundSoundsTheErrorCue) {
    search("没有的歌");
    waitForTheEnd();
    EXPECT_EQ(window->results().rowCount(), 0);
    EXPECT_EQ(lastSound(), host("错误.wav"));
    EXPECT_EQ(child<QLabel>("Label16")->text(), QString::fromUtf8("0 个对象"));
}

TEST_F(SearchWindowTest, NumberModeSelectsTheFirstOfTwoMatches) {
    auto* editor = child<QComboBox>("ComboBox1")->findChild<KeywordLineEdit*>();
    child<QCheckBox>("CheckBox1")->click();
    EXPECT_EQ(child<QComboBox>("ComboBox1")->currentText(), QString::fromUtf8("这里输入查找编号"));
    // Digits come from the plain keyboard: the box turns its input method off.
    EXPECT_FALSE(editor->inputMethodQuery(Qt::ImEnabled).toBool());
    search("034");
    waitForTheEnd();
    ASSERT_EQ(window->results().rowCount(), 2);  // 0345 and 0346; 0347 is no mp3
    EXPECT_EQ(window->currentFile(),
              gbk("F:\\青禾点唱库\\1-音乐\\邓丽君\\0345 邓丽君-月亮代表我的心.mp3"));
    const auto selected = child<QTreeView>("ListView1")->selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0].row(), 0);
    EXPECT_NE(lastSound(), host("查找.wav"));
    EXPECT_TRUE(window->keywordHistory().empty());
    // 10 ms later the first match joins the list on screen, as a double click would add it.
    EXPECT_TRUE(testing::waitFor([&] {
        return window->downloadLists().shown().entries() ==
               std::vector<std::string>{resultPaths()[0]};
    }));

    child<QCheckBox>("CheckBox1")->click();
    EXPECT_EQ(child<QComboBox>("ComboBox1")->currentText(),
              QString::fromUtf8("这里输入查找关键字"));
    EXPECT_TRUE(editor->inputMethodQuery(Qt::ImEnabled).toBool());
}

TEST_F(SearchWindowTest, EnterInTheKeywordBoxSearchesAndTheShownListIsSavedFirst) {
    auto* box = child<QComboBox>("ComboBox1");
    box->setEditText(QString::fromUtf8("甜蜜"));
    box->lineEdit()->setFocus();
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    waitForTheEnd();
    EXPECT_EQ(resultPaths(),
              (std::vector<std::string>{gbk("F:\\青禾点唱库\\1-音乐\\邓丽君\\0346 甜蜜蜜.mp3")}));
    EXPECT_TRUE(std::filesystem::exists(paths.dataDir / host("清单1.txt")));
}

TEST_F(SearchWindowTest, APressedTabSearchesItsCategoryWithEveryExtension) {
    QTest::mousePress(child<QWidget>("CategoryTab2"), Qt::LeftButton);
    EXPECT_EQ(window->searchMask(), "*.*");
    search("月亮");
    waitForTheEnd();
    EXPECT_EQ(resultPaths(),
              (std::vector<std::string>{gbk("F:\\青禾点唱库\\3-电影\\月亮河.rmvb")}));

    // A tab reached without a mouse press keeps the mask of the search before.
    search("0012");
    waitForTheEnd();
    EXPECT_EQ(window->searchMask(), "*.*");
}

// A double click as the clerk makes it: a click on the row first, then the double click.
void doubleClickRow(QTreeView* list, int row) {
    const QRect place = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, place.center());
}

TEST_F(SearchWindowTest, DoubleClickAddsTheResultToTheShownListAndTalliesIt) {
    search("月亮");
    waitForTheEnd();
    sounds.played.clear();
    doubleClickRow(child<QTreeView>("ListView1"), 1);
    ASSERT_EQ(window->downloadLists().shown().entries(),
              (std::vector<std::string>{resultPaths()[1]}));
    EXPECT_EQ(window->shownRows().rowCount(), 1);
    EXPECT_TRUE(testing::waitFor([&] { return child<QLabel>("Label2")->text() == "1"; }));
    EXPECT_EQ(child<QLabel>("Label22")->text(), "1");
    auto* soundTimer = window->findChild<QTimer*>("ShengYingTimer");
    ASSERT_TRUE(testing::waitFor([&] { return !soundTimer->isActive(); }));
    EXPECT_EQ(lastSound(), host("复制.wav"));

    // The same file again is no new entry.
    doubleClickRow(child<QTreeView>("ListView1"), 1);
    EXPECT_EQ(window->downloadLists().shown().entries().size(), 1u);
}

TEST_F(SearchWindowTest, TwoHundredResultsAreAddedAtOnceButNotTwoHundredAndOne) {
    for (int i = 0; i < 201; ++i) {
        folder.write(host("F/青禾点唱库/1-音乐/批量") + std::to_string(1000 + i) + ".mp3", "x");
    }
    search("批量");
    waitForTheEnd();
    ASSERT_EQ(window->results().rowCount(), 201);
    auto* list = child<QTreeView>("ListView1");
    list->setCurrentIndex(list->model()->index(0, 0));
    list->selectAll();
    emit list->doubleClicked(list->model()->index(0, 0));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QString::fromUtf8("对不起，一次下载的数量不能大于200"));
    EXPECT_TRUE(window->downloadLists().shown().entries().empty());

    list->selectionModel()->select(list->model()->index(200, 0),
                                   QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    emit list->doubleClicked(list->model()->index(0, 0));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(window->downloadLists().shown().entries().size(), 200u);
    EXPECT_EQ(window->shownRows().rowCount(), 200);
}

TEST_F(SearchWindowTest, SwitchingListsSavesTheOneLeftAndLoadsTheOneChosen) {
    const std::vector<std::string> third = {gbk("F:\\青禾点唱库\\3-电影\\月亮河.rmvb")};
    saveTextList(paths.dataDir / host("清单3.txt"), third);
    search("月亮");
    waitForTheEnd();
    doubleClickRow(child<QTreeView>("ListView1"), 0);
    child<QCheckBox>("CheckBox2")->click();  // unticked
    child<QTabWidget>("PageControl2")->setCurrentIndex(2);

    EXPECT_EQ(loadTextList(paths.dataDir / host("清单1.txt")),
              (std::vector<std::string>{resultPaths()[0]}));
    EXPECT_EQ(window->downloadLists().shown().entries(), third);
    EXPECT_EQ(window->shownRows().rowCount(), 1);
    EXPECT_TRUE(child<QCheckBox>("CheckBox2")->isChecked());
    EXPECT_TRUE(testing::waitFor([&] { return child<QLabel>("Label13")->text() == "1"; }));
    EXPECT_EQ(child<QLabel>("Label2")->text(), "0");
}

TEST_F(SearchWindowTest, DeletingSelectedEntriesRemovesTheirCopiesAndLyricsOnly) {
    addDrive('D');
    const auto library = folder.write(host("F/青禾点唱库/1-音乐/qh2009老歌.mp3"), "song");
    const auto copy = folder.write(host("D/歌曲下载/老歌.mp3"), "song");
    const auto lyrics = folder.write(host("D/歌曲下载/老歌.lrc"), "[00:01.00]");
    const auto other = folder.write(host("D/歌曲下载/月亮河.rmvb"), "film");
    search("老歌");
    waitForTheEnd();
    ASSERT_EQ(window->results().rowCount(), 1);
    doubleClickRow(child<QTreeView>("ListView1"), 0);
    ASSERT_EQ(window->shownRows().rowCount(), 1);
    EXPECT_EQ(window->shownRows().data(window->shownRows().index(0, 0), Qt::DisplayRole).toString(),
              QString::fromUtf8("老歌"));

    child<QTreeView>("ListView2")->selectAll();
    window->findChild<QAction*>("N3")->trigger();

    EXPECT_TRUE(window->downloadLists().shown().entries().empty());
    EXPECT_EQ(window->shownRows().rowCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_FALSE(std::filesystem::exists(lyrics));
    EXPECT_TRUE(std::filesystem::exists(library));
    EXPECT_TRUE(std::filesystem::exists(other));
}

TEST_F(SearchWindowTest, ClearAndDownloadWithoutSelection) {
    search("月亮");
    waitForTheEnd();
    doubleClickRow(child<QTreeView>("ListView1"), 0);
    ASSERT_TRUE(testing::waitFor([&] { return child<QLabel>("Label2")->text() == "1"; }));

    child<QPushButton>("SpeedButton24")->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QString::fromUtf8("至少要选择一个文件!"));

    window->findChild<QAction*>("N18")->trigger();
    EXPECT_TRUE(window->downloadLists().shown().entries().empty());
    EXPECT_EQ(child<QLabel>("Label2")->text(), "0");
    auto* soundTimer = window->findChild<QTimer*>("ShengYingTimer");
    ASSERT_TRUE(testing::waitFor([&] { return !soundTimer->isActive(); }));
    EXPECT_EQ(lastSound(), host("删除.wav"));
}

TEST_F(SearchWindowTest, BatchAddUnticksCopyAtOnce) {
    search("月亮");
    waitForTheEnd();
    auto* list = child<QTreeView>("ListView1");
    list->setCurrentIndex(list->model()->index(0, 0));
    list->selectAll();
    window->findChild<QAction*>("N20")->trigger();
    EXPECT_EQ(window->downloadLists().shown().entries(), resultPaths());
    EXPECT_FALSE(child<QCheckBox>("CheckBox2")->isChecked());
    EXPECT_FALSE(window->downloadLists().syncDownload());
}

// Finds the child of `parent` captioned `caption`, opening `parent` first as the clerk does.
QModelIndex openChild(QTreeView* tree, const QModelIndex& parent, const QString& caption) {
    tree->expand(parent);
    auto* model = tree->model();
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const auto child = model->index(row, 0, parent);
        if (child.data().toString() == caption) {
            return child;
        }
    }
    return {};
}

TEST_F(SearchWindowTest, AFolderChosenByHandBecomesThatListsTargetForTheKind) {
    addDrive('G', DriveType::Removable);
    std::filesystem::create_directories(folder.path() / "G" / "mp3" / "new");
    child<QTabWidget>("PageControl2")->setCurrentIndex(1);
    auto* targets = child<QComboBox>("ComboBox10");
    ASSERT_EQ(targets->count(), 5);
    EXPECT_EQ(targets->itemText(0), QString::fromUtf8("音乐：D:\\歌曲下载"));

    emit targets->activated(0);
    auto* tree = child<QTreeView>("ShellTreeView2");
    ASSERT_TRUE(tree->isVisible());
    const auto computer = tree->model()->index(0, 0);
    const auto chosen =
        openChild(tree, openChild(tree, openChild(tree, computer, "G:\\"), "mp3"), "new");
    ASSERT_TRUE(chosen.isValid());
    tree->clicked(chosen);

    EXPECT_FALSE(tree->isVisible());
    EXPECT_EQ(targets->itemText(0), QString::fromUtf8("音乐：G:\\mp3\\new"));
    EXPECT_EQ(targets->currentIndex(), 0);
    EXPECT_EQ(child<QComboBox>("ComboBox2")->itemText(0), QString::fromUtf8("音乐：D:\\歌曲下载"));

    emit targets->activated(1);
    tree->clicked(tree->model()->index(0, 0));  // 我的电脑 is no drive path
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QString::fromUtf8("你选择的不是有效路径!请重新选择!!"));
    EXPECT_EQ(targets->itemText(1), QString::fromUtf8("视频：D:\\歌曲下载"));

    targets->setCurrentIndex(0);
    child<QPushButton>("Button9")->click();
    ASSERT_EQ(shell.openedFolders.size(), 1u);
    EXPECT_EQ(shell.openedFolders[0], folder.path() / "G" / "mp3" / "new");
}

}  // namespace
}  // namespace qh
