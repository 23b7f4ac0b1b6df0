// 4-连续剧: one folder per series, by genre, holding its episodes "第01集.rmvb" ...; long series
// split into parts; the new-additions folder holds whole series too. Episodes are sparse files.
#include <cstdio>
#include <string>

#include "category_builders.h"
#include "media_names.h"

namespace qh::demo {

namespace {

constexpr std::string_view kParts[] = {"第一部", "第二部"};

std::string episodeName(std::uint64_t episode, std::string_view extension) {
    char number[16];
    std::snprintf(number, sizeof number, "%02llu", static_cast<unsigned long long>(episode));
    return "第" + std::string(number) + "集" + std::string(extension);
}

void writeSeries(const Folder& folder, DemoRandom& random) {
    const std::uint64_t episodes = random.between(20, 50);
    const std::uint64_t roll = random.below(10);
    const std::string_view extension = roll < 8 ? ".rmvb" : roll < 9 ? ".avi" : ".mp4";
    if (random.chance(0.15)) {
        const Folder first = folder.child(kParts[0]);
        const Folder second = folder.child(kParts[1]);
        for (std::uint64_t episode = 1; episode <= episodes; ++episode) {
            (episode <= episodes / 2 ? first : second)
                .writeSparse(episodeName(episode, extension),
                             random.between(150 * kMiB, 300 * kMiB));
        }
        return;
    }
    for (std::uint64_t episode = 1; episode <= episodes; ++episode) {
        folder.writeSparse(episodeName(episode, extension), random.between(150 * kMiB, 300 * kMiB));
    }
}

void fillSeries(const Folder& parent, std::span<const std::string_view> titles, std::uint64_t count,
                DemoRandom& random) {
    for (std::uint64_t i = 0; i < count; ++i) {
        writeSeries(parent.child(distinctTitle(titles, seriesEditions(), i)), random);
    }
}

}  // namespace

void buildSeries(const Folder& category, CategoryContext& context) {
    for (const Shelf& shelf : seriesShelves()) {
        fillSeries(category.child(shelf.folder), splitTitles(shelf.titles),
                   context.plan.seriesPerGenre, context.random);
    }
    fillSeries(category.child("新增连续剧"), newSeriesTitles(), context.plan.newSeries,
               context.random);
}

}  // namespace qh::demo
