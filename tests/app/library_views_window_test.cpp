#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeView>

#include "app/file_rows_model.h"
#include "app/main_window.h"
#include "app/window_test_shop.h"
#include "library/library_layout.h"
#include "support/gated_folder_reader.h"
#include "support/qstring_printer.h"
#include "support/wait_for.h"
#include "support/window_children.h"
#include "text/text_list_file.h"

namespace qh {
namespace {

using testing::host;

const char* const kStyleFolder = "青禾点唱库/1-音乐/分类歌曲/经典老歌";

// A shop whose library drives the test chooses before the window opens: F and G as folders, D
// for the copies of a sync add.
class LibraryViewsWindowTest : public ::testing::Test, protected testing::WindowTestShop {
protected:
    LibraryViewsWindowTest() {
        installKeySounds();
        addDrive('F');
        addDrive('G');
        addDrive('D');
        std::filesystem::create_directories(paths.dataDir);
    }

    void put(const std::string& utf8Path, std::string_view content = "x") {
        folder.write(host(utf8Path.c_str()), std::string(content));
    }
    void putLines(const char* dataFile, const std::vector<std::string>& lines) {
        ASSERT_TRUE(saveTextList(paths.dataFile(gbk(dataFile)), lines));
    }
    void start(std::array<const char*, 3> letters = {"F", "G", ""},
               const FolderReader* reader = nullptr) {
        for (int drive = 1; drive <= 3; ++drive) {
            const std::string key = "PanFu" + std::to_string(drive);
            settings.write(key, key, letters[drive - 1]);
        }
        auto services = this->services();
        if (reader != nullptr) {
            window = std::make_unique<MainWindow>(
                MainWindowServices{paths, settings, saveFailures, drives, files, *reader, shell,
                                   sounds, media, inputMethods, driveEvents});
        } else {
            window = std::make_unique<MainWindow>(services);
        }
        window->setMessagePresenter([this](const QString& text) { messages.push_back(text); });
        window->show();
        if (reader == nullptr) {
            ASSERT_TRUE(testing::waitFor([&] { return status() == QString::fromUtf8("就绪！"); }));
        }
        ASSERT_TRUE(
            testing::waitFor([&] { return !window->findChild<QTimer*>("QiDTimer")->isActive(); }));
        settleSounds();
    }

    template <typename T>
    T* child(const char* name) {
        return testing::child<T>(*window, name);
    }
    QString status() { return child<QLabel>("Label63")->text(); }
    void press(const char* buttonName) { child<QPushButton>(buttonName)->click(); }
    QPushButton* buttonCaptioned(QWidget* inside, const char* caption) {
        for (auto* button : inside->findChildren<QPushButton*>()) {
            if (button->text() == QString::fromUtf8(caption)) {
                return button;
            }
        }
        ADD_FAILURE() << "no button " << caption;
        return nullptr;
    }
    // The sound cues requested so far have played.
    void settleSounds() { ASSERT_TRUE(soundsSettled(*window)); }
    std::string lastSound() { return lastSoundOf(*window); }
    // A view's walk has ended once its sound has played.
    void waitForSound() {
        ASSERT_TRUE(testing::waitFor([&] { return !sounds.played.empty(); }));
        settleSounds();
    }
    std::vector<std::string> resultPaths() {
        std::vector<std::string> result;
        for (int row = 0; row < window->results().rowCount(); ++row) {
            result.push_back(window->results().pathAt(row));
        }
        return result;
    }
    QString cellText(int row, int column) {
        const auto& results = window->results();
        return results.data(results.index(row, column), Qt::DisplayRole).toString();
    }
    int groupHeight() { return child<QGroupBox>("GroupBox4")->height(); }
    int listHeight() { return child<QTreeView>("ListView1")->height(); }

