#pragma once
// A file-name pattern prepared once for a whole walk, so that a folder of thousands of names
// costs a quick byte test per name and a GBK conversion only for the few that may match.
#include <string>
#include <string_view>
#include <vector>

#include "platform/wildcard_match.h"

namespace qh {

class NamePattern {
public:
    // `pattern` is GBK. A pattern made of whole GBK characters matches as Wildcard does. A
    // pattern holding a lead byte without its trail (a keyword cut into two-byte steps through
    // the middle of a character, "a月" giving "a\xd4*") could never match a name by characters,
    // so it matches byte by byte instead: the same rules, but each byte of the name and the
    // pattern counts as a character ("*" any run of bytes, "?" one byte). The clerk's "a月亮" then
    // finds the names that hold those bytes in that order, "a月亮.mp3" among them. An empty
    // pattern matches nothing.
    explicit NamePattern(std::string_view pattern);

    bool matches(std::string_view gbkName) const;

    // False only when the name, in its host form (the UTF-8 bytes of a Linux file name), cannot
    // match: it lacks a fixed piece of the pattern. True says nothing; ask `matches`.
    bool mayMatchHostName(std::string_view hostName) const;

private:
    bool empty_;
    bool bytewise_;
    Wildcard wildcard_;
    // The pattern's fixed runs between wildcards in host form, ASCII letters lower-cased;
    // every name that matches holds each of them.
    std::vector<std::string> hostPieces_;
};

}  // namespace qh
