// The start-up benchmark's reference: a bare Qt window, usable once it is shown and its event
// loop has turned.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1005, 687);
    window.show();
    QTimer::singleShot(0, [] {
        std::printf("bare: usable\n");
        std::fflush(stdout);
    });
    return app.exec();
}
