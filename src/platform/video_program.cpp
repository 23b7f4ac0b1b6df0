#include "platform/video_program.h"

#include <unistd.h>

#include <cstdlib>
#include <string_view>
#include <system_error>

#include "platform/path_on_disk.h"
#include "text/gbk.h"

namespace qh {

namespace {

// The Linux players that take a film's path as their one argument, the lighter ones first.
constexpr std::string_view kLinuxPlayers[] = {"mpv",    "vlc",      "celluloid", "totem",
                                              "parole", "smplayer", "ffplay"};

bool isExecutableFile(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(file, error) && ::access(file.c_str(), X_OK) == 0;
}

std::optional<std::filesystem::path> onSearchPath(std::string_view name,
                                                  const std::vector<std::filesystem::path>& path) {
    for (const auto& folder : path) {
        const auto candidate = folder / name;
        if (isExecutableFile(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::filesystem::path> findVideoProgram(
    const DriveTable& drives, const std::string& configured,
    const std::vector<std::filesystem::path>& searchPath) {
    for (const char* storm :
         {"C:\\Program Files\\StormII\\Storm.exe", "D:\\Program Files\\StormII\\Storm.exe"}) {
        // The shop may have put a wrapper under the Windows player's name; a bare .exe copied
        // over from Windows is not executable here and is passed over.
        const auto found = resolveOnDisk(drives, gbk(storm));
        if (found && isExecutableFile(*found)) {
            return found;
        }
    }
    if (!configured.empty()) {
        // A name with a slash is a path, as a shell reads a command, and only a whole one counts:
        // a relative one would depend on the working folder. A bare name is looked up.
        if (configured.front() == '/') {
            if (isExecutableFile(configured)) {
                return std::filesystem::path(configured);
            }
        } else if (configured.find('/') == std::string::npos) {
            if (auto found = onSearchPath(configured, searchPath)) {
                return found;
            }
        }
    }
    for (const auto name : kLinuxPlayers) {
        if (auto found = onSearchPath(name, searchPath)) {
            return found;
        }
    }
    return std::nullopt;
}

std::vector<std::filesystem::path> programSearchPath() {
    std::vector<std::filesystem::path> folders;
    const char* path = std::getenv("PATH");
    std::string_view rest = path != nullptr ? path : "";
    while (!rest.empty()) {
        const auto colon = rest.find(':');
        const auto folder = rest.substr(0, colon);
        // An empty or relative entry means the working folder, which holds whatever the clerk
        // last browsed to: never a place to pick a program from.
        if (!folder.empty() && folder.front() == '/') {
            folders.emplace_back(folder);
        }
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    return folders;
}

}  // namespace qh
