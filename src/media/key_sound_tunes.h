#pragma once
// The seven key sounds, made by us: each cue has its own short tune so the clerk can tell them
// apart without looking.
#include <string>
#include <vector>

namespace qh {

struct KeySoundFile {
    std::string name;  // GBK, "启动.wav"
    std::string wav;   // the file's bytes
};

std::vector<KeySoundFile> keySoundFiles();

}  // namespace qh
