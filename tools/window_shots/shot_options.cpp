#include "shot_options.h"

#include "app/skins.h"

namespace qh::shots {

std::variant<ShotOptions, std::string> parseShotOptions(std::span<const std::string_view> args) {
    ShotOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (i + 1 >= args.size()) {
            return "unexpected argument: " + std::string(arg);
        }
        const std::string_view value = args[++i];
        if (arg == "--shop") {
            options.shopDir = std::string(value);
        } else if (arg == "--out") {
            options.outDir = std::string(value);
        } else if (arg == "--window") {
            options.windows.push_back(QString::fromUtf8(value.data(), value.size()));
        } else if (arg == "--panel") {
            options.panels.push_back(QString::fromUtf8(value.data(), value.size()));
        } else if (arg == "--skin") {
            // The numbers the window menu stores are the numbers a skin is asked for by.
            const auto skin = skinNumberOf(value);
            if (!skin) {
                return "not a skin number (0 to " + std::to_string(kSkinCount - 1) +
                       "): " + std::string(value);
            }
            options.skins.push_back(*skin);
        } else {
            return "unexpected argument: " + std::string(arg);
        }
    }
    if (options.shopDir.empty() || options.outDir.empty()) {
        return std::string("--shop DIR and --out DIR are required");
    }
    return options;
}

}  // namespace qh::shots
