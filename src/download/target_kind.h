#pragma once
// The five kinds of file a customer's disk has a folder for. The kind is also the icon of a row.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qh {

enum TargetKind : int {
    kMusic = 0,
    kVideo = 1,
    kPicture = 2,
    kGame = 3,
    kEbook = 4,
};

inline constexpr int kTargetKindCount = 5;

// The kind's extensions, one after another ("." + extension each), in kind order.
const std::array<std::string, kTargetKindCount>& extensionGroups();

// The kind of an extension (GBK, dot included, any letter case): the last group in kind order
// that holds it as a piece of its text, so ".rm" is video and ".g" is a game. Empty when no group
// holds it, or it is empty.
std::optional<TargetKind> targetKindOfExtension(std::string_view extension);

// The kind a file is copied and shown as: its group's kind; for a format newer than the groups
// (".png", ".flac", ".flv", ".epub", ".apk", ...) the kind of its sort, from a table of today's
// formats; and for a file still unknown, music, so every file has a folder to go to.
TargetKind deliveryKindOf(std::string_view extension);

}  // namespace qh
