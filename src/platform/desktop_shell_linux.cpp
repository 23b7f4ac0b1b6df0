#include "platform/desktop_shell_linux.h"

#include <QProcess>
#include <QString>

namespace qh {

namespace {

QString hostPathText(const std::filesystem::path& path) {
    return QString::fromLocal8Bit(path.native().data(),
                                  static_cast<qsizetype>(path.native().size()));
}

bool openWithDefaultHandler(const QString& target) {
    return QProcess::startDetached(QStringLiteral("xdg-open"), {target});
}

}  // namespace

bool DesktopShell::openFolder(const std::filesystem::path& folder) {
    return openWithDefaultHandler(hostPathText(folder));
}

bool DesktopShell::openFile(const std::filesystem::path& file) {
    return openWithDefaultHandler(hostPathText(file));
}

bool DesktopShell::openAddress(const std::string& address) {
    return openWithDefaultHandler(QString::fromStdString(address));
}

bool DesktopShell::runBatchHidden(const std::filesystem::path& batchFile) {
    QProcess process;
    process.setProgram(QStringLiteral("/bin/sh"));
    process.setArguments({hostPathText(batchFile)});
    process.setWorkingDirectory(hostPathText(batchFile.parent_path()));
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

}  // namespace qh
