#pragma once
// Real pictures for the picture browser: small phone wallpapers drawn with Qt and encoded as
// JPEG or PNG, so the browser's panes show something and copies are real image files.
#include <cstdint>
#include <string>

#include "demo_random.h"

namespace qh::demo {

enum class PictureFormat { Jpeg, Png };

// A gradient in the topic's colour with soft circles placed by the random stream. Throws
// std::runtime_error when Qt cannot encode the format (a missing image plugin).
std::string wallpaper(int width, int height, std::uint32_t topicRgb, PictureFormat format,
                      DemoRandom& random);

}  // namespace qh::demo
