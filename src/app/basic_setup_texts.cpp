#include "app/basic_setup_texts.h"

namespace qh::setup_texts {

const std::vector<const char*>& instructionLines() {
    // Lines six to nine align their arrows with ideographic spaces.
    static const std::vector<const char*> lines = {
        "                        基 本 设 置 详 细 说 明",
        "   第一步:选择歌曲所在盘符(程序自动在所选盘符根目录建立\"青禾点唱库\")",
        "         (注:不能选择光驱盘符,等不可写磁盘盘符)",
        "   第二步:在输入法选择框中选择你喜欢的输入法。",
        "   第三步:进入所选盘符根目录,将歌曲移到\"青禾点唱库\"对应的文件夹里",
        "        \u3000mp3歌曲→1－音乐 ;  3gp歌曲→\u30002-MTV ;\u3000\u3000\u3000电影→ 3－电影 ;",
        "        \u3000 连续剧→4－连续剧 ;  \u3000图片→  5－图片  ; 电子书→ 6－电子书 ;",
        "         \u3000\u3000游戏→7－游戏  ; 成人电影→8－伦理片  \u3000\u3000小品→9－小品",
        "       \u3000\u3000演唱会→10演唱会 \u3000\u3000  铃声→11－铃声\u3000\u3000 "
        "其它的→12－其它 "
        "（基本设置完成!)",
        "   第四步:关闭程序,重新启动青禾点唱程序.",
        "     就这么简单,赶快开始你的快乐之旅吧!!",
        "    详细操作参见操作说明以及操作录像!",
        "    技术支持：青禾点唱软件工作室",
        "    使用中遇到问题，请先查看程序目录下的\"操作教程\"",
        "                             ",
        "",
        "",
    };
    return lines;
}

}  // namespace qh::setup_texts
