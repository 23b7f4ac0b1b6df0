#pragma once
// Helpers of the checks: cutting an input into its parts, showing bytes in a failure, and plain,
// slow readings of the text rules (GBK characters, lines) that the checks compare the program's
// fast ones against.
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace qh::fuzz {

// The input cut at its first `count` - 1 NUL bytes into `count` parts; the last part is the rest,
// NULs and all. Parts the input does not reach are empty.
std::vector<std::string_view> inputParts(std::string_view input, std::size_t count);

// The bytes as a C literal would spell them, cut after a few hundred, for a failure's text.
std::string shown(std::string_view bytes);

// A failure's text from its pieces: texts as they are, numbers in digits.
template <typename... Pieces>
std::string failure(const Pieces&... pieces) {
    std::string text;
    const auto add = [&](const auto& piece) {
        if constexpr (std::is_arithmetic_v<std::decay_t<decltype(piece)>>) {
            text += std::to_string(piece);
        } else {
            text += piece;
        }
    };
    (add(pieces), ...);
    return text;
}

// A GBK text's characters, walked from its start: a byte below 0x81 alone; a lead 81..FE with a
// trail 40..FE other than 7F; a lead, a digit, a lead and a digit; any other byte alone.
std::vector<std::string_view> gbkCharacters(std::string_view text);

// The text with the ASCII letters that are characters of their own in lower case.
std::string foldedAscii(std::string_view text);

// A line as a data file holds it: its text and the CR LF, CR or LF after it (none on a last line
// without one).
struct TextLine {
    std::string_view text;
    std::string_view end;
    bool operator==(const TextLine&) const = default;
};
std::vector<TextLine> textLines(std::string_view content);

// Lines of a small part of the input, for inputs that hold several short texts.
std::vector<std::string> lineTexts(std::string_view content);

}  // namespace qh::fuzz
