#pragma once
// The player's small rules: which files it plays itself, which go to a video player, which it
// refuses, and how it writes a time.
#include <cstdint>
#include <string>
#include <string_view>

namespace qh {

// A file of this many bytes or fewer is no song: it is refused like a missing one.
inline constexpr std::int64_t kLargestRefusedBytes = 1000;

// "mm:ss" of a millisecond count, minutes counted modulo 60: 65 minutes show "05:00".
std::string timeText(std::int64_t milliseconds);

// The extension (dot included, any case) occurs in ".mp3.wma.mid.wav", or in the video set
// ".3gp.avi.mp4.wmv.asf.mov.rm.rmvb.mtv.dat.amv.dmv.vob.mpg.mkv". A piece of an entry counts
// (".mp" is audio, ".m" too); a file without an extension is in neither.
bool isAudioExtension(std::string_view extension);
bool isVideoExtension(std::string_view extension);

// 播放 from a list menu first puts the chosen rows into the playlist when the current file's
// extension occurs in ".mp3mp3m" (".mp3", ".mp", ".m", ".p3m" ...).
bool addsToPlaylistBeforePlaying(std::string_view currentFilePath);

}  // namespace qh
