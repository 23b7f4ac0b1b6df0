#include "app/local_copy_worker.h"

#include <QMetaObject>

namespace qh {

namespace {

class CountingHost final : public LocalCopyHost {
public:
    void copied(std::size_t, const CopyResult& result) override {
        ++(result.kind() == CopyResult::Kind::Failed ? failed : done);
    }
    void ended() override {}
    int done = 0;
    int failed = 0;
};

}  // namespace

LocalCopyWorker::LocalCopyWorker(FileSystem& files, QObject* parent)
    : QObject(parent), files_(files) {}

LocalCopyWorker::~LocalCopyWorker() {
    thread_.request_stop();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void LocalCopyWorker::start(std::vector<LocalCopy> copies) {
    if (busy_) {
        return;
    }
    busy_ = true;
    if (thread_.joinable()) {
        thread_.join();  // the copy before has ended: its thread is done
    }
    thread_ =
        std::jthread([this, job = LocalCopyJob(files_, std::move(copies))](std::stop_token stop) {
            CountingHost host;
            job.run(host, stop);
            if (stop.stop_requested()) {
                return;  // the window is going: nobody to tell
            }
            QMetaObject::invokeMethod(
                this,
                [this, done = host.done, failed = host.failed] {
                    busy_ = false;
                    emit ended(done, failed);
                },
                Qt::QueuedConnection);
        });
}

}  // namespace qh
