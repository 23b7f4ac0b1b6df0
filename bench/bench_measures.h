#pragma once
// What several benchmarks measure the same way: a process's resident memory and the longest
// pause of the window's event loop.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <string>

namespace qh::bench {

// The resident memory of a process ("self" for this one) in MB.
inline double residentMegabytes(const std::string& process = "self") {
    std::ifstream status("/proc/" + process + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return 0;
}

// Measures the longest pause between turns of the event loop while it runs. A 1 ms tick, not a
// zero timer: a zero timer keeps the loop spinning and takes a core from the work measured, which
// the window's own loop, asleep between events, never does. A pause reads at most 1 ms long.
class LoopWatch : public QObject {
public:
    LoopWatch() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        connect(&timer_, &QTimer::timeout, this,
                [this] { longest_ = std::max(longest_, clock_.restart()); });
    }
    void start() {
        longest_ = 0;
        clock_.start();
        timer_.start();
    }
    qint64 stop() {
        timer_.stop();
        return longest_;
    }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;
};

}  // namespace qh::bench
