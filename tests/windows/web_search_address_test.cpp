#include "windows/web_search_address.h"

#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "support/qstring_printer.h"
#include "support/temp_folder.h"
#include "text/gbk.h"

namespace qh {
namespace {

TEST(WebSearchAddress, TheKeywordStaysOneValueWhateverItHolds) {
    const QUrl host("http://mp3.baidu.com");
    const struct {
        const char* typed;
        const char* word;  // as it stands in the query
    } cases[] = {
        {"月亮", "%D4%C2%C1%C1"},
        {"a&b#c+d%e f", "a%26b%23c%2Bd%25e%20f"},
        {"Love-Song_1.0~", "Love-Song_1.0~"},
        {"", ""},
        {"这里输入查找关键字", "%D5%E2%C0%EF%CA%E4%C8%EB%B2%E9%D5%D2%B9%D8%BC%FC%D7%D6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const QString typed = QString::fromUtf8(c.typed);
        EXPECT_EQ(baiduSearchAddress(host, typed).toEncoded(),
                  QByteArray("http://mp3.baidu.com/m?f=ms&tn=baidump3&ct=134217728&lf=&rn=&word=") +
                      c.word + "&lm=0");
        const QUrl sogou = sogouSearchAddress(QUrl("http://mp3.sogou.com"), typed);
        EXPECT_EQ(sogou.toEncoded(), QByteArray("http://mp3.sogou.com/music.so?query=") + c.word +
                                         "&class=1&sid=suggest");
        // The engine reads the keyword back whole from the query.
        EXPECT_EQ(fromGbk(QByteArray::fromPercentEncoding(
                              sogou.query(QUrl::FullyEncoded).section('&', 0, 0).mid(6).toLatin1())
                              .toStdString()),
                  typed);
    }
}

TEST(WebSearchAddress, HostsAreTheShopsWhenTheyAreWebAddresses) {
    testing::TempFolder folder;
    SettingsStore settings(folder.path() / "Vazazazi.ini");
    auto hosts = searchEngineHosts(settings);
    EXPECT_EQ(hosts.baidu, QUrl("http://mp3.baidu.com"));
    EXPECT_EQ(hosts.sogou, QUrl("http://mp3.sogou.com"));

    settings.write("WangLuo", "BaiDu", "https://127.0.0.1:8080/ignored/path?x=1");
    settings.write("WangLuo", "SouGou", "file:///etc/passwd");
    hosts = searchEngineHosts(settings);
    EXPECT_EQ(hosts.baidu, QUrl("https://127.0.0.1:8080"));
    EXPECT_EQ(hosts.sogou, QUrl("http://mp3.sogou.com"));
}

}  // namespace
}  // namespace qh
