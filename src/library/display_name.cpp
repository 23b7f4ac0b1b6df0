#include "library/display_name.h"

#include "text/byte_text.h"

namespace qh {

namespace {

// The marker of a file whose first bytes are dropped when it is copied or played; a plain byte
// search, as every test for the marker is.
constexpr std::string_view kMarker = "qh2009";

}  // namespace

std::string DisplayName(std::string_view path) {
    const std::string_view fileName = fileNameOf(path);
    std::string name(fileName.substr(0, fileName.size() - extensionOf(fileName).size()));
    if (const std::size_t marker = name.find(kMarker); marker != std::string::npos) {
        name.erase(marker, kMarker.size());
    }
    return name;
}

std::string TypeText(std::string_view path) {
    const std::string_view extension = extensionOf(path);
    return std::string(extension.empty() ? extension : extension.substr(1));
}

}  // namespace qh
