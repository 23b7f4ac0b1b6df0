#include "text/text_list_file.h"

#include "text/atomic_file.h"

namespace qh {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

}  // namespace

std::vector<std::string> splitTextLines(std::string_view content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t end = content.find_first_of(kLineBreak, start);
        if (end == std::string_view::npos) {
            lines.emplace_back(content.substr(start));
            break;
        }
        lines.emplace_back(content.substr(start, end - start));
        start = end + (content.substr(end).starts_with(kLineBreak) ? kLineBreak.size() : 1);
    }
    return lines;
}

std::string joinTextLines(const std::vector<std::string>& lines) {
    std::string content;
    for (const std::string& line : lines) {
        content += line;
        content += kLineBreak;
    }
    return content;
}

std::vector<std::string> loadTextList(const std::filesystem::path& file) {
    return splitTextLines(readWholeFile(file).value_or(std::string()));
}

bool saveTextList(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    return writeFileAtomically(file, joinTextLines(lines));
}

}  // namespace qh
