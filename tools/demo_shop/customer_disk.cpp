#include "customer_disk.h"

#include "demo_content.h"

namespace qh::demo {

namespace {

constexpr int kPhotoWidth = 320;
constexpr int kPhotoHeight = 240;
constexpr std::uint32_t kPhotoColour = 0x6a9fd0;

}  // namespace

void buildCustomerDisk(const Folder& root, DemoRandom random) {
    // The card is small and its files are what the customer already has: always real content.
    const DemoContent content(true);
    const Folder songs = root.child("歌曲");
    songs.writeFile("月亮代表我的心.mp3", content.song(random));
    songs.writeFile("甜蜜蜜.mp3", content.song(random));
    const Folder photos = root.child("Photos");
    for (const char* name : {"IMG_0001.jpg", "IMG_0002.jpg"}) {
        photos.writeFile(name, content.picture(kPhotoWidth, kPhotoHeight, kPhotoColour,
                                               PictureFormat::Jpeg, random));
    }
    root.descend("DCIM/Camera")
        .writeFile(
            "IMG_20100901_101500.jpg",
            content.picture(kPhotoWidth, kPhotoHeight, kPhotoColour, PictureFormat::Jpeg, random));
    root.descend("mythroad/NES").writeSparse("超级玛丽.nes", 40 * 1024);
}

}  // namespace qh::demo