    std::vector<QString> messages;
    std::unique_ptr<MainWindow> window;
};

// --- the singer page -----------------------------------------------------------------------

class SingerPageWindowTest : public LibraryViewsWindowTest {
protected:
    // Thirteen singers, with every kind of line end and none after the last.
    void writeSingerFile() {
        std::string content;
        const char* names[] = {"周杰伦", "刘德华", "张学友", "S.H.E",  "F4",   "王菲",  "陈奕迅",
                               "孙燕姿", "林俊杰", "梁静茹", "李宇春", "刀郎", "蔡依林"};
        const char* ends[] = {"\r\n", "\r", "\n"};
        for (std::size_t i = 0; i < std::size(names); ++i) {
            content += gbk(names[i]);
            if (i + 1 < std::size(names)) {
                content += ends[i % 3];
            }
        }
        folder.write(std::filesystem::path("app") / host("数据文件") / host("歌手.txt"), content);
    }
    QTableWidget* grid() { return child<QTableWidget>("StringGrid1"); }
    // The grid's cells, column by column.
    std::vector<QString> cells() {
        std::vector<QString> texts;
        for (int column = 0; column < 4; ++column) {
            for (int row = 0; row < 3; ++row) {
                texts.push_back(grid()->item(row, column)->text());
            }
        }
        return texts;
    }
    static std::vector<QString> texts(std::initializer_list<const char*> utf8) {
        std::vector<QString> result;
        for (const char* text : utf8) {
            result.push_back(QString::fromUtf8(text));
        }
        result.resize(12);
        return result;
    }
    void clickCell(int row, int column) {
        const QRect place = grid()->visualItemRect(grid()->item(row, column));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, place.center());
    }
};

TEST_F(SingerPageWindowTest, StartUpShowsEverySingerInPinyinOrderDownEachColumnAndPages) {
    writeSingerFile();
    start();
    EXPECT_EQ(cells(), texts({"F4", "S.H.E", "蔡依林", "陈奕迅", "刀郎", "李宇春", "梁静茹",
                              "林俊杰", "刘德华", "孙燕姿", "王菲", "张学友"}));
    press("SpeedButton12");
    EXPECT_EQ(cells(), texts({"周杰伦"}));
    press("SpeedButton12");  // the last page stays
    EXPECT_EQ(cells(), texts({"周杰伦"}));
    press("SpeedButton17");
    EXPECT_EQ(cells()[0], QString::fromUtf8("F4"));
    press("SpeedButton17");  // and so does the first
    EXPECT_EQ(cells()[0], QString::fromUtf8("F4"));
}

TEST_F(SingerPageWindowTest, LettersNarrowTheSingersAndADoubleClickClearsThem) {
    writeSingerFile();
    start();
    auto* letters = child<QLineEdit>("Edit1");
    for (const char* button : {"SpeedButton35", "SpeedButton27", "SpeedButton31"}) {  // L D H
        press(button);
    }
    EXPECT_EQ(letters->text(), "LDH");
    EXPECT_EQ(cells(), texts({"刘德华"}));
    letters->clear();
    press("SpeedButton35");  // L
    EXPECT_EQ(cells(), texts({"李宇春", "梁静茹", "林俊杰", "刘德华"}));
    QTest::keyClicks(letters, "j");  // typed in lower case: no singer's initials
    EXPECT_EQ(letters->text(), "Lj");
    EXPECT_EQ(cells(), texts({}));
    letters->setText("S.");
    EXPECT_EQ(cells(), texts({"S.H.E"}));
    QTest::mouseClick(letters, Qt::LeftButton);
    QTest::mouseDClick(letters, Qt::LeftButton);
    EXPECT_TRUE(letters->text().isEmpty());
    EXPECT_EQ(cells(), texts({}));  // every singer again only at the next start
}

TEST_F(SingerPageWindowTest, PickingASingerSearchesForTheNameAndAnEmptyCellDoesNothing) {
    writeSingerFile();
    put("F/青禾点唱库/1-音乐/刘德华/0101 刘德华-忘情水.mp3");
    put("F/青禾点唱库/1-音乐/0202 张学友-吻别.mp3");
    start();
    press("SpeedButton11");
    child<QLineEdit>("Edit1")->setText("LDH");
    clickCell(0, 0);
    EXPECT_EQ(child<QComboBox>("ComboBox1")->currentText(), QString::fromUtf8("刘德华"));
    ASSERT_TRUE(testing::waitFor([&] { return status() == QString::fromUtf8("就绪！"); }));
    EXPECT_EQ(
        resultPaths(),
        (std::vector<std::string>{gbk("F:\\青禾点唱库\\1-音乐\\刘德华\\0101 刘德华-忘情水.mp3")}));
    EXPECT_EQ(window->keywordHistory(), (std::vector<std::string>{gbk("刘德华")}));

    clickCell(2, 3);
    EXPECT_EQ(window->keywordHistory().size(), 1u);
    EXPECT_EQ(child<QComboBox>("ComboBox1")->currentText(), QString::fromUtf8("刘德华"));
}

TEST_F(SingerPageWindowTest, WithoutASingerFileTheGridStaysEmptyWhateverIsPressed) {
    start();
    for (const char* button : {"SpeedButton12", "SpeedButton17", "SpeedButton9"}) {
        press(button);
        EXPECT_EQ(cells(), texts({}));
    }
    clickCell(0, 0);
    EXPECT_TRUE(window->keywordHistory().empty());
}

TEST_F(SingerPageWindowTest, TheGridAndTheLetterButtonsLieWhereTheShopKnowsThem) {
    start();
    EXPECT_EQ(grid()->geometry(), QRect(8, 8, 289, 89));
    EXPECT_EQ(grid()->rowCount(), 3);
    EXPECT_EQ(grid()->columnCount(), 4);
    EXPECT_EQ(child<QWidget>("SpeedButton17")->geometry(), QRect(296, 8, 49, 25));
    EXPECT_EQ(child<QWidget>("SpeedButton12")->geometry(), QRect(296, 40, 49, 25));
    EXPECT_EQ(child<QWidget>("Edit1")->geometry(), QRect(296, 72, 49, 21));
    EXPECT_EQ(child<QWidget>("Edit1")->toolTip(), QString::fromUtf8("字母输入框,双击清空"));
    const struct {
        char letter;
        const char* name;
        QPoint place;
    } buttons[] = {
        {'A', "SpeedButton9", {352, 8}},   {'B', "SpeedButton21", {376, 8}},
        {'C', "SpeedButton26", {400, 8}},  {'D', "SpeedButton27", {424, 8}},
        {'E', "SpeedButton28", {448, 8}},  {'F', "SpeedButton29", {472, 8}},
        {'G', "SpeedButton30", {496, 8}},  {'H', "SpeedButton31", {352, 32}},
        {'I', "SpeedButton32", {376, 32}}, {'J', "SpeedButton33", {400, 32}},
        {'K', "SpeedButton34", {424, 32}}, {'L', "SpeedButton35", {448, 32}},
        {'M', "SpeedButton36", {472, 32}}, {'N', "SpeedButton37", {496, 32}},
        {'O', "SpeedButton38", {360, 56}}, {'P', "SpeedButton39", {384, 56}},
        {'Q', "SpeedButton40", {408, 56}}, {'R', "SpeedButton41", {432, 56}},
        {'S', "SpeedButton42", {456, 56}}, {'T', "SpeedButton43", {480, 56}},
        {'U', "SpeedButton44", {360, 80}}, {'V', "SpeedButton45", {384, 80}},
        {'W', "SpeedButton46", {408, 80}}, {'X', "SpeedButton47", {432, 80}},
        {'Y', "SpeedButton48", {456, 80}}, {'Z', "SpeedButton49", {480, 80}},
    };
    auto* letters = child<QLineEdit>("Edit1");
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.name);
        auto* button = child<QPushButton>(b.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString(QChar::fromLatin1(b.letter)));
        EXPECT_EQ(button->geometry(), QRect(b.place, QSize(24, 24)));
        letters->clear();
        button->click();
        EXPECT_EQ(letters->text(), QString(QChar::fromLatin1(b.letter)));
    }
}

