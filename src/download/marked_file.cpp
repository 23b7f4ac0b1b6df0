#include "download/marked_file.h"

#include "download/download_list.h"
#include "platform/file_system.h"
#include "text/gbk.h"

namespace qh {

namespace {

constexpr std::string_view kMarker = "qh2009";

}  // namespace

bool isMarkedFileName(std::string_view fileName) {
    return fileName.find(kMarker) != std::string_view::npos;
}

std::string plainNameOf(std::string_view fileName) {
    std::string name(fileName);
    if (const std::size_t marker = name.find(kMarker); marker != std::string::npos) {
        name.erase(marker, kMarker.size());
    }
    return name;
}

std::string stagingFolderOf(int list) {
    static const std::string downloads = gbk("D:\\歌曲下载\\");
    return downloads + listName(list) + "\\";
}

CopyResult extractMarkedFile(FileSystem& files, std::string_view libraryPath,
                             std::string_view stagingPath, CopyDurability durability) {
    const auto size = files.fileSize(libraryPath);
    if (!size) {
        return CopyResult::failed(FileFault::SourceMissing);
    }
    if (*size <= kMarkedFileBlockBytes) {
        return CopyResult::failed(FileFault::SourceUnreadable);
    }
    return files.copyFile(libraryPath, stagingPath, /*overwrite=*/true, kMarkedFileBlockBytes,
                          durability);
}

}  // namespace qh
