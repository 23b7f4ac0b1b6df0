#pragma once
// The thread shell around one list's copy jobs. Each job runs on a thread of its own; everything
// the job reports is posted to the window's thread in the order the job made it, where the list's
// widgets and the window take it. The window never waits for a copy, except at shut-down.
#include <cstddef>
#include <string>
#include <thread>

#include "download/copy_job.h"
#include "platform/file_system.h"

namespace qh {

class FileSystem;
class ListCopyControl;
class ListCopyWidgets;
class TargetFolderSet;

// What a copy job changes outside its list's tab; called on the window's thread.
class CopyJobWindow {
public:
    virtual ~CopyJobWindow() = default;
    virtual void setCopyStatusLine(const std::string& text) = 0;  // GBK
    virtual void armFreeSpaceRefresh() = 0;
    virtual void armHotCount(const std::string& path) = 0;
    virtual void trimKeywordHistory() = 0;
    virtual void playCopySound() = 0;
    virtual void playErrorSound() = 0;
    // The entry `path` of list `list` (0 for 清单1) did not arrive, for `fault`.
    virtual void markUndelivered(int list, const std::string& path, FileFault fault) = 0;
    // How much of each copy a job starting now reads back from the customer's disk.
    virtual CopyCheck copyCheck() const = 0;
    // The bar maximum from the list size memo of `list` (0 for 清单1).
    virtual int barMaximumOfList(int list) const = 0;
};

class ListCopyWorker final : private CopyJobHost {
public:
    struct Parts {
        int list = 0;  // 0 for 清单1
        FileSystem& files;
        TargetFolderSet& targets;
        ListCopyControl& control;
        ListCopyWidgets& widgets;
        CopyJobWindow& window;
    };
    explicit ListCopyWorker(Parts parts);
    // Stops the running job after its current file and waits for it.
    ~ListCopyWorker() override;

    // The caller has made the list busy (ListCopyControl::startBatch, syncAdd or claimSync) and
    // shown its busy animation.
    void startBatch();
    void startSync(std::size_t fromQueueIndex);

private:
    template <typename Run>
    void start(Run run);
    template <typename Change>
    void post(Change change);

    void setProgressLine(const std::string& text) override;
    void setStatusLine(const std::string& text) override;
    void setDoneNoticeShown(bool shown) override;
    void showUndeliveredNotice(const std::string& text) override;
    void markUndelivered(const std::string& path, FileFault fault) override;
    void resetBar() override;
    void setBarMaximumToListSize() override;
    void fillBar() override;
    void hideBar() override;
    void resetElapsedCounter() override;
    void startElapsedTimer() override;
    void stopElapsedTimer() override;
    void armFreeSpaceRefresh() override;
    void armHotCount(const std::string& path) override;
    void trimKeywordHistory() override;
    void playCopySound() override;
    void playErrorSound() override;
    void jobEnded() override;

    Parts parts_;
    std::thread thread_;
};

}  // namespace qh
