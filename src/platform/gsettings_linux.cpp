#include "platform/gsettings_linux.h"

#include <QProcess>
#include <algorithm>
#include <memory>

namespace qh {

namespace {

std::optional<QString> printedValue(QProcess& process, const QDeadlineTimer& deadline) {
    // Once the deadline has passed, a wait of 0 still notices a program that has finished.
    const int waitMs = static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0));
    if (!process.waitForFinished(waitMs)) {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

}  // namespace

GSettingsCommand::GSettingsCommand(QString program) : program_(std::move(program)) {}

std::vector<std::optional<QString>> GSettingsCommand::read(const std::vector<SettingKey>& keys,
                                                           const QDeadlineTimer& deadline) {
    std::vector<std::unique_ptr<QProcess>> processes;
    for (const auto& key : keys) {
        auto& process = *processes.emplace_back(std::make_unique<QProcess>());
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(program_, {QStringLiteral("get"), key.schema, key.key});
    }
    std::vector<std::optional<QString>> values;
    for (auto& process : processes) {
        values.push_back(printedValue(*process, deadline));
    }
    return values;
}

}  // namespace qh
