#include "windows/cd_catalogue_window.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <memory>

#include "platform/host_path_text.h"
#include "settings/settings_store.h"
#include "text/gbk.h"
#include "windows/catalogue_printer.h"
#include "windows/catalogue_text.h"

namespace qh {

namespace {

const char* const kAddressSection = "DiZi";
const char* const kAddressKey = "DiZi1";
const char* const kPhoneSection = "DianHua";
const char* const kPhoneKey = "DianHua1";
constexpr int kRowHeight = 20;

QString defaultHeader() {
    return QString::fromUtf8("--  -- --  --我的音乐--  --  --  --");
}

// The form's 8-point "MS Sans Serif" at the 96 dots per inch it was drawn for, with a CJK font
// behind it for the Chinese names. Printing takes the same font at 12 points.
QFont windowFont() {
    QFont font({QStringLiteral("MS Sans Serif"), QStringLiteral("SimSun"),
                QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(11);
    return font;
}

void showLines(QListWidget& list, const QStringList& lines) {
    list.clear();
    for (const QString& line : lines) {
        auto* row = new QListWidgetItem(line, &list);
        row->setSizeHint(QSize(0, kRowHeight));
    }
}

// The printer of the print dialog, living as long as the window it serves.
class CataloguePrinterHolder : public QObject {
    Q_OBJECT
public:
    explicit CataloguePrinterHolder(QObject* owner)
        : QObject(owner), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}
    QPrinter* printer() const { return printer_.get(); }

private:
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace

std::vector<std::filesystem::path> chooseCatalogueFilesInDialog(QWidget* parent) {
    std::vector<std::filesystem::path> chosen;
    for (const QString& file : QFileDialog::getOpenFileNames(parent)) {
        chosen.push_back(hostPathOf(file));
    }
    return chosen;
}

QPrinter* choosePrinterInDialog(QWidget* parent) {
    QObject* owner =
        parent != nullptr ? static_cast<QObject*>(parent) : QCoreApplication::instance();
    auto* holder = owner->findChild<CataloguePrinterHolder*>(QString(), Qt::FindDirectChildrenOnly);
    if (holder == nullptr) {
        holder = new CataloguePrinterHolder(owner);
    }
    QPrintDialog dialog(holder->printer(), parent);
    if (dialog.exec() != QDialog::Accepted) {
        return nullptr;
    }
    return holder->printer();
}

CdCatalogueWindow::CdCatalogueWindow(CdCatalogueServices services, QWidget* parent)
    : QWidget(parent, Qt::Window),
      services_(std::move(services)),
      presentMessage_([this](const QString& text) {
          QMessageBox::warning(this, QApplication::applicationName(), text);
      }) {
    setObjectName("TCDMuLuForm");
    setWindowTitle(QString::fromUtf8("青禾点唱 之 CD目录"));
    setFixedSize(570, 459);
    move(258, 124);
    buildControls();
    FormCreate();
}

void CdCatalogueWindow::buildControls() {
    setFont(windowFont());

    entryList_ = new QListWidget(this);
    entryList_->setObjectName("ListBox1");
    entryList_->setGeometry(8, 0, 249, 393);
    entryList_->setUniformItemSizes(true);

    auto* headerLabel = new QLabel(QString::fromUtf8("版头编辑:"), this);
    headerLabel->move(264, 8);
    headerLabel->adjustSize();
    headerBox_ = new QLineEdit(defaultHeader(), this);
    headerBox_->setObjectName("Edit3");
    headerBox_->setGeometry(264, 24, 209, 21);
    connect(headerBox_, &QLineEdit::textChanged, this, &CdCatalogueWindow::Edit3Change);

    catalogueList_ = new QListWidget(this);
    catalogueList_->setObjectName("ListBox2");
    catalogueList_->setGeometry(264, 48, 289, 321);
    catalogueList_->setUniformItemSizes(true);

    auto* addressLabel = new QLabel(QString::fromUtf8("地址:"), this);
    addressLabel->move(264, 380);
    addressLabel->adjustSize();
    addressBox_ = new QLineEdit(this);
    addressBox_->setObjectName("Edit1");
    addressBox_->setGeometry(304, 376, 121, 21);
    connect(addressBox_, &QLineEdit::textChanged, this, &CdCatalogueWindow::Edit1Change);

    auto* phoneLabel = new QLabel(QString::fromUtf8("电话:"), this);
    phoneLabel->move(264, 404);
    phoneLabel->adjustSize();
    phoneBox_ = new QLineEdit(this);
    phoneBox_->setObjectName("Edit2");
    phoneBox_->setGeometry(304, 400, 121, 21);
    connect(phoneBox_, &QLineEdit::textChanged, this, &CdCatalogueWindow::Edit2Change);

    auto* add = new QPushButton(QString::fromUtf8("添加"), this);
    add->setObjectName("button1");
    add->setGeometry(24, 400, 65, 25);
    connect(add, &QPushButton::clicked, this, &CdCatalogueWindow::button1Click);

    auto* layOut = new QPushButton(QString::fromUtf8("排版"), this);
    layOut->setObjectName("Button2");
    layOut->setGeometry(184, 400, 75, 25);
    connect(layOut, &QPushButton::clicked, this, &CdCatalogueWindow::Button2Click);

    auto* print = new QPushButton(QString::fromUtf8("打印"), this);
    print->setObjectName("Button3");
    print->setGeometry(480, 392, 75, 25);
    connect(print, &QPushButton::clicked, this, &CdCatalogueWindow::Button3Click);
}

void CdCatalogueWindow::FormCreate() {
    catalogue_ = {headerBox_->text()};
    showCatalogue();
    // Showing the stored texts writes nothing back: the store holds them already, and a value
    // that is not valid GBK, or longer than a box holds, would come back altered.
    const QSignalBlocker blockAddress(addressBox_);
    const QSignalBlocker blockPhone(phoneBox_);
    addressBox_->setText(fromGbk(services_.settings.read(kAddressSection, kAddressKey)));
    phoneBox_->setText(fromGbk(services_.settings.read(kPhoneSection, kPhoneKey)));
}

void CdCatalogueWindow::showWindow() {
    show();
    raise();
    activateWindow();
}

void CdCatalogueWindow::Edit1Change(const QString& text) {
    services_.settings.write(kAddressSection, kAddressKey, toGbk(text));
}

void CdCatalogueWindow::Edit2Change(const QString& text) {
    services_.settings.write(kPhoneSection, kPhoneKey, toGbk(text));
}

void CdCatalogueWindow::Edit3Change(const QString& text) {
    catalogue_[0] = text;
    catalogueList_->item(0)->setText(text);
}

void CdCatalogueWindow::button1Click() {
    const auto chosen = services_.chooseFiles();
    if (chosen.empty()) {
        return;
    }
    entries_.clear();
    for (const auto& file : chosen) {
        // Shown as the system shows any host name: bytes that are not UTF-8 as U+FFFD, a "\"
        // of the name as "＼", never as a folder.
        entries_ << catalogueEntryOf(fromGbk(hostNameToGbk(file.filename().native())));
    }
    showLines(*entryList_, entries_);
}

void CdCatalogueWindow::Button2Click() {
    catalogue_ = laidOutCatalogue(headerBox_->text(), entries_);
    showCatalogue();
}

void CdCatalogueWindow::Button3Click() {
    QPrinter* printer = services_.choosePrinter();
    if (printer == nullptr) {
        return;
    }
    // Qt's printing layer says nothing when a job cannot start (a PDF file that cannot be
    // written): the clerk must not take the catalogue for printed.
    if (!printCatalogue(*printer, printedLines(catalogue_, addressBox_->text(), phoneBox_->text()),
                        font())) {
        presentMessage_(QString::fromUtf8("打印失败：无法在所选的打印机或文件上打印。"));
    }
}

void CdCatalogueWindow::showCatalogue() {
    showLines(*catalogueList_, catalogue_);
}

}  // namespace qh

#include "cd_catalogue_window.moc"
