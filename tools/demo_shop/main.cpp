// qinghe-demo-shop: writes a demo shop (library drive, customer's card, program folder) for
// trying the program, for its window tests, and, scaled up, for its benchmarks.
#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string_view>
#include <vector>

#include "demo_options.h"
#include "demo_shop.h"

namespace {

constexpr int kUsageError = 2;

// A shop's folder is never written over by accident.
bool mayWriteInto(const qh::demo::DemoOptions& options) {
    std::error_code error;
    const auto status = std::filesystem::status(options.outDir, error);
    if (!std::filesystem::exists(status)) {
        return true;
    }
    if (!std::filesystem::is_directory(status)) {
        std::fprintf(stderr, "qinghe-demo-shop: %s is not a folder\n", options.outDir.c_str());
        return false;
    }
    if (!options.force && !std::filesystem::is_empty(options.outDir, error)) {
        std::fprintf(stderr,
                     "qinghe-demo-shop: %s is not empty; choose another folder or add --force\n",
                     options.outDir.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto parsed = qh::demo::parseDemoOptions(args);
    if (const auto* message = std::get_if<std::string>(&parsed)) {
        std::fprintf(stderr, "qinghe-demo-shop: %s\n%s\n", message->c_str(),
                     qh::demo::kUsage.data());
        return kUsageError;
    }
    const auto& options = std::get<qh::demo::DemoOptions>(parsed);
    if (!mayWriteInto(options)) {
        return kUsageError;
    }
    // The pictures' text needs Qt's fonts, and so an application; offscreen, as no window is shown
    // and the generator also runs where there is no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    const QGuiApplication app(qtArgc, argv);
    try {
        const auto tally = qh::demo::buildDemoShop(options);
        std::printf("qinghe-demo-shop: %llu files, %llu bytes in %s\n",
                    static_cast<unsigned long long>(tally.files),
                    static_cast<unsigned long long>(tally.bytes), options.outDir.c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "qinghe-demo-shop: %s\n", error.what());
        return 1;
    }
    return 0;
}
