#pragma once

// A peer written in Python (a script in tests/common/peers, see peer.py there) run as a child process on a free
// port of 127.0.0.1 for one test. The script prints "PORT <n>" once it listens and then one "<TAG> <json>" line
// per thing it saw. The lines are read from the pipe whenever the test asks, so they come in whether or not the
// test's thread runs an event loop; waiting serves the test thread's events, so a client on that thread goes on
// meanwhile. stop() (and the destructor) closes the script's standard input, which ends it.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTest>

class PythonPeer {
public:
    PythonPeer() = default;
    PythonPeer(const PythonPeer&) = delete;
    PythonPeer& operator=(const PythonPeer&) = delete;
    ~PythonPeer() { stop(); }

    // Starts the script ("update_server.py") with the arguments and waits until it listens; false with
    // errorText() when it does not. With a module, only an interpreter that can import it will do.
    bool start(const QString& script, const QStringList& arguments = {}, const QString& module = QString()) {
        const QString python = Interpreter(module);
        if (python.isEmpty()) {
            m_error = module.isEmpty() ? QStringLiteral("no python3")
                                       : QStringLiteral("no python3 that has the module ") + module;
            return false;
        }
        const QString path =
            QDir(qEnvironmentVariable("MENDRA_SOURCE_DIR")).filePath(QStringLiteral("tests/common/peers/") + script);
        // Python's complaints go to the test's own output; -B keeps compiled modules out of the source tree.
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(python, QStringList{QStringLiteral("-u"), QStringLiteral("-B"), path} + arguments);
        if (!m_process.waitForStarted(20000)) {
            m_error = QStringLiteral("%1 did not start: %2").arg(script, m_process.errorString());
            return false;
        }
        if (!waitFor([this] { return m_port != 0 || m_process.state() != QProcess::Running; }, 30000) || m_port == 0) {
            m_error = QStringLiteral("%1 did not report its port").arg(script);
            return false;
        }
        return true;
    }

    void stop() {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    QString errorText() const { return m_error; }
    quint16 port() const { return m_port; }
    QString url(const QString& path, const QString& scheme = QStringLiteral("http")) const {
        return QStringLiteral("%1://127.0.0.1:%2%3").arg(scheme).arg(m_port).arg(path);
    }

    // The records with this tag printed so far.
    QList<QJsonObject> records(const QByteArray& tag) {
        readOutput();
        QList<QJsonObject> found;
        for (const auto& record : m_records) {
            if (record.first == tag)
                found.append(record.second);
        }
        return found;
    }

    bool waitForRecords(const QByteArray& tag, int count, int timeoutMs = 30000) {
        return waitFor([&] { return records(tag).size() >= count; }, timeoutMs);
    }

    // Serves the test thread's events until the condition holds; false when it did not in time or the peer
    // ended.
    template <typename Condition> bool waitFor(Condition condition, int timeoutMs) {
        return QTest::qWaitFor(
                   [&] {
                       readOutput();
                       return condition() || m_process.state() != QProcess::Running;
                   },
                   timeoutMs) &&
               condition();
    }

private:
    // The Debian interpreter first: a python3 earlier on the PATH may not see the Debian packages.
    static QString Interpreter(const QString& module) {
        static QHash<QString, QString> found;
        if (!found.contains(module))
            found.insert(module, FindInterpreter(module));
        return found.value(module);
    }

    static QString FindInterpreter(const QString& module) {
        for (const QString& candidate :
             {QStringLiteral("/usr/bin/python3"), QStandardPaths::findExecutable(QStringLiteral("python3"))}) {
            if (candidate.isEmpty() || !QFile::exists(candidate))
                continue;
            if (module.isEmpty())
                return candidate;
            QProcess probe;
            probe.start(candidate, {QStringLiteral("-c"), QStringLiteral("import ") + module});
            if (probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0)
                return candidate;
        }
        return QString();
    }

    void readOutput() {
        if (m_process.state() == QProcess::Running)
            m_process.waitForReadyRead(0);
        m_buffer += m_process.readAllStandardOutput();
        int end;
        while ((end = m_buffer.indexOf('\n')) >= 0) {
            const QByteArray line = m_buffer.left(end).trimmed();
            m_buffer.remove(0, end + 1);
            const int space = line.indexOf(' ');
            if (space < 0)
                continue;
            const QByteArray tag = line.left(space);
            const QByteArray rest = line.mid(space + 1);
            if (tag == "PORT")
                m_port = static_cast<quint16>(rest.toUInt());
            else
                m_records.append({tag, QJsonDocument::fromJson(rest).object()});
        }
    }

    QProcess m_process;
    QByteArray m_buffer;
    QList<QPair<QByteArray, QJsonObject>> m_records;
    quint16 m_port = 0;
    QString m_error;
};
