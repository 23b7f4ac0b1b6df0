#pragma once
// The entries of each list that its last copy could not put on the customer's disk, as the shown
// list marks them: red, a cross on the icon, the reason as the hint. Window's thread only.
#include <functional>
#include <string>

#include "platform/file_system.h"

namespace qh {

class DownloadLists;
class FileRowsModel;

class UndeliveredMarks {
public:
    // `tallyChanged` is called when the entries charged for on screen change.
    UndeliveredMarks(DownloadLists& lists, FileRowsModel& shownRows,
                     std::function<void()> tallyChanged);

    // A job of `list` (0 for 清单1) could not deliver `path`.
    void mark(int list, const std::string& path, FileFault fault);
    // A new copy of the list starts: its marks go.
    void forget(int list);
    // The shown list's rows were made anew: they get their list's marks.
    void showMarksOfShownList();

private:
    DownloadLists& lists_;
    FileRowsModel& shownRows_;
    std::function<void()> tallyChanged_;
};

}  // namespace qh
