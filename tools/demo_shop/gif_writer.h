#pragma once
// Animated GIF pictures, which Qt reads but cannot write: the picture browser's placeholder, and
// animated fixtures for tests of other parts.
#include <QImage>
#include <string>
#include <vector>

namespace qh::demo {

// The complete GIF89a file: the frames in order, each shown for delayCentiseconds, looping for
// ever. Every pixel takes the nearest colour (by RGB distance) of one fixed table of 256: a
// 6 x 6 x 6 colour cube and 40 greys between its grey levels. Frames are shown opaque, as the
// file has no transparent colour. Throws std::invalid_argument when there is no frame, a frame is
// null, the frames differ in size or are larger than 65535 pixels a side, or the delay is outside
// 0..65535.
std::string animatedGif(const std::vector<QImage>& frames, int delayCentiseconds);

}  // namespace qh::demo
