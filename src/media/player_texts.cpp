#include "media/player_texts.h"

#include <cstdio>

#include "text/byte_text.h"

namespace qh {

namespace {

bool extensionIn(std::string_view extension, std::string_view set) {
    // An empty extension is found nowhere, as the shop's program never found an empty text.
    return !extension.empty() && set.find(asciiLower(extension)) != std::string_view::npos;
}

}  // namespace

std::string timeText(std::int64_t milliseconds) {
    const auto ms = milliseconds < 0 ? 0 : milliseconds;
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(ms / 60000 % 60),
                  static_cast<int>(ms / 1000 % 60));
    return text;
}

bool isAudioExtension(std::string_view extension) {
    return extensionIn(extension, ".mp3.wma.mid.wav");
}

bool isVideoExtension(std::string_view extension) {
    return extensionIn(extension, ".3gp.avi.mp4.wmv.asf.mov.rm.rmvb.mtv.dat.amv.dmv.vob.mpg.mkv");
}

bool addsToPlaylistBeforePlaying(std::string_view currentFilePath) {
    return extensionIn(extensionOf(fileNameOf(currentFilePath)), ".mp3mp3m");
}

}  // namespace qh
