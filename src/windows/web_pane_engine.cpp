#include <QVBoxLayout>
#include <QWebEngineView>

#include "windows/web_pane.h"

namespace qh {

namespace {

class EnginePane final : public WebPane {
public:
    explicit EnginePane(QWidget* parent) : WebPane(parent) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        view_ = new QWebEngineView(this);
        view_->setObjectName("PaneBrowser");
        layout->addWidget(view_);
    }

    // Without a network the pane shows its own error page; the program goes on.
    void load(const QUrl& address) override {
        loaded_ = address;
        view_->load(address);
    }
    QUrl address() const override { return loaded_; }
    QString selectedText() const override {
        return loaded_.isEmpty() ? QString() : view_->selectedText();
    }

private:
    QWebEngineView* view_;
    QUrl loaded_;
};

}  // namespace

WebPane* makeWebPane(Shell&, QWidget* parent) {
    return new EnginePane(parent);
}

}  // namespace qh
