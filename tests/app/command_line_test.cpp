#include "app/command_line.h"

#include <gtest/gtest.h>

namespace qh {
namespace {

TEST(CommandLine, TakesAppDirAndDrivesAndPassesOverQtOptions) {
    const auto line = parseCommandLine({"-platform", "offscreen", "--app-dir", "/shop/app",
                                        "--drive", "F=/shop/f", "--drive", "g=/media/s,removable"});
    EXPECT_TRUE(line.errors.empty());
    EXPECT_EQ(line.appDir, std::filesystem::path("/shop/app"));
    ASSERT_EQ(line.drives.size(), 2u);
    EXPECT_EQ(line.drives[0], (Drive{'F', "/shop/f", DriveType::Fixed}));
    EXPECT_EQ(line.drives[1], (Drive{'G', "/media/s", DriveType::Removable}));
}

TEST(CommandLine, ReportsOptionsItCannotUse) {
    const struct {
        const char* name;
        std::vector<std::string> arguments;
    } cases[] = {
        {"missing value", {"--drive"}},
        {"no folder", {"--drive", "F="}},
        {"no letter", {"--drive", "/shop/f"}},
        {"two letters", {"--drive", "FG=/shop/f"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto line = parseCommandLine(c.arguments);
        EXPECT_EQ(line.errors.size(), 1u);
        EXPECT_TRUE(line.drives.empty());
    }
}

}  // namespace
}  // namespace qh
