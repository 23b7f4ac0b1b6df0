#include "library/walker.h"

#include <algorithm>

#include "platform/file_system.h"
#include "text/byte_text.h"

namespace qh {

namespace {

// Blanks as the system trims them: spaces and control characters.
bool isBlank(std::string_view pattern) {
    return std::all_of(pattern.begin(), pattern.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

std::string joined(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!fileNameOf(folder).empty()) {
        path += '\\';
    }
    path += name;
    return path;
}

// One read of the folder serves both its matching files and the sub-folders to enter.
void walkFolder(OpenFolder& open, const std::string& folder, WalkSink& output,
                const std::stop_token& stop) {
    std::vector<std::string> subfolders;
    FolderEntry entry;
    while (open.next(entry)) {
        const EntryKind kind = ClassifyEntry(entry.name, entry.attributes);
        if (kind == EntryKind::File && entry.matches) {
            output.found(folder + entry.name);
        } else if (kind == EntryKind::Subfolder) {
            subfolders.push_back(std::move(entry.name));
        }
    }
    for (const auto& name : subfolders) {
        if (stop.stop_requested()) {
            return;
        }
        output.betweenFolders();
        if (const auto subfolder = open.openSubfolder(name)) {
            walkFolder(*subfolder, folder + name + '\\', output, stop);
        }
    }
}

void collectSubfolders(OpenFolder& open, const std::string& folder,
                       std::vector<std::string>& output, const std::stop_token& stop) {
    std::vector<std::string> names;
    FolderEntry entry;
    while (open.next(entry)) {
        if (ClassifyEntry(entry.name, entry.attributes) == EntryKind::Subfolder) {
            names.push_back(std::move(entry.name));
        }
    }
    for (const auto& name : names) {
        if (stop.stop_requested()) {
            return;
        }
        const std::string path = joined(folder, name);
        output.push_back(path);
        if (const auto subfolder = open.openSubfolder(name)) {
            collectSubfolders(*subfolder, path, output, stop);
        }
    }
}

class PathListSink final : public WalkSink {
public:
    explicit PathListSink(std::vector<std::string>& paths) : paths_(paths) {}
    void found(std::string path) override { paths_.push_back(std::move(path)); }

private:
    std::vector<std::string>& paths_;
};

}  // namespace

EntryKind ClassifyEntry(std::string_view name, std::uint32_t attributes) {
    if (name == "." || name == "..") {
        return EntryKind::DotEntry;
    }
    return attributes == attr::Directory ? EntryKind::Subfolder : EntryKind::File;
}

void WalkFiles(const FolderReader& reader, std::string_view folder, std::string_view pattern,
               WalkSink& output, std::stop_token stop) {
    if (isBlank(pattern) || stop.stop_requested()) {
        return;
    }
    const NamePattern names(pattern);
    if (const auto open = reader.open(folder, names)) {
        walkFolder(*open, std::string(folder), output, stop);
    }
}

void WalkFiles(const FolderReader& reader, std::string_view folder, std::string_view pattern,
               std::vector<std::string>& output) {
    PathListSink sink(output);
    WalkFiles(reader, folder, pattern, sink);
}

std::vector<std::string> ListSubfolders(const FolderReader& reader, std::string_view folder,
                                        std::stop_token stop) {
    std::vector<std::string> subfolders;
    // Sub-folders only: a pattern that matches nothing spares converting the files' names.
    const NamePattern noFiles("");
    if (const auto open = reader.open(joined(folder, ""), noFiles)) {
        collectSubfolders(*open, std::string(folder), subfolders, stop);
    }
    return subfolders;
}

}  // namespace qh
