#include "app/list_copy_worker.h"

#include <QMetaObject>

#include "app/list_copy_widgets.h"
#include "download/list_copy_control.h"
#include "download/marked_file.h"

namespace qh {

ListCopyWorker::ListCopyWorker(Parts parts) : parts_(parts) {}

ListCopyWorker::~ListCopyWorker() {
    parts_.control.requestStop();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void ListCopyWorker::startBatch() {
    start([](CopyJob& job) { job.runBatch(); });
}

void ListCopyWorker::startSync(std::size_t fromQueueIndex) {
    start([fromQueueIndex](CopyJob& job) { job.runSync(fromQueueIndex); });
}

template <typename Run>
void ListCopyWorker::start(Run run) {
    // The list was idle, so an earlier job has made its last look at the queue and is at most
    // returning; waiting for it costs nothing.
    if (thread_.joinable()) {
        thread_.join();
    }
    CopyJobInputs inputs{.list = parts_.list,
                         .files = parts_.files,
                         .targets = parts_.targets,
                         .control = parts_.control,
                         .stagingFolder = stagingFolderOf(parts_.list),
                         .check = parts_.window.copyCheck()};
    thread_ = std::thread([this, inputs = std::move(inputs), run]() mutable {
        CopyJob job(std::move(inputs), *this);
        run(job);
    });
}

// Every report goes to the list's widgets object, so reports arrive in the order they were made,
// and none arrives once the widgets are gone.
template <typename Change>
void ListCopyWorker::post(Change change) {
    QMetaObject::invokeMethod(&parts_.widgets, std::move(change), Qt::QueuedConnection);
}

void ListCopyWorker::setProgressLine(const std::string& text) {
    post([&widgets = parts_.widgets, text] { widgets.setProgressLine(text); });
}

void ListCopyWorker::setStatusLine(const std::string& text) {
    post([&window = parts_.window, text] { window.setCopyStatusLine(text); });
}

void ListCopyWorker::setDoneNoticeShown(bool shown) {
    post([&widgets = parts_.widgets, shown] { widgets.setDoneNoticeShown(shown); });
}

void ListCopyWorker::showUndeliveredNotice(const std::string& text) {
    post([&widgets = parts_.widgets, text] { widgets.showUndeliveredNotice(text); });
}

void ListCopyWorker::markUndelivered(const std::string& path, FileFault fault) {
    post([&window = parts_.window, list = parts_.list, path, fault] {
        window.markUndelivered(list, path, fault);
    });
}

void ListCopyWorker::resetBar() {
    post([&widgets = parts_.widgets] { widgets.resetBar(); });
}

void ListCopyWorker::setBarMaximumToListSize() {
    post([&widgets = parts_.widgets, &window = parts_.window, list = parts_.list] {
        widgets.setBarMaximum(window.barMaximumOfList(list));
    });
}

void ListCopyWorker::fillBar() {
    post([&widgets = parts_.widgets] { widgets.fillBar(); });
}

void ListCopyWorker::hideBar() {
    post([&widgets = parts_.widgets] { widgets.hideBar(); });
}

void ListCopyWorker::resetElapsedCounter() {
    post([&widgets = parts_.widgets] { widgets.resetElapsedCounter(); });
}

void ListCopyWorker::startElapsedTimer() {
    post([&widgets = parts_.widgets] { widgets.startElapsedTimer(); });
}

void ListCopyWorker::stopElapsedTimer() {
    post([&widgets = parts_.widgets] { widgets.stopElapsedTimer(); });
}

void ListCopyWorker::armFreeSpaceRefresh() {
    post([&window = parts_.window] { window.armFreeSpaceRefresh(); });
}

void ListCopyWorker::armHotCount(const std::string& path) {
    post([&window = parts_.window, path] { window.armHotCount(path); });
}

void ListCopyWorker::trimKeywordHistory() {
    post([&window = parts_.window] { window.trimKeywordHistory(); });
}

void ListCopyWorker::playCopySound() {
    post([&window = parts_.window] { window.playCopySound(); });
}

void ListCopyWorker::playErrorSound() {
    post([&window = parts_.window] { window.playErrorSound(); });
}

void ListCopyWorker::jobEnded() {
    // A sync add may have started the list's next job before this arrives; its animation stays.
    post([&widgets = parts_.widgets, &control = parts_.control] {
        if (!control.busy()) {
            widgets.setBusyShown(false);
        }
    });
}

}  // namespace qh
