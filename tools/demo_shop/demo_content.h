#pragma once
// The bodies of the demo's files. The small demo gets real content (songs that play, lyrics,
// pictures, books); a benchmark shop gets empty files, since only names, folders and sizes count
// there and a million real files would fill the disk.
#include <cstdint>
#include <string>
#include <string_view>

#include "demo_random.h"
#include "picture_maker.h"

namespace qh::demo {

class DemoContent {
public:
    explicit DemoContent(bool real) : real_(real) {}

    bool real() const { return real_; }

    // Each gives the empty text when the content is not real.
    std::string song(DemoRandom& random) const;
    std::string ringtone(DemoRandom& random) const;
    // GBK texts with CR LF, like the files shops collect.
    std::string lyrics(std::string_view title, std::string_view singer, DemoRandom& random) const;
    std::string book(std::string_view title, std::string_view author, DemoRandom& random) const;
    std::string picture(int width, int height, std::uint32_t topicRgb, PictureFormat format,
                        DemoRandom& random) const;

private:
    bool real_;
};

}  // namespace qh::demo
