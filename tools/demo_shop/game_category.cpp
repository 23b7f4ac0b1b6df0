// 7-游戏: the eight format folders, each with games of its format. The files are sparse: their
// sizes look real, they are only ever copied.
#include <string>

#include "batch_folders.h"
#include "category_builders.h"
#include "media_names.h"
#include "size_range.h"

namespace qh::demo {

namespace {

constexpr SizeRange kGameSizes[] = {
    {".jar", 60 * kKiB, 900 * kKiB}, {".sis", 300 * kKiB, 6 * kMiB},
    {".nes", 24 * kKiB, 512 * kKiB}, {".blz", 100 * kKiB, 1 * kMiB},
    {".app", 2 * kMiB, 30 * kMiB},   {".gb", 32 * kKiB, 1 * kMiB},
    {".gbc", 512 * kKiB, 2 * kMiB},  {".smc", 512 * kKiB, 4 * kMiB},
};

SizeRange sizeOf(std::string_view extension) {
    return sizeRangeOf(kGameSizes, extension, {extension, 100 * kKiB, 1 * kMiB});
}

}  // namespace

void buildGames(const Folder& category, CategoryContext& context) {
    for (const Shelf& shelf : gameShelves()) {
        const auto titles = splitTitles(shelf.titles);
        const std::string extension = formatFolderExtension(shelf.folder);
        const SizeRange size = sizeOf(extension);
        fillInBatches(category.child(shelf.folder), context.plan.gamesPerFormat,
                      [&](const Folder& folder, std::uint64_t i) {
                          folder.writeSparse(distinctTitle(titles, gameBuilds(), i) + extension,
                                             context.random.between(size.low, size.high));
                      });
    }
}

}  // namespace qh::demo
