// Writes the seven key sounds into APPDIR/按键音乐, where the program looks for them.
#include <cstdio>
#include <filesystem>

#include "media/key_sound_tunes.h"
#include "text/atomic_file.h"
#include "text/gbk.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qinghe-key-sounds APPDIR\n");
        return 2;
    }
    const auto folder = std::filesystem::path(argv[1]) / qh::gbkToHostName(qh::gbk("按键音乐"));
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (const auto& sound : qh::keySoundFiles()) {
        if (!qh::writeFileAtomically(folder / qh::gbkToHostName(sound.name), sound.wav)) {
            std::fprintf(stderr, "qinghe-key-sounds: cannot write into %s\n", folder.c_str());
            return 1;
        }
    }
    return 0;
}
