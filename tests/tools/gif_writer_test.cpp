// The animated GIF writer, read back with Qt's own GIF reader: frames, size, looping and delay
// survive, pixels come back as the table colours the writer chose, also where the LZW code
// table grows, fills and starts again, and what no GIF can hold is refused.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "demo_shop/gif_writer.h"

namespace {

using qh::demo::animatedGif;

struct ReadBack {
    int imageCount = 0;
    int loopCount = 0;
    std::vector<QImage> frames;
    std::vector<int> delaysMs;
};

ReadBack readBack(const std::string& gif) {
    QByteArray bytes = QByteArray::fromStdString(gif);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    ReadBack result;
    result.imageCount = reader.imageCount();
    result.loopCount = reader.loopCount();
    QImage frame;
    while (reader.read(&frame)) {
        result.frames.push_back(frame.convertToFormat(QImage::Format_RGB32));
        result.delaysMs.push_back(reader.nextImageDelay());
    }
    return result;
}

// The writer's colour table as the file holds it: the global table after the 13 header bytes.
const std::vector<QRgb>& tableColours() {
    static const std::vector<QRgb> colours = [] {
        QImage black(1, 1, QImage::Format_RGB32);
        black.fill(Qt::black);
        const std::string gif = animatedGif({black}, 0);
        std::vector<QRgb> table;
        for (std::size_t at = 13; at < 13 + 256 * 3; at += 3) {
            table.push_back(qRgb(static_cast<unsigned char>(gif[at]),
                                 static_cast<unsigned char>(gif[at + 1]),
                                 static_cast<unsigned char>(gif[at + 2])));
        }
        return table;
    }();
    return colours;
}

QImage frameOf(QSize size, const std::function<QRgb(int, int)>& colourAt) {
    QImage frame(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            frame.setPixel(x, y, colourAt(x, y));
        }
    }
    return frame;
}

QImage randomTableFrame(QSize size, std::uint32_t seed) {
    std::mt19937 random(seed);
    return frameOf(size, [&](int, int) { return tableColours()[random() % 256]; });
}

testing::AssertionResult samePixels(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size()) {
        return testing::AssertionFailure() << "size differs";
    }
    const QImage wanted = expected.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < wanted.height(); ++y) {
        for (int x = 0; x < wanted.width(); ++x) {
            if (actual.pixel(x, y) != wanted.pixel(x, y)) {
                return testing::AssertionFailure()
                       << "pixel " << x << "," << y << " is " << std::hex << actual.pixel(x, y)
                       << " instead of " << wanted.pixel(x, y);
            }
        }
    }
    return testing::AssertionSuccess();
}

// Qt's reader takes a frame whose codes lack the first clear code or the end code, as long as
// they give its pixels; stricter readers do not. Follows each frame's codes as a strict decoder
// grows its table and widths (lengths of strings only; Qt checks the pixels): a clear code first,
// every code known, the end code straight after the last pixel, and nothing after it but zero
// bits.
testing::AssertionResult codesEndWithTheFrame(std::string_view codes, int pixels) {
    std::size_t bit = 0;
    const auto read = [&](int width) {
        int code = 0;
        for (int i = 0; i < width; ++i, ++bit) {
            if (bit / 8 >= codes.size()) {
                return -1;
            }
            code |= (static_cast<unsigned char>(codes[bit / 8]) >> bit % 8 & 1) << i;
        }
        return code;
    };
    if (read(9) != 256) {
        return testing::AssertionFailure() << "no clear code first";
    }
    std::vector<int> lengths(4096, 1);
    int width = 9;
    int next = 258;
    int previous = -1;  // none since the clear code
    int decoded = 0;
    for (;;) {
        const int code = read(width);
        if (code < 0) {
            return testing::AssertionFailure() << "no end code after " << decoded << " pixels";
        }
        if (code == 256) {
            width = 9;
            next = 258;
            previous = -1;
            continue;
        }
        if (code == 257) {
            break;
        }
        if (previous < 0 ? code > 255 : code > next) {
            return testing::AssertionFailure() << "code " << code << " is not in the table";
        }
        if (previous >= 0 && next < 4096) {
            lengths[next] = lengths[previous] + 1;
            if (++next == 1 << width && width < 12) {
                ++width;
            }
        }
        decoded += lengths[code];
        previous = code;
    }
    if (decoded != pixels) {
        return testing::AssertionFailure() << decoded << " pixels instead of " << pixels;
    }
    const auto rest = codes.size() * 8 - bit;
    if (rest >= 8 || (rest > 0 && static_cast<unsigned char>(codes.back()) >> (8 - rest) != 0)) {
        return testing::AssertionFailure() << rest << " bits after the end code";
    }
    return testing::AssertionSuccess();
}

