#include "windows/web_search_address.h"

#include "settings/settings_store.h"
#include "text/gbk.h"

namespace qh {

namespace {

QUrl hostOr(const SettingsStore& settings, const char* key, const char* fallback) {
    const QUrl stored(fromGbk(settings.read("WangLuo", key)), QUrl::StrictMode);
    const bool web = stored.isValid() && !stored.host().isEmpty() &&
                     (stored.scheme() == "http" || stored.scheme() == "https");
    const QUrl host = web ? stored : QUrl(QString::fromLatin1(fallback));
    return host.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment |
                         QUrl::RemoveUserInfo);
}

// Every byte but the unreserved ones as %XX: the fixed parts keep their own "&" and "=".
QByteArray encodedKeyword(const QString& keyword) {
    return QByteArray::fromStdString(toGbk(keyword)).toPercentEncoding();
}

QUrl address(const QUrl& host, const char* before, const QString& keyword, const char* after) {
    const QByteArray text = host.toEncoded() + before + encodedKeyword(keyword) + after;
    return QUrl::fromEncoded(text, QUrl::StrictMode);
}

}  // namespace

SearchEngineHosts searchEngineHosts(const SettingsStore& settings) {
    return {hostOr(settings, "BaiDu", "http://mp3.baidu.com"),
            hostOr(settings, "SouGou", "http://mp3.sogou.com")};
}

QUrl baiduSearchAddress(const QUrl& host, const QString& keyword) {
    return address(host, "/m?f=ms&tn=baidump3&ct=134217728&lf=&rn=&word=", keyword, "&lm=0");
}

QUrl sogouSearchAddress(const QUrl& host, const QString& keyword) {
    return address(host, "/music.so?query=", keyword, "&class=1&sid=suggest");
}

}  // namespace qh
