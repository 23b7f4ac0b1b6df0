#include "download/target_kind.h"

#include "text/byte_text.h"

namespace qh {

const std::array<std::string, kTargetKindCount>& extensionGroups() {
    static const std::array<std::string, kTargetKindCount> groups = {
        ".mp3.wma.mid.wav",
        ".3gp.avi.mp4.wmv.asf.mov.rm.rmvb.mtv.dat.amv.dmv.vob.mpg.mkv",
        ".gif.jpg.bmp",
        ".jar.sis.nes.blz.app.gb.gbc.smc",
        ".txt",
    };
    return groups;
}

std::optional<TargetKind> targetKindOfExtension(std::string_view extension) {
    const auto lowered = asciiLower(extension);
    std::optional<TargetKind> kind;
    for (int k = 0; k < kTargetKindCount; ++k) {
        // A piece of a group counts as its kind; the loop goes on, so the last group wins.
        if (contains(extensionGroups()[k], lowered)) {
            kind = static_cast<TargetKind>(k);
        }
    }
    return kind;
}

}  // namespace qh
