#include "platform/desktop_shell_linux.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "stand_in_program.h"
#include "support/temp_folder.h"
#include "text/gbk.h"

namespace qh {
namespace {

using testing::TempFolder;

TEST(BatchFile, ReadsAsTheShopWroteIt) {
    struct Case {
        const char* name;
        std::string content;
        std::optional<std::string> script;
    };
    const std::vector<Case> cases = {
        {"Windows line ends", "echo a > x\r\necho b\r\n", "echo a > x\necho b\n"},
        {"lone CRs and a last line without an end", "echo a\recho b\rc", "echo a\necho b\nc"},
        {"Linux line ends stay", "echo a\necho b\n", "echo a\necho b\n"},
        {"GBK from a Windows editor", gbk("echo 歌曲\r\n"), "echo 歌曲\n"},
        {"UTF-8 stays", "echo 歌曲\r\n", "echo 歌曲\n"},
        {"too long for the shell", std::string(200 * 1024, '#'), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(batchFileAsShellScript(c.content), c.script);
    }
}

// The shop's bt.bat, written on Windows, runs at close: each command without a CR on its end, so
// `echo` writes "ok" into out.txt, not "ok\r" into "out.txt\r".
TEST(BatchFile, AWindowsBatchFileRunsInItsFolder) {
    TempFolder folder;
    folder.write("bt.bat", "echo ok > out.txt\r\necho $0 >> out.txt\r\n");
    DesktopShell shell;
    ASSERT_TRUE(shell.runBatchHidden(folder.path() / "bt.bat"));

    const auto out = folder.path() / "out.txt";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::string content;
    while (std::chrono::steady_clock::now() < deadline) {
        content = std::filesystem::exists(out) ? testing::readFile(out) : "";
        if (content.find('\n', content.find('\n') + 1) != std::string::npos) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(content, "ok\n" + (folder.path() / "bt.bat").string() + "\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator{}),
              2);
}

// A film's name reaches the video player as one argument, as on the disk: no shell reads it on
// the way, so nothing in it is split, unquoted or run.
TEST(StartProgram, HandsTheFileOverAsOneUnchangedArgument) {
    TempFolder folder;
    const auto record = folder.path() / "argv.txt";
    const auto program = testing::writeStandInProgram(
        folder, "player",
        "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > '" + record.string() + ".part'; mv '" +
            record.string() + ".part' '" + record.string() + "'\n");
    const auto film = folder.write("-x 'a' \"b\" $(touch pwned) `id`;.mkv", "film");

    DesktopShell shell;
    ASSERT_TRUE(shell.startProgram(program, film));

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(record) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(testing::readFile(record), "[" + film.string() + "]\n");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "pwned"));
    EXPECT_FALSE(std::filesystem::exists("pwned"));
}

TEST(StartProgram, AProgramThatIsNotThereIsNotStarted) {
    TempFolder folder;
    const auto film = folder.write("a.mkv", "film");
    const auto notExecutable = folder.write("player", "#!/bin/sh\n");
    DesktopShell shell;
    EXPECT_FALSE(shell.startProgram(folder.path() / "missing", film));
    EXPECT_FALSE(shell.startProgram(notExecutable, film));
}

}  // namespace
}  // namespace qh
