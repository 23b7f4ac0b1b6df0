#include "windows/about_window.h"

#include <QColor>
#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "windows/maker_texts.h"

namespace qh {

namespace {

// The memo's background as the form stores it, a Windows COLORREF (0x00BBGGRR).
constexpr unsigned kMemoBackground = 12627333;

QColor fromColorRef(unsigned colorRef) {
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

}  // namespace

AboutWindow::AboutWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName("TGYuForm4");
    setWindowTitle(productName());
    setFixedSize(491, 427);
    buildControls();
}

void AboutWindow::buildControls() {
    aboutGroup_ = new QGroupBox(QString::fromUtf8("关于我们"), this);
    aboutGroup_->setObjectName("GroupBox1");
    aboutGroup_->setGeometry(8, 8, 457, 329);
    auto* memo = new QPlainTextEdit(makerInformation(), aboutGroup_);
    memo->setObjectName("Memo1");
    memo->setReadOnly(true);
    memo->setGeometry(8, 24, 441, 297);
    // The memo's own colours, kept whatever skin the program wears: a sheet of its own wins over
    // the skin's application-wide one, where a palette would not.
    memo->setStyleSheet(
        QStringLiteral("QPlainTextEdit#Memo1 { color: white; background-color: %1; }")
            .arg(fromColorRef(kMemoBackground).name()));

    // Made second, so it lies over the maker's information while it is shown.
    disclaimerGroup_ = new QGroupBox(QString::fromUtf8("免责声明"), this);
    disclaimerGroup_->setObjectName("GroupBox2");
    disclaimerGroup_->setGeometry(8, 8, 473, 329);
    auto* disclaimer = new QListWidget(disclaimerGroup_);
    disclaimer->setObjectName("ListBox1");
    disclaimer->addItems(disclaimerLines());
    disclaimer->setGeometry(8, 24, 457, 297);

    auto* close = new QPushButton(QString::fromUtf8("关闭"), this);
    close->setObjectName("Button1");
    close->setGeometry(224, 360, 75, 25);
    connect(close, &QPushButton::clicked, this, &AboutWindow::Button1Click);
}

void AboutWindow::showAbout() {
    showWithDisclaimer(false);
}

void AboutWindow::showDisclaimer() {
    showWithDisclaimer(true);
}

void AboutWindow::showWithDisclaimer(bool disclaimerVisible) {
    disclaimerGroup_->setVisible(disclaimerVisible);
    // A group box is see-through: the covered caption "关于我们" would show through the
    // disclaimer's, and painting the disclaimer opaque would not follow the skin.
    aboutGroup_->setVisible(!disclaimerVisible);
    show();
    raise();
    activateWindow();
}

void AboutWindow::Button1Click() {
    hide();
}

}  // namespace qh
