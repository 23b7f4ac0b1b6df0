#include "book_text.h"

#include <cstdint>
#include <iterator>

namespace qh::demo {

namespace {

constexpr std::string_view kChapterNumbers[] = {"一", "二", "三", "四", "五"};

constexpr std::string_view kSentences[] = {
    "天色渐渐暗了下来，山路上只剩下他一个人。",
    "客栈里灯火通明，说书人的醒木一拍，满堂都安静了。",
    "她推开窗，看见远处的江面上泊着一只小船。",
    "那一年的冬天格外冷，镇上的老人都说要下大雪。",
    "他把信折好放进怀里，转身走进了人群。",
    "城里的钟声响了三下，街上的行人越来越少。",
    "少年握紧手中的剑，心里却想着家中的母亲。",
    "雨一直下到天明，院子里的桂花落了一地。",
    "掌柜的抬起头来，打量着这位风尘仆仆的客人。",
    "她笑了笑，没有回答，只是把茶杯轻轻放下。",
    "火车缓缓驶出站台，窗外的田野一片金黄。",
    "多年以后，他仍然记得那个站在桥头的背影。",
    "师父说过，练剑先练心，心不静则剑不稳。",
    "夜深了，城外的官道上忽然传来一阵急促的马蹄声。",
};

}  // namespace

std::string bookText(std::string_view title, std::string_view author, DemoRandom& random) {
    std::string text =
        "《" + std::string(title) + "》\r\n作者：" + std::string(author) + "\r\n\r\n";
    const auto chapters = random.between(2, std::size(kChapterNumbers));
    for (std::uint64_t chapter = 0; chapter < chapters; ++chapter) {
        text += "第" + std::string(kChapterNumbers[chapter]) + "章\r\n\r\n";
        const auto paragraphs = random.between(3, 6);
        for (std::uint64_t paragraph = 0; paragraph < paragraphs; ++paragraph) {
            text += "　　";
            const auto sentences = random.between(3, 6);
            for (std::uint64_t sentence = 0; sentence < sentences; ++sentence) {
                text += kSentences[random.below(std::size(kSentences))];
            }
            text += "\r\n\r\n";
        }
    }
    return text;
}

}  // namespace qh::demo
