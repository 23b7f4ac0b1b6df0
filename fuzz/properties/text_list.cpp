// The data folder's text lists: a list loads as the lines between its line ends, whatever bytes
// they hold, and saving and loading it again gives the same entries.
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "checks.h"
#include "fuzz_input.h"

#include "text/text_list_file.h"

namespace qh::fuzz {
namespace {

// One folder per process for the saved lists, removed when the process ends.
class ListFolder {
public:
    ListFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qh-fuzz-list-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~ListFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::string shownLines(const std::vector<std::string>& lines) {
    std::string text = failure(lines.size(), " lines");
    for (std::size_t i = 0; i < lines.size() && i < 5; ++i) {
        text += " " + shown(lines[i]);
    }
    return text;
}

}  // namespace

std::string checkTextList(std::string_view content) {
    const std::vector<std::string> lines = splitTextLines(content);
    const std::vector<std::string> expected = lineTexts(content);
    if (lines != expected) {
        return failure("the list loads as ", shownLines(lines), " instead of ",
                       shownLines(expected));
    }

    const std::string saved = joinTextLines(lines);
    std::string expectedSaved;
    for (const auto& line : lines) {
        expectedSaved += line + "\r\n";
    }
    if (saved != expectedSaved) {
        return failure("the list is saved as ", shown(saved), " instead of ", shown(expectedSaved));
    }
    // A list as the program writes it is written back byte for byte.
    bool inProgramForm = true;
    for (const TextLine& line : textLines(content)) {
        inProgramForm = inProgramForm && line.end == "\r\n";
    }
    if (inProgramForm && saved != content) {
        return failure("a list with CR LF line ends is saved as ", shown(saved));
    }
    if (splitTextLines(saved) != lines) {
        return failure("the saved list loads as ", shownLines(splitTextLines(saved)));
    }

    static const ListFolder folder;
    if (folder.path().empty()) {
        return "no temporary folder for the saved list";
    }
    const auto file = folder.path() / "list.txt";
    if (!saveTextList(file, lines)) {
        return "the list could not be saved into the temporary folder";
    }
    if (const auto loaded = loadTextList(file); loaded != lines) {
        return failure("the list saved to a file loads as ", shownLines(loaded));
    }
    return {};
}

}  // namespace qh::fuzz
