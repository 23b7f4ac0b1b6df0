#pragma once
// Lyrics files beside the songs: LRC text with [mm:ss.xx] time tags, as shops download them.
// The lines are the demo's own, not any song's real lyrics.
#include <string>
#include <string_view>

#include "demo_random.h"

namespace qh::demo {

// UTF-8 text, lines ended by CR LF; the caller stores it in GBK like the shop's files.
std::string lrcLyrics(std::string_view title, std::string_view singer, DemoRandom& random);

}  // namespace qh::demo
