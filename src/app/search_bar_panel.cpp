#include "app/search_bar_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <utility>

#include "app/caption_gap.h"
#include "app/category_tab_strip.h"
#include "app/drive_combo.h"
#include "app/keyword_line_edit.h"
#include "library/library_layout.h"
#include "library/search_keyword.h"
#include "library/search_plan.h"
#include "media/key_sounds.h"
#include "media/sound_cue.h"
#include "platform/input_methods.h"
#include "platform/shell.h"
#include "settings/settings_store.h"
#include "text/gbk.h"
#include "windows/maker_texts.h"

namespace qh {

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const char* text, const char* hint,
                        QRect place) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(QString::fromUtf8(hint));
    button->setGeometry(place);
    return button;
}

QCheckBox* makeCheckBox(QWidget* parent, const char* name, const char* text, const char* hint,
                        QRect place) {
    auto* box = new QCheckBox(QString::fromUtf8(text), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(QString::fromUtf8(hint));
    box->setGeometry(place);
    return box;
}

}  // namespace

SearchBarPanel::SearchBarPanel(SearchBarServices services, QWidget* parent)
    : QGroupBox(parent), services_(services), search_(services.folderReader) {
    setObjectName("GroupBox7");
    setGeometry(0, 48, 521, 89);

    // Timer13 runs from the window's creation, as the form has it.
    timer13_.setParent(this);
    timer13_.setObjectName("Timer13");
    timer13_.setInterval(1000);
    connect(&timer13_, &QTimer::timeout, this, &SearchBarPanel::Timer13Timer);
    timer13_.start();

    // The hidden default button lies behind the keyword box, as Enter's target.
    defaultButton_ = makeButton(this, "Button1", "", "", {8, 16, 10, 10});
    defaultButton_->hide();

    keywordBox_ = new QComboBox(this);
    keywordBox_->setObjectName("ComboBox1");
    keywordEditor_ = new KeywordLineEdit(keywordBox_);
    keywordBox_->setEditable(true);
    keywordBox_->setLineEdit(keywordEditor_);
    keywordBox_->setInsertPolicy(QComboBox::NoInsert);
    keywordBox_->setGeometry(8, 16, 200, 26);
    keywordBox_->setEditText(QString::fromUtf8("这里输入查找关键字"));
    connect(keywordEditor_, &KeywordLineEdit::focusEntered, this,
            &SearchBarPanel::keywordBoxFocused);
    connect(keywordEditor_, &KeywordLineEdit::focusLeft, this, &SearchBarPanel::keywordBoxLeft);

    searchButton_ = makeButton(this, "SpeedButton22", " 查找【Enter】", "回车为本地查找快捷键",
                               {212, 15, 100, 28});
    webSearchButton_ = makeButton(this, "SpeedButton13", "网上搜索", "网上查找", {314, 15, 66, 28});

    statusLabel_ = new QLabel(QString::fromUtf8("就绪!"), this);
    statusLabel_->setObjectName("Label63");
    statusLabel_->setGeometry(8, 56, 190, 22);
    numberMode_ =
        makeCheckBox(this, "CheckBox1", "编号查找", "勾选为编号查找功能", {200, 56, 86, 22});
    copyAtOnce_ =
        makeCheckBox(this, "CheckBox2", "同步下载",
                     "勾选后输入编号后回车文件就直接下载到U盘相应目录", {288, 56, 86, 22});
    copyAtOnce_->setChecked(true);

    auto* secondsCaption = new QLabel(captionWithGaps("用时     秒"), this);
    secondsCaption->setObjectName("Label65");
    secondsCaption->setGeometry(384, 56, 66, 22);
    secondsLabel_ = new QLabel(QStringLiteral("0"), secondsCaption);
    secondsLabel_->setObjectName("Label64");
    secondsLabel_->setGeometry(gapOf(secondsCaption, 2, 5).translated(-secondsCaption->pos()));
    secondsLabel_->setAlignment(Qt::AlignCenter);

    // The corner beside the seconds holds the vendor's button, its caption on two lines.
    resourcePageButton_ = makeButton(this, "SpeedButton51", "", "", {452, 46, 62, 38});
    auto* resourceCaption = new QLabel(QString::fromUtf8("青禾点唱 资源网"), resourcePageButton_);
    resourceCaption->setObjectName("SpeedButton51Caption");
    resourceCaption->setWordWrap(true);
    resourceCaption->setAlignment(Qt::AlignCenter);
    resourceCaption->setStyleSheet("font-size: 12px;");
    resourceCaption->setGeometry(resourcePageButton_->rect().adjusted(2, 2, -2, -2));
    resourceCaption->setAttribute(Qt::WA_TransparentForMouseEvents);
    resourcePageButton_->setAccessibleName(resourceCaption->text());

    const char* names[] = {"ComboBox3", "ComboBox4", "ComboBox5", "ComboBox20"};
    const int lefts[] = {384, 416, 448, 480};
    for (int i = 0; i < 4; ++i) {
        auto* combo = makeDriveCombo(this, QString::fromLatin1(names[i]));
        combo->setGeometry(lefts[i], 16, 33, 24);
        combo->setStyleSheet(
            "QComboBox { padding-left: 2px; } QComboBox::drop-down { width: 11px; }");
        if (i < 3) {
            combo->setToolTip(QString::fromUtf8("资源盘符"));
        }
        connect(combo, &QComboBox::editTextChanged, this,
                [this, i](const QString& text) { driveChanged(i + 1, text); });
        driveCombos_[i] = combo;
    }

    connect(searchButton_, &QPushButton::clicked, this, &SearchBarPanel::SpeedButton22Click);
    connect(defaultButton_, &QPushButton::clicked, this, &SearchBarPanel::SpeedButton22Click);
    connect(webSearchButton_, &QPushButton::clicked, this,
            [this] { emit webSearchWanted(keywordBox_->currentText()); });
    connect(resourcePageButton_, &QPushButton::clicked, this, [this] {
        services_.shell.openAddress(
            resourcePageAddress(services_.settings).toString().toStdString());
    });
    connect(numberMode_, &QCheckBox::clicked, this, &SearchBarPanel::CheckBox1Click);
    connect(copyAtOnce_, &QCheckBox::clicked, this, &SearchBarPanel::CheckBox2Click);
    // Whoever sets the box, the clerk, the program or assistive technology, the lists follow it.
    connect(copyAtOnce_, &QCheckBox::toggled, this, &SearchBarPanel::copyAtOnceChanged);
    connect(keywordEditor_, &KeywordLineEdit::doubleClicked, keywordEditor_, &QLineEdit::selectAll);
    // Enter anywhere in the window presses the hidden default button.
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), this);
        enter->setContext(Qt::WindowShortcut);
        connect(enter, &QShortcut::activated, this, &SearchBarPanel::pressEnterTarget);
    }
    connect(&search_, &SearchThread::pathsFound, this, &SearchBarPanel::pathsFound);
    connect(&search_, &SearchThread::searchEnded, this, &SearchBarPanel::walkEnded);
}

