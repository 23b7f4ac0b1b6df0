#include "singer_roster.h"

#include <array>
#include <set>

namespace qh::demo {

namespace {

constexpr std::string_view kSurnames[] = {
    "王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴",   "周",   "徐", "孙", "马", "朱", "胡",
    "郭", "何", "高", "林", "罗", "郑", "梁", "谢", "宋",   "唐",   "许", "韩", "冯", "邓", "曹",
    "彭", "曾", "萧", "田", "董", "袁", "潘", "于", "蒋",   "蔡",   "余", "杜", "叶", "程", "苏",
    "魏", "吕", "丁", "任", "沈", "姚", "卢", "姜", "崔",   "钟",   "谭", "陆", "汪", "范", "金",
    "石", "廖", "贾", "夏", "韦", "方", "白", "邹", "孟",   "熊",   "秦", "邱", "江", "尹", "薛",
    "段", "雷", "侯", "龙", "史", "陶", "黎", "贺", "顾",   "毛",   "郝", "龚", "邵", "万", "钱",
    "严", "覃", "武", "戴", "莫", "孔", "向", "汤", "欧阳", "司马",
};

constexpr std::size_t kGivenPerGender = 40;
using GivenChars = std::array<std::string_view, kGivenPerGender>;

constexpr GivenChars kMaleChars = {
    "伟", "强", "磊", "军", "洋", "勇", "杰", "涛", "明", "超", "刚", "平", "辉", "鹏",
    "华", "飞", "鑫", "波", "斌", "宇", "浩", "凯", "健", "俊", "帆", "帅", "旭", "宁",
    "龙", "林", "欢", "阳", "建", "峰", "晨", "博", "文", "东", "海", "成",
};

constexpr GivenChars kFemaleChars = {
    "芳", "娜", "敏", "静", "丽", "艳", "秀", "霞", "燕", "玲", "桂", "丹", "萍", "红",
    "玉", "兰", "琳", "莉", "雪", "梅", "婷", "慧", "颖", "倩", "琪", "洁", "佳", "怡",
    "萱", "瑶", "蕾", "菲", "璐", "妍", "悦", "欣", "彤", "茜", "薇", "露",
};

// The index-th made-up name: surnames take turns, then genders, then one- and two-character
// given names; different indexes give different names.
RosterSinger madeUpSinger(std::size_t index) {
    const std::size_t surnameCount = std::size(kSurnames);
    const std::size_t given = index / surnameCount;
    const bool female = given % 2 == 1;
    const GivenChars& chars = female ? kFemaleChars : kMaleChars;
    const std::size_t choice = given / 2;
    std::string name(kSurnames[index % surnameCount]);
    if (choice < kGivenPerGender) {
        name += chars[choice];
    } else {
        const std::size_t pair = choice - kGivenPerGender;
        name += chars[pair % kGivenPerGender];
        name += chars[(pair / kGivenPerGender) % kGivenPerGender];
    }
    return {name, female ? SingerGroup::Female : SingerGroup::Male, {}};
}

RosterSinger famousSinger(const FamousSinger& singer) {
    return {std::string(singer.name), singer.group, splitTitles(singer.songs)};
}

// Famous singers in turns of Male, Female, Band, Western, each group in table order.
std::vector<RosterSinger> famousInTurns() {
    constexpr SingerGroup kTurns[] = {SingerGroup::Male, SingerGroup::Female, SingerGroup::Band,
                                      SingerGroup::Western};
    std::vector<std::vector<RosterSinger>> byGroup(std::size(kTurns));
    for (const auto& singer : famousSingers()) {
        byGroup[static_cast<std::size_t>(singer.group)].push_back(famousSinger(singer));
    }
    std::vector<RosterSinger> result;
    for (std::size_t round = 0; result.size() < famousSingers().size(); ++round) {
        for (auto& group : byGroup) {
            if (round < group.size()) {
                result.push_back(std::move(group[round]));
            }
        }
    }
    return result;
}

}  // namespace

std::vector<RosterSinger> singerRoster(std::size_t count) {
    std::vector<RosterSinger> roster = famousInTurns();
    if (count <= roster.size()) {
        roster.resize(count);
        return roster;
    }
    std::set<std::string_view> famousNames;
    for (const auto& singer : famousSingers()) {
        famousNames.insert(singer.name);
    }
    for (std::size_t index = 0; roster.size() < count; ++index) {
        RosterSinger singer = madeUpSinger(index);
        if (!famousNames.contains(singer.name)) {
            roster.push_back(std::move(singer));
        }
    }
    return roster;
}

std::string rosterSongTitle(const RosterSinger& singer, DemoRandom& random) {
    return singer.knownSongs.empty() ? madeUpSongTitle(random)
                                     : std::string(random.pick(singer.knownSongs));
}

std::vector<std::string> singerFileNames(const std::vector<RosterSinger>& roster) {
    std::vector<std::string> names;
    for (const auto& singer : famousSingers()) {
        names.emplace_back(singer.name);
    }
    for (const auto& singer : roster) {
        if (singer.knownSongs.empty()) {
            names.push_back(singer.name);
        }
    }
    return names;
}

}  // namespace qh::demo
