#include "song_numbers.h"

#include <numeric>
#include <stdexcept>

namespace qh::demo {

SongNumbers::SongNumbers(std::uint64_t expectedCount) {
    std::uint64_t limit = 10000;
    // Keep the numbers sparse: at most half of the width's numbers in use.
    while (limit - 1 < 2 * expectedCount) {
        limit *= 10;
        ++width_;
    }
    range_ = limit - 1;
    step_ = range_ * 618 / 1000;
    while (std::gcd(step_, range_) != 1) {
        ++step_;
    }
}

std::string SongNumbers::next() {
    if (issued_ == range_) {
        throw std::length_error("song numbers exhausted");
    }
    const auto number = static_cast<std::uint64_t>(
        (static_cast<unsigned __int128>(issued_) * step_ + 11) % range_ + 1);
    ++issued_;
    std::string text = std::to_string(number);
    return std::string(static_cast<std::size_t>(width_) - text.size(), '0') + text;
}

}  // namespace qh::demo
