// 3-电影 and 8-伦理片: films by genre and the new-additions folders. Films are sparse files of a
// few hundred megabytes, one of them past 2 GiB, so sizes show as a shop's would.
#include <string>

#include "batch_folders.h"
#include "category_builders.h"
#include "media_names.h"

namespace qh::demo {

namespace {

// Sizes of 2 GiB and more must show their true value.
constexpr std::string_view kLargeFilmGenre = "科幻片";
constexpr std::string_view kLargeFilm = "阿凡达[1080P蓝光].mp4";
constexpr std::uint64_t kLargeFilmBytes = 2'750'000'000;

void writeFilm(const Folder& folder, const std::string& title, DemoRandom& random) {
    const std::uint64_t roll = random.below(10);
    if (roll < 6) {
        folder.writeSparse(title + ".rmvb", random.between(300 * kMiB, 600 * kMiB));
    } else if (roll < 8) {
        folder.writeSparse(title + ".avi", random.between(650 * kMiB, 750 * kMiB));
    } else {
        folder.writeSparse(title + ".mp4", random.between(500 * kMiB, 1000 * kMiB));
    }
}

void fillFilms(const Folder& folder, std::span<const std::string_view> titles, std::uint64_t count,
               std::uint64_t firstIndex, DemoRandom& random) {
    fillInBatches(folder, count, [&](const Folder& batch, std::uint64_t i) {
        writeFilm(batch, distinctTitle(titles, filmVersions(), firstIndex + i), random);
    });
}

}  // namespace

void buildFilms(const Folder& category, CategoryContext& context) {
    for (const Shelf& shelf : filmShelves()) {
        const Folder genre = category.child(shelf.folder);
        fillFilms(genre, splitTitles(shelf.titles), context.plan.filmsPerGenre, 0, context.random);
        if (shelf.folder == kLargeFilmGenre) {
            genre.writeSparse(kLargeFilm, kLargeFilmBytes);
        }
    }
    fillFilms(category.child("新增电影"), newFilmTitles(), context.plan.newFilms, 0,
              context.random);
}

void buildLifeFilms(const Folder& category, CategoryContext& context) {
    const auto titles = lifeFilmTitles();
    fillFilms(category, titles, context.plan.lifeFilms, 0, context.random);
    // The new additions continue the row, so no title is both old and new.
    fillFilms(category.child("新增生活片"), titles, context.plan.newLifeFilms,
              context.plan.lifeFilms, context.random);
}

}  // namespace qh::demo