// --- the category panel ---------------------------------------------------------------------

TEST_F(LibraryViewsWindowTest, OpeningThePanelMakesEveryStyleFolderOnTheBrowsedDrivesOnly) {
    addDrive('H');
    settings.write("PanFu4", "PanFu4", "H");  // the fourth drive is searched, never browsed
    start({"F", " ", "G"});
    press("SpeedButton11");
    EXPECT_TRUE(child<QTabWidget>("PageControl1")->isVisible());
    EXPECT_EQ(lastSound(), host("选定.wav"));
    EXPECT_EQ(listHeight(), groupHeight() - 160);
    for (const auto& subfolder : subfolderTree()) {
        SCOPED_TRACE(fromGbk(subfolder).toStdString());
        for (const char drive : {'F', 'G'}) {
            auto made = folder.path() / std::string(1, drive) / gbkToHostName(libraryFolderName());
            for (std::size_t from = 0, to; (to = subfolder.find('\\', from)) != std::string::npos;
                 from = to + 1) {
                made /= gbkToHostName(subfolder.substr(from, to - from));
            }
            EXPECT_TRUE(std::filesystem::is_directory(made)) << drive;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "H" / gbkToHostName(libraryFolderName()) /
                                         host("1-音乐") / host("分类歌曲")));
    // The blank drive box made nothing anywhere, the program's own folder included.
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "app" / host("青禾点唱库")));
}

