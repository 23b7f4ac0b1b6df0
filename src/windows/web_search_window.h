#pragma once
// Twang, the web music search: the Baidu and Sogou music searches in two panes on the same spot,
// a keyword box, a button per engine that brings its pane to the front (searching again for a
// changed keyword), and 复制, which takes the text selected in the pages into the keyword box and
// the clipboard. The main window's 网上搜索 searches both engines at once. Closing it only hides
// it, with its pages.
#include <QWidget>

#include "windows/web_search_address.h"

class QLineEdit;

namespace qh {

class SettingsStore;
class Shell;
class WebPane;

class WebSearchWindow : public QWidget {
    Q_OBJECT
public:
    WebSearchWindow(const SettingsStore& settings, Shell& shell, QWidget* parent = nullptr);

    // 网上搜索 with the main window's keyword box text, taken as it stands.
    void searchFromMainWindow(const QString& typed);

private:
    enum class Engine { Baidu, Sogou };
    void engineButton(Engine engine);  // Button1Click, Button2Click
    void showPane(Engine engine);
    void Button3Click();  // 复制
    void showNormally();

    SearchEngineHosts hosts_;
    QLineEdit* keyword_;  // Edit1
    WebPane* baidu_;      // WebBrowser1
    WebPane* sogou_;      // WebBrowser2
    QString baiduKeyword_;
    QString sogouKeyword_;
};

}  // namespace qh
