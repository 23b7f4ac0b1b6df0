#include "windows/maker_texts.h"

#include "settings/settings_store.h"
#include "text/gbk.h"

namespace qh {

namespace {

const char* const kMakerName = "青禾点唱软件工作室";
const char* const kVersion = "2010.9.01";
const char* const kMakerHomePage = "http://www.qinghe-diange.example/";
const char* const kSupportMail = "support@qinghe-diange.example";
const char* const kSupportPhone = "400-000-0000";

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

}  // namespace

QUrl homePageAddress(const SettingsStore& settings) {
    const QUrl stored(fromGbk(settings.read("WangZhan", "ZhuYe")), QUrl::StrictMode);
    // Anything else would have the shell start a program or open a file instead of the browser.
    const bool webAddress = stored.isValid() && !stored.host().isEmpty() &&
                            (stored.scheme() == "http" || stored.scheme() == "https");
    return webAddress ? stored : QUrl(utf8(kMakerHomePage));
}

QUrl resourcePageAddress(const SettingsStore& settings) {
    QUrl page = homePageAddress(settings).adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
    page.setPath(QStringLiteral("/wangye/zygx.htm"));
    return page;
}

QString productName() {
    return utf8("青禾点唱手机下载系统");
}

QStringList makerContactLines() {
    return {
        utf8("官方网站：") + utf8(kMakerHomePage),
        utf8("电子邮箱：") + utf8(kSupportMail),
        utf8("服务电话：") + utf8(kSupportPhone),
    };
}

QString makerInformation() {
    QStringList lines{
        productName(),
        utf8("版本：") + utf8(kVersion) + utf8("　　制作：") + utf8(kMakerName),
        QString(),
        utf8("　　本软件是为手机下载店、音像店编写的专业下载系统：按编号、关键字、歌手或分类查找"
             "本地曲库中的歌曲、MTV、电影、图片、电子书、游戏和铃声，一键复制到顾客的U盘或手机"
             "存储卡，并按类别自动统计数量和费用。"),
        utf8("　　软件不带任何歌曲和影视资源，店内出售的资源请自行取得合法授权。"),
        QString(),
    };
    lines << makerContactLines();
    lines << QString() << utf8("欢迎提出意见和建议，最新版本请到官方网站下载。");
    return lines.join(u'\n');
}

QStringList disclaimerLines() {
    return {
        utf8("声明总则:使用本软件即表示同意以下各条。"),
        utf8("一、本软件只是店内查找、复制的工具，"),
        utf8("　　不附带任何歌曲、影视、图片等资源。"),
        utf8("二、店内出售的一切资源，须由店主自行"),
        utf8("　　取得合法授权，责任由店主承担。"),
        utf8("三、因所售资源引起的版权纠纷，"),
        utf8("　　与本软件的制作者无关。"),
        utf8("四、请勿用本软件复制、传播违法内容。"),
        utf8("五、因误操作、断电、U盘或硬盘故障等"),
        utf8("　　造成的数据丢失，制作者不承担责任。"),
        utf8("六、复制前请确认目标盘和目录无误，"),
        utf8("　　删除U盘上的文件时请格外小心。"),
        utf8("七、本软件按现状提供，"),
        utf8("　　不保证适合每一种电脑和使用环境。"),
        utf8("八、本声明的解释权归") + utf8(kMakerName) + utf8("。"),
    };
}

QStringList introductionLines() {
    QStringList lines{
        utf8("      青禾点唱 简介"),
        utf8(" 非常感谢您选择了本软件，祝您使用愉快！！"),
        utf8("    \"青禾点唱\"是从实际下载中不断积累经验"),
        utf8(" 设计开发出来的,是市面上独一无二的,真正实"),
        utf8(" 用的下载店专业mp3下载软件。具有全面的下"),
        utf8(" 载功能，概全了全部下载业务，是做下载服务"),
        utf8(" 最好的帮手。"),
        utf8("    新增主要功能："),
        utf8(" 1,本地极速查找歌曲,同时兼具网络搜索功能;"),
        utf8(" 2,一键下载到U盘对应精确目录;"),
        utf8(" 3,手机电影直接预览播放功能,"),
        utf8(" 4,CD目录的打印功能;"),
        utf8(" 5,手机图片预览下载功能;"),
        utf8(" 6,编号连续输入查找"),
        utf8(" 7,输入法智能切换;"),
        utf8(" 8,多客户同时挂单;"),
        utf8(" 9,双击直接下载到U盘;"),
        utf8(" 10,直接对U盘进行操作管理;"),
        utf8(" 11,歌曲的连播与循环播放;"),
        utf8(" 12,动听的按键音乐"),
        utf8(" 13,全自动U盘监测功能"),
        utf8(" 14,下载数量分类自动统计计费功能"),
        utf8(" 15,支持批量下载功能"),
        utf8(" 16,支持四种查找方式，分别是："),
        utf8("    a,编号查找,b,关键字查找，"),
        utf8("    c,歌手查找,d,歌曲分类查找;,"),
        utf8("     "),
        utf8("     软件在注重实用的基础上使功能全面"),
        utf8("        在简洁的情况下达到功能的强大."),
        QString(),
        utf8("     Enter键默认为\"查找\","),
        utf8(" 左键单击歌曲为 选择，"),
        utf8(" 左键双击歌曲为添加到下载清单,直接下载到U盘"),
        utf8(" "),
        utf8("       软件不断创新，不断更新，"),
        utf8("       请到官方网站下载最新版"),
        utf8("         欢迎提出意见和建议。"),
    };
    // Indented like the lines above them.
    for (const QString& contact : makerContactLines()) {
        lines << QStringLiteral("       ") + contact;
    }
    lines << QStringLiteral("          ") << QString() << QString() << QString();
    return lines;
}

}  // namespace qh