TEST_F(LibraryViewsWindowTest, EveryPageHasItsCaptionAndEveryButtonItsSubfolderAndName) {
    start();
    auto* panel = child<QTabWidget>("PageControl1");
    EXPECT_EQ(panel->tabPosition(), QTabWidget::South);
    const std::vector<const char*> captions = {"歌手", "音乐", "游戏", "铃声", "其它"};
    ASSERT_EQ(panel->count(), 5);
    for (int page = 0; page < 5; ++page) {
        EXPECT_EQ(panel->tabText(page), QString::fromUtf8(captions[page]));
    }
    const struct {
        int page;
        const char* caption;
        const char* name;
    } buttons[] = {
        {1, "经典老歌", "SpeedButton1"},   {1, "男女对唱", "SpeedButton2"},
        {1, "闽南台语", "SpeedButton6"},   {1, "影视金曲", "SpeedButton4"},
        {1, "DJ串烧", "SpeedButton5"},     {1, "DJ舞曲", "SpeedButton103"},
        {1, "英文歌曲", "SpeedButton15"},  {1, "非主流", "SpeedButton7"},
        {1, "伤感情歌", "SpeedButton19"},  {1, "儿童歌曲", "SpeedButton20"},
        {1, "葫芦丝", "SpeedButton71"},    {1, "萨克斯", "SpeedButton100"},
        {1, "校园歌曲", "SpeedButton102"}, {1, "新年歌", "SpeedButton101"},
        {1, "革命歌曲", "SpeedButton3"},   {1, "戏曲音乐", "SpeedButton16"},
        {2, "jar格式", "SpeedButton83"},   {2, "sis格式", "SpeedButton82"},
        {2, "nes格式", "SpeedButton81"},   {2, "blz格式", "SpeedButton80"},
        {2, "app格式", "SpeedButton79"},   {2, "gb格式", "SpeedButton78"},
        {2, "gbc格式", "SpeedButton77"},   {2, "smc格式", "SpeedButton76"},
        {3, "mp3铃声", "SpeedButton58"},   {3, "彩信铃声", "SpeedButton59"},
        {3, "和弦铃声", "SpeedButton60"},  {3, "特色铃声", "SpeedButton25"},
        {3, "热门铃声", "SpeedButton117"}, {4, "AMV格式", "SpeedButton93"},
        {4, "ASF格式", "SpeedButton94"},   {4, "AVI格式", "SpeedButton92"},
        {4, "FLV格式", "SpeedButton118"},  {4, "MP4格式", "SpeedButton91"},
        {4, "RM格式", "SpeedButton96"},    {4, "WMV格式", "SpeedButton99"},
        {4, "RMVB格式", "SpeedButton95"},
    };
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.name);
        auto* button = child<QPushButton>(b.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromUtf8(b.caption));
        EXPECT_TRUE(panel->widget(b.page)->isAncestorOf(button));
    }
}

TEST_F(LibraryViewsWindowTest, AStyleViewListsEveryFileBelowTheFolderOnEachDriveInWalkOrder) {
    for (int i = 1; i <= 20; ++i) {
        put("F/" + std::string(kStyleFolder) + "/" + std::to_string(i) + " 老歌.mp3");
    }
    put("F/" + std::string(kStyleFolder) + "/邓丽君/甜蜜蜜.wma");
    put("G/" + std::string(kStyleFolder) + "/甜蜜蜜.mp3");
    put("F/青禾点唱库/1-音乐/分类歌曲/男女对唱/不是老歌.mp3");
    start();
    press("SpeedButton11");
    child<QTabWidget>("PageControl1")->setCurrentIndex(1);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        sounds.played.clear();
        press("SpeedButton1");
        waitForSound();
        const auto paths = resultPaths();
        ASSERT_EQ(paths.size(), 22u);
        EXPECT_EQ(paths[20], gbk("F:\\青禾点唱库\\1-音乐\\分类歌曲\\经典老歌\\邓丽君\\甜蜜蜜.wma"));
        EXPECT_EQ(paths[21], gbk("G:\\青禾点唱库\\1-音乐\\分类歌曲\\经典老歌\\甜蜜蜜.mp3"));
        EXPECT_EQ(cellText(0, 3), "1");
        EXPECT_EQ(cellText(21, 3), "22");
        EXPECT_EQ(child<QLabel>("Label16")->text(), QString::fromUtf8("22 个对象"));
        EXPECT_EQ(lastSound(), host("查找.wav"));
        EXPECT_FALSE(child<QWidget>("ListBox8")->isVisible());
        // The panel stays open over the shortened list.
        EXPECT_TRUE(child<QTabWidget>("PageControl1")->isVisible());
        EXPECT_EQ(listHeight(), groupHeight() - 160);
    }
}

