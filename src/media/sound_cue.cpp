#include "media/sound_cue.h"

#include <array>

#include "text/gbk.h"

namespace qh {

std::string soundCueFileName(int code) {
    static const std::array<std::string, 7> names = {
        gbk("启动.wav"), gbk("选定.wav"), gbk("查找.wav"), gbk("复制.wav"),
        gbk("错误.wav"), gbk("退出.wav"), gbk("删除.wav")};
    if (code < 1 || code > static_cast<int>(names.size())) {
        return {};
    }
    return names[code - 1];
}

}  // namespace qh
