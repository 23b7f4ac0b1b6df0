#include "app/basic_setup_panel.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "app/basic_setup_texts.h"
#include "app/drive_combo.h"
#include "library/category_table.h"
#include "library/library_layout.h"
#include "media/key_sounds.h"
#include "media/sound_cue.h"
#include "platform/host_path_text.h"
#include "platform/path_on_disk.h"
#include "platform/shared_drive_table.h"
#include "platform/shell.h"
#include "settings/drive_setup.h"
#include "settings/save_failures.h"
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

// The letter a drive box names, upper-cased; 0 for a blank, a typed word or a letter the
// drop-downs do not offer.
char letterOf(const QString& text) {
    const QString letter = text.trimmed().toUpper();
    if (letter.size() != 1 || letter[0] < QLatin1Char('D') || letter[0] > QLatin1Char('Z')) {
        return 0;
    }
    return static_cast<char>(letter[0].unicode());
}

}  // namespace

std::optional<std::filesystem::path> chooseDriveFolderInDialog(QWidget* parent, char letter) {
    const QString folder = QFileDialog::getExistingDirectory(
        parent, QString::fromUtf8(setup_texts::kChooseFolderCaption).arg(QChar(letter)),
        QDir::homePath(), QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return hostPathOf(folder);
}

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

        auto* chooser = new QPushButton(QString::fromUtf8(kChooseFolderButton), this);
        chooser->setObjectName(QStringLiteral("DriveFolderButton%1").arg(i + 1));
        chooser->setGeometry(left + 60, 178, 80, 26);
        connect(chooser, &QPushButton::clicked, this, [this, i] { chooseFolder(i + 1); });
        folderButtons_[i] = chooser;

        auto* open = new QPushButton(QString::fromUtf8(kOpenButtonBlank), this);
        open->setObjectName(QString::fromLatin1(buttonNames[i]));
        open->setGeometry(left, 206, 140, 24);
        open->hide();
        // The fourth button opens drive 4's library like its three twins: a shop that sets four
        // drives expects all four to open.
        connect(open, &QPushButton::clicked, this, [this, i] { openLibraryFolder(i + 1); });
        openButtons_[i] = open;

        auto* folder = new QLabel(this);
        folder->setObjectName(QStringLiteral("DriveFolderLabel%1").arg(i + 1));
        folder->setGeometry(left, 232, 140, 16);
        folder->setStyleSheet("font-size: 11px;");
        folderLabels_[i] = folder;
        showDriveFolder(i + 1);
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

void BasicSetupPanel::showEvent(QShowEvent* event) {
    // Sticks come and go while the panel is hidden.
    for (int drive = 1; drive <= 4; ++drive) {
        showDriveFolder(drive);
    }
    QGroupBox::showEvent(event);
}

// ComboBox6Change, ComboBox7Change, ComboBox8Change, ComboBox19Change.
void BasicSetupPanel::driveChanged(int drive, const QString& text) {
    const std::string letter = toGbk(text);
    const std::string key = "PanFu" + std::to_string(drive);
    services_.settings.write(key, key, letter);
    if (letter != " ") {
        openButtons_[drive - 1]->setText(QString::fromUtf8("打开") + text +
                                         fromGbk(":\\" + libraryFolderName() + "\\"));
        services_.showInSearchBar(drive, text);
    }
    createCategoryFolders(services_.files, letter);
    showDriveFolder(drive);
    services_.sounds.request(kCueSelect);
}

void BasicSetupPanel::showDriveFolder(int drive) {
    const QString text = driveCombos_[drive - 1]->currentText();
    const char letter = letterOf(text);
    const auto table = services_.drives.snapshot();
    const Drive* entry = letter != 0 ? table->find(letter) : nullptr;
    QLabel* label = folderLabels_[drive - 1];
    if (entry != nullptr) {
        const QString folder = hostPathText(entry->hostRoot);
        label->setText(label->fontMetrics().elidedText(folder, Qt::ElideMiddle, label->width()));
        label->setToolTip(folder);
    } else {
        label->setText(letter != 0 ? QString::fromUtf8(setup_texts::kNoFolderForLetter)
                                   : QString());
        label->setToolTip({});
    }
    // A letter that stands for no folder has no library to open: the clerk chooses one first.
    openButtons_[drive - 1]->setVisible(entry != nullptr && text != QLatin1String(" "));
    folderButtons_[drive - 1]->setEnabled(letter != 0);
}

void BasicSetupPanel::chooseFolder(int drive) {
    const char letter = letterOf(driveCombos_[drive - 1]->currentText());
    if (letter == 0 || !services_.chooseFolder) {
        return;
    }
    const auto folder = services_.chooseFolder(this, letter);
    if (!folder) {
        return;
    }
    const bool saved = saveDriveMapEntry(services_.dataDir, letter, *folder);
    services_.saveFailures.record(saved, services_.dataDir / kDriveMapFileName);
    // The letter serves this run even when the map could not keep it; the clerk has been told.
    DriveTable table = *services_.drives.snapshot();
    table.set({letter, *folder, DriveType::Fixed});
    services_.drives.replace(std::move(table));
    createCategoryFolders(services_.files, std::string(1, letter));
    for (int each = 1; each <= 4; ++each) {
        showDriveFolder(each);
    }
    services_.sounds.request(kCueSelect);
}

// Button5Click, Button7Click, Button8Click and the fourth drive's Button16.
void BasicSetupPanel::openLibraryFolder(int drive) {
    const auto root = libraryRoot(toGbk(driveCombos_[drive - 1]->currentText()));
    if (const auto folder = resolveOnDisk(*services_.drives.snapshot(), root)) {
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
