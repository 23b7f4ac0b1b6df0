#pragma once
// What the text typed into the keyword box asks for when the clerk presses Enter.
#include <string>
#include <string_view>

namespace qh {

enum class TypedTextKind {
    Number,   // a file number: searched as typed
    Refused,  // "对不起,此字符被禁搜"
    Keyword,  // searched in two-byte steps
};

// `typed` is GBK; lengths count its bytes. A number starts with a digit and has at least three
// bytes, "2009" excepted. Refused: anything else starting with a digit, anything shorter than
// two bytes, and any part of ".mp3.3gp.wma.dat.mpg.qh2009  " (such a text would match nearly
// every file). Everything else is a keyword, the prompt text of the box included.
TypedTextKind classifyTypedText(std::string_view typed);

// The SearchKeyword of a keyword: each two bytes followed by "*" ("月亮" gives "月*亮*"), the last
// byte of an odd length dropped ("abc" gives "ab*"). A step may cut a double-byte character in
// two ("a月" gives "a" and the first byte of 月); NamePattern then matches byte by byte.
std::string keywordInSteps(std::string_view typed);

struct SearchKeywordChoice {
    TypedTextKind kind = TypedTextKind::Refused;
    std::string searchKeyword;  // empty when refused
    bool operator==(const SearchKeywordChoice&) const = default;
};

// The SearchKeyword for the typed text: the number as typed, or the keyword in steps.
SearchKeywordChoice chooseSearchKeyword(std::string_view typed);

}  // namespace qh
