#include <gtest/gtest.h>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <condition_variable>
#include <fstream>
#include <mutex>

#include "app/busy_animation.h"
#include "app/main_window.h"
#include "app/skins.h"
#include "app/window_test_shop.h"
#include "support/gated_copies.h"
#include "support/wait_for.h"
#include "support/window_children.h"
#include "text/gbk.h"
#include "text/text_list_file.h"

namespace qh {
namespace {

using testing::GatedCopies;
using testing::host;

// A library on F and drive D, where the lists copy while no customer disk is chosen.
class CopyWindowTest : public ::testing::Test, protected testing::WindowTestShop {
protected:
    CopyWindowTest() {
        installKeySounds();
        addDrive('F');
        addDrive('D');
        std::filesystem::create_directories(paths.dataDir);
        settings.write("PanFu1", "PanFu1", "F");
    }
    ~CopyWindowTest() override {
        gate.letAllThrough();
        window.reset();
    }

    std::filesystem::path song(const char* name, const std::string& data = "song") {
        return folder.write(host("F/青禾点唱库/1-音乐/") + host(name), data);
    }
    static std::string libraryPath(const char* name) {
        return gbk("F:\\青禾点唱库\\1-音乐\\") + gbk(name);
    }
    std::filesystem::path copied(const char* name) const {
        return folder.path() / "D" / host("歌曲下载") / host(name);
    }

    void open() {
        window = std::make_unique<MainWindow>(
            MainWindowServices{paths, settings, saveFailures, drives, gate, folderReader, shell,
                               sounds, media, inputMethods, driveEvents});
        window->setMessagePresenter([this](const QString& text) { messages.push_back(text); });
        window->show();
        ASSERT_TRUE(
            testing::waitFor([&] { return !window->findChild<QTimer*>("QiDTimer")->isActive(); }));
    }
    // Shows list `tab` (0 for 清单1) and downloads all of its entries.
    void downloadAll(int tab) {
        child<QTabWidget>("PageControl2")->setCurrentIndex(tab);
        child<QTreeView>("ListView2")->selectAll();
        const char* buttons[] = {"SpeedButton24", "SpeedButton61", "SpeedButton63", "SpeedButton65",
                                 "SpeedButton67"};
        child<QPushButton>(buttons[tab])->click();
    }

    template <typename T>
    T* child(const char* name) {
        return testing::child<T>(*window, name);
    }
    QString text(const char* label) { return child<QLabel>(label)->text(); }
    bool showsText(const char* label, const char* utf8) {
        return testing::waitFor([&] { return text(label) == QString::fromUtf8(utf8); });
    }
    // Shown on its tab, whether or not the tab is on screen.
    bool shownOnTab(const char* name) {
        auto* widget = child<QWidget>(name);
        return !widget->isHidden();
    }
    QString statusLine() {
        return child<QStatusBar>("StatusBar1")->findChild<QLabel*>("StatusPanel1")->text();
    }
    std::string lastSound() const {
        return sounds.played.empty() ? "" : sounds.played.back().filename().string();
    }

