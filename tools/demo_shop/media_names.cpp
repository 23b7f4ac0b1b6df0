#include "media_names.h"

namespace qh::demo {

namespace {

constexpr std::string_view kMusicVideoFolders[] = {"华语MTV", "欧美MTV", "经典MTV", "DJ舞曲MTV"};

constexpr Shelf kFilms[] = {
    {"动作片",
     "英雄|十面埋伏|无间道|功夫|叶问|精武英雄|黄飞鸿|新龙门客栈|投名状|导火线|杀破狼|龙虎门|A计划|"
     "警察故事|红番区|霍元甲|卧虎藏龙|醉拳"},
    {"喜剧片",
     "大话西游|少林足球|唐伯虎点秋香|国产凌凌漆|食神|疯狂的石头|非诚勿扰|甲方乙方|不见不散|大腕|"
     "天下无贼|长江七号|审死官|家有喜事|人在囧途"},
    {"爱情片",
     "甜蜜蜜|花样年华|重庆森林|泰坦尼克号|罗马假日|魂断蓝桥|情书|假如爱有天意|我的野蛮女友|"
     "山楂树之恋|将爱情进行到底"},
    {"剧情片",
     "霸王别姬|活着|阳光灿烂的日子|肖申克的救赎|阿甘正传|海上钢琴师|梅兰芳|可可西里|一个都不能少|"
     "入殓师"},
    {"战争片",
     "集结号|南京!南京!|地道战|地雷战|小兵张嘎|上甘岭|英雄儿女|拯救大兵瑞恩|珍珠港|兵临城下|"
     "建国大业|"
     "风声"},
    {"科幻片", "阿凡达|变形金刚|2012|黑客帝国|终结者|侏罗纪公园|星球大战|独立日|钢铁侠|E.T.外星人"},
    {"恐怖片", "午夜凶铃|咒怨|见鬼|异度空间|生化危机|电锯惊魂|闪灵|画皮|山村老尸|僵尸先生"},
    {"动画片",
     "狮子王|功夫熊猫|冰河世纪|海底总动员|千与千寻|宝莲灯|大闹天宫|喜羊羊与灰太狼之牛气冲天|"
     "飞屋环游记|怪物史莱克|哪吒闹海|天空之城"},
};

constexpr std::string_view kNewFilms[] = {
    "唐山大地震", "让子弹飞", "叶问2",    "狄仁杰之通天帝国", "盗梦空间", "玩具总动员3", "锦衣卫",
    "苏乞儿",     "大兵小将", "越光宝盒", "72家租客",         "赵氏孤儿", "非诚勿扰2",
};

constexpr std::string_view kFilmVersions[] = {
    "[国语中字]", "[DVD中字]", "[高清]", "[国粤双语]", "[BD中英双字]", "[加长版]", "[导演剪辑版]",
};

constexpr Shelf kSeries[] = {
    {"古装剧",
     "还珠格格|西游记|红楼梦|三国演义|水浒传|宰相刘罗锅|铁齿铜牙纪晓岚|康熙王朝|雍正王朝|汉武大帝|"
     "大明宫词|新白娘子传奇|包青天|孝庄秘史"},
    {"武侠剧",
     "射雕英雄传|神雕侠侣|天龙八部|笑傲江湖|倚天屠龙记|鹿鼎记|雪山飞狐|小李飞刀|楚留香|陆小凤|"
     "萧十一郎|仙剑奇侠传|武林外传"},
    {"都市剧",
     "蜗居|奋斗|我的青春谁做主|杜拉拉升职记|双面胶|婚姻保卫战|编辑部的故事|将爱情进行到底"},
    {"战争剧",
     "亮剑|潜伏|士兵突击|我的团长我的团|历史的天空|暗算|雪豹|敌后武工队|林海雪原|地下交通站"},
    {"家庭剧", "家有儿女|金婚|渴望|乡村爱情|闯关东|大宅门|空镜子|结婚十年|刘老根|马大帅"},
    {"港台剧",
     "上海滩|流星花园|恶作剧之吻|天下第一|寻秦记|大时代|创世纪|金枝欲孽|溏心风暴|陀枪师姐|"
     "冲上云霄"},
    {"韩剧",
     "大长今|宫|浪漫满屋|蓝色生死恋|冬季恋歌|人鱼小姐|天国的阶梯|我的名字叫金三顺|花样男子|"
     "巴黎恋人"},
    {"美剧", "越狱|迷失|老友记|绝望的主妇|反恐24小时|豪斯医生|犯罪现场调查|生活大爆炸|吸血鬼日记"},
};

constexpr std::string_view kNewSeries[] = {
    "新三国",   "新红楼梦",   "一起来看流星雨", "宫心计",
    "美人心计", "老大的幸福", "媳妇的美好时代", "下一站幸福",
};

constexpr std::string_view kSeriesEditions[] = {
    "(1986版)", "(1995版)", "(2003版)", "(2006版)", "(2008版)",
    "(2010版)", "(高清版)", "(国语版)", "(粤语版)", "(DVD版)",
};

constexpr std::string_view kLifeFilms[] = {
    "色戒", "苹果",   "蓝宇", "春光乍泄",       "颐和园", "苏州河",           "立春",
    "左右", "红高粱", "菊豆", "大红灯笼高高挂", "青蛇",   "姨妈的后现代生活", "周渔的火车",
};

constexpr std::string_view kSketches[] = {
    "赵本山-卖拐",     "赵本山-卖车",   "赵本山-不差钱",     "赵本山-昨天今天明天",
    "赵本山-功夫",     "赵本山-捐助",   "陈佩斯-吃面条",     "陈佩斯-主角与配角",
    "黄宏-打扑克",     "黄宏-鞋钉",     "潘长江-过河",       "郭达-红高粱模特队",
    "冯巩-小站",       "宋丹丹-钟点工", "郭冬临-有事您说话", "赵丽蓉-如此包装",
    "巩汉林-打工奇遇", "小沈阳-不差钱",
};

constexpr std::string_view kConcertKinds[] = {
    "演唱会", "世界巡回演唱会", "香港红馆演唱会", "北京演唱会", "告别演唱会", "Live演唱会",
};

constexpr std::string_view kCartoonsAndShows =
    "猫和老鼠|喜羊羊与灰太狼|蜡笔小新|名侦探柯南|火影忍者|海贼王|龙珠|机器猫|奥特曼|葫芦兄弟|"
    "黑猫警长|舒克和贝塔|大头儿子小头爸爸|蓝猫淘气三千问|NBA十佳球|世界杯精彩进球|广场舞教学|"
    "健身操|瑜伽入门|爆笑短片合集|街舞教学|魔术揭秘|周星驰经典片段|春节联欢晚会|快乐大本营|"
    "天天向上";

constexpr Shelf kClips[] = {
    {"AMV格式", kCartoonsAndShows}, {"ASF格式", kCartoonsAndShows},  {"AVI格式", kCartoonsAndShows},
    {"FLV格式", kCartoonsAndShows}, {"MP4格式", kCartoonsAndShows},  {"RM格式", kCartoonsAndShows},
    {"WMV格式", kCartoonsAndShows}, {"RMVB格式", kCartoonsAndShows},
};

constexpr std::string_view kClipVersions[] = {
    "(上)", "(下)", "(完整版)", "(高清)", "(合集)", "(精选)",
};

constexpr Shelf kBooks[] = {
    {"武侠小说",
     "金庸-射雕英雄传|金庸-天龙八部|金庸-笑傲江湖|金庸-鹿鼎记|金庸-倚天屠龙记|金庸-神雕侠侣|"
     "古龙-多情剑客无情剑|古龙-楚留香传奇|古龙-陆小凤传奇|梁羽生-七剑下天山|梁羽生-白发魔女传|"
     "温瑞安-四大名捕"},
    {"言情小说",
     "琼瑶-窗外|琼瑶-还珠格格|琼瑶-情深深雨濛濛|琼瑶-烟雨濛濛|亦舒-喜宝|席绢-交错时光的爱恋|"
     "桐华-步步惊心|匪我思存-佳期如梦|明晓溪-泡沫之夏|郭敬明-夏至未至"},
    {"玄幻小说",
     "萧鼎-诛仙|唐家三少-斗罗大陆|天蚕土豆-斗破苍穹|我吃西红柿-星辰变|辰东-神墓|血红-升龙道|"
     "梦入神机-佛本是道|猫腻-庆余年|萧潜-飘邈之旅"},
    {"都市小说",
     "李可-杜拉拉升职记|六六-蜗居|六六-双面胶|王晓方-驻京办主任|石康-奋斗|郭敬明-小时代|"
     "韩寒-三重门|安妮宝贝-告别薇安"},
    {"历史小说",
     "当年明月-明朝那些事儿|二月河-康熙大帝|二月河-雍正皇帝|二月河-乾隆皇帝|易中天-品三国|"
     "高阳-胡雪岩|姚雪垠-李自成|孙皓晖-大秦帝国"},
    {"名著",
     "曹雪芹-红楼梦|吴承恩-西游记|罗贯中-三国演义|施耐庵-水浒传|钱钟书-围城|路遥-平凡的世界|"
     "余华-活着|老舍-骆驼祥子|鲁迅-呐喊|巴金-家|沈从文-边城|张爱玲-倾城之恋"},
    {"恐怖悬疑", "天下霸唱-鬼吹灯|南派三叔-盗墓笔记|蔡骏-病毒|周德东-三岔口|那多-那多灵异手记"},
};

constexpr std::string_view kBookEditions[] = {
    "(全本)", "(精校版)", "(完整版)", "(手机版)", "(TXT全集)",
};

constexpr Shelf kGames[] = {
    {"jar格式",
     "贪吃蛇|俄罗斯方块|仙剑奇侠传|大富翁|斗地主|植物大战僵尸|祖玛|泡泡龙|街头篮球|疯狂坦克|三国志|"
     "魔塔|五子棋|中国象棋|捕鱼达人|水果忍者|拳皇|合金弹头|雷电"},
    {"sis格式",
     "极品飞车|现代战争|细胞分裂|波斯王子|FIFA足球|实况足球|都市赛车|超级猴子球|狂野飙车"},
    {"nes格式",
     "超级玛丽|魂斗罗|坦克大战|冒险岛|双截龙|沙罗曼蛇|赤色要塞|忍者神龟|松鼠大作战|热血物语|"
     "绿色兵团|"
     "赤影战士|洛克人|炸弹人|小蜜蜂"},
    {"blz格式", "斗地主|连连看|推箱子|捕鱼达人|麻将|象棋|切水果|疯狂赛车"},
    {"app格式", "愤怒的小鸟|水果忍者|涂鸦跳跃|植物大战僵尸|会说话的汤姆猫|割绳子|极品飞车"},
    {"gb格式", "口袋妖怪红|口袋妖怪绿|俄罗斯方块|超级马里奥大陆|塞尔达传说 织梦岛|星之卡比|大金刚"},
    {"gbc格式",
     "口袋妖怪金|口袋妖怪银|口袋妖怪水晶|塞尔达传说 神谕之章|勇者斗恶龙3|游戏王|超级马里奥兄弟DX"},
    {"smc格式",
     "超级马里奥世界|魂斗罗3|街头霸王2|三国志英杰传|圣剑传说2|最终幻想6|超时空之钥|大金刚国度|"
     "炸弹人5|三目童子"},
};

constexpr std::string_view kGameBuilds[] = {
    "(汉化版)", "(中文版)", "(破解版)", "(240x320)", "(176x208)", "(高清版)",
};

constexpr Shelf kRingtones[] = {
    {"mp3铃声",
     "老婆来电话了|主人接电话|诺基亚经典铃声|稻香 高潮铃声|忐忑 铃声|最炫民族风 铃声|来电铃声 猫叫|"
     "搞笑铃声 接电话啦|短信提示音 叮咚|闹钟铃声 起床啦"},
    {"彩信铃声", "新年祝福|生日快乐|情人节快乐|中秋快乐|早安问候|晚安问候|想你了|端午安康"},
    {"和弦铃声", "致爱丽丝|卡农|天空之城|欢乐颂|梦中的婚礼|土耳其进行曲|铃儿响叮当|生日快乐歌"},
    {"特色铃声", "狗叫铃声|警笛声|婴儿笑声|流水声|鸟叫声|鞭炮声|马蹄声|心跳声|蟋蟀声|海浪声"},
};

constexpr std::string_view kRingtoneCuts[] = {"(高潮版)", "(完整版)", "(DJ版)", "(短版)"};

constexpr std::string_view kPictureTopics[] = {
    "美女", "风景",     "爱情",   "幽默搞笑", "激情", "动漫卡通",
    "美男", "节日祝福", "非主流", "名车",     "另类",
};

}  // namespace

std::span<const std::string_view> musicVideoFolders() {
    return kMusicVideoFolders;
}
std::span<const Shelf> filmShelves() {
    return kFilms;
}
std::span<const std::string_view> newFilmTitles() {
    return kNewFilms;
}
std::span<const std::string_view> filmVersions() {
    return kFilmVersions;
}
std::span<const Shelf> seriesShelves() {
    return kSeries;
}
std::span<const std::string_view> newSeriesTitles() {
    return kNewSeries;
}
std::span<const std::string_view> seriesEditions() {
    return kSeriesEditions;
}
std::span<const std::string_view> lifeFilmTitles() {
    return kLifeFilms;
}
std::span<const std::string_view> sketchTitles() {
    return kSketches;
}
std::span<const std::string_view> concertKinds() {
    return kConcertKinds;
}
std::span<const Shelf> clipShelves() {
    return kClips;
}
std::span<const std::string_view> clipVersions() {
    return kClipVersions;
}
std::span<const Shelf> bookShelves() {
    return kBooks;
}
std::span<const std::string_view> bookEditions() {
    return kBookEditions;
}
std::span<const Shelf> gameShelves() {
    return kGames;
}
std::span<const std::string_view> gameBuilds() {
    return kGameBuilds;
}
std::span<const Shelf> ringtoneShelves() {
    return kRingtones;
}
std::span<const std::string_view> ringtoneCuts() {
    return kRingtoneCuts;
}
std::span<const std::string_view> pictureTopics() {
    return kPictureTopics;
}

}  // namespace qh::demo