TEST_F(LibraryViewsWindowTest, ALetterHeldByTwoDrivesListsItsFilesTwice) {
    for (int i = 1; i <= 20; ++i) {
        put("F/" + std::string(kStyleFolder) + "/" + std::to_string(i) + ".mp3");
    }
    start({"F", "F", ""});
    press("SpeedButton11");
    press("SpeedButton1");
    waitForSound();
    const auto paths = resultPaths();
    ASSERT_EQ(paths.size(), 40u);
    EXPECT_EQ(std::vector(paths.begin(), paths.begin() + 20),
              std::vector(paths.begin() + 20, paths.end()));
}

TEST_F(LibraryViewsWindowTest, AViewThatFindsNothingSoundsTheErrorAndLeavesTheIntroduction) {
    start();
    press("SpeedButton11");
    child<QTabWidget>("PageControl1")->setCurrentIndex(3);
    sounds.played.clear();
    buttonCaptioned(child<QWidget>("PageControl1"), "特色铃声")->click();
    waitForSound();
    EXPECT_EQ(window->results().rowCount(), 0);
    EXPECT_EQ(child<QLabel>("Label16")->text(), QString::fromUtf8("0 个对象"));
    EXPECT_EQ(lastSound(), host("错误.wav"));
    EXPECT_TRUE(child<QWidget>("ListBox8")->isVisible());
    EXPECT_TRUE(messages.empty());
}

// Number mode adds and copies nothing on a view: the clerk picks from what it shows.
TEST_F(LibraryViewsWindowTest, InNumberModeAViewOnlyShowsWhatItFound) {
    put("F/" + std::string(kStyleFolder) + "/0001 老歌.mp3");
    putLines("清单1.txt", {});
    start();
    child<QCheckBox>("CheckBox1")->click();
    press("SpeedButton11");
    sounds.played.clear();
    press("SpeedButton1");
    waitForSound();
    ASSERT_EQ(window->results().rowCount(), 1);
    EXPECT_EQ(lastSound(), host("查找.wav"));
    QTest::qWait(100);  // longer than the number search's 10 ms add
    EXPECT_TRUE(window->downloadLists().shown().entries().empty());
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path() / "D")) {
        EXPECT_TRUE(entry.is_directory()) << entry.path();  // the staging folders, empty
    }
}

TEST_F(LibraryViewsWindowTest, ATabPressOrABackgroundClickClosesThePanelAndTheBar) {
    start();
    for (const bool tab : {true, false}) {
        SCOPED_TRACE(tab);
        press("SpeedButton11");
        press("SpeedButton8");
        // A click inside the panel is the panel's own.
        QTest::mouseClick(child<QTabWidget>("PageControl1"), Qt::LeftButton, {}, QPoint(510, 5));
        ASSERT_TRUE(child<QTabWidget>("PageControl1")->isVisible());
        if (tab) {
            QTest::mousePress(window->findChild<QWidget*>("CategoryTab0"), Qt::LeftButton);
        } else {
            QTest::mouseClick(window->centralWidget(), Qt::LeftButton, {}, QPoint(5, 660));
        }
        EXPECT_FALSE(child<QTabWidget>("PageControl1")->isVisible());
        EXPECT_FALSE(child<QGroupBox>("GroupBox9")->isVisible());
        EXPECT_EQ(listHeight(), groupHeight() - 40);
    }
}

// --- new additions --------------------------------------------------------------------------

