#include "platform/desktop_shell_linux.h"

#include <QProcess>
#include <QString>

#include "platform/host_path_text.h"
#include "text/atomic_file.h"
#include "text/gbk.h"

namespace qh {

namespace {

// Linux takes no single argument longer than this (MAX_ARG_STRLEN).
constexpr std::size_t kLongestScript = 128 * 1024 - 1;

bool isUtf8(std::string_view content) {
    const auto bytes = QByteArrayView(content.data(), static_cast<qsizetype>(content.size()));
    return QString::fromUtf8(bytes).toUtf8() == bytes;
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

std::optional<std::string> batchFileAsShellScript(std::string_view content) {
    const std::string utf8 =
        isUtf8(content) ? std::string(content) : fromGbk(content).toStdString();
    std::string script;
    script.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] != '\r') {
            script += utf8[i];
        } else if (i + 1 == utf8.size() || utf8[i + 1] != '\n') {
            script += '\n';
        }
    }
    if (script.size() > kLongestScript || script.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    return script;
}

bool DesktopShell::runBatchHidden(const std::filesystem::path& batchFile) {
    const auto content = readWholeFile(batchFile);
    const auto script = content ? batchFileAsShellScript(*content) : std::nullopt;
    if (!script) {
        return false;
    }
    QProcess process;
    process.setProgram(QStringLiteral("/bin/sh"));
    // The script's own name is its $0, as when sh reads the file.
    process.setArguments(
        {QStringLiteral("-c"), QString::fromStdString(*script), hostPathText(batchFile)});
    process.setWorkingDirectory(hostPathText(batchFile.parent_path()));
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

bool DesktopShell::startProgram(const std::filesystem::path& program,
                                const std::filesystem::path& file) {
    // The file's name goes to the program as one argument, exactly as on the disk: no shell ever
    // sees it, so blanks, quotes and "$(...)" in a film's name stay text.
    return QProcess::startDetached(hostPathText(program), {hostPathText(file)});
}

}  // namespace qh
