#pragma once

// A peer written in Python run as a child process on 127.0.0.1 for one test. The
// script prints "PORT <n>" when it listens and then one "<TAG> <json>" line per thing it saw; this
// collects those lines without needing an event loop, so it also serves tests that block while the
// peer works.

#include <QByteArray>
#include <QElapsedTimer>
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

    // Starts the script (a path inside the source tree, "tests/update/update_server.py") with the
    // arguments and waits until it listens.
    bool start(const QString& script, const QStringList& arguments = {}) {
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty())
            return false;
        const QString path = qEnvironmentVariable("MENDRA_SOURCE_DIR") + QLatin1Char('/') + script;
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(python, QStringList{QStringLiteral("-u"), path} + arguments);
        if (!m_process.waitForStarted(20000))
            return false;
        QElapsedTimer waited;
        waited.start();
        while (m_port == 0 && waited.elapsed() < 20000 && m_process.state() == QProcess::Running) {
            m_process.waitForReadyRead(200);
            readOutput();
        }
        return m_port != 0;
    }

    void stop() {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished(10000);
    }

    quint16 port() const { return m_port; }
    QString url(const QString& path, const QString& scheme = QStringLiteral("http")) const {
        return QStringLiteral("%1://127.0.0.1:%2%3").arg(scheme).arg(m_port).arg(path);
    }

    // The records with this tag printed so far.
    QList<QJsonObject> records(const QByteArray& tag) {
        m_process.waitForReadyRead(0);
        readOutput();
        QList<QJsonObject> found;
        for (const auto& record : m_records) {
            if (record.first == tag)
                found.append(record.second);
        }
        return found;
    }

    bool waitForRecords(const QByteArray& tag, int count, int timeoutMs = 30000) {
        QElapsedTimer waited;
        waited.start();
        while (records(tag).size() < count) {
            if (waited.elapsed() > timeoutMs || m_process.state() != QProcess::Running)
                return false;
            m_process.waitForReadyRead(100);
        }
        return true;
    }

private:
    void readOutput() {
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
};
