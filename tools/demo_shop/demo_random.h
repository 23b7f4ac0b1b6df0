#pragma once
// The generator's own pseudo-random numbers (SplitMix64). The standard library's engines and
// distributions may differ between library versions; a demo shop must come out byte for byte
// the same from the same arguments.
#include <cstdint>
#include <iterator>
#include <string_view>

namespace qh::demo {

class DemoRandom {
public:
    explicit DemoRandom(std::uint64_t seed) : state_(seed) {}

    // An independent stream for one part of the shop, so that a change in one part leaves the
    // others as they were.
    DemoRandom fork(std::string_view part) const;

    std::uint64_t next();
    // Uniform in [0, bound); bound must not be 0.
    std::uint64_t below(std::uint64_t bound);
    // Uniform in [low, high].
    std::uint64_t between(std::uint64_t low, std::uint64_t high);
    // Uniform in [0, 1).
    double unit();
    bool chance(double probability) { return unit() < probability; }

    // A uniformly chosen element of a non-empty array, vector or span.
    template <class Items>
    const auto& pick(const Items& items) {
        return items[below(std::size(items))];
    }

private:
    std::uint64_t state_;
};

}  // namespace qh::demo
