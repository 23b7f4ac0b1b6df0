#include "windows/web_search_window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>

#include "windows/web_pane.h"

namespace qh {

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const char* text, QRect place) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    return button;
}

constexpr QRect kPanePlace(0, 40, 1017, 673);

}  // namespace

WebSearchWindow::WebSearchWindow(const SettingsStore& settings, Shell& shell, QWidget* parent)
    : QWidget(parent), hosts_(searchEngineHosts(settings)) {
    setObjectName("Twang");
    setWindowTitle(QString::fromUtf8("  青禾点唱 ----网  络  搜  索"));
    setGeometry(-4, -4, 1032, 748);

    keyword_ = new QLineEdit(this);
    keyword_->setObjectName("Edit1");
    keyword_->setGeometry(8, 8, 97, 24);

    baidu_ = makeWebPane(shell, this);
    baidu_->setObjectName("WebBrowser1");
    baidu_->setGeometry(kPanePlace);
    // The Sogou pane lies on top: it is the one seen until an engine button is pressed.
    sogou_ = makeWebPane(shell, this);
    sogou_->setObjectName("WebBrowser2");
    sogou_->setGeometry(kPanePlace);

    connect(makeButton(this, "Button3", "复制", {200, 8, 169, 25}), &QPushButton::clicked, this,
            &WebSearchWindow::Button3Click);
    connect(makeButton(this, "Button1", "百度", {384, 8, 97, 25}), &QPushButton::clicked, this,
            [this] { engineButton(Engine::Baidu); });
    connect(makeButton(this, "Button2", "搜狗", {496, 8, 97, 25}), &QPushButton::clicked, this,
            [this] { engineButton(Engine::Sogou); });
    connect(makeButton(this, "Button5", "最小化", {608, 8, 97, 25}), &QPushButton::clicked, this,
            &QWidget::showMinimized);
    connect(makeButton(this, "Button4", "还原", {720, 8, 97, 25}), &QPushButton::clicked, this,
            &WebSearchWindow::showNormally);
}

void WebSearchWindow::searchFromMainWindow(const QString& typed) {
    baidu_->load(baiduSearchAddress(hosts_.baidu, typed));
    sogou_->load(sogouSearchAddress(hosts_.sogou, typed));
    showNormally();
    keyword_->setText(typed);
    baiduKeyword_ = typed;
    sogouKeyword_ = typed;
}

void WebSearchWindow::engineButton(Engine engine) {
    const QString typed = keyword_->text();
    QString& last = engine == Engine::Baidu ? baiduKeyword_ : sogouKeyword_;
    if (!typed.isEmpty() && typed != last) {
        if (engine == Engine::Baidu) {
            baidu_->load(baiduSearchAddress(hosts_.baidu, typed));
        } else {
            sogou_->load(sogouSearchAddress(hosts_.sogou, typed));
        }
        last = typed;
    }
    showNormally();
    showPane(engine);
}

void WebSearchWindow::showPane(Engine engine) {
    if (engine == Engine::Baidu) {
        // The Sogou pane goes out of sight above the window, as it always did.
        sogou_->move(kPanePlace.x(), -800);
        sogou_->hide();
        baidu_->show();
    } else {
        baidu_->hide();
        sogou_->move(kPanePlace.topLeft());
        sogou_->show();
        sogou_->raise();
    }
}

void WebSearchWindow::Button3Click() {
    // A pane that never loaded a page has nothing selected.
    const QString selected = baidu_->selectedText() + sogou_->selectedText();
    keyword_->clear();
    keyword_->setText(selected);
    keyword_->setFocus();
    keyword_->selectAll();
    QGuiApplication::clipboard()->setText(selected);
}

void WebSearchWindow::showNormally() {
    showNormal();
    raise();
    activateWindow();
}

}  // namespace qh
