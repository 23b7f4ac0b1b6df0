#pragma once
// The little audio player of the player column: it plays the current file, shows where it is,
// pauses, stops and seeks, and plays on through the playlist. Films go to a video player. A
// marked library file plays from a copy without its block, made once in the data folder. A plain
// class over the media device; the player column gives it its timers and shows its display.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace qh {

class FileSystem;
class MediaDevice;
class Playlist;
class SharedDriveTable;

enum class PlayState { Stopped, Playing, Paused };

enum class PlayerNotice {
    MissingOrTooSmall,  // 文件不存在或文件错误...
    NotAMediaFile,      // 不是媒体文件
    NoVideoPlayer,      // nothing on this machine can show the film
};

// What the column shows; the state table of the buttons and labels.
struct PlayerDisplay {
    PlayState state = PlayState::Stopped;  // Label9
    bool pauseEnabled = false;             // Button13
    bool pauseShowsContinue = false;       // Button13 reads "继续" instead of "暂停"
    bool stopEnabled = false;              // Button4
    bool playEnabled = false;              // Button11
    bool timerOn = false;                  // Timer1
    std::int64_t barMaximum = 10000000;    // ScrollBar1
    std::int64_t barPosition = 0;
    std::string positionText = "00:00";  // Label8 and Label14
    std::string lengthText;              // Label11
    std::string playingName;             // Label10 after "播放:  ", GBK
};

class PlayerHost {
public:
    virtual ~PlayerHost() = default;
    virtual void tell(PlayerNotice notice) = 0;
    // Hands a film to a video player; false when nothing could be started for it.
    virtual bool playVideo(const std::filesystem::path& file) = 0;
    // The next track is the playlist's entry at `index`: it shows selected, and a play request
    // follows (BoFangTimer2).
    virtual void nextTrackChosen(int index) = 0;
};

struct PlayerServices {
    MediaDevice& device;
    const FileSystem& files;
    const SharedDriveTable& drives;
    std::filesystem::path dataDir;
    // The current file (Edit2, GBK) and the current index the three lists share.
    std::string& currentFile;
    int& currentIndex;
    const Playlist& playlist;
    PlayerHost& host;
};

class Player {
public:
    explicit Player(PlayerServices services) : services_(services) {}

    const PlayerDisplay& display() const { return display_; }

    // A playlist entry or a result or list row was picked: there is a file to play.
    void filePicked() { display_.playEnabled = true; }
    // BoFangTimer2Timer: plays the current file.
    void play();
    // Timer1Timer: the position, and at the end of a track the playlist's next entry.
    void tick();
    // Button13Click and Button4Click.
    void pauseOrContinue();
    void stop();
    // ScrollBar1Change: the clerk dragging the bar (only then, so the timer's own updates never
    // seek) seeks when the bar lies more than a second from where the device plays.
    void barMoved(std::int64_t barPosition, bool byTheClerk);
    // ScrollBar2Change: 0..65535.
    void setVolume(int value);
    // At close: the play copy of the last marked file goes.
    void deletePlayCopy();

    // The play copy a marked file plays from: the data folder's file of its plain name.
    std::filesystem::path playCopyOf(const std::string& path) const;

private:
    std::optional<std::filesystem::path> playPathOf(const std::string& path);
    void showStopped();
    void endOfTrack();

    PlayerServices services_;
    PlayerDisplay display_;
    std::optional<std::filesystem::path> playCopy_;  // of the file playing, when it is marked
};

}  // namespace qh
