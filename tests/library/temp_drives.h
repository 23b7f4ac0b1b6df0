#pragma once
// Real temporary folders as drives for the library's tests. Files are named by their Windows
// paths written in UTF-8 ("F:\青禾点唱库\1-音乐\a.mp3"), and GBK results read back as UTF-8 so a
// failure shows readable paths.
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/folder_reader_linux.h"
#include "platform/linux_file_system.h"
#include "support/temp_folder.h"
#include "text/gbk.h"

namespace qh::testing {

class TempDrives {
public:
    TempDrives() { addDrive('F'); }

    std::filesystem::path addDrive(char letter) {
        const auto root = folder_.path() / std::string(1, letter);
        std::filesystem::create_directories(root);
        DriveTable table = *drives_.snapshot();
        table.set({letter, root, DriveType::Fixed});
        drives_.replace(table);
        return root;
    }

    std::filesystem::path hostPath(std::string_view windowsPath) const {
        return drives_.snapshot()->resolve(gbk(windowsPath)).value();
    }

    std::optional<std::filesystem::path> resolve(std::string_view gbkPath) const {
        return drives_.snapshot()->resolve(gbkPath);
    }

    std::filesystem::path addFile(std::string_view windowsPath, std::string_view content = {}) {
        const auto host = hostPath(windowsPath);
        std::filesystem::create_directories(host.parent_path());
        std::ofstream(host, std::ios::binary) << content;
        return host;
    }

    std::filesystem::path addFolder(std::string_view windowsPath) {
        const auto host = hostPath(windowsPath);
        std::filesystem::create_directories(host);
        return host;
    }

    const FolderReader& reader() const { return reader_; }
    const FileSystem& files() const { return files_; }

private:
    TempFolder folder_;
    SharedDriveTable drives_;
    LinuxFolderReader reader_{drives_};
    LinuxFileSystem files_{drives_};
};

inline std::vector<std::string> utf8(const std::vector<std::string>& gbkTexts) {
    std::vector<std::string> texts;
    for (const auto& text : gbkTexts) {
        texts.push_back(fromGbk(text).toStdString());
    }
    return texts;
}

inline std::vector<std::string> gbkAll(std::initializer_list<std::string_view> utf8Texts) {
    std::vector<std::string> texts;
    for (const auto text : utf8Texts) {
        texts.push_back(gbk(text));
    }
    return texts;
}

}  // namespace qh::testing
