#include "library/library_layout.h"

#include "library/category_table.h"
#include "platform/file_system.h"
#include "text/byte_text.h"
#include "text/gbk.h"

namespace qh {

const std::string& libraryFolderName() {
    static const std::string name = gbk("青禾点唱库");
    return name;
}

std::string libraryRoot(std::string_view driveText) {
    std::string root(driveText);
    root += ":\\";
    root += libraryFolderName();
    root += '\\';
    return root;
}

std::vector<std::string> libraryRoots(const std::array<std::string, kLibraryDriveCount>& drives,
                                      int count) {
    std::vector<std::string> roots;
    for (int i = 0; i < count && i < kLibraryDriveCount; ++i) {
        if (!drives[i].empty()) {
            roots.push_back(libraryRoot(drives[i]));
        }
    }
    return roots;
}

std::string categoryFolderPath(std::string_view driveText, int categoryIndex) {
    return libraryRoot(driveText) + categoryTable().at(categoryIndex).folder + '\\';
}

const std::array<CategoryPanelPage, 4>& categoryPanelPages() {
    static const std::array<CategoryPanelPage, 4> pages = [] {
        struct Page {
            const char* caption;
            const char* base;
            std::vector<const char*> subfolders;
        };
        const Page table[] = {
            {"音乐",
             "1-音乐\\分类歌曲\\",
             {"经典老歌", "男女对唱", "闽南台语", "影视金曲", "DJ串烧", "DJ舞曲", "英文歌曲",
              "非主流", "伤感情歌", "儿童歌曲", "葫芦丝", "萨克斯", "校园歌曲", "新年歌",
              "革命歌曲", "戏曲音乐"}},
            {"游戏",
             "7-游戏\\",
             {"jar格式", "sis格式", "nes格式", "blz格式", "app格式", "gb格式", "gbc格式",
              "smc格式"}},
            {"铃声", "11-铃声\\", {"mp3铃声", "彩信铃声", "和弦铃声", "特色铃声"}},
            {"其它",
             "12-其它\\",
             {"AMV格式", "ASF格式", "AVI格式", "FLV格式", "MP4格式", "RM格式", "WMV格式",
              "RMVB格式"}},
        };
        std::array<CategoryPanelPage, 4> built;
        for (std::size_t i = 0; i < built.size(); ++i) {
            built[i].caption = gbk(table[i].caption);
            built[i].baseFolder = gbk(table[i].base);
            for (const char* subfolder : table[i].subfolders) {
                built[i].subfolders.push_back(gbk(subfolder));
            }
        }
        return built;
    }();
    return pages;
}

const std::vector<std::string>& subfolderTree() {
    static const std::vector<std::string> tree = [] {
        std::vector<std::string> paths;
        for (const auto& page : categoryPanelPages()) {
            for (const auto& subfolder : page.subfolders) {
                paths.push_back(page.baseFolder + subfolder + '\\');
            }
        }
        return paths;
    }();
    return tree;
}

const std::array<NewAdditionsFolder, 5>& newAdditionsFolders() {
    static const std::array<NewAdditionsFolder, 5> folders = {{
        {0, gbk("新增歌曲")},
        {1, gbk("新增MTV")},
        {2, gbk("新增电影")},
        {3, gbk("新增连续剧")},
        {7, gbk("新增生活片")},
    }};
    return folders;
}

std::string belowLibraryRoot(const NewAdditionsFolder& additions) {
    return categoryTable().at(additions.categoryIndex).folder + '\\' + additions.folder + '\\';
}

std::vector<std::string> browseFolders(const std::array<std::string, kLibraryDriveCount>& drives,
                                       std::string_view belowRoot) {
    std::vector<std::string> folders = libraryRoots(drives, kBrowseDriveCount);
    for (auto& folder : folders) {
        folder += belowRoot;
    }
    return folders;
}

void createMissingFolders(FileSystem& files, const std::vector<std::string>& folders) {
    for (const auto& folder : folders) {
        if (!files.folderExists(folder)) {
            files.createFolders(folder);
        }
    }
}

const std::array<std::string, 2>& pictureSizeFolders() {
    static const std::array<std::string, 2> folders = {gbk("5-图片\\大图\\"),
                                                       gbk("5-图片\\小图\\")};
    return folders;
}

const std::array<std::string, 11>& pictureTopics() {
    static const std::array<std::string, 11> topics = {
        gbk("美女"), gbk("风景"),     gbk("爱情"),   gbk("幽默搞笑"), gbk("激情"), gbk("动漫卡通"),
        gbk("美男"), gbk("节日祝福"), gbk("非主流"), gbk("名车"),     gbk("另类")};
    return topics;
}

int categoryOfPath(std::string_view path) {
    // "青禾点唱库\1-音乐" is no substring of "青禾点唱库\10-演唱会", so table order is safe.
    static const std::array<std::string, kCategoryCount> markers = [] {
        std::array<std::string, kCategoryCount> texts;
        for (const auto& category : categoryTable()) {
            texts[category.index] = libraryFolderName() + '\\' + category.folder;
        }
        return texts;
    }();
    for (const auto& category : categoryTable()) {
        if (contains(path, markers[category.index])) {
            return category.number;
        }
    }
    return 0;
}

void createCategoryFolders(FileSystem& files, std::string_view driveText) {
    for (const auto& category : categoryTable()) {
        const auto folder = categoryFolderPath(driveText, category.index);
        if (!files.folderExists(folder)) {
            files.createFolders(folder);
        }
    }
}

}  // namespace qh
