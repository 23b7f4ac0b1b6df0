#include "windows/maker_texts.h"

#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "support/temp_folder.h"
#include "text/gbk.h"

namespace qh {
namespace {

using testing::TempFolder;

class MakerTextsTest : public ::testing::Test {
protected:
    TempFolder folder;
    SettingsStore settings{folder.path() / "Vazazazi.ini"};
};

TEST_F(MakerTextsTest, HomePageIsTheShopsWebAddressOrElseTheMakers) {
    const QUrl makerHome = homePageAddress(settings);
    // The maker's own address stays a reserved one, never somebody's real site.
    EXPECT_TRUE(makerHome.isValid());
    EXPECT_EQ(makerHome.scheme(), "http");
    EXPECT_TRUE(makerHome.host().endsWith(".example")) << makerHome.toString().toStdString();

    const struct {
        const char* name;
        const char* stored;  // UTF-8, stored as GBK
        bool taken;
    } cases[] = {
        {"empty", "", false},
        {"http", "http://www.myshop.example/", true},
        {"https with Chinese path", "https://www.myshop.example/青禾/主页.htm", true},
        {"scheme in capitals", "HTTP://WWW.MYSHOP.EXAMPLE/", true},
        {"no scheme", "www.myshop.example", false},
        {"ftp", "ftp://files.myshop.example/", false},
        {"local file", "file:///home/shop/index.html", false},
        {"Windows path", "C:\\主页.htm", false},
        {"no host", "http://", false},
        {"blank in host", "http://my shop.example/", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(settings.write("WangZhan", "ZhuYe", gbk(c.stored)));
        const QUrl expected = c.taken ? QUrl(QString::fromUtf8(c.stored)) : makerHome;
        EXPECT_EQ(homePageAddress(settings), expected);
    }
}

TEST_F(MakerTextsTest, TheResourcePageLiesOnTheHomePagesSite) {
    const struct {
        const char* stored;
        const char* expected;
    } cases[] = {
        {"", "http://www.qinghe-diange.example/wangye/zygx.htm"},
        {"https://www.myshop.example:8080/青禾/主页.htm?a=1#top",
         "https://www.myshop.example:8080/wangye/zygx.htm"},
        {"file:///home/shop/index.html", "http://www.qinghe-diange.example/wangye/zygx.htm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        ASSERT_TRUE(settings.write("WangZhan", "ZhuYe", gbk(c.stored)));
        EXPECT_EQ(resourcePageAddress(settings).toString(), QString::fromUtf8(c.expected));
    }
}

TEST_F(MakerTextsTest, TheMemoShowsTheMakersContactLines) {
    const QStringList contacts = makerContactLines();
    ASSERT_FALSE(contacts.isEmpty());
    EXPECT_TRUE(contacts[0].contains(homePageAddress(settings).toString()));
    const QString memo = makerInformation();
    for (const QString& line : contacts) {
        SCOPED_TRACE(line.toStdString());
        EXPECT_TRUE(memo.contains(line));
    }
}

TEST_F(MakerTextsTest, IntroductionLinesInOrder) {
    const char* const fixedStart[] = {
        "      青禾点唱 简介",
        " 非常感谢您选择了本软件，祝您使用愉快！！",
        "    \"青禾点唱\"是从实际下载中不断积累经验",
        " 设计开发出来的,是市面上独一无二的,真正实",
        " 用的下载店专业mp3下载软件。具有全面的下",
        " 载功能，概全了全部下载业务，是做下载服务",
        " 最好的帮手。",
        "    新增主要功能：",
        " 1,本地极速查找歌曲,同时兼具网络搜索功能;",
        " 2,一键下载到U盘对应精确目录;",
        " 3,手机电影直接预览播放功能,",
        " 4,CD目录的打印功能;",
        " 5,手机图片预览下载功能;",
        " 6,编号连续输入查找",
        " 7,输入法智能切换;",
        " 8,多客户同时挂单;",
        " 9,双击直接下载到U盘;",
        " 10,直接对U盘进行操作管理;",
        " 11,歌曲的连播与循环播放;",
        " 12,动听的按键音乐",
        " 13,全自动U盘监测功能",
        " 14,下载数量分类自动统计计费功能",
        " 15,支持批量下载功能",
        " 16,支持四种查找方式，分别是：",
        "    a,编号查找,b,关键字查找，",
        "    c,歌手查找,d,歌曲分类查找;,",
        "     ",
        "     软件在注重实用的基础上使功能全面",
        "        在简洁的情况下达到功能的强大.",
        "",
        "     Enter键默认为\"查找\",",
        " 左键单击歌曲为 选择，",
        " 左键双击歌曲为添加到下载清单,直接下载到U盘",
        " ",
        "       软件不断创新，不断更新，",
        "       请到官方网站下载最新版",
        "         欢迎提出意见和建议。",
    };
    const char* const fixedEnd[] = {"          ", "", "", ""};
    const QStringList contacts = makerContactLines();
    ASSERT_EQ(contacts.size(), 3);

    const QStringList lines = introductionLines();
    QStringList expected;
    for (const char* line : fixedStart) {
        expected << QString::fromUtf8(line);
    }
    for (const QString& contact : contacts) {
        expected << QStringLiteral("       ") + contact;
    }
    for (const char* line : fixedEnd) {
        expected << QString::fromUtf8(line);
    }
    ASSERT_EQ(lines.size(), expected.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i + 1));
        EXPECT_EQ(lines[i], expected[i]);
    }
}

}  // namespace
}  // namespace qh
