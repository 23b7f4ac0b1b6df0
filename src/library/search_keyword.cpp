#include "library/search_keyword.h"

#include "text/byte_text.h"

namespace qh {

namespace {

// Texts found in nearly every file name of the library; the two blanks at the end refuse a
// text of blanks.
constexpr std::string_view kRefusedTexts = ".mp3.3gp.wma.dat.mpg.qh2009  ";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

TypedTextKind classifyTypedText(std::string_view typed) {
    const bool startsWithDigit = !typed.empty() && isDigit(typed.front());
    if (startsWithDigit && typed.size() >= 3 && typed != "2009") {
        return TypedTextKind::Number;
    }
    if (startsWithDigit || contains(kRefusedTexts, typed) || typed.size() < 2) {
        return TypedTextKind::Refused;
    }
    return TypedTextKind::Keyword;
}

std::string keywordInSteps(std::string_view typed) {
    std::string keyword;
    for (std::size_t i = 0; i + 1 < typed.size(); i += 2) {
        keyword += typed.substr(i, 2);
        keyword += '*';
    }
    return keyword;
}

SearchKeywordChoice chooseSearchKeyword(std::string_view typed) {
    const TypedTextKind kind = classifyTypedText(typed);
    switch (kind) {
        case TypedTextKind::Number:
            return {kind, std::string(typed)};
        case TypedTextKind::Keyword:
            return {kind, keywordInSteps(typed)};
        case TypedTextKind::Refused:
            break;
    }
    return {kind, {}};
}

}  // namespace qh
