#include "app/undelivered_marks.h"

#include <map>

#include "app/file_rows_model.h"
#include "download/copy_progress.h"
#include "download/download_lists.h"
#include "text/gbk.h"

namespace qh {

namespace {

QString hintOf(FileFault fault) {
    return QString::fromUtf8("未复制：") + fromGbk(faultText(fault));
}

}  // namespace

UndeliveredMarks::UndeliveredMarks(DownloadLists& lists, FileRowsModel& shownRows,
                                   std::function<void()> tallyChanged)
    : lists_(lists), shownRows_(shownRows), tallyChanged_(std::move(tallyChanged)) {}

void UndeliveredMarks::mark(int list, const std::string& path, FileFault fault) {
    lists_.list(list).markUndelivered(path, fault);
    if (list == lists_.shownIndex()) {
        shownRows_.mark(path, hintOf(fault));
        tallyChanged_();
    }
}

void UndeliveredMarks::forget(int list) {
    if (lists_.list(list).undelivered().empty()) {
        return;
    }
    lists_.list(list).clearUndelivered();
    if (list == lists_.shownIndex()) {
        showMarksOfShownList();
        tallyChanged_();
    }
}

void UndeliveredMarks::showMarksOfShownList() {
    std::map<std::string, QString> marks;
    for (const auto& [path, fault] : lists_.shown().undelivered()) {
        marks.emplace(path, hintOf(fault));
    }
    shownRows_.setMarks(std::move(marks));
}

}  // namespace qh
