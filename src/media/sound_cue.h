#pragma once
// The key sounds that mark what the clerk does, by code.
#include <string>

namespace qh {

enum SoundCue : int {
    kCueStart = 1,   // 启动
    kCueSelect = 2,  // 选定
    kCueFound = 3,   // 查找
    kCueCopy = 4,    // 复制
    kCueError = 5,   // 错误
    kCueExit = 6,    // 退出, played directly at close, never as a cue
    kCueDelete = 7,  // 删除
};

// The sound file's name (GBK) for a code, or the empty text for a code outside 1..7.
std::string soundCueFileName(int code);

}  // namespace qh
