// 11-铃声: the four ringtone kinds. MP3 and WAV ringtones play like the songs; the phone formats
// (AMR, MMF, MIDI) are sparse files of their usual size.
#include <string>

#include "batch_folders.h"
#include "category_builders.h"
#include "media_names.h"

namespace qh::demo {

namespace {

struct RingtoneKind {
    std::string_view folder;
    std::string_view extensions;  // "a|b"
    bool playable;
};

constexpr RingtoneKind kKinds[] = {
    {"mp3铃声", ".mp3", true},
    {"彩信铃声", ".amr|.mmf", false},
    {"和弦铃声", ".mid", false},
    {"特色铃声", ".mp3|.wav", true},
};

const RingtoneKind& kindOf(std::string_view folder) {
    for (const RingtoneKind& kind : kKinds) {
        if (kind.folder == folder) {
            return kind;
        }
    }
    return kKinds[0];
}

}  // namespace

void buildRingtones(const Folder& category, CategoryContext& context) {
    DemoRandom& random = context.random;
    for (const Shelf& shelf : ringtoneShelves()) {
        const RingtoneKind& kind = kindOf(shelf.folder);
        const auto titles = splitTitles(shelf.titles);
        const auto extensions = splitTitles(kind.extensions);
        fillInBatches(category.child(shelf.folder), context.plan.ringtonesPerKind,
                      [&](const Folder& folder, std::uint64_t i) {
                          const std::string name = distinctTitle(titles, ringtoneCuts(), i) +
                                                   std::string(random.pick(extensions));
                          if (kind.playable) {
                              folder.writeFile(name, context.content.ringtone(random));
                          } else {
                              folder.writeSparse(name, random.between(4 * kKiB, 60 * kKiB));
                          }
                      });
    }
}

}  // namespace qh::demo
