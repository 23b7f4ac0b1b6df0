#include "platform/video_program.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/scoped_environment.h"
#include "support/temp_folder.h"

namespace qh {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// Drives C and D and two folders of the search path, all empty, in one temporary folder.
struct Machine {
    Machine() {
        for (const char* name : {"C", "D", "bin1", "bin2"}) {
            fs::create_directory(folder.path() / name);
        }
        drives.set({'C', folder.path() / "C", DriveType::Fixed});
        drives.set({'D', folder.path() / "D", DriveType::Fixed});
    }

    void add(const std::string& relative, bool executable) {
        const auto file = folder.write(relative, "#!/bin/sh\n");
        fs::permissions(file, executable ? fs::perms::owner_all : fs::perms::owner_read,
                        fs::perm_options::replace);
    }
    std::optional<fs::path> find(const std::string& configured) {
        return findVideoProgram(drives, configured,
                                {folder.path() / "bin1", folder.path() / "bin2"});
    }

    TempFolder folder;
    DriveTable drives;
};

TEST(VideoProgram, TakesTheFirstExecutableInTheOrderOfPreference) {
    struct File {
        std::string path;  // below the temporary folder
        bool executable = true;
    };
    struct Case {
        const char* name;
        std::vector<File> files;
        std::string configured;  // "@" stands for the temporary folder
        std::optional<std::string> expected;
    };
    const std::string stormC = "C/Program Files/StormII/Storm.exe";
    const std::string stormD = "D/Program Files/StormII/Storm.exe";
    const std::vector<Case> cases = {
        {"the Windows player on C before everything",
         {{stormC}, {stormD}, {"bin1/myplayer"}, {"bin1/mpv"}},
         "myplayer",
         stormC},
        {"then on D", {{stormD}, {"bin1/myplayer"}, {"bin1/mpv"}}, "myplayer", stormD},
        {"found in any spelling of its case",
         {{"C/program files/STORMII/storm.EXE"}},
         "",
         "C/program files/STORMII/storm.EXE"},
        {"a Storm.exe copied over from Windows does not run here",
         {{stormC, false}, {stormD, false}, {"bin2/myplayer"}},
         "myplayer",
         "bin2/myplayer"},
        {"the configured name before the Linux players",
         {{"bin1/mpv"}, {"bin2/myplayer"}},
         "myplayer",
         "bin2/myplayer"},
        {"the configured host path",
         {{"opt/my player"}, {"bin1/mpv"}},
         "@/opt/my player",
         "opt/my player"},
        {"a configured path that does not run falls through",
         {{"opt/player", false}, {"bin1/vlc"}},
         "@/opt/player",
         "bin1/vlc"},
        {"a configured name not installed falls through", {{"bin2/vlc"}}, "nosuch", "bin2/vlc"},
        {"a relative configured path depends on the working folder and counts for nothing",
         {{"bin1/myplayer"}, {"bin2/totem"}},
         "bin1/myplayer",
         "bin2/totem"},
        {"the players' own order before the search path's",
         {{"bin1/vlc"}, {"bin2/mpv"}},
         "",
         "bin2/mpv"},
        {"the search path's order for the same player",
         {{"bin1/ffplay"}, {"bin2/ffplay"}},
         "",
         "bin1/ffplay"},
        {"a player that is not executable is passed over",
         {{"bin1/mpv", false}, {"bin1/smplayer"}},
         "",
         "bin1/smplayer"},
        {"a folder of a player's name is not a program",
         {{"bin1/mpv/readme"}, {"bin1/parole"}},
         "",
         "bin1/parole"},
        {"nothing installed", {{stormC, false}, {"bin1/mpv", false}}, "mpv", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Machine machine;
        for (const auto& file : c.files) {
            machine.add(file.path, file.executable);
        }
        std::string configured = c.configured;
        if (configured.starts_with('@')) {
            configured = machine.folder.path().string() + configured.substr(1);
        }
        const auto found = machine.find(configured);
        if (c.expected) {
            EXPECT_EQ(found, machine.folder.path() / *c.expected);
        } else {
            EXPECT_EQ(found, std::nullopt);
        }
    }
}

TEST(ProgramSearchPath, IsThePathsWholeFolders) {
    testing::ScopedEnvironment path("PATH", "/usr/local/bin::bin:/usr/bin:./x:/opt/a b:");
    EXPECT_EQ(programSearchPath(),
              (std::vector<fs::path>{"/usr/local/bin", "/usr/bin", "/opt/a b"}));
}

}  // namespace
}  // namespace qh
