#pragma once
// The shop's song numbers: the clerk types a number to find one file, so every numbered file in
// the library has its own. Four digits in a small shop, more digits when the library is larger.
#include <cstdint>
#include <string>

namespace qh::demo {

class SongNumbers {
public:
    explicit SongNumbers(std::uint64_t expectedCount);

    // The next unused number, zero-padded, in a scattered order as shops hand them out over the
    // years. Throws std::length_error when all numbers of the width are used.
    std::string next();

private:
    int width_ = 4;
    std::uint64_t range_ = 0;  // numbers 1 .. range_
    std::uint64_t step_ = 0;   // coprime to range_, so the walk visits each number once
    std::uint64_t issued_ = 0;
};

}  // namespace qh::demo
