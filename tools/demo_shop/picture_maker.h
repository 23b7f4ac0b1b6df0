#pragma once
// Real pictures for the picture browser: small phone wallpapers drawn with Qt and encoded as
// JPEG or PNG, so the browser's panes show something and copies are real image files, and the
// animated placeholder its panes show before their pictures load. Text needs a QGuiApplication.
#include <cstdint>
#include <string>

#include "demo_random.h"

namespace qh::demo {

enum class PictureFormat { Jpeg, Png };

// A gradient in the topic's colour with soft circles placed by the random stream. Throws
// std::runtime_error when Qt cannot encode the format (a missing image plugin).
std::string wallpaper(int width, int height, std::uint32_t topicRgb, PictureFormat format,
                      DemoRandom& random);

// The placeholder of one pane: the shop's name over "手机图片" and a row of dots that a highlight
// runs along, as an animated GIF of kPlaceholderWidth x kPlaceholderHeight.
inline constexpr int kPlaceholderWidth = 260;
inline constexpr int kPlaceholderHeight = 350;
std::string browserPlaceholderGif();

}  // namespace qh::demo
