#include "lyrics_text.h"

#include <cstdint>
#include <cstdio>
#include <iterator>

namespace qh::demo {

namespace {

constexpr std::string_view kLines[] = {
    "风吹过窗前那一盏灯",   "我在街角等你回来",   "那年夏天的雨下个不停", "你说过的话我都记得",
    "路灯把影子拉得很长",   "走过的路不必回头",   "心里的歌唱给你听",     "星星落在你的眼睛",
    "远方的车站没有人",     "时间带走了多少誓言", "我把思念写在信里",     "春天的花开在心上",
    "你的笑容像一首歌",     "雨停了我还在等",     "城市的夜晚那么安静",   "不要问我为什么流泪",
    "让我陪你走到最后",     "每一次想起你的模样", "海风吹乱了长发",       "我们说好不说再见",
    "一个人走在回家的路上", "明天的太阳依旧温暖", "把快乐留给你",         "这首歌送给远方的你",
};

std::string timeTag(unsigned centiseconds) {
    char tag[16];
    std::snprintf(tag, sizeof tag, "[%02u:%02u.%02u]", centiseconds / 6000, centiseconds / 100 % 60,
                  centiseconds % 100);
    return tag;
}

}  // namespace

std::string lrcLyrics(std::string_view title, std::string_view singer, DemoRandom& random) {
    std::string text;
    text += "[ti:" + std::string(title) + "]\r\n";
    text += "[ar:" + std::string(singer) + "]\r\n";
    text += "[by:青禾点唱]\r\n";
    text += "[offset:0]\r\n";
    text += timeTag(0) + std::string(title) + " - " + std::string(singer) + "\r\n";
    auto at = static_cast<unsigned>(random.between(1200, 2200));
    const auto lineCount = random.between(8, 16);
    for (std::uint64_t i = 0; i < lineCount; ++i) {
        text += timeTag(at) + std::string(kLines[random.below(std::size(kLines))]) + "\r\n";
        at += static_cast<unsigned>(random.between(350, 550));
    }
    return text;
}

}  // namespace qh::demo
