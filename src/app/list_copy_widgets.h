#pragma once
// What one download list shows of its copy jobs: on its tab the group box with the progress line,
// the elapsed counter and the done notice, the 歌词 box and the busy animation; at the foot of the
// window its progress bar; and the elapsed timer that drives both. Window's thread only.
#include <QObject>
#include <QTimer>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QWidget;

namespace qh {

class BusyAnimation;

class ListCopyWidgets : public QObject {
    Q_OBJECT
public:
    // `list` 0 for 清单1; the tab's own widgets go on `page`, the bar on `window` over its status
    // bar. Every bar starts hidden, also the one of the list on screen.
    ListCopyWidgets(int list, QWidget* page, QWidget* window, bool onScreen);

    QProgressBar* bar() const { return bar_; }
    QLabel* progressLine() const { return progressLine_; }
    QLabel* elapsedCounter() const { return elapsed_; }
    QLabel* doneNotice() const { return doneNotice_; }
    QLabel* undeliveredNotice() const { return undeliveredNotice_; }
    QCheckBox* lyricsBox() const { return lyricsBox_; }
    BusyAnimation* busyAnimation() const { return busy_; }
    QTimer& elapsedTimer() { return elapsedTimer_; }

    void setProgressLine(const std::string& text);  // GBK
    // Hiding it hides the undelivered notice too.
    void setDoneNoticeShown(bool shown);
    // In the done notice's place: which files did not arrive and why (GBK).
    void showUndeliveredNotice(const std::string& text);
    // Position 0, minimum 0, shown while the list is on screen.
    void resetBar();
    void setBarMaximum(int maximum);
    void fillBar();
    void hideBar();
    void resetElapsedCounter();
    void startElapsedTimer();
    void stopElapsedTimer();
    void setBusyShown(bool shown);
    bool busyShown() const;
    // A switch of lists: only the bar of the list on screen shows.
    void setOnScreen(bool onScreen);
    // The window's height moved the animation and the box on the page, and the bar.
    void applyLayout(int animationTop, int boxTop, int barTop);

private:
    // Timer8Timer .. Timer12Timer: the bar moves 3 units and the counter 1 second on.
    void elapsedTick();

    QGroupBox* groupBox_;
    QLabel* progressLine_;
    QLabel* elapsed_;
    QLabel* doneNotice_;
    QLabel* undeliveredNotice_;
    QCheckBox* lyricsBox_;
    BusyAnimation* busy_;
    QProgressBar* bar_;
    QTimer elapsedTimer_;
    bool onScreen_ = false;
};

}  // namespace qh
