#include "media/player.h"

#include <gtest/gtest.h>

#include <fstream>

#include "download/marked_file.h"
#include "media/player_texts.h"
#include "media/playlist.h"
#include "platform/fake_media_device.h"
#include "platform/linux_file_system.h"
#include "platform/shared_drive_table.h"
#include "support/temp_folder.h"
#include "text/gbk.h"

namespace qh {
namespace {

namespace fs = std::filesystem;
using testing::writeFile;

TEST(PlayerTexts, TimeTextCountsMinutesWithinTheHour) {
    const struct {
        std::int64_t ms;
        const char* text;
    } cases[] = {{0, "00:00"},       {999, "00:00"},        {61000, "01:01"},
                 {3599999, "59:59"}, {65 * 60000, "05:00"}, {-5, "00:00"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ms);
        EXPECT_EQ(timeText(c.ms), c.text);
    }
}

TEST(PlayerTexts, ExtensionsBelongToASetByAPieceOfIt) {
    const struct {
        const char* extension;
        bool audio;
        bool video;
    } cases[] = {{".mp3", true, false},  {".MP3", true, false}, {".wav", true, false},
                 {".rmvb", false, true}, {".3gp", false, true}, {".rm", false, true},
                 {".flv", false, false}, {".m", true, true},    {"", false, false},
                 {".txt", false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extension);
        EXPECT_EQ(isAudioExtension(c.extension), c.audio);
        EXPECT_EQ(isVideoExtension(c.extension), c.video);
    }
    EXPECT_TRUE(addsToPlaylistBeforePlaying("F:\\a.MP3"));
    EXPECT_TRUE(addsToPlaylistBeforePlaying("F:\\a.mp"));
    EXPECT_FALSE(addsToPlaylistBeforePlaying("F:\\a.wma"));
    EXPECT_FALSE(addsToPlaylistBeforePlaying("F:\\noextension"));
}

TEST(Playlist, LoadsPathsNamedByTheirDisplayNameAndGoesRoundAfterTheLast) {
    Playlist list;
    list.load({gbk("F:\\库\\0012 月亮.mp3"), gbk("F:\\库\\歌qh2009.mp3"), "F:\\noext"});
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list.entries()[0].name, gbk("0012 月亮"));
    EXPECT_EQ(list.entries()[1].name, gbk("歌"));
    EXPECT_EQ(list.entries()[2].name, "noext");
    EXPECT_EQ(list.paths()[1], gbk("F:\\库\\歌qh2009.mp3"));
    const struct {
        int current;
        int next;
    } steps[] = {{-1, 0}, {0, 1}, {1, 2}, {2, 0}, {7, 0}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.current);
        EXPECT_EQ(list.nextIndex(step.current), step.next);
    }
    list.remove(5);
    list.remove(0);
    EXPECT_EQ(list.size(), 2);
}

struct RecordingPlayerHost final : PlayerHost {
    void tell(PlayerNotice notice) override { notices.push_back(notice); }
    bool playVideo(const fs::path& file) override {
        videos.push_back(file);
        return videoPlays;
    }
    void nextTrackChosen(int index) override { chosen.push_back(index); }

    std::vector<PlayerNotice> notices;
    std::vector<fs::path> videos;
    std::vector<int> chosen;
    bool videoPlays = true;
};

// Drive F is a temporary folder; the data folder another.
class PlayerTest : public ::testing::Test {
protected:
    PlayerTest() {
        fs::create_directories(folder.path() / "F");
        fs::create_directories(dataDir);
        DriveTable table;
        table.set({'F', folder.path() / "F", DriveType::Fixed});
        drives.replace(table);
    }
    // A file of drive F by its name below F:\库\, with `size` bytes.
    std::string file(const char* utf8Name, std::size_t size = 5000, char fill = 'a') {
        writeFile(folder.path() / "F" / gbkToHostName(gbk("库")) / gbkToHostName(gbk(utf8Name)),
                  std::string(size, fill));
        return gbk("F:\\库\\") + gbk(utf8Name);
    }
    fs::path hostOf(const std::string& path) const { return *drives.snapshot()->resolve(path); }
    void play(const std::string& path) {
        currentFile = path;
        player.play();
    }
    void endTrack() {
        media.current.ended = true;
        player.tick();
    }

