#include "app/basic_setup_panel.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "app/basic_setup_texts.h"
#include "app/drive_combo.h"
#include "library/category_table.h"
#include "library/library_layout.h"
#include "media/key_sounds.h"
#include "media/sound_cue.h"
#include "platform/shared_drive_table.h"
#include "platform/shell.h"
#include "settings/settings_store.h"
#include "text/gbk.h"

namespace qh {

namespace {

QLabel* addLabel(QWidget* parent, const char* text, int x, int y, const char* style = "") {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->move(x, y);
    label->setStyleSheet(QString::fromLatin1(style));
    label->adjustSize();
    return label;
}

// A picture of the library's folder tree, so the shop sees where each kind of file belongs.
QLabel* makeTreePicture(QWidget* parent) {
    QString tree = fromGbk(libraryFolderName());
    for (const auto& category : categoryTable()) {
        tree += QStringLiteral("\n  ├─ ") + fromGbk(category.folder);
    }
    auto* picture = new QLabel(tree, parent);
    picture->setObjectName("Image2");
    picture->setStyleSheet(
        "background: white; color: black; border: 1px solid gray; "
        "padding: 6px; font-size: 13px;");
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return picture;
}

}  // namespace

BasicSetupPanel::BasicSetupPanel(BasicSetupServices services, QWidget* parent)
    : QGroupBox(parent), services_(std::move(services)) {
    using namespace setup_texts;
    setObjectName("GroupBox6");
    setGeometry(0, -16, 1009, 649);
    setAutoFillBackground(true);
    // The panel keeps its own light green in every skin, so its text keeps its own navy.
    setStyleSheet(
        "QGroupBox#GroupBox6 { background: #c8f0c8; border: 0; margin-top: 0; }"
        "QLabel { color: navy; }");

    const char* heading = "color: blue; font-weight: bold;";
    addLabel(this, kTitle, 24, 28, "color: red; font-weight: bold; font-size: 22px;");
    addLabel(this, kTitleNote, 170, 32, "color: red;");

    addLabel(this, kStep1, 24, 64, heading);
    addLabel(this, kStep1Line1, 40, 88);
    addLabel(this, kStep1Line2, 40, 108);
    addLabel(this, kStep1Line3, 40, 128);

    const char* comboNames[] = {"ComboBox6", "ComboBox7", "ComboBox8", "ComboBox19"};
    const char* buttonNames[] = {"Button5", "Button7", "Button8", "Button16"};
    for (int i = 0; i < 4; ++i) {
        const int left = 40 + i * 150;
        addLabel(this, kDriveLabels[i], left, 156);
        auto* combo = makeDriveCombo(this, QString::fromLatin1(comboNames[i]));
        combo->setGeometry(left, 178, 57, 26);
        connect(combo, &QComboBox::editTextChanged, this,
                [this, i](const QString& text) { driveChanged(i + 1, text); });
        driveCombos_[i] = combo;

        auto* open = new QPushButton(QString::fromUtf8(kOpenButtonBlank), this);
        open->setObjectName(QString::fromLatin1(buttonNames[i]));
        open->setGeometry(left, 210, 140, 26);
        open->hide();
        // The fourth button opens drive 4's library like its three twins: a shop that sets four
        // drives expects all four to open.
        connect(open, &QPushButton::clicked, this, [this, i] { openLibraryFolder(i + 1); });
        openButtons_[i] = open;
    }

    addLabel(this, kStep2, 24, 252, heading);
    addLabel(this, kInputMethodLabel, 40, 280);
    inputMethodBox_ = new QComboBox(this);
    inputMethodBox_->setObjectName("ComboBox9");
    inputMethodBox_->setGeometry(170, 276, 230, 26);
    connect(inputMethodBox_, &QComboBox::currentTextChanged, this,
            &BasicSetupPanel::ComboBox9Change);

    addLabel(this, kStep3, 24, 318, heading);
    addLabel(this, kStep3Line1, 40, 342);
    addLabel(this, kStep3Line2, 40, 362);

    addLabel(this, kStep4, 24, 396, heading);
    addLabel(this, kStep4Line1, 40, 420);
    auto* done = new QPushButton(QString::fromUtf8(kDoneButton), this);
    done->setObjectName("Button10");
    done->setGeometry(300, 414, 140, 30);
    connect(done, &QPushButton::clicked, this, &BasicSetupPanel::Button10Click);

    auto* picture = makeTreePicture(this);
    picture->setGeometry(720, 28, 270, 420);

    auto* instructions = new QListWidget(this);
    instructions->setObjectName("ListBox6");
    instructions->setGeometry(8, 456, 993, 185);
    instructions->setStyleSheet(
        "QListWidget { background: #203020; color: #90ee90; }"
        "QListWidget::item { height: 35px; }");
    instructions->setFocusPolicy(Qt::NoFocus);
    for (const char* line : instructionLines()) {
        instructions->addItem(QString::fromUtf8(line));
    }
}

void BasicSetupPanel::setInputMethodNames(const QStringList& names) {
    const QSignalBlocker blocker(inputMethodBox_);
    inputMethodBox_->clear();
    inputMethodBox_->addItems(names);
    inputMethodBox_->setCurrentIndex(-1);
}

// ComboBox6Change, ComboBox7Change, ComboBox8Change, ComboBox19Change.
void BasicSetupPanel::driveChanged(int drive, const QString& text) {
    const std::string letter = toGbk(text);
    const std::string key = "PanFu" + std::to_string(drive);
    services_.settings.write(key, key, letter);
    QPushButton* open = openButtons_[drive - 1];
    if (letter != " ") {
        open->setText(QString::fromUtf8("打开") + text +
                      fromGbk(":\\" + libraryFolderName() + "\\"));
        open->show();
        services_.showInSearchBar(drive, text);
    } else {
        open->hide();
    }
    createCategoryFolders(services_.files, letter);
    services_.sounds.request(kCueSelect);
}

// Button5Click, Button7Click, Button8Click and the fourth drive's Button16.
void BasicSetupPanel::openLibraryFolder(int drive) {
    const auto root = libraryRoot(toGbk(driveCombos_[drive - 1]->currentText()));
    if (const auto folder = services_.drives.snapshot()->resolve(root)) {
        services_.shell.openFolder(*folder);
    }
}

void BasicSetupPanel::ComboBox9Change(const QString& text) {
    services_.settings.write("ShuRuFa", "shurufa1", toGbk(text));
}

void BasicSetupPanel::Button10Click() {
    hide();
}

}  // namespace qh
