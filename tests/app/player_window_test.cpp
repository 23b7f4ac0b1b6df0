#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>
#include <cstdlib>

#include "app/category_tab_strip.h"
#include "app/main_window.h"
#include "app/window_test_shop.h"
#include "support/qstring_printer.h"
#include "support/wait_for.h"
#include "support/window_children.h"
#include "text/text_list_file.h"

namespace qh {
namespace {

namespace fs = std::filesystem;
using testing::host;

// A shop with songs and a film on drive F, a fake music device, and no video player on the
// search path unless a test puts one there.
class PlayerWindowTest : public ::testing::Test, protected testing::WindowTestShop {
protected:
    PlayerWindowTest() {
        addDrive('F');
        addDrive('D');
        fs::create_directories(paths.dataDir);
        settings.write("PanFu1", "PanFu1", "F");
        const char* old = std::getenv("PATH");
        savedPath_ = old != nullptr ? old : "";
        fs::create_directories(folder.path() / "bin");
        ::setenv("PATH", (folder.path() / "bin").c_str(), 1);
    }
    ~PlayerWindowTest() override { ::setenv("PATH", savedPath_.c_str(), 1); }

    std::string song(const char* utf8Name, std::size_t size = 5000) {
        folder.write(host((std::string("F/青禾点唱库/1-音乐/") + utf8Name).c_str()),
                     std::string(size, 'a'));
        return gbk("F:\\青禾点唱库\\1-音乐\\") + gbk(utf8Name);
    }
    fs::path hostOf(const std::string& path) const { return *drives.snapshot()->resolve(path); }
    fs::path playlistFile() const { return paths.dataFile(gbk("播放列表.txt")); }
    std::string playlistFileEntry(int row) const { return loadTextList(playlistFile()).at(row); }

    void open() {
        window = std::make_unique<MainWindow>(services());
        window->setMessagePresenter([this](const QString& text) { messages.push_back(text); });
        window->show();
        ASSERT_TRUE(testing::waitFor([&] { return status() == QString::fromUtf8("就绪！"); }));
        ASSERT_TRUE(
            testing::waitFor([&] { return !window->findChild<QTimer*>("QiDTimer")->isActive(); }));
        // Searches go through the whole library, films and every kind of song included.
        window->findChild<CategoryTabStrip*>("TabControl4")->setCurrentIndex(-1);
    }
    template <typename T>
    T* child(const char* name) {
        return testing::child<T>(*window, name);
    }
    QString status() { return child<QLabel>("Label63")->text(); }
    QString text(const char* label) { return child<QLabel>(label)->text(); }
    void search(const char* typed) {
        child<QComboBox>("ComboBox1")->setEditText(QString::fromUtf8(typed));
        child<QPushButton>("SpeedButton22")->click();
        ASSERT_TRUE(testing::waitFor([&] { return status() == QString::fromUtf8("就绪！"); }));
    }
    void pickResult(int row) {
        auto* list = child<QTreeView>("ListView1");
        const QRect place = list->visualRect(window->results().index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
    }
    void selectResults(int first, int last) {
        auto* list = child<QTreeView>("ListView1");
        list->selectionModel()->select(
            QItemSelection(window->results().index(first, 0), window->results().index(last, 0)),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    void trigger(const char* action) { window->findChild<QAction*>(action)->trigger(); }
    QStringList playlistNames() {
        QStringList names;
        auto* model = child<QListView>("ListBox9")->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            names << model->index(row, 0).data().toString();
        }
        return names;
    }
    // A click on the entry, as the clerk makes it; `twice` adds the double click.
    void clickEntry(int row, bool twice = false) {
        auto* box = child<QListView>("ListBox9");
        const QRect place = box->visualRect(box->model()->index(row, 0));
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, place.center());
        if (twice) {
            QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, place.center());
        }
    }
    bool playing(const fs::path& file) {
        return testing::waitFor(
            [&] { return !media.opened.empty() && media.opened.back() == file; });
    }