    testing::TempFolder folder;
    fs::path dataDir = folder.path() / "data";
    SharedDriveTable drives;
    LinuxFileSystem files{drives};
    FakeMediaDevice media;
    RecordingPlayerHost host;
    Playlist playlist;
    std::string currentFile;
    int currentIndex = -1;
    Player player{{media, files, drives, dataDir, currentFile, currentIndex, playlist, host}};
};

TEST_F(PlayerTest, AFileOfAThousandBytesOrAMissingOneIsRefusedAndChangesNothing) {
    for (const std::string& path : {file("a.mp3", 1000), gbk("F:\\库\\gone.mp3")}) {
        SCOPED_TRACE(fromGbk(path).toStdString());
        host.notices.clear();
        play(path);
        EXPECT_EQ(host.notices, std::vector{PlayerNotice::MissingOrTooSmall});
        EXPECT_TRUE(media.opened.empty());
        EXPECT_EQ(player.display().state, PlayState::Stopped);
    }
    const auto song = file("Song.MP3", 1001);
    host.notices.clear();
    play(song);
    EXPECT_TRUE(host.notices.empty());
    ASSERT_EQ(media.opened, std::vector{hostOf(song)});
    const auto& shown = player.display();
    EXPECT_EQ(shown.state, PlayState::Playing);
    EXPECT_EQ(shown.playingName, "Song.MP3");
    EXPECT_EQ(shown.lengthText, "03:00");
    EXPECT_TRUE(shown.timerOn);
    EXPECT_TRUE(shown.stopEnabled);
    EXPECT_TRUE(shown.pauseEnabled);
    EXPECT_FALSE(shown.pauseShowsContinue);
}

TEST_F(PlayerTest, FilmsGoToAVideoPlayerAndOtherFilesAreNoMedia) {
    const auto film = file("film.rmvb");
    play(film);
    EXPECT_EQ(host.videos, std::vector{hostOf(film)});
    EXPECT_TRUE(media.opened.empty());
    EXPECT_TRUE(host.notices.empty());

    play(file("clip.flv"));
    EXPECT_EQ(host.notices, std::vector{PlayerNotice::NotAMediaFile});

    host.notices.clear();
    host.videoPlays = false;
    play(file("clip.3gp"));
    EXPECT_EQ(host.notices, std::vector{PlayerNotice::NoVideoPlayer});
    EXPECT_EQ(player.display().state, PlayState::Stopped);
}

TEST_F(PlayerTest, PauseContinueAndStopFollowTheStateTable) {
    play(file("a.mp3"));
    player.filePicked();
    player.pauseOrContinue();
    EXPECT_TRUE(media.paused);
    EXPECT_EQ(player.display().state, PlayState::Paused);
    EXPECT_TRUE(player.display().pauseShowsContinue);
    EXPECT_FALSE(player.display().playEnabled);
    EXPECT_TRUE(player.display().timerOn);

    player.pauseOrContinue();
    EXPECT_TRUE(media.playing);
    EXPECT_EQ(player.display().state, PlayState::Playing);
    EXPECT_TRUE(player.display().playEnabled);

    media.current.position = 42000;
    player.tick();
    EXPECT_EQ(player.display().positionText, "00:42");
    player.stop();
    const auto& shown = player.display();
    EXPECT_EQ(shown.state, PlayState::Stopped);
    EXPECT_FALSE(shown.timerOn);
    EXPECT_FALSE(shown.stopEnabled);
    EXPECT_FALSE(shown.pauseEnabled);
    EXPECT_EQ(shown.positionText, "00:00");
    EXPECT_EQ(shown.barPosition, 0);
    EXPECT_TRUE(shown.playingName.empty());
    EXPECT_EQ(media.stops, 1);
}

// A file the device cannot open leaves the player stopped, not playing with a dead clock.
TEST_F(PlayerTest, AFileTheDeviceCannotPlayLeavesThePlayerStopped) {
    const auto fake = file("text.mp3", 4000, 'x');
    media.failing.insert(hostOf(fake));
    play(fake);
    player.tick();
    EXPECT_EQ(player.display().state, PlayState::Stopped);
    EXPECT_FALSE(player.display().timerOn);
    EXPECT_TRUE(host.chosen.empty());
}

