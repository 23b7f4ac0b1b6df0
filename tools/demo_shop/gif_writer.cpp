#include "gif_writer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace qh::demo {

namespace {

constexpr int kCubeLevels = 6;
constexpr int kCubeStep = 255 / (kCubeLevels - 1);
constexpr int kCubeColours = kCubeLevels * kCubeLevels * kCubeLevels;
constexpr int kGreys = 256 - kCubeColours;
constexpr int kMaxSide = 0xffff;

// Indices of 8 bits; codes of 9 to 12 bits.
constexpr int kMinCodeSize = 8;
constexpr int kClearCode = 1 << kMinCodeSize;
constexpr int kEndCode = kClearCode + 1;
constexpr int kMaxCodeSize = 12;
constexpr int kCodeLimit = 1 << kMaxCodeSize;

// Cube colours first (index r * 36 + g * 6 + b), then the greys from dark to light. The greys
// fall between the cube's own six, so the table holds 256 different colours and grey areas
// shade finely.
using Palette = std::array<QRgb, 256>;

int greyLevel(int grey) {
    return ((grey + 1) * 255 + (kGreys + 1) / 2) / (kGreys + 1);
}

const Palette& palette() {
    static const Palette colours = [] {
        Palette table{};
        for (int i = 0; i < kCubeColours; ++i) {
            table[i] = qRgb(i / 36 * kCubeStep, i / 6 % 6 * kCubeStep, i % 6 * kCubeStep);
        }
        for (int grey = 0; grey < kGreys; ++grey) {
            const int level = greyLevel(grey);
            table[kCubeColours + grey] = qRgb(level, level, level);
        }
        return table;
    }();
    return colours;
}

int distance(QRgb a, QRgb b) {
    const int red = qRed(a) - qRed(b);
    const int green = qGreen(a) - qGreen(b);
    const int blue = qBlue(a) - qBlue(b);
    return red * red + green * green + blue * blue;
}

std::uint8_t nearestIndex(QRgb colour) {
    // The cube is a grid: its nearest entry has the nearest level in each channel.
    const auto level = [](int value) { return (value + kCubeStep / 2) / kCubeStep; };
    int best = level(qRed(colour)) * 36 + level(qGreen(colour)) * 6 + level(qBlue(colour));
    int bestDistance = distance(colour, palette()[best]);
    for (int i = kCubeColours; i < 256; ++i) {
        const int d = distance(colour, palette()[i]);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return static_cast<std::uint8_t>(best);
}

std::vector<std::uint8_t> indicesOf(const QImage& frame) {
    const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
    std::vector<std::uint8_t> indices;
    indices.reserve(static_cast<std::size_t>(rgb.width()) * rgb.height());
    // Drawn pictures repeat colours; each is matched once.
    std::unordered_map<QRgb, std::uint8_t> matched;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = line[x] | 0xff000000u;
            auto found = matched.find(colour);
            if (found == matched.end()) {
                found = matched.emplace(colour, nearestIndex(colour)).first;
            }
            indices.push_back(found->second);
        }
    }
    return indices;
}

// Codes packed from the lowest bit of each byte up.
class CodeStream {
public:
    void put(int code, int width) {
        bits_ |= static_cast<std::uint32_t>(code) << count_;
        count_ += width;
        while (count_ >= 8) {
            bytes_.push_back(static_cast<char>(bits_ & 0xff));
            bits_ >>= 8;
            count_ -= 8;
        }
    }
    std::string finish() {
        if (count_ > 0) {
            bytes_.push_back(static_cast<char>(bits_ & 0xff));
        }
        return std::move(bytes_);
    }

private:
    std::string bytes_;
    std::uint32_t bits_ = 0;
    int count_ = 0;
};

