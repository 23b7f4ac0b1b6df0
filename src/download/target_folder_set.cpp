#include "download/target_folder_set.h"

#include "library/display_name.h"
#include "text/byte_text.h"
#include "text/gbk.h"

namespace qh {

namespace {

const std::string& fullWidthColon() {
    static const std::string colon = gbk("：");
    return colon;
}

TargetFolders defaultFolders() {
    TargetFolders folders;
    folders.fill(defaultTargetFolder());
    return folders;
}

}  // namespace

const std::string& defaultTargetFolder() {
    static const std::string folder = gbk("D:\\歌曲下载");
    return folder;
}

const std::string& notADrivePathMessage() {
    static const std::string message = gbk("你选择的不是有效路径!请重新选择!!");
    return message;
}

const std::string& targetKindLabel(TargetKind kind) {
    static const std::array<std::string, kTargetKindCount> labels = {
        gbk("音乐："), gbk("视频："), gbk("图片："), gbk("游戏："), gbk("电子书："),
    };
    return labels.at(kind);
}

TargetFolderSet::TargetFolderSet() : folders_(defaultFolders()) {}

TargetFolders TargetFolderSet::folders() const {
    std::lock_guard lock(mutex_);
    return folders_;
}

std::string TargetFolderSet::currentTarget() const {
    std::lock_guard lock(mutex_);
    return currentTarget_;
}

TargetKind TargetFolderSet::classify(std::string_view extension) {
    const TargetKind kind = deliveryKindOf(extension);
    std::lock_guard lock(mutex_);
    currentTarget_ = folders_[kind] + '\\';
    return kind;
}

Destination TargetFolderSet::destinationOf(std::string_view path) {
    const std::string_view extension = extensionOf(path);
    const TargetKind kind = deliveryKindOf(extension);
    // One lock for the classification and the read, so a concurrent classification of another
    // file of the list, or a withdrawal of its disk, cannot slip in between.
    std::lock_guard lock(mutex_);
    currentTarget_ = folders_[kind] + '\\';
    return {currentTarget_ + DisplayName(path) + std::string(extension), kind, withdrawals_};
}

std::vector<std::string> TargetFolderSet::dropDownLines() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> lines;
    for (int kind = 0; kind < kTargetKindCount; ++kind) {
        lines.push_back(targetKindLabel(static_cast<TargetKind>(kind)) + folders_[kind]);
    }
    return lines;
}

void TargetFolderSet::fill(const TargetFolders& folders) {
    std::lock_guard lock(mutex_);
    folders_ = folders;
}

void TargetFolderSet::resetToDefault() {
    fill(defaultFolders());
}

void TargetFolderSet::withdrawDisk() {
    std::lock_guard lock(mutex_);
    folders_ = defaultFolders();
    ++withdrawals_;
}

std::uint64_t TargetFolderSet::withdrawals() const {
    std::lock_guard lock(mutex_);
    return withdrawals_;
}

FolderChoice TargetFolderSet::chooseFolder(TargetKind kind, std::string_view path) {
    if (!contains(path, ":\\")) {
        return {false, notADrivePathMessage()};
    }
    std::lock_guard lock(mutex_);
    folders_.at(kind) = std::string(path);
    return {true, {}};
}

std::string folderToOpen(std::string_view dropDownText) {
    const std::size_t colon = dropDownText.find(fullWidthColon());
    if (colon == std::string_view::npos) {
        return std::string(dropDownText);
    }
    return std::string(dropDownText.substr(colon + fullWidthColon().size()));
}

}  // namespace qh
