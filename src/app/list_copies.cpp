#include "app/list_copies.h"

#include <QCheckBox>
#include <QTabWidget>

#include "app/list_copy_widgets.h"
#include "download/copy_progress.h"
#include "download/list_size_memo.h"
#include "media/key_sounds.h"
#include "media/sound_cue.h"
#include "text/gbk.h"

namespace qh {

ListCopies::ListCopies(ListCopiesServices services, QTabWidget* pages, QWidget* window)
    : QObject(pages),
      services_(services),
      // Once for a run of marks: a list of thousands of files may fail at once.
      undelivered_(services.lists, services.shownRows, [this] { emit tallyChanged(); }) {
    for (int list = 0; list < kListCount; ++list) {
        widgets_[list] = new ListCopyWidgets(list, pages->widget(list), window, list == 0);
        auto& control = services_.lists.list(list).copyControl();
        connect(widgets_[list]->lyricsBox(), &QCheckBox::toggled, this,
                [&control](bool ticked) { control.setLyricsWanted(ticked); });
        workers_[list] = std::make_unique<ListCopyWorker>(
            ListCopyWorker::Parts{list, services_.files, services_.lists.list(list).targets(),
                                  control, *widgets_[list], *this});
    }
}

ListCopies::~ListCopies() {
    for (int list = 0; list < kListCount; ++list) {
        services_.lists.list(list).copyControl().requestStop();
    }
    for (auto& worker : workers_) {
        worker.reset();
    }
}

void ListCopies::startSync(int list, std::size_t fromQueueIndex) {
    undelivered_.forget(list);
    widgets_[list]->setBusyShown(true);
    workers_[list]->startSync(fromQueueIndex);
}

void ListCopies::startBatch(int list) {
    undelivered_.forget(list);
    widgets_[list]->setBusyShown(true);
    workers_[list]->startBatch();
}

void ListCopies::showList(int list) {
    for (int other = 0; other < kListCount; ++other) {
        widgets_[other]->setOnScreen(other == list);
    }
}

void ListCopies::applyLayout(int animationTop, int boxTop, int barsTop) {
    for (auto* widgets : widgets_) {
        widgets->applyLayout(animationTop, boxTop, barsTop);
    }
}

void ListCopies::setCopyStatusLine(const std::string& text) {
    emit statusLineChanged(fromGbk(text));
}

void ListCopies::armFreeSpaceRefresh() {
    emit freeSpaceRefreshWanted();
}

void ListCopies::armHotCount(const std::string& path) {
    emit hotCountWanted(path);
}

void ListCopies::trimKeywordHistory() {
    emit keywordHistoryTrimWanted();
}

void ListCopies::playCopySound() {
    services_.keySounds.request(kCueCopy);
}

void ListCopies::playErrorSound() {
    services_.keySounds.request(kCueError);
}

void ListCopies::markUndelivered(int list, const std::string& path, FileFault fault) {
    undelivered_.mark(list, path, fault);
}

int ListCopies::barMaximumOfList(int list) const {
    return barMaximumOf(services_.sizes.text(list));
}

}  // namespace qh
