// The listing's name patterns against a plain reading of the same rules: "?" (and ">") one
// character other than a period, or nothing at a period or the name's end; "." before "?" or
// "*", or ending the pattern (and '"'), a period or nothing at the end; "*" before "." (and "<")
// any run short of the name's final period; any other "*" any run; every other character itself,
// ASCII letters without regard to case; a character one whole GBK character, or with the pattern
// holding a broken one, one byte. The quick test on host names never turns away a name that
// matches.
#include <vector>

#include "checks.h"
#include "fuzz_input.h"

#include "platform/name_pattern.h"
#include "platform/wildcard_match.h"
#include "text/gbk.h"

namespace qh::fuzz {
namespace {

// Longer texts take the plain matcher too long for a fuzzer's pace; they add nothing new.
constexpr std::size_t kLongestText = 600;

enum class Kind { Character, Star, DosStar, DosQm, DosDot };

struct Element {
    Kind kind;
    std::string_view character;
};

std::vector<std::string_view> charactersOf(std::string_view text, bool bytewise) {
    if (!bytewise) {
        return gbkCharacters(text);
    }
    std::vector<std::string_view> bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bytes.push_back(text.substr(i, 1));
    }
    return bytes;
}

std::vector<Element> elementsOf(std::string_view pattern, bool bytewise) {
    const auto characters = charactersOf(pattern, bytewise);
    std::vector<Element> elements;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const std::string_view c = characters[i];
        const std::string_view next = i + 1 < characters.size() ? characters[i + 1] : "";
        Kind kind = Kind::Character;
        if (c == "?" || c == ">") {
            kind = Kind::DosQm;
        } else if (c == "*") {
            kind = next == "." ? Kind::DosStar : Kind::Star;
        } else if (c == "<") {
            kind = Kind::DosStar;
        } else if (c == "\"") {
            kind = Kind::DosDot;
        } else if (c == ".") {
            kind = next.empty() || next == "?" || next == "*" ? Kind::DosDot : Kind::Character;
        }
        elements.push_back({kind, c});
    }
    return elements;
}

bool sameCharacter(std::string_view patternCharacter, std::string_view nameCharacter) {
    if (patternCharacter.size() == 1 && nameCharacter.size() == 1) {
        return foldedAscii(patternCharacter) == foldedAscii(nameCharacter);
    }
    return patternCharacter == nameCharacter;
}

// Whether the elements from p on take the characters from n on: every way at once, from the end.
bool plainMatch(std::string_view pattern, std::string_view name, bool bytewise) {
    const auto elements = elementsOf(pattern, bytewise);
    const auto characters = charactersOf(name, bytewise);
    const std::size_t count = elements.size();
    const std::size_t length = characters.size();
    std::size_t finalPeriod = length;  // none
    for (std::size_t n = 0; n < length; ++n) {
        if (characters[n] == ".") {
            finalPeriod = n;
        }
    }
    std::vector<char> takes((count + 1) * (length + 1), 0);
    const auto at = [&](std::size_t p, std::size_t n) -> char& {
        return takes[p * (length + 1) + n];
    };
    at(count, length) = 1;
    for (std::size_t p = count; p-- > 0;) {
        for (std::size_t n = length + 1; n-- > 0;) {
            const bool end = n == length;
            const bool period = !end && characters[n] == ".";
            bool result = false;
            switch (elements[p].kind) {
                case Kind::Character:
                    result = !end && sameCharacter(elements[p].character, characters[n]) &&
                             at(p + 1, n + 1);
                    break;
                case Kind::Star:
                    result = at(p + 1, n) || (!end && at(p, n + 1));
                    break;
                case Kind::DosStar:
                    result = at(p + 1, n) || (!end && n != finalPeriod && at(p, n + 1));
                    break;
                case Kind::DosQm:
                    result = end || period ? at(p + 1, n) : at(p + 1, n + 1);
                    break;
                case Kind::DosDot:
                    result = end ? at(p + 1, n) : period && at(p + 1, n + 1);
                    break;
            }
            at(p, n) = result ? 1 : 0;
        }
    }
    return at(0, 0) != 0;
}

bool holdsBrokenCharacter(std::string_view text) {
    for (const std::string_view character : gbkCharacters(text)) {
        if (character.size() == 1 && static_cast<unsigned char>(character[0]) >= 0x81) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> literalRunsOf(std::string_view pattern) {
    std::vector<std::string> runs;
    std::string run;
    for (const Element& element : elementsOf(pattern, false)) {
        if (element.kind == Kind::Character) {
            run += element.character;
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

std::string checkMatch(std::string_view pattern, std::string_view name) {
    const Wildcard wildcard(pattern);
    const bool matches = wildcard.matches(name);
    if (matches != plainMatch(pattern, name, false)) {
        return failure("the pattern ", shown(pattern), matches ? " takes " : " turns away ",
                       shown(name));
    }
    const auto runs = wildcard.literalRuns();
    if (runs != literalRunsOf(pattern)) {
        return failure("the pattern ", shown(pattern), " gives ", runs.size(), " literal runs");
    }
    if (matches) {
        const std::string folded = foldedAscii(name);
        for (const auto& run : runs) {
            if (folded.find(foldedAscii(run)) == std::string::npos) {
                return failure("the name ", shown(name), " taken by ", shown(pattern),
                               " lacks its literal run ", shown(run));
            }
        }
    }

    const NamePattern namePattern(pattern);
    const bool bytewise = holdsBrokenCharacter(pattern);
    const bool expected = !pattern.empty() && plainMatch(pattern, name, bytewise);
    if (namePattern.matches(name) != expected) {
        return failure("the search pattern ", shown(pattern), bytewise ? " (byte by byte)" : "",
                       expected ? " turns away " : " takes ", shown(name));
    }
    return {};
}

}  // namespace

std::string checkWildcard(std::string_view input) {
    const auto parts = inputParts(input, 2);
    const std::string_view pattern = parts[0].substr(0, kLongestText);
    const std::string_view name = parts[1].substr(0, kLongestText);
    if (auto broken = checkMatch(pattern, name); !broken.empty()) {
        return broken;
    }
    // The name as a Linux file's: the quick test on its bytes never turns away what matches.
    const std::string text = hostNameToGbk(name);
    if (auto broken = checkMatch(pattern, text); !broken.empty()) {
        return broken;
    }
    const NamePattern namePattern(pattern);
    if (namePattern.matches(text) && !namePattern.mayMatchHostName(name)) {
        return failure("the search pattern ", shown(pattern), " takes ", shown(text),
                       " but turns its host name ", shown(name), " away");
    }
    return {};
}

}  // namespace qh::fuzz
