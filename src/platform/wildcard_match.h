#pragma once
// File-name patterns as the Windows directory listing matches them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qh {

// A pattern read once and matched against many names; both texts are GBK. The rules are those of
// a Windows listing: FindFirstFile rewrites the pattern, and the file system matches the result
// as FsRtlIsNameInExpression documents it:
//   - "?" becomes DOS_QM, one character other than a period; at a period or the end of the name
//     it matches nothing, and so does the rest of its run of DOS_QMs ("ab?" takes "ab", and
//     "ab?.c" takes "ab.c");
//   - "." before "?" or "*", or ending the pattern, becomes DOS_DOT: a period, or nothing at the
//     end of the name ("a.*" takes "a", "*." takes "readme");
//   - "*" before "." becomes DOS_STAR: any run of characters that stops short of the name's final
//     period ("*.c" takes "a.b.c"; "*.*" takes every name); any other "*" is any run at all;
//   - "<", ">" and '"' are DOS_STAR, DOS_QM and DOS_DOT themselves, as the file system reads them;
//   - every other character is itself, ASCII letters without regard to case.
// A character is a whole GBK character of one, two or four bytes. Matching takes at most name
// length x pattern length steps, whatever the pattern. Short 8.3 names are not modelled: Linux
// volumes have none, so a pattern is matched against the one name an entry has.
class Wildcard {
public:
    explicit Wildcard(std::string_view pattern);

    bool matches(std::string_view name) const;

    // The runs of literal characters between wildcards, in pattern order: every name that matches
    // holds each of them, ASCII letters perhaps in other case.
    std::vector<std::string> literalRuns() const;

private:
    enum class Kind : std::uint8_t { Character, Star, DosStar, DosQm, DosDot };
    struct Element {
        Kind kind;
        std::uint8_t length = 0;  // a Character's bytes, at `offset` in the pattern
        std::uint32_t offset = 0;
    };

    bool sameCharacter(const Element& element, std::string_view character) const;

    std::string pattern_;
    std::vector<Element> elements_;
    bool takesEveryName_ = false;
};

}  // namespace qh
