#include "demo_content.h"

#include "book_text.h"
#include "lyrics_text.h"
#include "text/gbk.h"
#include "wav_tone.h"

namespace qh::demo {

std::string DemoContent::song(DemoRandom& random) const {
    return real_ ? melodyWav(random, 1.0 + random.unit()) : std::string();
}

std::string DemoContent::ringtone(DemoRandom& random) const {
    return real_ ? melodyWav(random, 0.5 + 0.5 * random.unit()) : std::string();
}

std::string DemoContent::lyrics(std::string_view title, std::string_view singer,
                                DemoRandom& random) const {
    return real_ ? gbk(lrcLyrics(title, singer, random)) : std::string();
}

std::string DemoContent::book(std::string_view title, std::string_view author,
                              DemoRandom& random) const {
    return real_ ? gbk(bookText(title, author, random)) : std::string();
}

std::string DemoContent::picture(int width, int height, std::uint32_t topicRgb,
                                 PictureFormat format, DemoRandom& random) const {
    return real_ ? wallpaper(width, height, topicRgb, format, random) : std::string();
}

}  // namespace qh::demo