// The frames' code streams, their sub-blocks joined, from a file as the writer lays it out.
std::vector<std::string> codeStreams(std::string_view gif) {
    std::vector<std::string> streams;
    std::size_t at = 13 + 256 * 3;
    const auto blocks = [&] {
        std::string joined;
        while (at < gif.size() && gif[at] != 0) {
            const auto size = static_cast<unsigned char>(gif[at]);
            joined.append(gif.substr(at + 1, size));
            at += 1 + size;
        }
        ++at;
        return joined;
    };
    while (at < gif.size() && gif[at] != ';') {
        if (gif[at] == '\x21') {
            at += 2;
            blocks();
        } else {
            at += 10 + 1;  // the image descriptor and the smallest code size
            streams.push_back(blocks());
        }
    }
    return streams;
}

// Qt shows a delay of 0 or 1 centisecond as 100 ms, as browsers do; the tests use longer ones.
void expectFramesBack(const std::vector<QImage>& frames, int delayCentiseconds) {
    const std::string gif = animatedGif(frames, delayCentiseconds);
    const ReadBack back = readBack(gif);
    const std::vector<std::string> codes = codeStreams(gif);
    EXPECT_EQ(codes.size(), frames.size());
    EXPECT_EQ(back.imageCount, static_cast<int>(frames.size()));
    EXPECT_EQ(back.loopCount, -1) << "loops for ever";
    ASSERT_EQ(back.frames.size(), frames.size());
    for (std::size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        EXPECT_EQ(back.delaysMs[i], delayCentiseconds * 10);
        EXPECT_TRUE(samePixels(back.frames[i], frames[i]));
        if (i < codes.size()) {
            EXPECT_TRUE(codesEndWithTheFrame(codes[i], frames[i].width() * frames[i].height()));
        }
    }
}

QRgb cube(int red, int green, int blue) {
    return qRgb(red * 51, green * 51, blue * 51);
}

TEST(GifWriterTest, FramesOfTableColoursComeBackExactlyWithTheirDelayAndLooping) {
    const QSize odd(37, 23);
    const struct {
        const char* name;
        std::vector<QImage> frames;
        int delay;
    } cases[] = {
        {"one pixel", {frameOf({1, 1}, [](int, int) { return cube(5, 0, 0); })}, 65535},
        // One colour throughout: ever longer strings, each code used as soon as it is made.
        {"flat frames",
         {frameOf({64, 48}, [](int, int) { return cube(4, 5, 4); }),
          frameOf({64, 48}, [](int, int) { return qRgb(0, 0, 0); }),
          frameOf({64, 48}, [](int, int) { return qRgb(255, 255, 255); })},
         25},
        {"stripes, checks, every colour and noise, of odd size",
         {frameOf(odd, [](int x, int) { return x % 3 == 0 ? cube(0, 2, 1) : cube(4, 5, 4); }),
          frameOf(odd, [](int x, int y) { return (x + y) % 2 ? cube(1, 1, 5) : cube(5, 5, 1); }),
          frameOf(odd, [](int x, int y) { return tableColours()[(x * 7 + y) % 256]; }),
          randomTableFrame(odd, 7)},
         7},
        {"the shortest delay Qt keeps",
         {randomTableFrame({5, 5}, 3), randomTableFrame({5, 5}, 4)},
         2},
    };
    for (const auto& [name, frames, delay] : cases) {
        SCOPED_TRACE(name);
        expectFramesBack(frames, delay);
    }
}

