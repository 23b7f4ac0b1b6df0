#include "app/target_choice.h"

#include <QComboBox>
#include <QPushButton>
#include <QTreeView>
#include <algorithm>

#include "app/drive_folder_model.h"
#include "media/key_sounds.h"
#include "media/sound_cue.h"
#include "platform/path_on_disk.h"
#include "platform/shared_drive_table.h"
#include "platform/shell.h"
#include "text/gbk.h"

namespace qh {

TargetChoice::TargetChoice(TargetChoiceServices services, std::array<QComboBox*, kListCount> boxes,
                           std::array<QPushButton*, kListCount> openButtons, QWidget* treeParent)
    : QObject(treeParent), services_(services), boxes_(boxes) {
    folderModel_ = new DriveFolderModel(services_.drives, services_.files, this);
    folderTree_ = new QTreeView(treeParent);
    folderTree_->setObjectName("ShellTreeView2");
    folderTree_->setGeometry(8, 16, 505, 441);
    folderTree_->setHeaderHidden(true);
    folderTree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    folderTree_->setModel(folderModel_);
    folderTree_->hide();
    connect(folderTree_, &QTreeView::expanded, folderModel_, &DriveFolderModel::loadChildren);
    connect(folderTree_, &QTreeView::clicked, this, &TargetChoice::ShellTreeView2Click);
    for (int list = 0; list < kListCount; ++list) {
        showTargetLines(list);
        connect(boxes_[list], &QComboBox::activated, this, &TargetChoice::targetLinePicked);
        connect(openButtons[list], &QPushButton::clicked, this,
                [this, list] { openTargetFolder(list); });
    }
}

void TargetChoice::showTargetLines(int list) {
    auto* box = boxes_.at(list);
    const int picked = std::max(0, box->currentIndex());
    box->clear();
    for (const auto& line : services_.lists.list(list).targets().dropDownLines()) {
        box->addItem(fromGbk(line));
    }
    box->setCurrentIndex(picked);
}

void TargetChoice::showFirstTargetLine(int list) {
    showTargetLines(list);
    boxes_.at(list)->setCurrentIndex(0);
}

void TargetChoice::hideTree() {
    folderTree_->hide();
}

void TargetChoice::targetLinePicked() {
    folderModel_->reload();
    folderTree_->expand(folderModel_->index(0, 0));
    folderTree_->show();
    folderTree_->raise();
    services_.keySounds.request(kCueSelect);
}

void TargetChoice::ShellTreeView2Click(const QModelIndex& folder) {
    const int list = services_.lists.shownIndex();
    const int kind = boxes_.at(list)->currentIndex();
    if (kind >= 0) {
        const auto choice = services_.lists.list(list).targets().chooseFolder(
            static_cast<TargetKind>(kind), folderModel_->pathOf(folder));
        if (choice.accepted) {
            showTargetLines(list);
        } else {
            services_.present(fromGbk(choice.message));
        }
    }
    folderTree_->hide();
    services_.keySounds.request(kCueSelect);
}

void TargetChoice::openTargetFolder(int list) {
    folderTree_->hide();
    const auto folder = folderToOpen(toGbk(boxes_.at(list)->currentText()));
    if (const auto host = resolveOnDisk(*services_.drives.snapshot(), folder)) {
        services_.shell.openFolder(*host);
    }
}

}  // namespace qh
