#include "windows/parameters_window.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "media/key_sounds.h"
#include "media/sound_cue.h"
#include "platform/input_methods.h"
#include "settings/settings_store.h"
#include "text/gbk.h"

namespace qh {

namespace {

const char* const kPriceSection = "DanJa";

// Each label's run of full-width blanks is where its price box sits, so a row reads as the name,
// the box and the unit. Category 8 keeps its stored name here.
const char* const kPriceLabels[kCategoryCount] = {
    "音乐：　　　　元/首", "MTV：　　　　元/首",  "电影：　　　　元/部", "连续剧：　　　元/集",
    "图片：　　　　元/个", "电子书：　　　元/部", "游戏：　　　　元/个", "伦理片：　　　元/部",
    "小品：　　　　元/个", "演唱会：　　　元/个", "铃声：　　　　元/个", "其它：　　　　元/个",
};

QFont fontOfSize(int pixels) {
    QFont font({QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(pixels);
    return font;
}

}  // namespace

ParametersWindow::ParametersWindow(ParametersWindowServices services, QWidget* parent)
    : QWidget(parent, Qt::Window),
      services_(services),
      presentMessage_([this](const QString& text) {
          QMessageBox::information(this, QApplication::applicationName(), text);
      }) {
    setObjectName("TCanSHuForm");
    setWindowTitle(QString::fromUtf8("参数设置"));
    setFixedSize(377, 428);
    move(405, 164);
    buildControls();
    FormCreate();
}

void ParametersWindow::buildControls() {
    setFont(fontOfSize(13));

    auto* inputMethodGroup = new QGroupBox(QString::fromUtf8("输入法设置"), this);
    inputMethodGroup->setGeometry(16, 24, 297, 65);
    auto* inputMethodLabel = new QLabel(QString::fromUtf8("输入法:"), inputMethodGroup);
    inputMethodLabel->move(12, 28);
    inputMethodLabel->adjustSize();
    inputMethodBox_ = new QComboBox(inputMethodGroup);
    inputMethodBox_->setObjectName("ComboBox1");
    inputMethodBox_->setEditable(true);
    inputMethodBox_->setInsertPolicy(QComboBox::NoInsert);
    inputMethodBox_->setGeometry(64, 24, 201, 24);
    connect(inputMethodBox_, &QComboBox::editTextChanged, this, &ParametersWindow::ComboBox1Change);

    for (int i = 0; i < kCategoryCount; ++i) {
        const int column = i / 6;
        const int top = 112 + 40 * (i % 6);
        // The name before the box, the unit after it: fonts differ too much in width for the
        // box to cover the label's blanks exactly.
        const QString caption = QString::fromUtf8(kPriceLabels[i]);
        const auto gapStart = caption.indexOf(QChar(0x3000));
        const auto gapEnd = caption.lastIndexOf(QChar(0x3000)) + 1;
        auto* name = new QLabel(caption.left(gapStart), this);
        name->move(8 + 192 * column, top + 8);
        name->adjustSize();
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        box->setFont(fontOfSize(16));
        box->setGeometry(std::max(64 + 192 * column, name->geometry().right() + 4), top, 49, 28);
        auto* unit = new QLabel(caption.mid(gapEnd), this);
        unit->move(box->geometry().right() + 4, top + 8);
        unit->adjustSize();
        priceBoxes_[i] = box;
    }

    auto* save = new QPushButton(QString::fromUtf8("保存"), this);
    save->setObjectName("Button1");
    save->setGeometry(248, 368, 75, 25);
    connect(save, &QPushButton::clicked, this, &ParametersWindow::Button1Click);
}

void ParametersWindow::FormCreate() {
    // Filling the list and showing the stored name are no choice of the clerk's: nothing is
    // written back.
    const QSignalBlocker blocker(inputMethodBox_);
    const auto installed = services_.inputMethods.installedNames();
    for (const auto& name : installed) {
        inputMethodBox_->addItem(fromGbk(name));
    }
    preferredInputMethod_ = services_.settings.read("ShuRuFa", "shurufa1");

    // The price is what the box shows, so the clerk sees the text that is charged.
    for (const auto& category : categoryTable()) {
        QLineEdit* box = priceBoxes_[category.index];
        box->setText(fromGbk(services_.settings.read(kPriceSection, category.priceKey)));
        unitPrices_[category.index] = unitPriceFromText(toGbk(box->text()));
    }

    // With none stored the system's default is taken; with none installed either, the keyword
    // box keeps whatever input method it has.
    if (preferredInputMethod_.empty() && !installed.empty()) {
        preferredInputMethod_ = installed.front();
    }
    inputMethodBox_->setEditText(fromGbk(preferredInputMethod_));
}

void ParametersWindow::showWindow() {
    show();
    raise();
    activateWindow();
}

void ParametersWindow::ComboBox1Change(const QString& text) {
    preferredInputMethod_ = toGbk(text);
    services_.settings.write("ShuRuFa", "shurufa1", preferredInputMethod_);
    emit preferredInputMethodChanged(text);
    services_.keySounds.request(kCueSelect);
}

void ParametersWindow::Button1Click() {
    // Stored as typed; the prices in use stay those read at start.
    for (const auto& category : categoryTable()) {
        services_.settings.write(kPriceSection, category.priceKey,
                                 toGbk(priceBoxes_[category.index]->text()));
    }
    services_.keySounds.request(kCueSelect);
    presentMessage_(QString::fromUtf8("新设置将在下次开启软件后生效！"));
}

}  // namespace qh