// Random table colours hardly repeat a string, so nearly every pixel costs a code: codes widen
// from 9 to 12 bits, the table fills after some 3800 and starts again, many times over.
TEST(GifWriterTest, AFrameThatFillsTheCodeTableManyTimesComesBackExactly) {
    expectFramesBack({randomTableFrame({400, 400}, 1), randomTableFrame({400, 400}, 2)}, 25);
}

// A row in which no two neighbours repeat a pair, so that every pixel is one code: runs through
// 0, d, 2d... (mod 256) for odd d = 1, 3, 5..., each pair's step telling its run.
QImage rowOfOneCodeAPixel(int pixels) {
    return frameOf({pixels, 1}, [](int x, int) {
        const int step = x / 256 * 2 + 1;
        return tableColours()[x % 256 * step % 256];
    });
}

// The decoder makes each table entry one code after the encoder, so it widens its codes and finds
// its table full one code later: rows ending on each code count around those points.
TEST(GifWriterTest, FramesEndingAroundEachCodeWideningAndTheFullTableComeBackExactly) {
    // The decoder makes entries 511, 1023, 2047 and 4095 on the codes of pixels 255, 767, 1791
    // and 3839.
    for (const int turn : {255, 767, 1791, 3839}) {
        for (int pixels = turn - 4; pixels <= turn + 4; ++pixels) {
            SCOPED_TRACE(std::to_string(pixels) + " pixels");
            expectFramesBack({rowOfOneCodeAPixel(pixels)}, 2);
        }
    }
}

TEST(GifWriterTest, OtherColoursTakeTheNearestColourOfTheTable) {
    const std::vector<QRgb>& table = tableColours();
    EXPECT_EQ(std::set<QRgb>(table.begin(), table.end()).size(), 256u) << "no colour twice";

    std::mt19937 random(5);
    QImage frame = frameOf({64, 64}, [&](int x, int y) {
        const int grey = (x + y * 64) % 256;
        // Half random colours, half every grey, which the table shades more finely.
        return y < 32 ? qRgb(random() % 256, random() % 256, random() % 256)
                      : qRgb(grey, grey, grey);
    });
    const ReadBack back = readBack(animatedGif({frame}, 10));
    ASSERT_EQ(back.frames.size(), 1u);
    const auto distance = [](QRgb a, QRgb b) {
        const int red = qRed(a) - qRed(b);
        const int green = qGreen(a) - qGreen(b);
        const int blue = qBlue(a) - qBlue(b);
        return red * red + green * green + blue * blue;
    };
    int notGrey = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const QRgb drawn = frame.pixel(x, y);
            const QRgb shown = back.frames[0].pixel(x, y);
            SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
            ASSERT_TRUE(std::ranges::find(table, shown) != table.end());
            int nearest = distance(drawn, table[0]);
            for (const QRgb colour : table) {
                nearest = std::min(nearest, distance(drawn, colour));
            }
            ASSERT_EQ(distance(drawn, shown), nearest);
            notGrey += y >= 32 && (qRed(shown) != qGreen(shown) || qGreen(shown) != qBlue(shown));
        }
    }
    EXPECT_EQ(notGrey, 0) << "a grey stays grey";
}

TEST(GifWriterTest, RefusesWhatAGifCannotHold) {
    const QImage frame(8, 8, QImage::Format_RGB32);
    const struct {
        const char* name;
        std::vector<QImage> frames;
        int delay;
    } cases[] = {
        {"no frame", {}, 10},
        {"a null frame", {frame, QImage()}, 10},
        {"frames of two sizes", {frame, QImage(8, 9, QImage::Format_RGB32)}, 10},
        {"wider than 65535", {QImage(65536, 1, QImage::Format_RGB32)}, 10},
        {"a negative delay", {frame}, -1},
        {"a delay over 65535", {frame}, 65536},
    };
    for (const auto& [name, frames, delay] : cases) {
        SCOPED_TRACE(name);
        EXPECT_THROW(animatedGif(frames, delay), std::invalid_argument);
    }
}

}  // namespace
