#pragma once
// Drive letters on Linux: each letter the shop uses names a host folder, fixed or removable.
// The system's paths ("F:\青禾点唱库\1-音乐\a.mp3", GBK) resolve through this table to host
// paths; a letter without an entry is a missing drive.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qh {

enum class DriveType { Fixed, Removable };

// A Windows path in host form, its names not yet joined.
struct HostNames {
    std::filesystem::path root;      // the drive's host folder
    std::vector<std::string> names;  // below it; each is one component
};

struct Drive {
    char letter = 0;  // 'A'..'Z'
    std::filesystem::path hostRoot;
    DriveType type = DriveType::Fixed;
    bool operator==(const Drive&) const = default;
};

class DriveTable {
public:
    // Replaces any entry of the same letter. Letters are taken without regard to case.
    void set(const Drive& drive);
    void remove(char letter);
    const Drive* find(char letter) const;
    // In letter order.
    const std::vector<Drive>& drives() const { return drives_; }
    // The first letter from E to Z that has no entry, as Windows hands letters to a stick
    // plugged in; 0 when all are taken. C is the system disk and D the shop's local download
    // place, which a customer's disk never takes, even where the shop has no D.
    char nextFreeLetter() const;

    // "X:\a\b" -> host path, as parseWindowsPath reads the text: "/" separates like "\"; ".."
    // never climbs above the drive's root; a name holding a character no Windows name holds
    // makes the path unresolvable. Each name converts through gbkToHostName. Empty when the
    // letter has no entry or the text is not a drive path. Names are taken as spelled, without
    // looking at the disk (resolveOnDisk finds them as Windows does).
    std::optional<std::filesystem::path> resolve(std::string_view windowsPath) const;
    // The same path before its names are joined to the root, for a lookup name by name.
    std::optional<HostNames> resolveNames(std::string_view windowsPath) const;

    // The reverse, for a host path inside a drive's folder: "X:\..." (GBK), folders without a
    // trailing backslash. The longest matching root wins.
    std::optional<std::string> toWindowsPath(const std::filesystem::path& hostPath) const;

    bool operator==(const DriveTable&) const = default;

private:
    std::vector<Drive> drives_;
};

// One drive from "X=DIR" or "X=DIR,removable" (the drive-map line and the --drive option).
// Relative folders are taken from `base`. Empty when the text is malformed.
std::optional<Drive> parseDriveSpec(std::string_view spec, const std::filesystem::path& base = {});

// A drive-map line longer than this names no folder Linux could open.
inline constexpr std::size_t kLongestDriveMapLine = 4096 + 2;

// The drive-map file: one drive spec per line (UTF-8, host paths), lines ended as in every data
// file (CR LF, lone CR or lone LF). Blank lines and lines starting with '#' are skipped; a
// malformed line, a letter A or B, a letter already given by an earlier line or an overlong
// line is passed over and the rest is read.
std::vector<Drive> parseDriveMap(std::string_view content, const std::filesystem::path& base = {});

}  // namespace qh
