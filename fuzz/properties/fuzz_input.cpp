#include "fuzz_input.h"

#include <cstdio>

namespace qh::fuzz {

std::vector<std::string_view> inputParts(std::string_view input, std::size_t count) {
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < count) {
        const std::size_t nul = input.find('\0');
        parts.push_back(input.substr(0, nul));
        input = nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);
    }
    parts.push_back(input);
    return parts;
}

std::string shown(std::string_view bytes) {
    constexpr std::size_t kShownBytes = 300;
    std::string text = "\"";
    for (const char c : bytes.substr(0, kShownBytes)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text += '\\';
            text += c;
        } else if (byte >= 0x20 && byte < 0x7F) {
            text += c;
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            text += escape;
        }
    }
    text += '"';
    if (bytes.size() > kShownBytes) {
        text += failure("... (", bytes.size(), " bytes)");
    }
    return text;
}

std::vector<std::string_view> gbkCharacters(std::string_view text) {
    const auto isLead = [](unsigned char b) { return b >= 0x81 && b <= 0xFE; };
    const auto isDigit = [](unsigned char b) { return b >= '0' && b <= '9'; };
    std::vector<std::string_view> characters;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto at = [&](std::size_t k) -> unsigned char {
            return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
        };
        std::size_t length = 1;
        if (isLead(at(0)) && i + 1 < text.size()) {
            if (at(1) >= 0x40 && at(1) <= 0xFE && at(1) != 0x7F) {
                length = 2;
            } else if (i + 3 < text.size() && isDigit(at(1)) && isLead(at(2)) && isDigit(at(3))) {
                length = 4;
            }
        }
        characters.push_back(text.substr(i, length));
        i += length;
    }
    return characters;
}

std::string foldedAscii(std::string_view text) {
    std::string folded;
    for (const std::string_view character : gbkCharacters(text)) {
        if (character.size() == 1 && character[0] >= 'A' && character[0] <= 'Z') {
            folded += static_cast<char>(character[0] - 'A' + 'a');
        } else {
            folded += character;
        }
    }
    return folded;
}

std::vector<TextLine> textLines(std::string_view content) {
    std::vector<TextLine> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < content.size()) {
        if (content[i] != '\r' && content[i] != '\n') {
            ++i;
            continue;
        }
        const std::size_t endLength =
            content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n' ? 2 : 1;
        lines.push_back({content.substr(start, i - start), content.substr(i, endLength)});
        i += endLength;
        start = i;
    }
    if (start < content.size()) {
        lines.push_back({content.substr(start), {}});
    }
    return lines;
}

std::vector<std::string> lineTexts(std::string_view content) {
    std::vector<std::string> texts;
    for (const TextLine& line : textLines(content)) {
        texts.emplace_back(line.text);
    }
    return texts;
}

}  // namespace qh::fuzz
