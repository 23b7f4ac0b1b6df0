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

TargetKind deliveryKindOf(std::string_view extension) {
    if (const auto kind = targetKindOfExtension(extension)) {
        return *kind;
    }
    // Whole extensions, compared exactly: the groups' piece rule stays theirs alone.
    static const struct {
        std::string_view extension;
        TargetKind kind;
    } kNewerFormats[] = {
        {".png", kPicture}, {".jpeg", kPicture}, {".webp", kPicture}, {".flac", kMusic},
        {".ape", kMusic},   {".aac", kMusic},    {".m4a", kMusic},    {".ogg", kMusic},
        {".amr", kMusic},   {".flv", kVideo},    {".mpeg", kVideo},   {".webm", kVideo},
        {".ts", kVideo},    {".m4v", kVideo},    {".epub", kEbook},   {".pdf", kEbook},
        {".umd", kEbook},   {".chm", kEbook},    {".apk", kGame},     {".jad", kGame},
    };
    const auto lowered = asciiLower(extension);
    for (const auto& format : kNewerFormats) {
        if (lowered == format.extension) {
            return format.kind;
        }
    }
    return kMusic;
}

}  // namespace qh