TEST_F(LibraryViewsWindowTest, NewAdditionsShowWhatLiesInEachCategorysFolderOnEveryDrive) {
    put("F/青禾点唱库/3-电影/新增电影/新片.rmvb");
    put("G/青禾点唱库/3-电影/新增电影/系列/第二部.rmvb");
    put("F/青禾点唱库/3-电影/旧片.rmvb");
    start();
    press("SpeedButton11");
    press("SpeedButton8");
    EXPECT_TRUE(child<QGroupBox>("GroupBox9")->isVisible());
    EXPECT_TRUE(child<QTabWidget>("PageControl1")->isVisible());  // 新增资源 does nothing else

    const struct {
        const char* name;
        const char* caption;
        const char* folder;
    } bar[] = {{"SpeedButton52", "音乐", "1-音乐/新增歌曲"},
               {"SpeedButton54", "MTV", "2-MTV/新增MTV"},
               {"SpeedButton53", "电影", "3-电影/新增电影"},
               {"SpeedButton55", "连续剧", "4-连续剧/新增连续剧"},
               {"SpeedButton56", "生活片", "8-伦理片/新增生活片"}};
    int left = -1;
    for (const auto& b : bar) {
        SCOPED_TRACE(b.name);
        auto* button = child<QPushButton>(b.name);
        EXPECT_EQ(button->text(), QString::fromUtf8(b.caption));
        EXPECT_GT(button->x(), left);
        left = button->x();
        sounds.played.clear();
        button->click();
        waitForSound();
        for (const char drive : {'F', 'G'}) {
            EXPECT_TRUE(std::filesystem::is_directory(
                folder.path() / host((std::string(1, drive) + "/青禾点唱库/" + b.folder).c_str())));
        }
        EXPECT_FALSE(child<QTabWidget>("PageControl1")->isVisible());
        EXPECT_TRUE(child<QGroupBox>("GroupBox9")->isVisible());
        EXPECT_EQ(listHeight(), groupHeight() - 40);
    }
    sounds.played.clear();
    press("SpeedButton53");
    waitForSound();
    EXPECT_EQ(resultPaths(), (std::vector<std::string>{
                                 gbk("F:\\青禾点唱库\\3-电影\\新增电影\\新片.rmvb"),
                                 gbk("G:\\青禾点唱库\\3-电影\\新增电影\\系列\\第二部.rmvb")}));
    EXPECT_EQ(lastSound(), host("查找.wav"));
}

// --- the hot ranking ------------------------------------------------------------------------

TEST_F(LibraryViewsWindowTest, TheRankingShowsTheHighestCountFirstWithCountsAndMissingFiles) {
    put("F/青禾点唱库/1-音乐/a.mp3", std::string(20480, 'a'));
    put("F/青禾点唱库/1-音乐/b.mp3", std::string(100, 'b'));
    putLines("热门推荐.txt",
             {gbk("001C,F:\\青禾点唱库\\1-音乐\\a.mp3"), gbk("001C,F:\\青禾点唱库\\1-音乐\\b.mp3"),
              gbk("003C,F:\\青禾点唱库\\3-电影\\c.rmvb")});
    start();
    press("SpeedButton11");
    sounds.played.clear();
    press("SpeedButton50");
    ASSERT_EQ(window->results().rowCount(), 3);
    EXPECT_EQ(window->results().source(), ResultSource::RankingCopy);
    const struct {
        const char* name;
        const char* type;
        const char* size;
    } rows[] = {{"003C,c", "rmvb", "不存在"}, {"001C,b", "mp3", "0.00"}, {"001C,a", "mp3", "0.02"}};
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(cellText(row, 0), QString::fromUtf8(rows[row].name));
        EXPECT_EQ(cellText(row, 1), QString::fromUtf8(rows[row].type));
        EXPECT_EQ(cellText(row, 2), QString::fromUtf8(rows[row].size));
        EXPECT_EQ(cellText(row, 3), QString::number(row + 1));
    }
    EXPECT_EQ(child<QLabel>("Label16")->text(), QString::fromUtf8("3 个对象"));
    EXPECT_EQ(window->currentFile(), gbk("F:\\青禾点唱库\\3-电影\\c.rmvb"));
    EXPECT_EQ(lastSound(), host("选定.wav"));
    EXPECT_FALSE(child<QTabWidget>("PageControl1")->isVisible());
    EXPECT_FALSE(child<QWidget>("ListBox8")->isVisible());
    EXPECT_EQ(listHeight(), groupHeight() - 40);
    EXPECT_TRUE(messages.empty());
}

