#include "demo_random.h"

namespace qh::demo {

DemoRandom DemoRandom::fork(std::string_view part) const {
    // FNV-1a over the part's name, mixed with this stream's state.
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : part) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    }
    DemoRandom mixer(state_ ^ hash);
    return DemoRandom(mixer.next());
}

std::uint64_t DemoRandom::next() {
    state_ += 0x9e3779b97f4a7c15ULL;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::uint64_t DemoRandom::below(std::uint64_t bound) {
    return static_cast<std::uint64_t>((static_cast<unsigned __int128>(next()) * bound) >> 64);
}

std::uint64_t DemoRandom::between(std::uint64_t low, std::uint64_t high) {
    return low + below(high - low + 1);
}

double DemoRandom::unit() {
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

}  // namespace qh::demo
