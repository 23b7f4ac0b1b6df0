// 9-小品, 10-演唱会 and 12-其它: sketches, concert recordings and the clips of the eight
// video-format folders. All are sparse files of plausible size.
#include <string>

#include "batch_folders.h"
#include "category_builders.h"
#include "media_names.h"
#include "size_range.h"
#include "song_names.h"

namespace qh::demo {

namespace {

constexpr SizeRange kClipSizes[] = {
    {".amv", 2 * kMiB, 10 * kMiB},   {".asf", 10 * kMiB, 50 * kMiB},
    {".avi", 50 * kMiB, 700 * kMiB}, {".flv", 5 * kMiB, 80 * kMiB},
    {".mp4", 10 * kMiB, 300 * kMiB}, {".rm", 10 * kMiB, 100 * kMiB},
    {".wmv", 20 * kMiB, 200 * kMiB}, {".rmvb", 100 * kMiB, 500 * kMiB},
};

SizeRange sizeOf(std::string_view extension) {
    return sizeRangeOf(kClipSizes, extension, {extension, 10 * kMiB, 100 * kMiB});
}

// Concert recordings of the first famous singers: "张学友 1995演唱会".
std::vector<std::string> concertTitles(DemoRandom& random) {
    constexpr std::size_t kConcertSingers = 40;
    std::vector<std::string> titles;
    const auto singers = famousSingers().first(kConcertSingers);
    for (const auto kind : concertKinds()) {
        for (const FamousSinger& singer : singers) {
            titles.push_back(std::string(singer.name) + " " +
                             std::to_string(random.between(2001, 2009)) + std::string(kind));
        }
    }
    return titles;
}

}  // namespace

void buildSketches(const Folder& category, CategoryContext& context) {
    constexpr std::string_view kExtensions[] = {".rmvb", ".rmvb", ".flv", ".mp4"};
    DemoRandom& random = context.random;
    fillInBatches(category, context.plan.sketches, [&](const Folder& folder, std::uint64_t i) {
        const std::string_view extension = random.pick(kExtensions);
        const SizeRange size = sizeOf(extension);
        folder.writeSparse(
            distinctTitle(sketchTitles(), clipVersions(), i) + std::string(extension),
            random.between(size.low / 2, size.high / 2));
    });
}

void buildConcerts(const Folder& category, CategoryContext& context) {
    constexpr std::string_view kExtensions[] = {".rmvb", ".rmvb", ".avi", ".mpg"};
    DemoRandom& random = context.random;
    const std::vector<std::string> owned = concertTitles(random);
    const std::vector<std::string_view> titles(owned.begin(), owned.end());
    fillInBatches(category, context.plan.concerts, [&](const Folder& folder, std::uint64_t i) {
        folder.writeSparse(
            distinctTitle(titles, clipVersions(), i) + std::string(random.pick(kExtensions)),
            random.between(700 * kMiB, 1400 * kMiB));
    });
}

void buildClips(const Folder& category, CategoryContext& context) {
    DemoRandom& random = context.random;
    for (const Shelf& shelf : clipShelves()) {
        const auto titles = splitTitles(shelf.titles);
        const std::string extension = formatFolderExtension(shelf.folder);
        const SizeRange size = sizeOf(extension);
        fillInBatches(category.child(shelf.folder), context.plan.clipsPerFormat,
                      [&](const Folder& folder, std::uint64_t i) {
                          folder.writeSparse(distinctTitle(titles, clipVersions(), i) + extension,
                                             random.between(size.low, size.high));
                      });
    }
}

}  // namespace qh::demo
