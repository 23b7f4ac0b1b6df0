// qh-test-save-loop FOLDER: saves a list file and an INI key in FOLDER over and over, each time
// with the other of two contents, until it is killed. It tells its writer's stem on its first
// line, once the first saves are done.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "text/ini_file.h"
#include "text/temporary_writer.h"
#include "text/text_list_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qh-test-save-loop FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const auto list = [](char mark) {
        // Long enough that a save takes a while, so kills land in the middle of some.
        return std::vector<std::string>(2000, std::string(60, mark));
    };
    const std::vector<std::string> lists[] = {list('a'), list('b')};
    for (long round = 0;; ++round) {
        const int which = static_cast<int>(round % 2);
        qh::saveTextList(folder / "list.txt", lists[which]);
        qh::writeIniValue(folder / "settings.ini", "Lists", "last", which == 0 ? "a" : "b");
        if (round == 1) {
            std::printf("%s\n", qh::thisWriter().stem().c_str());
            std::fflush(stdout);
        }
    }
}
