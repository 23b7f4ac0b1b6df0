#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/shell.h"
#include "windows/web_pane.h"

namespace qh {

namespace {

class AddressPane final : public WebPane {
public:
    AddressPane(Shell& shell, QWidget* parent) : WebPane(parent), shell_(shell) {
        auto* layout = new QVBoxLayout(this);
        address_ = new QLabel(this);
        address_->setObjectName("PaneAddress");
        address_->setWordWrap(true);
        address_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto* open = new QPushButton(QString::fromUtf8("在浏览器中打开"), this);
        open->setObjectName("PaneOpen");
        open->setEnabled(false);
        connect(open, &QPushButton::clicked, this,
                [this] { shell_.openAddress(loaded_.toString().toStdString()); });
        open_ = open;
        layout->addWidget(address_);
        layout->addWidget(open, 0, Qt::AlignLeft);
        layout->addStretch();
    }

    void load(const QUrl& address) override {
        loaded_ = address;
        address_->setText(address.toString());
        open_->setEnabled(true);
    }
    QUrl address() const override { return loaded_; }
    QString selectedText() const override { return address_->selectedText(); }

private:
    Shell& shell_;
    QLabel* address_;
    QPushButton* open_;
    QUrl loaded_;
};

}  // namespace

WebPane* makeAddressPane(Shell& shell, QWidget* parent) {
    return new AddressPane(shell, parent);
}

}  // namespace qh
