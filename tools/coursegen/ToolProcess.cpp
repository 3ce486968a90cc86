#include "ToolProcess.h"

#include "SourceError.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// Synthesising a whole course takes seconds; minutes mean the program hangs.
constexpr int kTimeoutMs = 10 * 60 * 1000;

QString describe(const QString &program, const QStringList &arguments)
{
    QString text = QFileInfo(program).fileName();
    for (const QString &argument : arguments.mid(0, 4))
        text += QLatin1Char(' ') + argument;
    if (arguments.size() > 4)
        text += QStringLiteral(" ...");
    return text;
}

std::unique_ptr<QProcess> start(const QString &program, const QStringList &arguments, const QString &folder)
{
    auto process = std::make_unique<QProcess>();
    process->setWorkingDirectory(folder);
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->start(program, arguments);
    if (!process->waitForStarted())
        throw SourceError(QStringLiteral("cannot start %1: %2").arg(program, process->errorString()));
    return process;
}

QString finish(QProcess &process, const QString &program, const QStringList &arguments)
{
    const bool ended = process.waitForFinished(kTimeoutMs);
    const QString fullOutput = QString::fromLocal8Bit(process.readAll());
    const QString output = fullOutput.trimmed().right(2000);
    if (!ended) {
        process.kill();
        process.waitForFinished();
        throw SourceError(QStringLiteral("%1 did not finish in time").arg(describe(program, arguments)));
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        throw SourceError(QStringLiteral("%1 failed (status %2): %3")
                              .arg(describe(program, arguments))
                              .arg(process.exitCode())
                              .arg(output));
    }
    return fullOutput;
}

} // namespace

QString findTool(const QString &name)
{
    const QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        throw SourceError(QStringLiteral("%1 is not installed; scripts/install-deps.sh installs it").arg(name));
    return path;
}

void runTool(const QString &program, const QStringList &arguments, const QString &folder)
{
    runToolForOutput(program, arguments, folder);
}

QString runToolForOutput(const QString &program, const QStringList &arguments, const QString &folder)
{
    const auto process = start(program, arguments, folder);
    return finish(*process, program, arguments);
}

void runToolsTogether(const QString &program, const std::vector<QStringList> &argumentLists, const QString &folder)
{
    std::vector<std::unique_ptr<QProcess>> running;
    for (const QStringList &arguments : argumentLists)
        running.push_back(start(program, arguments, folder));
    for (size_t i = 0; i < running.size(); ++i)
        finish(*running[i], program, argumentLists[i]);
}
