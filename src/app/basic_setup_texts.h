#pragma once
// The texts of the basic set-up panel, as the shop's clerks know them (UTF-8 source literals).
#include <vector>

namespace qh::setup_texts {

inline constexpr const char* kTitle = "基 本 设 置";
inline constexpr const char* kTitleNote = "（四步，请仔细设置）";
inline constexpr const char* kStep1 = "第一步:选择歌曲所在盘符:";
inline constexpr const char* kStep1Line1 =
    "1.如你的歌曲保存在E盘,就选 E ,至少要设置一个，最多可设置三个，请勿多设，乱设,重设 ";
inline constexpr const char* kStep1Line2 = "2.不能选择光驱盘符,等不可写磁盘盘符";
inline constexpr const char* kStep1Line3 =
    "3.程序会自动在所选盘符根目录建立\"青禾点唱库\"文件夹，以及分类文件夹,如：1－音乐，2－MTV等如:"
    "右图）";
inline constexpr const char* kDriveLabels[] = {
    "歌库盘符1:", "歌库盘符2:", "歌库盘符3:", "歌库盘符4:"};
inline constexpr const char* kStep2 = "第二步：在下面选择您喜欢的输入法:";
inline constexpr const char* kInputMethodLabel = "输入法选择框:";
inline constexpr const char* kStep3 = "第三步：进入所选盘符目录，移动影音文件到相应文件夹";
inline constexpr const char* kStep3Line1 = "1.注：最重要的一步";
inline constexpr const char* kStep3Line2 = "2.歌库和软件一起购买的可省去这一步。";
inline constexpr const char* kStep4 = "第四步：点击 确定设置完毕";
inline constexpr const char* kStep4Line1 = "1.基本设置到此圆满完成。";
inline constexpr const char* kDoneButton = "确定设置完毕";
inline constexpr const char* kOpenButtonBlank = "打开  :\\青禾点唱库\\";
// On Linux a letter is a folder of this computer, chosen beside each drive box.
inline constexpr const char* kChooseFolderButton = "选择文件夹";
inline constexpr const char* kChooseFolderCaption = "选择 %1 盘对应的文件夹";
inline constexpr const char* kNoFolderForLetter = "未对应文件夹，请选择";

// The seventeen lines of the instruction list at the foot of the panel.
const std::vector<const char*>& instructionLines();

}  // namespace qh::setup_texts
