#include "media/player.h"

#include <cstdlib>
#include <fstream>
#include <memory>
#include <vector>

#include "download/marked_file.h"
#include "library/file_size.h"
#include "media/player_texts.h"
#include "media/playlist.h"
#include "platform/file_system.h"
#include "platform/media_device.h"
#include "platform/path_on_disk.h"
#include "platform/shared_drive_table.h"
#include "text/byte_text.h"
#include "text/gbk.h"

namespace qh {

namespace {

namespace fs = std::filesystem;

// The content of a marked file, written aside and renamed into place only when whole, so a play
// copy that exists is always a whole one. The name aside keeps the file's extension, so the
// start-up clean-up of the data folder takes a copy a crash left half made.
bool writePlayCopy(const FileSystem& files, const std::string& path, const fs::path& copy) {
    const auto in = files.openRead(path);
    if (!in || in->size() <= kMarkedFileBlockBytes || !in->seek(kMarkedFileBlockBytes)) {
        return false;
    }
    const fs::path aside = copy.parent_path() / ("." + copy.filename().string());
    bool whole = false;
    {
        std::ofstream out(aside, std::ios::binary | std::ios::trunc);
        std::vector<char> buffer(1 << 20);
        std::int64_t got = 0;
        while (out &&
               (got = in->read(buffer.data(), static_cast<std::int64_t>(buffer.size()))) > 0) {
            out.write(buffer.data(), got);
        }
        out.flush();
        whole = got == 0 && static_cast<bool>(out);
    }
    std::error_code error;
    if (whole) {
        fs::rename(aside, copy, error);
    }
    if (!whole || error) {
        fs::remove(aside, error);
        return false;
    }
    return true;
}

}  // namespace

fs::path Player::playCopyOf(const std::string& path) const {
    return services_.dataDir / gbkToHostName(plainNameOf(fileNameOf(path)));
}

std::optional<fs::path> Player::playPathOf(const std::string& path) {
    if (!isMarkedFileName(fileNameOf(path))) {
        playCopy_.reset();
        return resolveOnDisk(*services_.drives.snapshot(), path);
    }
    playCopy_ = playCopyOf(path);
    std::error_code error;
    if (fs::is_regular_file(*playCopy_, error) ||
        writePlayCopy(services_.files, path, *playCopy_)) {
        return playCopy_;
    }
    return std::nullopt;
}

void Player::play() {
    const std::string path = services_.currentFile;
    if (FileSizeOf(services_.files, path) <= kLargestRefusedBytes) {
        services_.host.tell(PlayerNotice::MissingOrTooSmall);
        return;
    }
    const auto previousCopy = playCopy_;
    const auto playPath = playPathOf(path);
    const std::string_view extension = extensionOf(fileNameOf(path));
    if (!playPath) {
        // A play copy that cannot be made leaves the file unplayable, without a word.
    } else if (isAudioExtension(extension)) {
        services_.device.openAndPlay(*playPath);
        const MediaStatus status = services_.device.status();
        display_.timerOn = true;
        display_.barMaximum = status.length;
        display_.barPosition = status.position;
        display_.playingName = std::string(fileNameOf(path));
        display_.lengthText = timeText(status.length);
        display_.state = PlayState::Playing;
        display_.stopEnabled = true;
        display_.pauseEnabled = true;
        display_.pauseShowsContinue = false;
    } else if (isVideoExtension(extension)) {
        if (!services_.host.playVideo(*playPath)) {
            services_.host.tell(PlayerNotice::NoVideoPlayer);
        }
    } else {
        services_.host.tell(PlayerNotice::NotAMediaFile);
    }
    if (previousCopy && previousCopy != playCopy_) {
        std::error_code error;
        fs::remove(*previousCopy, error);
    }
}

void Player::tick() {
    const MediaStatus status = services_.device.status();
    if (status.failed) {
        // The file would not open or decode: the player is stopped, not playing with a dead clock.
        services_.device.stop();
        showStopped();
        return;
    }
    if (status.length > 0) {
        display_.barMaximum = status.length;
        display_.lengthText = timeText(status.length);
    }
    display_.barPosition = status.position;
    display_.positionText = timeText(status.position);
    if (status.ended) {
        endOfTrack();
    }
}

void Player::endOfTrack() {
    services_.device.stop();
    showStopped();
    const Playlist& playlist = services_.playlist;
    if (playlist.empty()) {
        return;
    }
    services_.currentIndex = playlist.nextIndex(services_.currentIndex);
    services_.currentFile = playlist.entries()[services_.currentIndex].path;
    services_.host.nextTrackChosen(services_.currentIndex);
}

void Player::pauseOrContinue() {
    if (!display_.pauseShowsContinue) {
        services_.device.pause();
        display_.playEnabled = false;
        display_.pauseShowsContinue = true;
        display_.state = PlayState::Paused;
    } else {
        services_.device.resume();
        display_.pauseShowsContinue = false;
        display_.state = PlayState::Playing;
        display_.playEnabled = true;
    }
}

void Player::stop() {
    services_.device.stop();
    showStopped();
}

void Player::showStopped() {
    display_.timerOn = false;
    display_.barPosition = 0;
    display_.positionText = "00:00";
    display_.playingName.clear();
    display_.lengthText.clear();
    display_.stopEnabled = false;
    display_.pauseEnabled = false;
    display_.pauseShowsContinue = false;
    display_.state = PlayState::Stopped;
}

void Player::barMoved(std::int64_t barPosition, bool byTheClerk) {
    if (!byTheClerk || display_.state == PlayState::Stopped) {
        return;
    }
    const std::int64_t playing = services_.device.status().position;
    if (std::llabs(barPosition - playing) <= 1000) {
        return;
    }
    services_.device.seek(barPosition);
    services_.device.resume();
    // A paused track plays again from there, and says so.
    display_.pauseShowsContinue = false;
    display_.state = PlayState::Playing;
    display_.playEnabled = true;
}

void Player::setVolume(int value) {
    services_.device.setVolume(value);
}

void Player::deletePlayCopy() {
    if (playCopy_) {
        std::error_code error;
        fs::remove(*playCopy_, error);
        playCopy_.reset();
    }
}

}  // namespace qh
