#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <cstdio>

#include "app/command_line.h"
#include "platform/linux_file_system.h"
#include "platform/mount_table.h"
#include "settings/app_paths.h"
#include "settings/drive_setup.h"
#include "text/atomic_file.h"
#include "text/gbk.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const auto line = qh::parseCommandLine({argv + 1, argv + argc});
    for (const auto& error : line.errors) {
        std::fprintf(stderr, "qinghe: %s\n", error.c_str());
    }
    const auto paths = qh::appPathsFor(
        line.appDir.value_or(std::filesystem::path(QCoreApplication::applicationDirPath().toStdString())));
    const auto mountInfo = qh::readWholeFile("/proc/self/mountinfo").value_or("");
    qh::SharedDriveTable drives(qh::assembleDriveTable(
        qh::loadDriveMap(paths.dataDir), line.drives, qh::removableMounts(mountInfo)));

    QMainWindow window;
    window.setWindowTitle(qh::fromGbk(qh::gbk("青禾点唱 手机下载系统2010.9.01")));
    window.resize(1013, 711);
    window.show();
    return app.exec();
}