std::array<std::string, 4> SearchBarPanel::driveTexts() const {
    std::array<std::string, 4> texts;
    for (int i = 0; i < 4; ++i) {
        texts[i] = toGbk(driveCombos_[i]->currentText());
    }
    return texts;
}

void SearchBarPanel::showLibraryDrive(int drive, const QString& letter) {
    setComboTextQuietly(driveCombos_.at(drive - 1), letter);
}

void SearchBarPanel::setSearchButtonsEnabled(bool enabled) {
    searchButton_->setEnabled(enabled);
    defaultButton_->setEnabled(enabled);
}

void SearchBarPanel::pressEnterTarget() {
    if (defaultButton_->isEnabled()) {
        defaultButton_->click();
    }
}

void SearchBarPanel::startWarmUpSearch() {
    services_.state.searchKeyword = gbk("绿野青禾");
    services_.state.searchMask = std::string(kAllFilesMask);
    statusLabel_->setText(QString::fromUtf8("正在整理缓存 ... 请稍等 ！"));
    secondsLabel_->setText(QStringLiteral("0"));
    timer13_.start();
    emit resultsEmptied();
    startSearchWorker();
}

void SearchBarPanel::searchFor(const QString& text) {
    keywordBox_->setEditText(text);
    SpeedButton22Click();
}

void SearchBarPanel::startView(std::vector<std::string> folders) {
    if (walk_ == Walk::Search) {
        showSearchStopped();
    }
    walk_ = Walk::View;
    search_.start(libraryViewRequest(std::move(folders)));
}

void SearchBarPanel::stopWalk() {
    if (walk_ == Walk::Search) {
        showSearchStopped();
    }
    walk_ = Walk::None;
    search_.stop();
}

