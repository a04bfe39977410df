#include "ElevatedRunner.h"

#include "SystemRoot.h"

#include <QFileInfo>
#include <QProcess>

#include <atomic>
#include <cstdio>

#include <unistd.h>

namespace platform {

namespace {

// What is started with administrator rights is named by its path: a bare name would be looked up on the
// user's PATH, where anything the user runs can put a program of that name. pkexec also refuses relative
// names, and starts the program in another folder.
QString absoluteProgram(const QString& program) {
    if (!program.contains(QLatin1Char('/')))
        return QString();
    return QFileInfo(program).absoluteFilePath();
}

std::atomic<bool> gAlwaysThroughHelper{false};

// Each wait for output is this short, so that the end of a silent program is noticed soon.
constexpr int kReadWaitMs = 200;

// The end of a program's output: passed on to this program's own output, and its last lines kept, each cut
// to its first OutputLineBytes.
class OutputTail {
public:
    void take(const QByteArray& data) {
        if (data.isEmpty())
            return;
        std::fwrite(data.constData(), 1, size_t(data.size()), stdout);
        std::fflush(stdout);
        int start = 0;
        for (;;) {
            const int end = data.indexOf('\n', start);
            const int stop = end < 0 ? data.size() : end;
            const int room = ElevatedRunner::OutputLineBytes - m_current.size();
            if (room > 0)
                m_current += data.mid(start, qMin(room, stop - start));
            if (end < 0)
                return;
            finishLine();
            start = end + 1;
        }
    }

    QStringList lines() {
        finishLine();
        return m_lines;
    }

private:
    void finishLine() {
        const QByteArray line = m_current.trimmed();
        m_current.clear();
        if (line.isEmpty())
            return;
        m_lines << QString::fromLocal8Bit(line);
        if (m_lines.size() > ElevatedRunner::OutputLines)
            m_lines.removeFirst();
    }

    QByteArray m_current;
    QStringList m_lines;
};

} // namespace

QString ElevatedRunner::systemHelper() {
    return underSystemRoot(QStringLiteral("/usr/bin/pkexec"));
}

ElevatedRunner::ElevatedRunner() : ElevatedRunner(systemHelper(), ::geteuid() == 0 && !gAlwaysThroughHelper) {}

void ElevatedRunner::setAlwaysThroughHelper(bool always) {
    gAlwaysThroughHelper = always;
}

ElevatedRunner::ElevatedRunner(const QString& helper, bool runningAsRoot)
    : m_helper(helper), m_runningAsRoot(runningAsRoot) {}

QString ElevatedRunner::launcher(const QString& program) const {
    return m_runningAsRoot ? absoluteProgram(program) : m_helper;
}

QStringList ElevatedRunner::launcherArguments(const QString& program, const QStringList& arguments) const {
    if (m_runningAsRoot)
        return arguments;
    return QStringList{absoluteProgram(program)} + arguments;
}

bool ElevatedRunner::start(const QString& program, const QStringList& arguments) const {
    if (absoluteProgram(program).isEmpty())
        return false;
    return QProcess::startDetached(launcher(program), launcherArguments(program, arguments));
}

ElevatedRunner::Outcome ElevatedRunner::run(const QString& program, const QStringList& arguments) const {
    Outcome outcome;
    if (absoluteProgram(program).isEmpty())
        return outcome;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(launcher(program), launcherArguments(program, arguments));
    if (!process.waitForStarted(-1))
        return outcome;
    OutputTail tail;
    // Read as it comes, so that neither the pipe nor this process holds more than the tail.
    do {
        process.waitForReadyRead(kReadWaitMs);
        tail.take(process.readAll());
    } while (process.state() != QProcess::NotRunning);
    tail.take(process.readAll());
    outcome.lastLines = tail.lines();
    if (process.exitStatus() == QProcess::NormalExit)
        outcome.status = process.exitCode();
    return outcome;
}

int ElevatedRunner::runAndWait(const QString& program, const QStringList& arguments) const {
    return run(program, arguments).status;
}

} // namespace platform
