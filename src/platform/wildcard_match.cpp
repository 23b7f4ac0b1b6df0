#include "platform/wildcard_match.h"

#include <algorithm>
#include <array>
#include <memory>

#include "text/byte_text.h"

namespace qh {

namespace {

// Neither a period nor a wildcard can be part of a multi-byte GBK character, so byte tests for
// them are exact.
constexpr char kPeriod = '.';

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t charLength(std::string_view text, std::size_t at) {
    if (static_cast<unsigned char>(text[at]) < 0x80) {
        return 1;  // most names are mostly ASCII
    }
    return std::min(charLengthAt(text, at), text.size() - at);
}

}  // namespace

Wildcard::Wildcard(std::string_view pattern) : pattern_(pattern) {
    for (std::size_t i = 0; i < pattern_.size();) {
        const std::size_t length = charLength(pattern_, i);
        const bool last = i + 1 == pattern_.size();
        const char next = last ? '\0' : pattern_[i + 1];
        Kind kind = Kind::Character;
        if (length == 1) {
            switch (pattern_[i]) {
                case '?':
                case '>':
                    kind = Kind::DosQm;
                    break;
                case '*':
                    kind = next == kPeriod ? Kind::DosStar : Kind::Star;
                    break;
                case '<':
                    kind = Kind::DosStar;
                    break;
                case '"':
                    kind = Kind::DosDot;
                    break;
                case kPeriod:
                    kind = (last || next == '?' || next == '*') ? Kind::DosDot : Kind::Character;
                    break;
                default:
                    break;
            }
        }
        if (kind == Kind::Character) {
            elements_.push_back(
                {kind, static_cast<std::uint8_t>(length), static_cast<std::uint32_t>(i)});
        } else {
            elements_.push_back({kind});
        }
        i += length;
    }
    // "*" and "*.*", the patterns of every library view, take any name: no need to run them.
    const auto kinds = [this](std::initializer_list<Kind> expected) {
        return std::equal(elements_.begin(), elements_.end(), expected.begin(), expected.end(),
                          [](const Element& element, Kind kind) { return element.kind == kind; });
    };
    takesEveryName_ = kinds({Kind::Star}) || kinds({Kind::DosStar, Kind::DosDot, Kind::Star});
}

bool Wildcard::sameCharacter(const Element& element, std::string_view character) const {
    if (character.size() != element.length) {
        return false;
    }
    // A single byte is a character of its own; in longer ones a trail byte that happens to be a
    // letter is never folded.
    if (element.length == 1) {
        return foldAscii(character[0]) == foldAscii(pattern_[element.offset]);
    }
    return character == std::string_view(pattern_).substr(element.offset, element.length);
}

// The pattern read as an automaton: after each character of the name, the set of element
// positions the name so far can have reached, all followed at once. No choice is ever retried,
// so a pattern full of stars costs no more than name length x pattern length steps.
bool Wildcard::matches(std::string_view name) const {
    if (takesEveryName_) {
        return true;
    }
    const std::size_t count = elements_.size();
    // Two sets of positions; a usual pattern needs no buffer on the heap.
    std::array<std::uint8_t, 128> stackBuffer;
    std::unique_ptr<std::uint8_t[]> heapBuffer;
    std::uint8_t* buffer = stackBuffer.data();
    if (2 * (count + 1) > stackBuffer.size()) {
        heapBuffer = std::make_unique<std::uint8_t[]>(2 * (count + 1));
        buffer = heapBuffer.get();
    }
    // reached[p]: the name so far matches the first p elements.
    std::uint8_t* reached = buffer;
    std::uint8_t* next = buffer + count + 1;
    std::fill(reached, reached + count + 1, 0);
    const std::size_t finalPeriod = name.rfind(kPeriod);

    // Adds the positions reached by elements that match nothing before the character at `at`.
    const auto passEmptyMatches = [&](std::uint8_t* positions, std::size_t at) {
        const bool atEnd = at == name.size();
        const bool atPeriod = !atEnd && name[at] == kPeriod;
        for (std::size_t p = 0; p < count; ++p) {
            if (positions[p] == 0) {
                continue;
            }
            switch (elements_[p].kind) {
                case Kind::Star:
                case Kind::DosStar:
                    positions[p + 1] = 1;
                    break;
                case Kind::DosQm:
                    positions[p + 1] |= (atEnd || atPeriod) ? 1 : 0;
                    break;
                case Kind::DosDot:
                    positions[p + 1] |= atEnd ? 1 : 0;
                    break;
                case Kind::Character:
                    break;
            }
        }
    };

    reached[0] = 1;
    passEmptyMatches(reached, 0);
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t length = charLength(name, at);
        const std::string_view character = name.substr(at, length);
        const bool period = character[0] == kPeriod;
        std::fill(next, next + count + 1, 0);
        for (std::size_t p = 0; p < count; ++p) {
            if (reached[p] == 0) {
                continue;
            }
            const Element& element = elements_[p];
            switch (element.kind) {
                case Kind::Character:
                    next[p + 1] |= sameCharacter(element, character) ? 1 : 0;
                    break;
                case Kind::Star:
                    next[p] = 1;
                    break;
                case Kind::DosStar:
                    next[p] |= at != finalPeriod ? 1 : 0;
                    break;
                case Kind::DosQm:
                    next[p + 1] |= period ? 0 : 1;
                    break;
                case Kind::DosDot:
                    next[p + 1] |= period ? 1 : 0;
                    break;
            }
        }
        if (std::find(next, next + count + 1, 1) == next + count + 1) {
            return false;
        }
        at += length;
        passEmptyMatches(next, at);
        std::swap(reached, next);
    }
    return reached[count] != 0;
}

std::vector<std::string> Wildcard::literalRuns() const {
    std::vector<std::string> runs;
    std::string run;
    for (const Element& element : elements_) {
        if (element.kind == Kind::Character) {
            run.append(pattern_, element.offset, element.length);
        } else if (!run.empty()) {
            runs.push_back(std::move(run));
            run.clear();
        }
    }
    if (!run.empty()) {
        runs.push_back(std::move(run));
    }
    return runs;
}

}  // namespace qh