void SearchBarPanel::SpeedButton22Click() {
    emit searchPressed();
    emit resultsEmptied();
    statusLabel_->setText(QString::fromUtf8("正 在 搜 索 ..."));
    secondsLabel_->setText(QStringLiteral("0"));
    timer13_.start();
    setSearchButtonsEnabled(false);

    const std::string typed = toGbk(keywordBox_->currentText());
    const auto choice = chooseSearchKeyword(typed);
    if (choice.kind == TypedTextKind::Refused) {
        // Like any new search, a refused one stops the walk still running (the warm-up, say),
        // whose rows would otherwise fill the list it has just emptied.
        search_.stop();
        walk_ = Walk::None;
        services_.present(QString::fromUtf8("对不起,此字符被禁搜"));
        setSearchButtonsEnabled(true);
        return;
    }
    auto& state = services_.state;
    state.searchKeyword = choice.searchKeyword;
    state.searchMask = searchMaskAtStart(services_.tabs.currentIndex(), state.searchMask);
    emit searchStarted();
    keywordEditor_->selectAll();
    if (!numberMode_->isChecked()) {
        keywordHistory_.push_back(typed);
        keywordBox_->addItem(fromGbk(typed));
        keywordHistoryCount_ = static_cast<int>(keywordHistory_.size());
    }
    startSearchWorker();
}

void SearchBarPanel::startSearchWorker() {
    walk_ = Walk::Search;
    search_.start({services_.tabs.currentIndex(), driveTexts(), services_.state.searchKeyword,
                   services_.state.searchMask, toGbk(keywordBox_->currentText())});
}

void SearchBarPanel::walkEnded() {
    const Walk ended = std::exchange(walk_, Walk::None);
    if (ended == Walk::View) {
        emit viewEnded();
        return;
    }
    emit searchEnded(numberMode_->isChecked());
    showSearchStopped();
}

void SearchBarPanel::showSearchStopped() {
    statusLabel_->setText(QString::fromUtf8("就绪！"));
    timer13_.stop();
    setSearchButtonsEnabled(true);
}

void SearchBarPanel::Timer13Timer() {
    secondsLabel_->setText(QString::number(secondsLabel_->text().toInt() + 1));
}

void SearchBarPanel::trimKeywordHistory() {
    if (keywordHistory_.empty() ||
        keywordHistory_.size() != static_cast<std::size_t>(keywordHistoryCount_)) {
        return;
    }
    keywordHistory_.pop_back();
    // Removing the entry the box shows makes Qt's box show another one (or none); the clerk's
    // text stays, so the next Enter searches what the clerk typed.
    const QString typed = keywordBox_->currentText();
    keywordBox_->removeItem(keywordBox_->count() - 1);
    keywordBox_->setEditText(typed);
}

void SearchBarPanel::focusKeywordBox() {
    keywordEditor_->setFocus();
    // What the clerk types next replaces the box's text, the start-up prompt included.
    keywordEditor_->selectAll();
}

void SearchBarPanel::setPreferredInputMethod(const std::string& name) {
    preferredInputMethod_ = name;
    if (!numberMode_->isChecked()) {
        keywordEditor_->setInputMethodAllowed(true);
        if (keywordEditor_->hasFocus()) {
            keywordBoxFocused();
        }
    }
}

void SearchBarPanel::keywordBoxFocused() {
    if (numberMode_->isChecked()) {
        services_.inputMethods.activateDefault();
    } else if (!preferredInputMethod_.empty()) {
        // The input-method framework switches the field it last heard has the focus, so it
        // hears of the focus first.
        QTimer::singleShot(0, this, [this] {
            if (keywordEditor_->hasFocus() && !numberMode_->isChecked()) {
                services_.inputMethods.activate(preferredInputMethod_);
            }
        });
    }
}

void SearchBarPanel::keywordBoxLeft() {
    if (!numberMode_->isChecked() && !preferredInputMethod_.empty()) {
        services_.inputMethods.activateDefault();
    }
}

void SearchBarPanel::showCopyAtOnce(bool ticked) {
    copyAtOnce_->setChecked(ticked);
}

void SearchBarPanel::CheckBox1Click() {
    if (numberMode_->isChecked()) {
        keywordEditor_->setInputMethodAllowed(false);
        keywordBox_->setEditText(QString::fromUtf8("这里输入查找编号"));
    } else {
        keywordEditor_->setInputMethodAllowed(true);
        keywordBox_->setEditText(QString::fromUtf8("这里输入查找关键字"));
    }
    keywordEditor_->setFocus();
    // The box may have had the focus already: its input method follows the mode now.
    keywordBoxFocused();
    services_.keySounds.request(kCueSelect);
}

void SearchBarPanel::CheckBox2Click() {
    keywordEditor_->setFocus();
    services_.keySounds.request(kCueSelect);
}

void SearchBarPanel::driveChanged(int drive, const QString& text) {
    const std::string key = "PanFu" + std::to_string(drive);
    const auto letter = toGbk(text);
    services_.settings.write(key, key, letter);
    createCategoryFolders(services_.files, letter);
    services_.keySounds.request(kCueSelect);
    keywordEditor_->setFocus();
}

}  // namespace qh
