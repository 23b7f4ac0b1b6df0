// 5-图片: "大图" and "小图", each with the eleven topic folders the picture browser opens. The
// browser lists a topic folder without descending, so its pictures lie flat in it.
#include <cstdio>
#include <string>

#include "category_builders.h"
#include "media_names.h"

namespace qh::demo {

namespace {

struct PictureSize {
    std::string_view folder;
    int width;
    int height;
};

// Phone wallpapers: full screen and small screen.
constexpr PictureSize kSizes[] = {{"大图", 240, 320}, {"小图", 128, 160}};

// One colour per topic, in the order of the topics.
constexpr std::uint32_t kTopicColours[] = {
    0xe87fa8, 0x4f9d5d, 0xd83a4a, 0xf2c230, 0xf07a2a, 0x8a5cd0,
    0x3a6fd8, 0xc8202a, 0x2a2a3a, 0x9aa4b0, 0x40b8b0,
};
static_assert(std::size(kTopicColours) == 11);

// Every fourth picture is a PNG, as phones also take them.
constexpr std::uint64_t kPngEvery = 4;

}  // namespace

void buildPictures(const Folder& category, CategoryContext& context) {
    const auto topics = pictureTopics();
    for (const PictureSize& size : kSizes) {
        const Folder sizeFolder = category.child(size.folder);
        for (std::size_t topic = 0; topic < topics.size(); ++topic) {
            const Folder folder = sizeFolder.child(topics[topic]);
            for (std::uint64_t i = 1; i <= context.plan.picturesPerTopic; ++i) {
                const bool png = i % kPngEvery == 0;
                char number[16];
                std::snprintf(number, sizeof number, "%03llu", static_cast<unsigned long long>(i));
                folder.writeFile(
                    std::string(topics[topic]) + number + (png ? ".png" : ".jpg"),
                    context.content.picture(size.width, size.height, kTopicColours[topic],
                                            png ? PictureFormat::Png : PictureFormat::Jpeg,
                                            context.random));
            }
        }
    }
}

}  // namespace qh::demo
