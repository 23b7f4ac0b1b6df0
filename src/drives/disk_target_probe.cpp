#include "drives/disk_target_probe.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "text/byte_text.h"
#include "text/gbk.h"

namespace qh {

namespace {

struct KindProbe {
    TargetKind kind;
    std::vector<std::string> names;  // tried in this order
    std::string created;             // when none of them is there
};

// In probing order.
const std::array<KindProbe, kTargetKindCount>& kindProbes() {
    static const std::array<KindProbe, kTargetKindCount> probes = {{
        {kMusic, {"My Music", gbk("歌曲"), "mp3", gbk("音乐"), "Audio"}, "My Music"},
        {kVideo, {"videos", "video", gbk("视频")}, "video"},
        {kPicture, {"Photos", gbk("图片"), "Images"}, "Photos"},
        {kEbook, {"Ebook"}, "Ebook"},
        {kGame, {"Games", "mythroad\\NES"}, "Games"},
    }};
    return probes;
}

// "mythroad\NES" -> {"mythroad", "NES"}; a backslash that is a trail byte separates nothing.
std::vector<std::string> levelsOf(std::string_view name) {
    std::vector<std::string> levels(1);
    for (std::size_t i = 0; i < name.size(); i += charLengthAt(name, i)) {
        if (name[i] == '\\') {
            levels.emplace_back();
        } else {
            levels.back() += name.substr(i, charLengthAt(name, i));
        }
    }
    return levels;
}

// The name on disk of the folder `name` in `folder`, letter case aside. A folder of exactly that
// name wins over one that differs only in case, which only a case-sensitive disk can hold.
std::optional<std::string> subfolderNamed(const FileSystem& files, const std::string& folder,
                                          const std::string& name) {
    const std::string wanted = asciiLower(name);
    std::optional<std::string> found;
    for (const auto& entry : files.list(folder, "*", HiddenEntries::Include)) {
        if ((entry.attributes & attr::Directory) == 0 || asciiLower(entry.name) != wanted) {
            continue;
        }
        if (entry.name == name) {
            return entry.name;
        }
        if (!found) {
            found = entry.name;
        }
    }
    return found;
}

// root + the names as found on disk, "G:\mythroad\NES"; empty when a level is missing.
std::optional<std::string> existingFolder(const FileSystem& files, std::string_view root,
                                          std::string_view name) {
    std::string folder(root);  // ends in "\"
    std::string path;
    for (const auto& level : levelsOf(name)) {
        const auto found = subfolderNamed(files, folder, level);
        if (!found) {
            return std::nullopt;
        }
        path = folder + *found;
        folder = path + '\\';
    }
    return path;
}

}  // namespace

TargetFolders probeDiskTargets(FileSystem& files, std::string_view root) {
    TargetFolders folders;
    for (const auto& probe : kindProbes()) {
        std::optional<std::string> folder;
        for (const auto& name : probe.names) {
            folder = existingFolder(files, root, name);
            if (folder) {
                break;
            }
        }
        if (!folder) {
            folder = std::string(root) + probe.created;
            files.createFolders(*folder);
        }
        folders[probe.kind] = *folder;
    }
    return folders;
}

}  // namespace qh
