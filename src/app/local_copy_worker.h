#pragma once
// 复制到本地磁盘 on a thread of its own, so the window goes on painting while a film of a few
// gigabytes is copied; what happened reaches the window's thread when the last file is done.
#include <QObject>
#include <memory>
#include <thread>
#include <vector>

#include "drives/file_management.h"

namespace qh {

class LocalCopyWorker final : public QObject {
    Q_OBJECT
public:
    explicit LocalCopyWorker(FileSystem& files, QObject* parent = nullptr);
    // Stops after the file being copied and waits for it.
    ~LocalCopyWorker() override;

    bool busy() const { return busy_; }
    // Ignored while a copy runs.
    void start(std::vector<LocalCopy> copies);

signals:
    void ended(int copied, int failed);

private:
    FileSystem& files_;
    std::jthread thread_;
    bool busy_ = false;  // the window's thread only
};

}  // namespace qh