std::string compressed(const std::vector<std::uint8_t>& indices) {
    CodeStream out;
    std::unordered_map<std::uint32_t, int> table;  // (prefix code << 8 | index) -> code
    int width = kMinCodeSize + 1;
    int next = kEndCode + 1;
    // The decoder adds the entry for a code only when it reads the code after it, so its next
    // free code is one below ours, and it reads wider codes once that one no longer fits the
    // width: we widen when our next free code is past the width's range.
    const auto added = [&] {
        ++next;
        if (next > (1 << width) && width < kMaxCodeSize) {
            ++width;
        }
    };

    out.put(kClearCode, width);
    int prefix = indices.front();
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const std::uint32_t key = static_cast<std::uint32_t>(prefix) << 8 | indices[i];
        if (const auto found = table.find(key); found != table.end()) {
            prefix = found->second;
            continue;
        }
        out.put(prefix, width);
        if (next < kCodeLimit) {
            table.emplace(key, next);
            added();
        } else {
            // The table is full: both sides start a new one.
            out.put(kClearCode, width);
            table.clear();
            width = kMinCodeSize + 1;
            next = kEndCode + 1;
        }
        prefix = indices[i];
    }
    out.put(prefix, width);
    // The decoder's entry for the last code can widen the end code.
    if (next < kCodeLimit) {
        added();
    }
    out.put(kEndCode, width);
    return out.finish();
}

void putBytes(std::string& out, std::initializer_list<unsigned char> bytes) {
    for (const unsigned char byte : bytes) {
        out.push_back(static_cast<char>(byte));
    }
}

void putWord(std::string& out, int value) {
    putBytes(out, {static_cast<unsigned char>(value & 0xff),
                   static_cast<unsigned char>(value >> 8 & 0xff)});
}

// Data sub-blocks of up to 255 bytes, then the empty block that ends them.
void putBlocks(std::string& out, std::string_view data) {
    while (!data.empty()) {
        const auto size = std::min<std::size_t>(data.size(), 255);
        out.push_back(static_cast<char>(size));
        out.append(data.substr(0, size));
        data.remove_prefix(size);
    }
    out.push_back('\0');
}

}  // namespace

std::string animatedGif(const std::vector<QImage>& frames, int delayCentiseconds) {
    if (frames.empty()) {
        throw std::invalid_argument("an animated GIF needs a frame");
    }
    const QSize size = frames.front().size();
    for (const QImage& frame : frames) {
        if (frame.isNull() || frame.size() != size) {
            throw std::invalid_argument("the frames of an animated GIF are one size");
        }
    }
    if (size.width() > kMaxSide || size.height() > kMaxSide) {
        throw std::invalid_argument("a GIF is at most 65535 pixels a side");
    }
    if (delayCentiseconds < 0 || delayCentiseconds > 0xffff) {
        throw std::invalid_argument("a GIF frame's delay is 0 to 65535 centiseconds");
    }

    std::string gif = "GIF89a";
    putWord(gif, size.width());
    putWord(gif, size.height());
    // A global table of 256 colours of 8 bits a primary; background entry 0; square pixels.
    putBytes(gif, {0xf7, 0, 0});
    for (const QRgb colour : palette()) {
        putBytes(gif, {static_cast<unsigned char>(qRed(colour)),
                       static_cast<unsigned char>(qGreen(colour)),
                       static_cast<unsigned char>(qBlue(colour))});
    }
    // NETSCAPE2.0 looping: a repeat count of 0 is for ever.
    putBytes(gif, {0x21, 0xff, 11});
    gif += "NETSCAPE2.0";
    putBytes(gif, {3, 1, 0, 0, 0});

    for (const QImage& frame : frames) {
        // Graphic control: the frame stays until the next covers it whole; no transparency.
        putBytes(gif, {0x21, 0xf9, 4, 1 << 2});
        putWord(gif, delayCentiseconds);
        putBytes(gif, {0, 0});
        // The frame fills the picture, uses the global table and is not interlaced.
        putBytes(gif, {0x2c});
        putWord(gif, 0);
        putWord(gif, 0);
        putWord(gif, size.width());
        putWord(gif, size.height());
        putBytes(gif, {0, kMinCodeSize});
        putBlocks(gif, compressed(indicesOf(frame)));
    }
    gif.push_back(';');
    return gif;
}

}  // namespace qh::demo