    GatedCopies gate{files};
    std::vector<QString> messages;
    std::unique_ptr<MainWindow> window;
};

TEST_F(CopyWindowTest, ABatchShowsEachFileOnItsTabAndEndsWithTheDoneNoticeAndSound) {
    song("a.mp3", "a");
    song("b.mp3", "b");
    song("c.mp3", "c");
    folder.write(host("D/歌曲下载/b.mp3"), "the customer's own");
    saveTextList(paths.dataDir / host("清单1.txt"),
                 {libraryPath("a.mp3"), libraryPath("b.mp3"), libraryPath("c.mp3")});
    open();
    gate.hold();
    downloadAll(0);

    EXPECT_TRUE(shownOnTab("Animate1"));
    EXPECT_TRUE(showsText("Label58", "1/3 正在下载...a.mp3"));
    EXPECT_FALSE(shownOnTab("Label66"));
    EXPECT_TRUE(child<QProgressBar>("ProgressBar1")->isVisible());
    EXPECT_TRUE(child<QTimer>("Timer8")->isActive());
    gate.letOneThrough();
    EXPECT_TRUE(showsText("Label58", "2/3 正在下载...b.mp3"));
    gate.letOneThrough();
    EXPECT_TRUE(showsText("Label58", "3/3 正在下载...c.mp3"));
    gate.letOneThrough();

    ASSERT_TRUE(testing::waitFor([&] { return shownOnTab("Label66"); }));
    EXPECT_EQ(text("Label66"), QString::fromUtf8("清单1 下载完成！"));
    EXPECT_EQ(text("Label58"), "");
    EXPECT_EQ(testing::readFile(copied("a.mp3")), "a");
    EXPECT_EQ(testing::readFile(copied("b.mp3")), "the customer's own");
    EXPECT_EQ(testing::readFile(copied("c.mp3")), "c");
    auto* bar = child<QProgressBar>("ProgressBar1");
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_FALSE(child<QTimer>("Timer8")->isActive());
    EXPECT_TRUE(testing::waitFor([&] { return !shownOnTab("Animate1"); }));
    EXPECT_EQ(statusLine(), "");  // 清单1's batch leaves the status line alone
    auto* soundTimer = window->findChild<QTimer*>("ShengYingTimer");
    ASSERT_TRUE(testing::waitFor([&] { return !soundTimer->isActive(); }));
    EXPECT_EQ(lastSound(), host("复制.wav"));
}

// A file that did not arrive: the clerk sees how many and why in the done notice's place, hears
// the error sound, sees the entry marked with its reason and is not charged for it; pressing
// 下载 again copies what is missing and leaves what arrived.
TEST_F(CopyWindowTest, AFileThatDidNotArriveIsMarkedUntilTheNextCopyDeliversIt) {
    song("a.mp3", "a");
    saveTextList(paths.dataDir / host("清单1.txt"), {libraryPath("a.mp3"), libraryPath("b.mp3")});
    open();
    ASSERT_EQ(text("Label22"), "2");
    downloadAll(0);

    ASSERT_TRUE(testing::waitFor([&] { return shownOnTab("UndeliveredNotice1"); }));
    EXPECT_EQ(text("UndeliveredNotice1"),
              QString::fromUtf8("清单1 下载未完成：1/2 个文件未复制（源文件不存在）"));
    EXPECT_FALSE(shownOnTab("Label66"));
    const auto& rows = window->shownRows();
    EXPECT_EQ(rows.data(rows.index(1, 0), Qt::ToolTipRole).toString(),
              QString::fromUtf8("未复制：源文件不存在"));
    EXPECT_EQ(rows.data(rows.index(1, 0), Qt::ForegroundRole).value<QColor>(),
              QColor(skinColours(0).alert));
    EXPECT_FALSE(rows.data(rows.index(0, 0), Qt::ToolTipRole).isValid());
    EXPECT_EQ(text("Label22"), "1");
    EXPECT_TRUE(shownOnTab("UndeliveredCount"));
    auto* soundTimer = window->findChild<QTimer*>("ShengYingTimer");
    ASSERT_TRUE(testing::waitFor([&] { return !soundTimer->isActive(); }));
    EXPECT_EQ(lastSound(), host("错误.wav"));
    EXPECT_TRUE(testing::waitFor([&] { return !shownOnTab("Animate1"); }));

    // The marks stay with the list through a switch to another list and back.
    child<QTabWidget>("PageControl2")->setCurrentIndex(1);
    child<QTabWidget>("PageControl2")->setCurrentIndex(0);
    EXPECT_TRUE(window->shownRows().data(rows.index(1, 0), Qt::ToolTipRole).isValid());

    std::filesystem::remove(copied("a.mp3"));
    folder.write(host("D/歌曲下载/a.mp3"), "what arrived");
    song("b.mp3", "b");
    downloadAll(0);
    ASSERT_TRUE(testing::waitFor([&] { return shownOnTab("Label66"); }));
    EXPECT_FALSE(shownOnTab("UndeliveredNotice1"));
    EXPECT_EQ(testing::readFile(copied("a.mp3")), "what arrived");
    EXPECT_EQ(testing::readFile(copied("b.mp3")), "b");
    EXPECT_FALSE(window->shownRows().data(rows.index(1, 0), Qt::ToolTipRole).isValid());
    EXPECT_EQ(text("Label22"), "2");
    EXPECT_FALSE(shownOnTab("UndeliveredCount"));
}

TEST_F(CopyWindowTest, SyncAddsWhileTheFirstCopiesAreServedByOneJob) {
    for (const char* name : {"0001 歌甲.mp3", "0002 歌乙.mp3", "0003 歌丙.mp3"}) {
        song(name);
    }
    open();
    child<QTabWidget>("PageControl2")->setCurrentIndex(1);
    child<QComboBox>("ComboBox1")->setEditText(QString::fromUtf8("歌"));
    child<QPushButton>("SpeedButton22")->click();
    ASSERT_TRUE(showsText("Label63", "就绪！"));
    ASSERT_EQ(window->results().rowCount(), 3);
    gate.hold();
    auto* results = child<QTreeView>("ListView1");
    const auto syncAdd = [&](int row) {
        results->setCurrentIndex(results->model()->index(row, 0));
        window->setCurrentFile(window->results().pathAt(row));
        emit results->doubleClicked(results->model()->index(row, 0));
    };

    // Rows come in the library's listing order; each line names its own row's file.
    const auto line = [&](const char* counters, int row) {
        const std::string path = window->results().pathAt(row);
        return QString::fromUtf8(counters) + QString::fromUtf8("正在下载...") +
               fromGbk(path.substr(path.rfind('\\') + 1));
    };
    const auto showsLine = [&](const QString& expected) {
        return testing::waitFor([&] { return text("Label67") == expected; });
    };

    syncAdd(0);
    EXPECT_TRUE(showsLine(line("1/1", 0)));
    syncAdd(1);
    syncAdd(2);
    EXPECT_TRUE(shownOnTab("Animate2"));
    gate.letOneThrough();
    EXPECT_TRUE(showsLine(line("2/3", 1)));
    EXPECT_FALSE(shownOnTab("Label70"));  // the first file's finish waited for the others
    gate.letOneThrough();
    EXPECT_TRUE(showsLine(line("3/3", 2)));
    gate.letOneThrough();

    ASSERT_TRUE(testing::waitFor([&] { return shownOnTab("Label70"); }));
    EXPECT_EQ(text("Label67"), "");
    EXPECT_FALSE(child<QProgressBar>("ProgressBar2")->isVisible());  // 清单2 hides it
    EXPECT_TRUE(testing::waitFor([&] { return !shownOnTab("Animate2"); }));
    for (const char* name : {"0001 歌甲.mp3", "0002 歌乙.mp3", "0003 歌丙.mp3"}) {
        EXPECT_EQ(testing::readFile(copied(name)), "song") << name;
    }
    // The copy took back the keyword the search had just recorded, and the box kept the text.
    EXPECT_TRUE(window->keywordHistory().empty());
    EXPECT_EQ(child<QComboBox>("ComboBox1")->count(), 0);
    EXPECT_EQ(child<QComboBox>("ComboBox1")->currentText(), QString::fromUtf8("歌"));
}

// An older search stays in the history; taking back the last entry, which the clerk has picked
// from the drop-down, must not put the older one into the box, or the next Enter searches it.
TEST_F(CopyWindowTest, TheKeywordBoxKeepsTheTypedTextWhenACopyTakesBackItsHistory) {
    song("0001 甜蜜.mp3");
    song("0002 月亮.mp3");
    open();
    auto* box = child<QComboBox>("ComboBox1");
    for (const char* typed : {"甜蜜", "月亮"}) {
        box->setEditText(QString::fromUtf8(typed));
        child<QPushButton>("SpeedButton22")->click();
        ASSERT_TRUE(showsText("Label63", "就绪！"));
    }
    box->setCurrentIndex(1);
    auto* results = child<QTreeView>("ListView1");
    results->setCurrentIndex(results->model()->index(0, 0));
    emit results->doubleClicked(results->model()->index(0, 0));
    ASSERT_TRUE(testing::waitFor([&] { return window->keywordHistory().size() == 1; }));
    EXPECT_EQ(box->currentText(), QString::fromUtf8("月亮"));
}

// The lists copy at once exactly when the box shows it ticked, whoever set it.
TEST_F(CopyWindowTest, CopyAtOnceFollowsTheBoxHoweverItWasSet) {
    song("0001 歌甲.mp3");
    open();
    child<QComboBox>("ComboBox1")->setEditText(QString::fromUtf8("歌"));
    child<QPushButton>("SpeedButton22")->click();
    ASSERT_TRUE(showsText("Label63", "就绪！"));
    auto* box = child<QCheckBox>("CheckBox2");
    box->setChecked(false);  // not by a click: as code or assistive technology would
    auto* results = child<QTreeView>("ListView1");
    results->setCurrentIndex(results->model()->index(0, 0));
    emit results->doubleClicked(results->model()->index(0, 0));
    ASSERT_EQ(window->downloadLists().shown().entries().size(), 1u);
    QTest::qWait(200);
    EXPECT_FALSE(std::filesystem::exists(copied("0001 歌甲.mp3")));
    EXPECT_FALSE(window->downloadLists().syncDownload());

    box->setChecked(true);
    EXPECT_TRUE(window->downloadLists().syncDownload());
}

TEST_F(CopyWindowTest, TheBarCountsTheListSizeAndMovesThreeUnitsASecond) {
    const auto film = song("big.mp3");
    std::filesystem::resize_file(film, 12'339'200);  // 12.05 units of 1,024,000 bytes
    saveTextList(paths.dataDir / host("清单1.txt"), {libraryPath("big.mp3")});
    open();
    ASSERT_EQ(window->listSizes().text(0), "12.05");
    auto* timer = child<QTimer>("Timer8");
    timer->setInterval(30);
    std::vector<std::pair<int, QString>> ticks;
    auto* bar = child<QProgressBar>("ProgressBar1");
    QObject::connect(timer, &QTimer::timeout, bar,
                     [&] { ticks.emplace_back(bar->value(), text("Label61")); });
    gate.hold();
    downloadAll(0);

    ASSERT_TRUE(testing::waitFor([&] { return ticks.size() >= 5; }));
    EXPECT_EQ(bar->maximum(), 12);
    EXPECT_EQ(ticks[0], std::make_pair(3, QStringLiteral("1")));
    EXPECT_EQ(ticks[3], std::make_pair(12, QStringLiteral("4")));
    EXPECT_EQ(ticks[4], std::make_pair(12, QStringLiteral("5")));
    gate.letAllThrough();
    EXPECT_TRUE(testing::waitFor([&] { return shownOnTab("Label66"); }));
    EXPECT_FALSE(timer->isActive());
}

TEST_F(CopyWindowTest, AMarkedSongArrivesWithoutItsBlockAndWithItsLyrics) {
    std::string data(5'407'552, '\0');
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<char>(i * 7 % 251);
    }
    song("qh2009老歌.mp3", data);
    song("老歌.lrc", "[00:01.00]");
    saveTextList(paths.dataDir / host("清单2.txt"), {libraryPath("qh2009老歌.mp3")});
    open();
    child<QTabWidget>("PageControl2")->setCurrentIndex(1);
    child<QCheckBox>("CheckBox4")->setChecked(true);
    downloadAll(1);