TEST_F(LibraryViewsWindowTest, EveryOperationOnARankingRowTakesTheFileOfItsLine) {
    put("F/青禾点唱库/1-音乐/a.mp3");
    put("F/青禾点唱库/1-音乐/b.mp3");
    putLines("热门推荐.txt", {gbk("001C,F:\\青禾点唱库\\1-音乐\\a.mp3"),
                              gbk("002C,F:\\青禾点唱库\\1-音乐\\b.mp3")});
    putLines("清单1.txt", {});
    start();
    child<QCheckBox>("CheckBox2")->click();  // no sync copy: the list alone shows the add
    press("SpeedButton50");
    const auto a = gbk("F:\\青禾点唱库\\1-音乐\\a.mp3");
    auto* list = child<QTreeView>("ListView1");
    const QRect second = list->visualRect(window->results().index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(window->currentFile(), a);
    EXPECT_EQ(child<QLabel>("StatusPanel0")->text(), fromGbk(a));

    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(window->downloadLists().shown().entries(), (std::vector<std::string>{a}));

    const auto playlistFile = paths.dataFile(gbk("播放列表.txt"));
    window->findChild<QAction*>("N19")->trigger();
    EXPECT_EQ(loadTextList(playlistFile), (std::vector<std::string>{a}));
    window->findChild<QAction*>("N24")->trigger();
    EXPECT_EQ(loadTextList(playlistFile),
              (std::vector<std::string>{a, gbk("F:\\青禾点唱库\\1-音乐\\b.mp3"), a}));
    // The playlist shows the rows as the ranking names them.
    auto* playlist = child<QListView>("ListBox9")->model();
    ASSERT_EQ(playlist->rowCount(), 3);
    EXPECT_EQ(playlist->index(0, 0).data().toString(), QString::fromUtf8("001C,a"));
}

TEST_F(LibraryViewsWindowTest, AnEmptyHotListIsToldAndLeavesTheResultsAsTheyWere) {
    put("F/青禾点唱库/1-音乐/月亮.mp3");
    start();
    child<QComboBox>("ComboBox1")->setEditText(QString::fromUtf8("月亮"));
    press("SpeedButton22");
    ASSERT_TRUE(testing::waitFor([&] { return status() == QString::fromUtf8("就绪！"); }));
    const auto before = resultPaths();
    ASSERT_EQ(before.size(), 1u);
    press("SpeedButton50");
    ASSERT_EQ(messages, (std::vector<QString>{QString::fromUtf8("对不起，目前还没有记录")}));
    EXPECT_EQ(resultPaths(), before);
    EXPECT_EQ(window->results().source(), ResultSource::PathList);
    EXPECT_EQ(cellText(0, 0), QString::fromUtf8("月亮"));
    EXPECT_EQ(child<QLabel>("Label16")->text(), QString::fromUtf8("1 个对象"));
}

TEST_F(LibraryViewsWindowTest, LinesThatAreNoHotLineAreRankedWithoutHarm) {
    putLines("热门推荐.txt",
             {"", gbk("没有计数的一行"), gbk("xyzC,F:\\青禾点唱库\\a.mp3"),
              gbk("001C,Q:\\青禾点唱库\\不在的盘.mp3"), gbk("001C,"), std::string(100000, 'C')});
    start();
    press("SpeedButton50");
    ASSERT_EQ(window->results().rowCount(), 6);
    for (int row = 0; row < 6; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(cellText(row, 2), QString::fromUtf8("不存在"));
    }
    EXPECT_EQ(cellText(0, 0), QString::fromUtf8("001C,不在的盘"));
}

TEST_F(LibraryViewsWindowTest, ARankingCountsTheDownloadsMadeSinceTheStart) {
    put("F/青禾点唱库/1-音乐/a.mp3");
    put("F/青禾点唱库/1-音乐/b.mp3");
    putLines("热门推荐.txt", {gbk("001C,F:\\青禾点唱库\\1-音乐\\a.mp3"),
                              gbk("002C,F:\\青禾点唱库\\1-音乐\\b.mp3")});
    start();
    press("SpeedButton50");
    EXPECT_EQ(cellText(0, 0), QString::fromUtf8("002C,b"));
    for (int download = 0; download < 2; ++download) {
        window->armHotCount(gbk("F:\\青禾点唱库\\1-音乐\\a.mp3"));
        ASSERT_TRUE(
            testing::waitFor([&] { return !window->findChild<QTimer*>("BaiSTimer")->isActive(); }));
    }
    EXPECT_EQ(cellText(0, 0), QString::fromUtf8("002C,b"));  // the ranking shown stays
    press("SpeedButton50");
    EXPECT_EQ(cellText(0, 0), QString::fromUtf8("003C,a"));
    EXPECT_EQ(cellText(1, 0), QString::fromUtf8("002C,b"));
}

// The count goes to the file the copy worker copied, though the clerk has picked another row by
// the time it is made.
TEST_F(LibraryViewsWindowTest, ADownloadCountsTheFileCopiedNotTheRowPickedSince) {
    put("F/青禾点唱库/1-音乐/月亮一.mp3");
    put("F/青禾点唱库/1-音乐/月亮二.mp3");
    start();
    child<QComboBox>("ComboBox1")->setEditText(QString::fromUtf8("月亮"));
    press("SpeedButton22");
    ASSERT_TRUE(testing::waitFor([&] { return status() == QString::fromUtf8("就绪！"); }));
    ASSERT_EQ(window->results().rowCount(), 2);
    const std::string copied = window->results().pathAt(0);
    auto* list = child<QTreeView>("ListView1");
    const QRect first = list->visualRect(window->results().index(0, 0));
    const QRect second = list->visualRect(window->results().index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    ASSERT_TRUE(testing::waitFor([&] { return !window->hotList().empty(); }));
    QTest::qWait(100);
    EXPECT_EQ(window->hotList().lines(), (std::vector<std::string>{"001C," + copied}));
    EXPECT_NE(window->currentFile(), copied);
}

TEST_F(LibraryViewsWindowTest, TheResourceButtonOpensTheVendorsPageInTheBrowser) {
    start();
    auto* button = child<QPushButton>("SpeedButton51");
    EXPECT_EQ(button->accessibleName(), QString::fromUtf8("青禾点唱 资源网"));
    EXPECT_TRUE(child<QGroupBox>("GroupBox7")->isAncestorOf(button));
    button->click();
    EXPECT_EQ(shell.openedAddresses,
              (std::vector<std::string>{"http://www.qinghe-diange.example/wangye/zygx.htm"}));
}

// --- walks that overlap ---------------------------------------------------------------------

// Every walk is held at the folder "慢" below the style folder until the gate opens: the warm-up
// search first, then what the clerk starts while it waits.
class OverlappingWalksTest : public LibraryViewsWindowTest {
protected:
    OverlappingWalksTest() {
        put("F/青禾点唱库/1-音乐/绿野青禾.mp3");
        put("F/" + std::string(kStyleFolder) + "/老歌.mp3");
        put("F/" + std::string(kStyleFolder) + "/慢/绿野青禾 老歌.mp3");
    }
    void startHeld() {
        start({"F", "", ""}, &slowDisk);
        ASSERT_TRUE(testing::waitFor([&] { return slowDisk.reached(); }));
    }
    void startStyleView() {
        press("SpeedButton11");
        press("SpeedButton1");
    }
    const std::string styleSong = gbk("F:\\青禾点唱库\\1-音乐\\分类歌曲\\经典老歌\\老歌.mp3");
    const std::string heldSong =
        gbk("F:\\青禾点唱库\\1-音乐\\分类歌曲\\经典老歌\\慢\\绿野青禾 老歌.mp3");
    testing::GatedReader slowDisk{folderReader, "慢"};
};

TEST_F(OverlappingWalksTest, AViewTakesThePlaceOfARunningSearch) {
    startHeld();
    ASSERT_TRUE(testing::waitFor([&] { return window->results().rowCount() == 1; }));
    startStyleView();
    EXPECT_EQ(status(), QString::fromUtf8("就绪！"));
    EXPECT_TRUE(child<QPushButton>("SpeedButton22")->isEnabled());
    EXPECT_FALSE(window->findChild<QTimer*>("Timer13")->isActive());
    ASSERT_TRUE(testing::waitFor([&] { return window->results().rowCount() == 1; }));
    slowDisk.openGate();
    waitForSound();
    QTest::qWait(100);
    EXPECT_EQ(resultPaths(), (std::vector<std::string>{styleSong, heldSong}));
    EXPECT_EQ(lastSound(), host("查找.wav"));
}

TEST_F(OverlappingWalksTest, ASearchTakesThePlaceOfARunningView) {
    startHeld();
    startStyleView();
    ASSERT_TRUE(testing::waitFor([&] { return resultPaths() == std::vector{styleSong}; }));
    child<QComboBox>("ComboBox1")->setEditText(QString::fromUtf8("绿野青禾"));
    press("SpeedButton22");
    slowDisk.openGate();
    ASSERT_TRUE(testing::waitFor([&] { return status() == QString::fromUtf8("就绪！"); }));
    QTest::qWait(100);
    EXPECT_EQ(resultPaths(),
              (std::vector<std::string>{gbk("F:\\青禾点唱库\\1-音乐\\绿野青禾.mp3"), heldSong}));
}

TEST_F(OverlappingWalksTest, TheRankingStopsARunningSearch) {
    putLines("热门推荐.txt", {gbk("001C,F:\\青禾点唱库\\a.mp3")});
    startHeld();
    press("SpeedButton50");
    EXPECT_EQ(status(), QString::fromUtf8("就绪！"));
    slowDisk.openGate();
    QTest::qWait(200);
    ASSERT_EQ(window->results().rowCount(), 1);
    EXPECT_EQ(window->results().pathAt(0), gbk("F:\\青禾点唱库\\a.mp3"));
}

}  // namespace
}  // namespace qh
