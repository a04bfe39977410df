#pragma once

// A name server on a loopback address that reads every query and never answers (peers/silent_dns.py), and
// the resolver settings that send a program's name lookups to it (through tests/program/resolverhelper). The
// system's resolver asks port 53 only, so the server needs root; where it or the helper cannot be set up,
// unavailable() says why and the test skips.

#include "PythonPeer.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>

class SilentNameServer {
public:
    // helper: the path of resolverhelper.
    explicit SilentNameServer(const QString& helper) : m_helper(helper) {
        // An address of its own, as other tests may run a server of this kind meanwhile.
        auto* random = QRandomGenerator::global();
        m_address = QStringLiteral("127.53.%1.%2").arg(random->bounded(1, 255)).arg(random->bounded(1, 255));
        if (!m_peer.start(QStringLiteral("silent_dns.py"), {QStringLiteral("--listen"), m_address})) {
            m_unavailable =
                QStringLiteral("no name server on %1 port 53 (root only): %2").arg(m_address, m_peer.errorText());
            return;
        }
        // Far longer than any check may take: only the program's own bounds end a lookup.
        Write(QStringLiteral("resolv.conf"),
              "nameserver " + m_address.toLatin1() + "\noptions timeout:30 attempts:5\n");
        Write(QStringLiteral("nsswitch.conf"), "hosts: files dns\n");
        QProcess probe;
        probe.setProcessChannelMode(QProcess::MergedChannels);
        probe.start(m_helper, {File("resolv.conf"), File("nsswitch.conf"), QStringLiteral("--probe")});
        if (!probe.waitForFinished(10000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
            m_unavailable = QStringLiteral("no resolver of the test's own: ") + probe.readAll().trimmed();
    }

    // Empty when the server and the helper are ready.
    QString unavailable() const { return m_unavailable; }

    // The command that runs program with its name lookups sent to this server: the helper, then these arguments.
    QString program() const { return m_helper; }
    QStringList arguments(const QString& program, const QStringList& arguments = {}) const {
        return QStringList{File("resolv.conf"), File("nsswitch.conf"), program} + arguments;
    }

    // The names asked for so far.
    QStringList queries() {
        QStringList names;
        for (const QJsonObject& query : m_peer.records("QUERY"))
            names << query.value(QStringLiteral("name")).toString();
        return names;
    }
    bool waitForQuery(const QString& name, int timeoutMs) {
        return QTest::qWaitFor([&] { return queries().contains(name); }, timeoutMs);
    }

private:
    QString File(const char* name) const { return m_files.filePath(QLatin1String(name)); }
    void Write(const QString& name, const QByteArray& bytes) {
        QFile file(m_files.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    QString m_helper;
    QString m_address;
    PythonPeer m_peer;
    QTemporaryDir m_files;
    QString m_unavailable;
};