    ASSERT_TRUE(testing::waitFor([&] { return shownOnTab("Label70"); }));
    const std::string arrived = testing::readFile(copied("老歌.mp3"));
    ASSERT_EQ(arrived.size(), 5'000'000u);
    EXPECT_EQ(arrived, data.substr(407'552));
    EXPECT_EQ(testing::readFile(copied("老歌.lrc")), "[00:01.00]");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "D" / host("歌曲下载/清单2/老歌.mp3")));
    EXPECT_EQ(statusLine(), QString::fromUtf8("正在下载...1/1"));
}

TEST_F(CopyWindowTest, AJobGoesOnBehindAnotherListAndItsBarComesBackWithItsTab) {
    song("a.mp3");
    saveTextList(paths.dataDir / host("清单1.txt"), {libraryPath("a.mp3")});
    open();
    gate.hold();
    downloadAll(0);
    ASSERT_TRUE(showsText("Label58", "1/1 正在下载...a.mp3"));

    child<QTabWidget>("PageControl2")->setCurrentIndex(2);
    EXPECT_FALSE(child<QProgressBar>("ProgressBar1")->isVisible());
    EXPECT_TRUE(child<QProgressBar>("ProgressBar3")->isVisible());
    gate.letOneThrough();
    ASSERT_TRUE(testing::waitFor([&] { return shownOnTab("Label66"); }));
    EXPECT_FALSE(child<QProgressBar>("ProgressBar1")->isVisible());
    EXPECT_TRUE(std::filesystem::exists(copied("a.mp3")));

    child<QTabWidget>("PageControl2")->setCurrentIndex(0);
    auto* bar = child<QProgressBar>("ProgressBar1");
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(CopyWindowTest, ADownloadWhileTheListCopiesLeavesTheRunningJobAlone) {
    song("a.mp3");
    song("b.mp3");
    saveTextList(paths.dataDir / host("清单1.txt"), {libraryPath("a.mp3"), libraryPath("b.mp3")});
    open();
    gate.hold();
    downloadAll(0);
    ASSERT_TRUE(showsText("Label58", "1/2 正在下载...a.mp3"));

    child<QTreeView>("ListView2")->clearSelection();
    child<QTreeView>("ListView2")->setCurrentIndex(window->shownRows().index(1, 0));
    child<QPushButton>("SpeedButton24")->click();
    gate.letAllThrough();

    ASSERT_TRUE(testing::waitFor([&] { return shownOnTab("Label66"); }));
    EXPECT_EQ(window->downloadLists().list(0).copyControl().paths(),
              (std::vector<std::string>{libraryPath("a.mp3"), libraryPath("b.mp3")}));
    EXPECT_TRUE(std::filesystem::exists(copied("b.mp3")));
}

}  // namespace
}  // namespace qh
