#pragma once
// The command line of qinghe-window-shots:
//   qinghe-window-shots --shop DIR --out DIR [--window NAME]... [--panel NAME]... [--skin N]...
// DIR of --shop is a demo shop (its program folder is DIR/app); the tool changes it as a clerk
// would, so it is given a shop of its own. Without --window, --panel or --skin every picture of
// the clerks' guide is made.
#include <QString>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qh::shots {

struct ShotOptions {
    std::filesystem::path shopDir;
    std::filesystem::path outDir;
    std::vector<QString> windows;  // top-level windows by object name: NAME.png
    std::vector<QString> panels;   // panels of the main window by object name: NAME.png
    std::vector<int> skins;        // the main window in skin N: skin-N.png

    bool guideWanted() const { return windows.empty() && panels.empty() && skins.empty(); }
};

inline constexpr std::string_view kUsage =
    "usage: qinghe-window-shots --shop DIR --out DIR [--window NAME]... [--panel NAME]... "
    "[--skin N]...";

// The arguments after the program name; an error text when they cannot be used.
std::variant<ShotOptions, std::string> parseShotOptions(std::span<const std::string_view> args);

}  // namespace qh::shots
