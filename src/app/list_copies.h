#pragma once
// The copy jobs of the five download lists: a worker and the copy widgets of each list, and the
// marks of the entries a list's last copy could not deliver. What a job changes outside its tab
// leaves as signals. Window's thread only.
#include <QObject>
#include <array>
#include <cstddef>
#include <memory>

#include "app/list_copy_worker.h"
#include "app/undelivered_marks.h"
#include "download/download_lists.h"

class QTabWidget;
class QWidget;

namespace qh {

class FileRowsModel;
class FileSystem;
class KeySounds;
class ListCopyWidgets;
class ListSizeMemo;

struct ListCopiesServices {
    FileSystem& files;
    DownloadLists& lists;
    ListSizeMemo& sizes;
    FileRowsModel& shownRows;
    KeySounds& keySounds;
    CopyCheck check;
};

class ListCopies : public QObject, private CopyJobWindow {
    Q_OBJECT
public:
    // Each list's widgets go on its page of `pages`, the bars on `window` over its status bar.
    ListCopies(ListCopiesServices services, QTabWidget* pages, QWidget* window);
    // Every list's job stops after the file it is copying; they finish those side by side.
    ~ListCopies() override;

    // The list is busy already (ListCopyControl) and its marks go with the new copy.
    void startSync(int list, std::size_t fromQueueIndex);
    void startBatch(int list);
    // A switch of lists: only the bar of the list on screen shows, its marks on its rows.
    void showList(int list);
    void showMarksOfShownList() { undelivered_.showMarksOfShownList(); }
    void applyLayout(int animationTop, int boxTop, int barsTop);

signals:
    void statusLineChanged(const QString& text);
    void freeSpaceRefreshWanted();
    void hotCountWanted(const std::string& path);
    void keywordHistoryTrimWanted();
    // The entries charged for on screen changed.
    void tallyChanged();

private:
    void setCopyStatusLine(const std::string& text) override;
    void armFreeSpaceRefresh() override;
    void armHotCount(const std::string& path) override;
    void trimKeywordHistory() override;
    void playCopySound() override;
    void playErrorSound() override;
    void markUndelivered(int list, const std::string& path, FileFault fault) override;
    CopyCheck copyCheck() const override { return services_.check; }
    int barMaximumOfList(int list) const override;

    ListCopiesServices services_;
    UndeliveredMarks undelivered_;
    std::array<ListCopyWidgets*, kListCount> widgets_{};
    // Last, so each job has stopped before the widgets it reports to go away.
    std::array<std::unique_ptr<ListCopyWorker>, kListCount> workers_;
};

}  // namespace qh
