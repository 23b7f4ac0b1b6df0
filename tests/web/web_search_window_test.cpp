#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <memory>
#include <set>

#include "platform/fake_shell.h"
#include "settings/settings_store.h"
#include "support/qstring_printer.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"
#include "windows/web_pane.h"
#include "windows/web_search_window.h"

namespace qh {
namespace {

// Both engines' hosts in one: it records the path and query of every page asked for, and answers
// with a page that holds the words "鼓浪屿之波".
class EngineStandIn {
public:
    EngineStandIn() {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    const QByteArray request = socket->readAll();
                    const QByteArray target = request.split(' ').value(1);
                    if (!target.startsWith("/favicon")) {
                        targets.push_back(target);
                    }
                    socket->write(
                        "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n"
                        "Connection: close\r\n\r\n<html><body><p>" +
                        QString::fromUtf8("鼓浪屿之波").toUtf8() + "</p></body></html>");
                    socket->disconnectFromHost();
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    QString host() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }

    std::vector<QByteArray> targets;

private:
    QTcpServer server_;
};

class WebSearchWindowTest : public ::testing::Test {
protected:
    WebSearchWindowTest() {
        settings.write("WangLuo", "BaiDu", engines.host().toStdString());
        settings.write("WangLuo", "SouGou", engines.host().toStdString());
        window = std::make_unique<WebSearchWindow>(settings, shell);
    }
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }
    QLineEdit* keyword() { return window->findChild<QLineEdit*>("Edit1"); }
    QWidget* pane(const char* name) { return window->findChild<QWidget*>(name); }
    QWebEngineView* browser(const char* pane) {
        return window->findChild<QWidget*>(pane)->findChild<QWebEngineView*>();
    }
    bool asked(std::size_t count) {
        return testing::waitFor([&] { return engines.targets.size() >= count; }) &&
               engines.targets.size() == count;
    }
    // Nothing more is asked for within a while.
    bool nothingMoreAfter(std::size_t count) {
        QTest::qWait(700);
        return engines.targets.size() == count;
    }
    bool loaded(const char* pane) {
        auto* view = browser(pane);
        return testing::waitFor(
            [&] { return view->page()->url().isValid() && !view->page()->title().isEmpty(); });
    }

    testing::TempFolder folder;
    SettingsStore settings{folder.path() / "Vazazazi.ini"};
    FakeShell shell;
    EngineStandIn engines;
    std::unique_ptr<WebSearchWindow> window;
};

const QByteArray kBaiduMoon =
    "/m?f=ms&tn=baidump3&ct=134217728&lf=&rn=&word=%D4%C2%C1%C1%20%26%20%231%2B2%25&lm=0";
const QByteArray kSogouMoon =
    "/music.so?query=%D4%C2%C1%C1%20%26%20%231%2B2%25&class=1&sid=suggest";

TEST_F(WebSearchWindowTest, TheMainWindowsSearchAsksBothEnginesWithTheWholeKeyword) {
    window->searchFromMainWindow(QString::fromUtf8("月亮 & #1+2%"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(keyword()->text(), QString::fromUtf8("月亮 & #1+2%"));
    ASSERT_TRUE(asked(2));
    EXPECT_EQ(std::set(engines.targets.begin(), engines.targets.end()),
              (std::set<QByteArray>{kBaiduMoon, kSogouMoon}));

    // The same keyword only brings the engine's page to the front.
    button("Button1")->click();
    EXPECT_TRUE(nothingMoreAfter(2));
    EXPECT_TRUE(pane("WebBrowser1")->isVisible());
    EXPECT_FALSE(pane("WebBrowser2")->isVisible());
    EXPECT_EQ(pane("WebBrowser2")->y(), -800);

    // A new keyword: each engine asks again when its button is pressed.
    keyword()->setText(QString::fromUtf8("星星"));
    button("Button2")->click();
    ASSERT_TRUE(asked(3));
    EXPECT_EQ(engines.targets[2], "/music.so?query=%D0%C7%D0%C7&class=1&sid=suggest");
    EXPECT_TRUE(pane("WebBrowser2")->isVisible());
    EXPECT_EQ(pane("WebBrowser2")->y(), 40);
    button("Button1")->click();
    ASSERT_TRUE(asked(4));
    EXPECT_EQ(engines.targets[3],
              "/m?f=ms&tn=baidump3&ct=134217728&lf=&rn=&word=%D0%C7%D0%C7&lm=0");

    // An empty keyword asks for nothing.
    keyword()->clear();
    button("Button2")->click();
    EXPECT_TRUE(nothingMoreAfter(4));
}

TEST_F(WebSearchWindowTest, CopyTakesThePagesSelectionIntoTheKeywordBoxAndTheClipboard) {
    // Before any page: nothing is selected anywhere, and nothing fails.
    keyword()->setText("before");
    button("Button3")->click();
    EXPECT_TRUE(keyword()->text().isEmpty());

    window->searchFromMainWindow(QString::fromUtf8("鼓浪屿"));
    ASSERT_TRUE(asked(2));
    auto* view = browser("WebBrowser1");
    // Selected by script once the page's body is there; asked again until the pane reports it.
    ASSERT_TRUE(testing::waitFor([&] {
        view->page()->runJavaScript(
            "if (document.body) window.getSelection().selectAllChildren(document.body);");
        return !view->selectedText().isEmpty();
    }));
    button("Button3")->click();
    EXPECT_EQ(keyword()->text().trimmed(), QString::fromUtf8("鼓浪屿之波"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), keyword()->text());
    EXPECT_EQ(keyword()->selectedText(), keyword()->text());
}

TEST_F(WebSearchWindowTest, AHugeKeywordAndNoServerAtAllLeaveTheWindowWorking) {
    window->searchFromMainWindow(QString(10000, QChar(0x6708)));  // 月 ten thousand times
    ASSERT_TRUE(asked(2));
    EXPECT_GT(engines.targets[0].size(), 60000);

    settings.write("WangLuo", "BaiDu", "http://127.0.0.1:1");
    settings.write("WangLuo", "SouGou", "http://127.0.0.1:1");
    WebSearchWindow offline(settings, shell);
    offline.searchFromMainWindow(QString::fromUtf8("月亮"));
    QTest::qWait(500);
    offline.findChild<QPushButton*>("Button1")->click();
    offline.findChild<QPushButton*>("Button3")->click();
    EXPECT_TRUE(offline.isVisible());
}

TEST(WebSearchAddressPane, ShowsTheAddressAndOpensItInTheSystemsBrowser) {
    FakeShell shell;
    QWidget parent;
    WebPane* pane = makeAddressPane(shell, &parent);
    pane->load(QUrl("http://mp3.baidu.com/m?word=%D4%C2"));
    EXPECT_EQ(pane->findChild<QLabel*>("PaneAddress")->text(),
              QString("http://mp3.baidu.com/m?word=%D4%C2"));
    pane->findChild<QPushButton*>("PaneOpen")->click();
    EXPECT_EQ(shell.openedAddresses,
              std::vector<std::string>{"http://mp3.baidu.com/m?word=%D4%C2"});
}

}  // namespace
}  // namespace qh

// The embedded browser starts before the application object: no sandbox when run as root, as CI
// does, and contexts it may share.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
