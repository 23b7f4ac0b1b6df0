#include "song_names.h"

namespace qh::demo {

namespace {

using enum SingerGroup;

// Ordered roughly by how often a shop's customers ask for them.
constexpr FamousSinger kFamousSingers[] = {
    {"周杰伦", Male,
     "晴天|七里香|稻香|青花瓷|简单爱|夜曲|双截棍|菊花台|东风破|听妈妈的话|发如雪|烟花易冷|"
     "超人不会飞"},
    {"邓丽君", Female,
     "月亮代表我的心|甜蜜蜜|小城故事|我只在乎你|但愿人长久|在水一方|何日君再来|漫步人生路"},
    {"五月天", Band, "倔强|知足|温柔|突然好想你|拥抱|恋爱ing|天使"},
    {"Westlife", Western, "My Love|Seasons In The Sun|Soledad|You Raise Me Up|Uptown Girl"},
    {"刘德华", Male, "忘情水|冰雨|中国人|笨小孩|恭喜发财|练习|今天|男人哭吧不是罪"},
    {"王菲", Female, "红豆|传奇|容易受伤的女人|人间|我愿意|棋子|执迷不悔"},
    {"Beyond", Band, "海阔天空|光辉岁月|真的爱你|喜欢你|不再犹豫|冷雨夜"},
    {"Michael Jackson", Western, "Billie Jean|Heal The World|Beat It|You Are Not Alone"},
    {"张学友", Male,
     "吻别|一路上有你|祝福|饿狼传说|只想一生跟你走|她来听我的演唱会|情书|一千个伤心的理由"},
    {"孙燕姿", Female, "遇见|天黑黑|绿光|我怀念的|开始懂了|逆光"},
    {"凤凰传奇", Band, "月亮之上|自由飞翔|荷塘月色|最炫民族风|吉祥如意"},
    {"Celine Dion", Western, "My Heart Will Go On|Because You Loved Me|The Power Of Love"},
    {"陈奕迅", Male, "十年|浮夸|好久不见|富士山下|红玫瑰|爱情转移|K歌之王"},
    {"蔡依林", Female, "日不落|说爱你|舞娘|看我72变|倒带|爱情36计|大艺术家"},
    {"信乐团", Band, "死了都要爱|离歌|天高地厚"},
    {"Carpenters", Western, "Yesterday Once More|Top Of The World|Close To You"},
    {"林俊杰", Male, "江南|曹操|一千年以后|小酒窝|背对背拥抱|豆浆油条|美人鱼|她说"},
    {"梁静茹", Female, "勇气|宁夏|分手快乐|暖暖|可惜不是你|会呼吸的痛"},
    {"S.H.E", Band, "Super Star|不想长大|中国话|恋人未满|波斯猫"},
    {"Backstreet Boys", Western, "As Long As You Love Me|I Want It That Way|Shape Of My Heart"},
    {"刀郎", Male, "2002年的第一场雪|冲动的惩罚|情人|西海情歌|披着羊皮的狼|喀什噶尔胡杨|爱是你我"},
    {"张惠妹", Female, "听海|我可以抱你吗|姐妹|原来你什么都不要|人质|记得"},
    {"飞儿乐团", Band, "你的微笑|月牙湾|Lydia|千年之恋"},
    {"The Beatles", Western, "Yesterday|Hey Jude|Let It Be"},
    {"王力宏", Male, "唯一|大城小爱|改变自己|心跳|落叶归根|火力全开|需要人陪|你不知道的事"},
    {"那英", Female, "征服|白天不懂夜的黑|雾里看花|梦一场|一笑而过"},
    {"动力火车", Band, "当|那就这样吧|背叛情歌|不要哭"},
    {"ABBA", Western, "Dancing Queen|Mamma Mia|Happy New Year"},
    {"许嵩", Male, "断桥残雪|清明雨上|庐州月|有何不可|素颜|玫瑰花的葬礼|灰色头像"},
    {"韩红", Female, "天路|青藏高原|家乡|那片海|美丽的神话"},
    {"羽泉", Band, "最美|奔跑|冷酷到底|彩虹"},
    {"Avril Lavigne", Western, "Complicated|Girlfriend|When You're Gone"},
    {"张信哲", Male, "过火|爱如潮水|别怕我伤心|信仰|白月光"},
    {"张韶涵", Female, "隐形的翅膀|欧若拉|遗失的美好|寓言|潘朵拉"},
    {"水木年华", Band, "一生有你|启程|蝴蝶花"},
    {"Linkin Park", Western, "Numb|In The End"},
    {"周华健", Male, "朋友|花心|让我欢喜让我忧|刀剑如梦|风雨无阻|亲亲我的宝贝"},
    {"刘若英", Female, "后来|很爱很爱你|为爱痴狂|一辈子的孤单|成全"},
    {"小虎队", Band, "爱|青苹果乐园|红蜻蜓|蝴蝶飞呀"},
    {"Lady Gaga", Western, "Poker Face|Just Dance|Bad Romance"},
    {"任贤齐", Male, "心太软|伤心太平洋|我是一只鱼|对面的女孩看过来|天涯|浪花一朵朵"},
    {"莫文蔚", Female, "阴天|他不爱我|忽然之间|盛夏的果实|如果没有你"},
    {"Twins", Band, "下一站天后|恋爱大过天|见习爱神"},
    {"Taylor Swift", Western, "Love Story|You Belong With Me"},
    {"齐秦", Male, "大约在冬季|外面的世界|北方的狼|原来的我|夜夜夜夜"},
    {"张靓颖", Female, "画心|如果这就是爱情|我们说好的|天下无双|这该死的爱"},
    {"F4", Band, "流星雨|绝不能失去你|第一时间"},
    {"Eagles", Western, "Hotel California"},
    {"汪峰", Male, "春天里|飞得更高|怒放的生命|北京北京|存在|勇敢的心"},
    {"李宇春", Female, "下个路口见|冬天快乐|蜀绣|和你一样"},
    {"花儿乐队", Band, "嘻唰唰|穷开心|静止"},
    {"Whitney Houston", Western, "I Will Always Love You|Greatest Love Of All"},
    {"张宇", Male, "月亮惹的祸|用心良苦|雨一直下|曲终人散|一言难尽"},
    {"萧亚轩", Female, "爱的主打歌|最熟悉的陌生人|类似爱情|突然想起你"},
    {"苏打绿", Band, "小情歌|无与伦比的美丽|我好想你"},
    {"Mariah Carey", Western, "Hero|Without You"},
    {"阿杜", Male, "他一定很爱你|离别|坚持到底|撕夜"},
    {"梅艳芳", Female, "女人花|似水流年|亲密爱人|夕阳之歌"},
    {"南拳妈妈", Band, "下雨天|花香|牡丹江"},
    {"Bon Jovi", Western, "It's My Life|Always"},
    {"光良", Male, "童话|第一次|约定|少年"},
    {"蔡琴", Female, "恰似你的温柔|被遗忘的时光|你的眼神|出塞曲"},
    {"黑豹", Band, "无地自容|Don't Break My Heart"},
    {"Queen", Western, "We Will Rock You|Bohemian Rhapsody"},
    {"罗大佑", Male, "童年|恋曲1990|光阴的故事|之乎者也|你的样子|鹿港小镇"},
    {"叶倩文", Female, "潇洒走一回|祝福|零时十分|晨曦"},
    {"唐朝", Band, "梦回唐朝|太阳"},
    {"Boyzone", Western, "No Matter What|Picture Of You"},
    {"郑智化", Male, "水手|星星点灯|麦克风|年轻时代"},
    {"宋祖英", Female, "好日子|爱我中华|小背篓|辣妹子|越来越好"},
    {"至上励合", Band, "棉花糖|降临"},
    {"M2M", Western, "The Day You Went Away|Pretty Boy"},
    {"陶喆", Male, "爱很简单|普通朋友|找自己|流沙|小镇姑娘"},
    {"辛晓琪", Female, "领悟|味道|每个人都会"},
    {"筷子兄弟", Band, "老男孩|父亲"},
    {"Richard Marx", Western, "Right Here Waiting|Now And Forever"},
    {"庾澄庆", Male, "情非得已|让我一次爱个够|命中注定|春泥"},
    {"周笔畅", Female, "笔记|谁动了我的琴弦|号外"},
    {"Scorpions", Western, "Still Loving You|Wind Of Change"},
    {"杨坤", Male, "无所谓|那一天|空城|穷浪漫"},
    {"许美静", Female, "城里的月光|倾城|铁窗|遗憾"},
    {"Enya", Western, "Only Time|May It Be"},
    {"孙楠", Male, "不见不散|你快回来|风往北吹|红旗飘飘|拯救|美丽的神话"},
    {"高胜美", Female, "千年等一回|青青河边草|蝶儿蝶儿满天飞"},
    {"Kenny G", Western, "回家|Going Home|The Moment"},
    {"胡彦斌", Male, "红颜|月光|葬英雄|男人KTV"},
    {"李翊君", Female, "雨蝶|风中的承诺|缘"},
    {"Bryan Adams", Western, "Everything I Do|Summer Of '69"},
    {"林志炫", Male, "单身情歌|没离开过|蒙娜丽莎的眼泪|散了吧"},
    {"容祖儿", Female, "挥着翅膀的女孩|我的骄傲|痛爱"},
    {"Britney Spears", Western, "Baby One More Time|Toxic"},
    {"周传雄", Male, "黄昏|寂寞沙洲冷|青花"},
    {"杨千嬅", Female, "少女的祈祷|再见二丁目|可惜我是水瓶座"},
    {"Boney M", Western, "Rivers Of Babylon|Sunny"},
    {"许巍", Male, "蓝莲花|曾经的你|故乡|旅行|完美生活"},
    {"范玮琪", Female, "最初的梦想|一个像夏天一个像秋天|那些花儿"},
    {"朴树", Male, "白桦林|那些花儿|生如夏花|New Boy|九月"},
    {"陈慧琳", Female, "记事本|不如跳舞|情意结"},
    {"老狼", Male, "同桌的你|睡在我上铺的兄弟|恋恋风尘|流浪歌手的情人"},
    {"张国荣", Male, "风继续吹|当年情|沉默是金|倩女幽魂|追"},
    {"谭咏麟", Male, "朋友|水中花|讲不出再见|爱在深秋|一生中最爱"},
    {"徐若瑄", Female, "爱笑的眼睛|好久不见"},
    {"费玉清", Male, "一剪梅|晚安曲|梦驼铃|送别|千里之外"},
    {"弦子", Female, "舍不得|醉清风|沿海地带"},
    {"毛宁", Male, "涛声依旧|晚秋|蓝蓝的夜蓝蓝的梦|请让我来帮助你"},
    {"金莎", Female, "被风吹过的夏天|星月神话"},
    {"伍佰", Male, "挪威的森林|突然的自我|浪人情歌|爱你一万年|白鸽"},
    {"龚琳娜", Female, "忐忑"},
    {"张雨生", Male, "我的未来不是梦|大海|天天想你|一天到晚游泳的鱼"},
    {"阿桑", Female, "一直很安静|叶子|寂寞在唱歌"},
    {"郑钧", Male, "灰姑娘|回到拉萨|赤裸裸|私奔"},
    {"田震", Female, "执着|干杯朋友|野花"},
    {"李宗盛", Male, "凡人歌|爱的代价|鬼迷心窍|当爱已成往事"},
    {"林忆莲", Female, "至少还有你|为你我受冷风吹|伤痕|当爱已成往事"},
    {"王杰", Male, "一场游戏一场梦|安妮|忘了你忘了我|英雄泪"},
    {"王心凌", Female, "爱你|第一次爱的人|睫毛弯弯"},
    {"童安格", Male, "其实你不懂我的心|把根留住|耶利亚女郎"},
    {"徐怀钰", Female, "我是女生|踏浪|妙妙妙"},
    {"姜育恒", Male, "再回首|驿动的心|跟往事干杯"},
    {"黄小琥", Female, "没那么简单|不只是朋友"},
    {"刘欢", Male, "好汉歌|千万次的问|弯弯的月亮|从头再来|少年壮志不言愁"},
    {"江美琪", Female, "亲爱的你怎么不在我身边|双手插口袋"},
    {"蒋大为", Male, "敢问路在何方|牡丹之歌|在那桃花盛开的地方"},
    {"戴佩妮", Female, "你要的爱|怎样"},
    {"屠洪刚", Male, "精忠报国|霸王别姬|中国功夫"},
    {"赵薇", Female, "有一个姑娘|情深深雨濛濛|渐渐"},
    {"韩磊", Male, "向天再借五百年|等待|走四方"},
    {"甄妮", Female, "鲁冰花|铁血丹心"},
    {"腾格尔", Male, "天堂|蒙古人|父亲和我"},
    {"叶丽仪", Female, "上海滩"},
    {"崔健", Male, "一无所有|花房姑娘|新长征路上的摇滚|假行僧"},
    {"江蕙", Female, "家后|酒后的心声|惜别的海岸"},
    {"庞龙", Male, "两只蝴蝶|你是我的玫瑰花|杯水情歌"},
    {"蔡秋凤", Female, "金包银"},
    {"杨臣刚", Male, "老鼠爱大米"},
    {"香香", Female, "猪之歌"},
    {"王强", Male, "秋天不回来|不想让你哭"},
    {"云朵", Female, "我的楼兰|爱是你我"},
    {"林子祥", Male, "男儿当自强|敢爱敢做|真的汉子"},
    {"汤宝如", Female, "相思风雨中"},
    {"李克勤", Male, "红日|护花使者|月半小夜曲"},
    {"叶蓓", Female, "白衣飘飘的年代|纯真年代"},
    {"黎明", Male, "今夜你会不会来|那有一天不想你|情深说话未曾讲"},
    {"郭富城", Male, "对你爱不完|我是不是该安静的走开|爱的呼唤|唯一"},
    {"谢霆锋", Male, "因为爱所以爱|谢谢你的爱1999|今生今世"},
    {"潘玮柏", Male, "快乐崇拜|不得不爱|转机|壁虎漫步"},
    {"巫启贤", Male, "太傻|思念谁|红尘有你"},
    {"胡歌", Male, "逍遥叹|六月的雨|忘记时间"},
    {"李玉刚", Male, "新贵妃醉酒|清明上河图"},
    {"张杰", Male, "天下|这就是爱|明天过后|仰望星空"},
    {"萧敬腾", Male, "王妃|新不了情|阿飞的小蝴蝶"},
    {"阎维文", Male, "母亲|小白杨|说句心里话"},
    {"游鸿明", Male, "下沙|楼下那个女人|爱我的人和我爱的人"},
    {"李春波", Male, "小芳|一封家书|谁是我的新郎"},
    {"罗文", Male, "铁血丹心|几许风雨|尘缘"},
    {"许冠杰", Male, "沧海一声笑|半斤八两|浪子心声"},
    {"叶启田", Male, "爱拼才会赢|故乡"},
    {"陈小云", Male, "舞女|爱情恰恰"},
    {"陈雷", Male, "欢喜就好"},
    {"洪荣宏", Male, "一支小雨伞|春夏秋冬"},
    {"后弦", Male, "西厢|单行道"},
    {"胡杨林", Female, "香水有毒|眼泪成诗"},
    {"六哲", Male, "错错错"},
    {"郁冬", Male, "露天电影院|离家出走"},
    {"祖海", Female, "好运来|为了谁"},
};

constexpr Shelf kMusicStyles[] = {
    {"经典老歌",
     "邓丽君-甜蜜蜜|邓丽君-小城故事|邓丽君-月亮代表我的心|蔡琴-恰似你的温柔|罗大佑-光阴的故事|"
     "齐秦-大约在冬季|毛宁-涛声依旧|费玉清-一剪梅|童安格-其实你不懂我的心|姜育恒-再回首|"
     "王杰-一场游戏一场梦|张雨生-大海|叶倩文-潇洒走一回|高胜美-青青河边草|谭咏麟-水中花|"
     "林子祥-男儿当自强"},
    {"男女对唱",
     "张学友&汤宝如-相思风雨中|刀郎&云朵-爱是你我|周杰伦&费玉清-千里之外|林俊杰&金莎-"
     "被风吹过的夏天|"
     "孙楠&韩红-美丽的神话|李宗盛&林忆莲-当爱已成往事|凤凰传奇-自由飞翔"},
    {"闽南台语",
     "叶启田-爱拼才会赢|江蕙-家后|江蕙-酒后的心声|江蕙-惜别的海岸|陈小云-舞女|陈雷-欢喜就好|"
     "伍佰-浪人情歌|蔡秋凤-金包银|洪荣宏-一支小雨伞"},
    {"影视金曲",
     "刘欢-好汉歌|蒋大为-敢问路在何方|高胜美-千年等一回|屠洪刚-精忠报国|韩磊-向天再借五百年|"
     "周华健-刀剑如梦|叶丽仪-上海滩|罗文&甄妮-铁血丹心|赵薇-有一个姑娘|许冠杰-沧海一声笑|"
     "胡歌-逍遥叹"},
    {"DJ串烧",
     "2010最新中文DJ串烧|车载DJ串烧 劲爆舞曲|夜店慢摇串烧|经典老歌DJ串烧|伤感情歌DJ串烧|"
     "英文DJ串烧 Remix|草原歌曲DJ串烧"},
    {"DJ舞曲",
     "庞龙-两只蝴蝶(DJ版)|杨臣刚-老鼠爱大米(DJ版)|香香-猪之歌(DJ版)|王强-秋天不回来(DJ版)|"
     "刀郎-冲动的惩罚(DJ版)|蔡依林-舞娘(DJ版)|郑智化-水手(DJ版)|龚琳娜-忐忑(DJ版)"},
    {"英文歌曲",
     "Westlife-My Love|Carpenters-Yesterday Once More|Celine Dion-My Heart Will Go On|"
     "Richard Marx-Right Here Waiting|Backstreet Boys-As Long As You Love Me|"
     "Westlife-Seasons In The Sun|Michael Jackson-Heal The World|Avril Lavigne-Complicated|"
     "Scorpions-Still Loving You|Boney M-Rivers Of Babylon"},
    {"非主流",
     "许嵩-断桥残雪|许嵩-清明雨上|许嵩-玫瑰花的葬礼|香香-猪之歌|后弦-西厢|庞龙-两只蝴蝶|"
     "胡杨林-香水有毒|王强-秋天不回来|六哲-错错错"},
    {"伤感情歌",
     "王强-不想让你哭|阿杜-他一定很爱你|张宇-雨一直下|刘若英-后来|梁静茹-可惜不是你|陈奕迅-十年|"
     "周传雄-寂寞沙洲冷|胡杨林-香水有毒|刀郎-情人|信乐团-离歌"},
    {"儿童歌曲",
     "两只老虎|小燕子|世上只有妈妈好|找朋友|数鸭子|让我们荡起双桨|小兔子乖乖|丢手绢|一分钱|种太阳|"
     "拔萝卜|捉泥鳅|读书郎"},
    {"葫芦丝", "月光下的凤尾竹|竹林深处|婚誓|阿佤人民唱新歌|有一个美丽的地方|渔光曲|彩云追月"},
    {"萨克斯", "Kenny G-回家|茉莉花|梁祝|昨日重现|卡农|爱的罗曼史|人鬼情未了|绿袖子"},
    {"校园歌曲",
     "老狼-同桌的你|老狼-睡在我上铺的兄弟|水木年华-一生有你|罗大佑-童年|小虎队-青苹果乐园|"
     "朴树-那些花儿|叶蓓-白衣飘飘的年代|郁冬-露天电影院"},
    {"新年歌", "刘德华-恭喜发财|祖海-好运来|恭喜恭喜|新年好|财神到|贺新年|拜年|春节序曲|步步高"},
    {"革命歌曲",
     "东方红|没有共产党就没有新中国|我的祖国|南泥湾|社会主义好|歌唱祖国|学习雷锋好榜样|"
     "团结就是力量|"
     "红星照我去战斗|绣金匾|十送红军|映山红|北京的金山上"},
    {"戏曲音乐",
     "天仙配 黄梅戏选段|女驸马 黄梅戏选段|夫妻双双把家还 黄梅戏|贵妃醉酒 京剧|空城计 京剧|"
     "智取威虎山 京剧选段|梁山伯与祝英台 越剧|红楼梦 越剧选段|谁说女子不如男 豫剧|花为媒 评剧|"
     "三滴血 秦腔"},
};

constexpr std::string_view kEvergreens[] = {
    "月亮代表我的心", "甜蜜蜜",   "童年",           "朋友",         "外面的世界",
    "小城故事",       "涛声依旧", "大海",           "同桌的你",     "吻别",
    "忘情水",         "真的爱你", "海阔天空",       "恰似你的温柔", "北国之春",
    "送别",           "茉莉花",   "但愿人长久",     "在水一方",     "千千阙歌",
    "酒干倘卖无",     "鲁冰花",   "好人一生平安",   "渴望",         "我的中国心",
    "龙的传人",       "东方之珠", "难忘今宵",       "常回家看看",   "南屏晚钟",
    "绿岛小夜曲",     "橄榄树",   "冬天里的一把火", "军港之夜",     "万水千山总是情",
    "上海滩",         "一剪梅",   "外婆的澎湖湾",   "乡间的小路",   "蜗牛与黄鹂鸟",
};

constexpr std::string_view kNewSongs[] = {
    "龚琳娜-忐忑",   "筷子兄弟-老男孩",     "周杰伦-烟花易冷",     "周杰伦-超人不会飞",
    "林俊杰-她说",   "王力宏-你不知道的事", "许嵩-灰色头像",       "蔡依林-大艺术家",
    "张杰-明天过后", "萧敬腾-王妃",         "凤凰传奇-最炫民族风", "至上励合-棉花糖",
};

constexpr std::string_view kSongVersions[] = {
    "(DJ版)", "(现场版)", "(伴奏)", "(粤语版)", "(Remix)", "(演唱会版)", "(钢琴版)", "(慢摇版)",
};

// Words of made-up titles. None holds 亮, so a search for 月亮 finds only the real songs.
constexpr std::string_view kTitleWords[] = {
    "寂寞", "温柔", "春天", "夏天", "秋天", "冬天", "城市", "雨夜", "远方", "思念", "眼泪", "星空",
    "海边", "天空", "梦想", "故乡", "青春", "花开", "心跳", "微笑", "回忆", "流浪", "孤单", "快乐",
    "幸福", "永远", "等待", "离开", "玫瑰", "蝴蝶", "风筝", "街角", "车站", "窗外", "午夜", "黄昏",
    "月光", "星星", "彩虹", "雪花", "情人", "爱人", "朋友", "兄弟", "姑娘", "北方", "南方", "草原",
    "江南", "大海", "沙漠", "花园", "秘密", "约定", "承诺", "誓言", "时光", "岁月", "信仰", "天使",
    "翅膀", "记忆", "伤心", "心碎", "红尘", "缘分", "相思", "烟花", "落叶", "细雨", "晚风", "清晨",
    "夕阳", "灯火", "旅途", "归途", "天涯", "海角", "故事", "情歌",
};

}  // namespace

std::span<const FamousSinger> famousSingers() {
    return kFamousSingers;
}

std::string_view singerGroupFolder(SingerGroup group) {
    switch (group) {
        case Male:
            return "华语男歌手";
        case Female:
            return "华语女歌手";
        case Band:
            return "乐队组合";
        case Western:
            return "欧美歌手";
    }
    return "华语男歌手";
}

std::span<const Shelf> musicStyleShelves() {
    return kMusicStyles;
}
std::span<const std::string_view> evergreenTitles() {
    return kEvergreens;
}
std::span<const std::string_view> newSongEntries() {
    return kNewSongs;
}
std::span<const std::string_view> songVersions() {
    return kSongVersions;
}

std::string madeUpSongTitle(DemoRandom& random) {
    const std::string first(random.pick(kTitleWords));
    const std::string second(random.pick(kTitleWords));
    switch (random.below(4)) {
        case 0:
            return first + second;
        case 1:
            return "我的" + first;
        case 2:
            return "爱在" + first;
        default:
            return first + "的" + second;
    }
}

}  // namespace qh::demo