    std::vector<QString> messages;
    std::unique_ptr<MainWindow> window;

private:
    std::string savedPath_;
};

TEST_F(PlayerWindowTest, ThePlaylistFileLoadsAtStartInItsOrderByDisplayName) {
    saveTextList(playlistFile(), {song("0012 月亮.mp3"), gbk("Q:\\不在\\歌qh2009.mp3"),
                                  "\xff\xfe bad", std::string(1 << 20, 'x')});
    open();
    ASSERT_EQ(playlistNames().size(), 4);
    EXPECT_EQ(playlistNames()[0], QString::fromUtf8("0012 月亮"));
    EXPECT_EQ(playlistNames()[1], QString::fromUtf8("歌"));
}

TEST_F(PlayerWindowTest, ResultRowsJoinThePlaylistAndItsFileOnAddAndClearButNotOnRemove) {
    for (const char* name : {"月亮 a.mp3", "月亮 b.mp3", "月亮 c.mp3"}) {
        song(name);
    }
    open();
    search("月亮");
    ASSERT_EQ(window->results().rowCount(), 3);
    selectResults(0, 1);
    trigger("N19");
    const auto& rows = window->results();
    EXPECT_EQ(playlistNames(),
              (QStringList{fromGbk(rows.captionAt(0)), fromGbk(rows.captionAt(1))}));
    EXPECT_EQ(loadTextList(playlistFile()),
              (std::vector<std::string>{rows.pathAt(0), rows.pathAt(1)}));

    trigger("N24");
    EXPECT_EQ(playlistNames().size(), 5);
    EXPECT_EQ(loadTextList(playlistFile()).size(), 5u);

    clickEntry(0);
    trigger("N1");
    EXPECT_EQ(playlistNames().size(), 4);
    EXPECT_EQ(loadTextList(playlistFile()).size(), 5u);  // written again at the next add or clear

    trigger("N28");
    EXPECT_TRUE(playlistNames().isEmpty());
    EXPECT_TRUE(loadTextList(playlistFile()).empty());
}

TEST_F(PlayerWindowTest, PlayFromTheResultMenuAddsAnMp3FirstAndPlaysTheCurrentFile) {
    const auto a = song("月亮 a.mp3");
    song("月亮 b.wma");
    open();
    search("月亮");
    ASSERT_EQ(window->results().rowCount(), 2);
    const int mp3 = window->results().pathAt(0) == a ? 0 : 1;
    pickResult(mp3);
    EXPECT_TRUE(child<QPushButton>("Button11")->isEnabled());
    selectResults(0, 1);
    trigger("N30");
    ASSERT_TRUE(playing(hostOf(a)));
    EXPECT_EQ(playlistNames().size(), 2);
    EXPECT_EQ(text("Label9"), QString::fromUtf8("状态:播放"));
    EXPECT_EQ(text("Label10"), QString::fromUtf8("播放:  月亮 a.mp3"));
    EXPECT_EQ(text("Label11"), "03:00");
    EXPECT_TRUE(child<QPushButton>("Button4")->isEnabled());
    EXPECT_TRUE(window->findChild<QTimer*>("Timer1")->isActive());

    // A .wma current file plays without joining the playlist.
    pickResult(1 - mp3);
    trigger("N30");
    ASSERT_TRUE(playing(hostOf(window->results().pathAt(1 - mp3))));
    EXPECT_EQ(playlistNames().size(), 2);
}

TEST_F(PlayerWindowTest, TheShownListsRowsPlayAndJoinThePlaylist) {
    const auto mp3 = song("歌一.mp3");
    const auto wma = song("歌二.wma");
    saveTextList(paths.dataFile(gbk("清单1.txt")), {mp3, wma});
    open();
    auto* shown = child<QTreeView>("ListView2");
    ASSERT_EQ(shown->model()->rowCount(), 2);
    const auto clickRow = [&](int row, bool twice) {
        const QRect place = shown->visualRect(shown->model()->index(row, 0));
        QTest::mouseClick(shown->viewport(), Qt::LeftButton, {}, place.center());
        if (twice) {
            QTest::mouseDClick(shown->viewport(), Qt::LeftButton, {}, place.center());
        }
    };
    clickRow(1, false);
    trigger("N29");
    EXPECT_EQ(playlistNames(), QStringList{QString::fromUtf8("歌二")});
    EXPECT_EQ(loadTextList(playlistFile()), std::vector<std::string>{wma});
    trigger("N32");  // a .wma: played, not added
    ASSERT_TRUE(playing(hostOf(wma)));
    EXPECT_EQ(playlistNames().size(), 1);

    clickRow(0, true);  // an mp3: added, then played
    ASSERT_TRUE(playing(hostOf(mp3)));
    EXPECT_EQ(playlistNames(), (QStringList{QString::fromUtf8("歌二"), QString::fromUtf8("歌一")}));

    // The shown list's row 0 was picked last: the playlist goes on after its entry 0.
    const auto before = media.opened.size();
    media.current.ended = true;
    ASSERT_TRUE(testing::waitFor([&] { return media.opened.size() == before + 1; }));
    EXPECT_EQ(media.opened.back(), hostOf(playlistFileEntry(1)));
}

TEST_F(PlayerWindowTest, AHundredThousandLinePlaylistLoadsWhole) {
    std::vector<std::string> lines;
    for (int i = 0; i < 100000; ++i) {
        lines.push_back("Q:\\gone\\" + std::to_string(i) + ".mp3");
    }
    saveTextList(playlistFile(), lines);
    open();
    EXPECT_EQ(child<QListView>("ListBox9")->model()->rowCount(), 100000);
    EXPECT_EQ(playlistNames().back(), "99999");
}

TEST_F(PlayerWindowTest, TheEndOfATrackPlaysTheNextEntryChosenInThePlaylist) {
    const auto first = song("一.mp3");
    const auto second = song("二.mp3");
    saveTextList(playlistFile(), {first, second});
    open();
    clickEntry(1);
    EXPECT_EQ(window->currentFile(), second);
    EXPECT_TRUE(window->findChild<QAction*>("N27")->isEnabled());
    clickEntry(1, true);
    ASSERT_TRUE(playing(hostOf(second)));

    media.current.ended = true;
    ASSERT_TRUE(playing(hostOf(first)) && media.opened.size() == 2);
    EXPECT_EQ(child<QListView>("ListBox9")->currentIndex().row(), 0);
    EXPECT_EQ(text("Label9"), QString::fromUtf8("状态:播放"));
}

TEST_F(PlayerWindowTest, RefusedAndForeignFilesAreToldAndLeaveThePlayerAsItWas) {
    song("小.mp3", 1000);
    song("片.flv");
    open();
    search("小");
    pickResult(0);
    child<QPushButton>("Button11")->click();
    ASSERT_TRUE(testing::waitFor([&] { return messages.size() == 1; }));
    EXPECT_EQ(messages[0],
              QString::fromUtf8("文件不存在或文件错误，请检查磁盘的\u3000\"可用空间\""));
    search("片");
    pickResult(0);
    child<QPushButton>("Button11")->click();
    ASSERT_TRUE(testing::waitFor([&] { return messages.size() == 2; }));
    EXPECT_EQ(messages[1], QString::fromUtf8("不是媒体文件"));
    EXPECT_TRUE(media.opened.empty());
    EXPECT_EQ(text("Label9"), QString::fromUtf8("状态:停止"));
}

TEST_F(PlayerWindowTest, AFilmGoesToTheMachinesPlayerAsOneArgumentOrElseToThePreview) {
    song("-x 电影 \"1\" $(id).rmvb");
    open();
    search("电影");
    ASSERT_EQ(window->results().rowCount(), 1);
    const auto film = window->results().pathAt(0);
    pickResult(0);
    child<QPushButton>("Button11")->click();
    ASSERT_TRUE(testing::waitFor([&] {
        auto* preview = window->findChild<QWidget*>("VideoPreview");
        return preview != nullptr && preview->isVisible() && preview->isWindow();
    }));
    EXPECT_TRUE(shell.startedPrograms.empty());
    EXPECT_TRUE(messages.empty());

    const fs::path mpv = folder.write("bin/mpv", "#!/bin/sh\n");
    fs::permissions(mpv, fs::perms::owner_all);
    child<QPushButton>("Button11")->click();
    ASSERT_TRUE(testing::waitFor([&] { return shell.startedPrograms.size() == 1; }));
    EXPECT_EQ(shell.startedPrograms[0].first, mpv);
    EXPECT_EQ(shell.startedPrograms[0].second, hostOf(film));
}

TEST_F(PlayerWindowTest, PlAndXzNarrowAndWidenTheWindow) {
    open();
    child<QPushButton>("Button3")->click();
    EXPECT_EQ(window->width() + 2 * kFrameWidth, 215);
    child<QPushButton>("Button2")->click();
    EXPECT_EQ(window->width() + 2 * kFrameWidth, 1024);
}

TEST_F(PlayerWindowTest, TheVolumeGoesToThePlayerOnlyWhenTheBarMoves) {
    open();
    EXPECT_EQ(media.volume, -1);
    child<QScrollBar>("ScrollBar2")->setValue(12000);
    EXPECT_EQ(media.volume, 12000);
}

TEST_F(PlayerWindowTest, ThePlayCopyOfAMarkedSongGoesAtClose) {
    const auto marked = song("歌qh2009.mp3", 500000);
    open();
    search("歌");
    pickResult(0);
    child<QPushButton>("Button11")->click();
    const fs::path copy = paths.dataDir / host("歌.mp3");
    ASSERT_TRUE(playing(copy));
    EXPECT_TRUE(fs::exists(copy));
    window->close();
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_TRUE(fs::exists(hostOf(marked)));
}

}  // namespace
}  // namespace qh
