#pragma once
// The addresses of the web music search: the two engines' fixed paths and query keys on hosts the
// shop may set, and the keyword percent-encoded so that "&", "#", "+", "%" or a blank in it stay
// part of the keyword instead of cutting or changing the query.
#include <QString>
#include <QUrl>

namespace qh {

class SettingsStore;

// Scheme and host of each engine ("http://mp3.baidu.com"): [WangLuo] BaiDu= and SouGou= when
// they are http or https addresses with a host, otherwise the engines' own hosts.
struct SearchEngineHosts {
    QUrl baidu;
    QUrl sogou;
};
SearchEngineHosts searchEngineHosts(const SettingsStore& settings);

// The keyword travels in GBK: both are the engines' old GB search pages, which read a query
// without an "ie=" key as GBK, as the shop's program always sent it.
QUrl baiduSearchAddress(const QUrl& host, const QString& keyword);
QUrl sogouSearchAddress(const QUrl& host, const QString& keyword);

}  // namespace qh