TEST_F(PlayerTest, TheEndOfATrackGoesOnThroughThePlaylistAndBackToItsTop) {
    std::vector<PlaylistEntry> entries;
    for (const char* name : {"1.mp3", "2.mp3", "3.mp3"}) {
        entries.push_back({name, file(name)});
    }
    playlist.append(entries);
    currentIndex = 1;
    play(entries[1].path);
    endTrack();
    EXPECT_EQ(host.chosen, std::vector{2});
    EXPECT_EQ(currentFile, entries[2].path);
    EXPECT_EQ(player.display().positionText, "00:00");
    EXPECT_EQ(media.current.position, 0);

    play(currentFile);
    endTrack();
    EXPECT_EQ(host.chosen, (std::vector{2, 0}));
    EXPECT_EQ(currentFile, entries[0].path);

    // A row picked in another list sets the index the playlist goes on from.
    currentIndex = 7;
    play(file("other.mp3"));
    endTrack();
    EXPECT_EQ(host.chosen.back(), 0);
}

TEST_F(PlayerTest, WithAnEmptyPlaylistAFinishedTrackLeavesThePlayerStopped) {
    play(file("a.mp3"));
    media.current.position = 180000;
    endTrack();
    EXPECT_TRUE(host.chosen.empty());
    EXPECT_EQ(player.display().state, PlayState::Stopped);
    EXPECT_EQ(player.display().positionText, "00:00");
    EXPECT_FALSE(player.display().timerOn);
}

TEST_F(PlayerTest, OnlyTheClerksDragOfMoreThanASecondSeeks) {
    play(file("a.mp3"));
    media.current.position = 10000;
    player.barMoved(10500, true);
    player.barMoved(9000, true);
    player.barMoved(60000, false);
    EXPECT_TRUE(media.seeks.empty());
    player.barMoved(11001, true);
    EXPECT_EQ(media.seeks, std::vector<std::int64_t>{11001});

    player.pauseOrContinue();
    player.barMoved(90000, true);
    EXPECT_TRUE(media.playing);
    EXPECT_EQ(player.display().state, PlayState::Playing);
    EXPECT_FALSE(player.display().pauseShowsContinue);
}

TEST_F(PlayerTest, AMarkedFilePlaysFromOneCopyWithoutItsBlockDeletedWhenAnotherPlays) {
    const std::string content = "the song itself";
    const auto marked = file("歌qh2009.mp3", 0);
    {
        std::ofstream out(hostOf(marked), std::ios::binary);
        out << std::string(kMarkedFileBlockBytes, '\0') << content;
    }
    const fs::path copy = dataDir / gbkToHostName(gbk("歌.mp3"));
    play(marked);
    ASSERT_EQ(media.opened, std::vector{copy});
    std::ifstream made(copy, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(made), {}), content);

    // Played again, the copy is used as it is.
    writeFile(copy, "kept");
    play(marked);
    std::ifstream kept(copy, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "kept");

    play(file("other.mp3"));
    EXPECT_FALSE(fs::exists(copy));

    play(marked);
    EXPECT_TRUE(fs::exists(copy));
    player.deletePlayCopy();
    EXPECT_FALSE(fs::exists(copy));
    // Nothing else of the data folder goes, no half-made copy stays.
    EXPECT_TRUE(fs::is_empty(dataDir));
}

TEST_F(PlayerTest, AMarkedFileWithoutContentOrWithoutAWritableDataFolderDoesNotPlay) {
    const auto blockOnly = file("短qh2009.mp3", kMarkedFileBlockBytes);
    play(blockOnly);
    EXPECT_TRUE(media.opened.empty());
    EXPECT_TRUE(host.notices.empty());
    EXPECT_TRUE(fs::is_empty(dataDir));

    const auto marked = file("歌qh2009.mp3", kMarkedFileBlockBytes + 10);
    fs::remove_all(dataDir);
    writeFile(dataDir, "a file where the data folder should be");
    play(marked);
    EXPECT_TRUE(media.opened.empty());
    EXPECT_EQ(player.display().state, PlayState::Stopped);
}

}  // namespace
}  // namespace qh
