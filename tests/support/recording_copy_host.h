#pragma once
// A copy job's host for tests: what the list's tab shows, recorded.
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "download/copy_job.h"
#include "download/copy_progress.h"
#include "text/gbk.h"

namespace qh::testing {

// GBK as UTF-8, so a failure reads plainly.
inline std::string utf8(std::string_view gbkText) {
    return fromGbk(gbkText).toStdString();
}

// What the list's tab and the status line show, as the window would after the job's calls, with
// texts in UTF-8 so a failure reads plainly. Jobs on several threads may share it.
class RecordingCopyHost final : public CopyJobHost {
public:
    struct Tab {
        std::string line;
        std::string status = "before";
        bool noticeShown = true;
        bool barShown = false;
        int barMaximum = 100;
        int barPosition = 50;
        std::string elapsed = "7";
        bool timerOn = false;
        std::vector<std::string> lines;  // every progress line set, in order
        int freeSpaceRefreshes = 0;
        int hotCounts = 0;
        std::vector<std::string> hotCounted;
        int historyTrims = 0;
        int sounds = 0;
        int errorSounds = 0;
        int ends = 0;
        std::string undeliveredNotice;                 // shown when not empty
        std::map<std::string, FileFault> undelivered;  // by the entry's UTF-8 path
        int doneNotices = 0;                           // times the done notice appeared
        std::vector<std::string> undeliveredNotices;   // every one shown
        int marks = 0;                                 // repeats included
    };

    // Runs after each progress line is set, before that file is copied.
    std::function<void(const std::string& line)> whileCopying;
    // Runs as the progress line is emptied, before the job's copies are flushed.
    std::function<void()> whenLineEmptied;
    // Runs as the done notice appears.
    std::function<void()> whenNoticeShown;

    Tab tab() const {
        std::lock_guard lock(mutex_);
        return tab_;
    }

    void setProgressLine(const std::string& text) override {
        const std::string line = utf8(text);
        change([&](Tab& tab) {
            tab.line = line;
            tab.lines.push_back(line);
        });
        if (whileCopying && !line.empty()) {
            whileCopying(line);
        }
        if (whenLineEmptied && line.empty()) {
            whenLineEmptied();
        }
    }
    void setStatusLine(const std::string& text) override {
        change([&](Tab& tab) { tab.status = utf8(text); });
    }
    void setDoneNoticeShown(bool shown) override {
        change([&](Tab& tab) {
            tab.noticeShown = shown;
            tab.doneNotices += shown ? 1 : 0;
            tab.undeliveredNotice.clear();
        });
        if (shown && whenNoticeShown) {
            whenNoticeShown();
        }
    }
    void showUndeliveredNotice(const std::string& text) override {
        change([&](Tab& tab) {
            tab.noticeShown = false;
            tab.undeliveredNotice = utf8(text);
            tab.undeliveredNotices.push_back(tab.undeliveredNotice);
        });
    }
    void markUndelivered(const std::string& path, FileFault fault) override {
        change([&](Tab& tab) {
            tab.undelivered.emplace(utf8(path), fault);
            ++tab.marks;
        });
    }
    void resetBar() override {
        change([](Tab& tab) {
            tab.barPosition = 0;
            tab.barShown = true;
        });
    }
    // The list size memo the window holds for the job's list.
    std::string listSize = "12.05";
    void setBarMaximumToListSize() override {
        const int maximum = barMaximumOf(listSize);
        change([&](Tab& tab) { tab.barMaximum = maximum; });
    }
    void fillBar() override {
        change([](Tab& tab) { tab.barPosition = tab.barMaximum; });
    }
    void hideBar() override {
        change([](Tab& tab) { tab.barShown = false; });
    }
    void resetElapsedCounter() override {
        change([](Tab& tab) { tab.elapsed = "0"; });
    }
    void startElapsedTimer() override {
        change([](Tab& tab) { tab.timerOn = true; });
    }
    void stopElapsedTimer() override {
        change([](Tab& tab) { tab.timerOn = false; });
    }
    void armFreeSpaceRefresh() override {
        change([](Tab& tab) { ++tab.freeSpaceRefreshes; });
    }
    void armHotCount(const std::string& path) override {
        change([&path](Tab& tab) {
            ++tab.hotCounts;
            tab.hotCounted.push_back(path);
        });
    }
    void trimKeywordHistory() override {
        change([](Tab& tab) { ++tab.historyTrims; });
    }
    void playCopySound() override {
        change([](Tab& tab) { ++tab.sounds; });
    }
    void playErrorSound() override {
        change([](Tab& tab) { ++tab.errorSounds; });
    }
    void jobEnded() override {
        change([](Tab& tab) { ++tab.ends; });
    }

private:
    template <typename Change>
    void change(Change&& apply) {
        std::lock_guard lock(mutex_);
        apply(tab_);
    }

    mutable std::mutex mutex_;
    Tab tab_;
};

}  // namespace qh::testing
