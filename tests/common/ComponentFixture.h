#pragma once

// What the component install tests set up around the program, all in one private folder:
// - system roots (MENDRA_SYSTEM_ROOT) where the support daemon is present or absent;
// - a small Debian package built with dpkg-deb, served with its faulty variants by an HTTPS server on
//   127.0.0.1 (tests/common/peers/component_server.py) whose certificate comes from the test's own CA;
// - stand-ins for the installer (/usr/bin/apt-get) and the elevation helper (/usr/bin/pkexec) in both
//   system roots: the installer records each call with the digest of the package file handed over, its
//   DEBIAN_FRONTEND and its standard input, may write a text and ask a question, and exits with a chosen
//   status, after a chosen delay or once the test releases them; the helper clears the environment as
//   pkexec does, or ends with a chosen status of its own;
// - decoys of those names and of systemctl first on the PATH, which note every start: a program run as
//   root must be the system's own, never one found on the user's PATH.
//
// Files on the server: usbmuxd_amd64.deb (the package), corrupt_usbmuxd.deb (damaged bytes),
// stall_usbmuxd.deb, wrongsize_usbmuxd.deb, chunked_usbmuxd.deb, notfound_usbmuxd.deb and
// error_usbmuxd.deb (an error status with a large error page, see component_server.py), huge_usbmuxd.deb,
// endless_usbmuxd.deb, trickle_usbmuxd.deb and slow_usbmuxd.deb (served without end or slowly), usbmuxd.zip
// (an archive holding the package), broken.zip (not an archive), largest.deb (as large as a package may be)
// and over.deb (one byte larger).

#include "PythonPeer.h"
#include "RunTool.h"
#include "StandInProgram.h"
#include "TestCa.h"

#include "platform/MachineArchitecture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

class ComponentFixture {
public:
    struct Call {
        QStringList arguments; // the command's own name first
        QString folder;        // the mode (octal) and owner's user id of the last argument's folder
        QString frontend;      // DEBIAN_FRONTEND as the command got it, "unset" when it had none
        QString input;         // what its standard input was (/proc/self/fd/0)
        QByteArray digest;     // SHA-256 of the last argument's file, "missing" when there was none
    };

    static constexpr int kErrorPageBytes = 16 * 1024 * 1024;
    static constexpr qint64 kLargestPackageBytes = 4 * 1024 * 1024;

    bool Prepare(QString* why) {
        if (!m_root.isValid())
            return Fail(why, QStringLiteral("no temporary folder"));
        for (const char* folder : {"present/usr/sbin", "present/usr/bin", "present/var/cache", "absent/usr/sbin",
                                   "absent/usr/bin", "absent/usr/local/sbin", "absent/var/cache", "files", "bin",
                                   "path", "package/DEBIAN", "package/usr/share/doc/mendra-test-support"})
            QDir().mkpath(Path(folder));
        if (!StandIn::Write(Path("present/usr/sbin/usbmuxd"), QByteArray()) ||
            !WriteFile(Path("package/DEBIAN/control"),
                       "Package: mendra-test-support\nVersion: 1.0\nArchitecture: all\n"
                       "Maintainer: Mendra tests <tests@tavik.example>\n"
                       "Description: stand-in for the device support software in tests\n") ||
            !WriteFile(Path("package/usr/share/doc/mendra-test-support/README"), "test package\n") ||
            !RunTool("dpkg-deb", {"--root-owner-group", "--build", Path("package"), Path("files/usbmuxd_amd64.deb")},
                     why))
            return Fail(why, why && !why->isEmpty() ? *why : QStringLiteral("cannot build the fixture"));
        m_package = ReadFile(Path("files/usbmuxd_amd64.deb"));
        QByteArray corrupt = m_package;
        corrupt[corrupt.size() / 2] = char(corrupt.at(corrupt.size() / 2) ^ 0x5a);
        for (const char* name : {"stall_usbmuxd.deb", "wrongsize_usbmuxd.deb", "chunked_usbmuxd.deb"})
            WriteFile(Path("files/") + QLatin1String(name), m_package);
        WriteFile(Path("files/corrupt_usbmuxd.deb"), corrupt);
        // Far larger than the package: an error page that moved the bar would show.
        const QByteArray page = "<html><body>" + QByteArray(kErrorPageBytes, 'x') + "</body></html>";
        WriteFile(Path("files/notfound_usbmuxd.deb"), page);
        WriteFile(Path("files/error_usbmuxd.deb"), page);
        WriteFile(Path("files/broken.zip"), "PK this is no archive");
        // Served without end or slowly (see component_server.py): what they hold does not matter.
        for (const char* name : {"huge_usbmuxd.deb", "endless_usbmuxd.deb", "slow_usbmuxd.deb"})
            WriteFile(Path("files/") + QLatin1String(name), "x");
        WriteFile(Path("files/trickle_usbmuxd.deb"), m_package);
        // The largest package a download takes, and one byte more.
        WriteFile(Path("files/largest.deb"), QByteArray(int(kLargestPackageBytes), 'l'));
        WriteFile(Path("files/over.deb"), QByteArray(int(kLargestPackageBytes) + 1, 'o'));
        if (!RunTool("7z", {"a", "-tzip", Path("files/usbmuxd.zip"), Path("files/usbmuxd_amd64.deb")}, why))
            return false;

        const QByteArray stub =
            "# Stands in for the real command in tests: records the call, says what it was told to, may ask a\n"
            "# question (and wait up to 20 s for the answer), exits with the chosen status.\n"
            "dir=" +
            StandIn::ShellQuoted(Path("bin")) +
            "\n"
            "last=\"\"\n"
            "for a in \"$@\"; do last=$a; done\n"
            "digest=missing\n"
            "[ -f \"$last\" ] && digest=$(sha256sum \"$last\" | cut -d' ' -f1)\n"
            "folder=$(stat -c '%a %u' \"$(dirname \"$last\")\")\n"
            "input=$(readlink /proc/self/fd/0)\n"
            "printf '%s\\t' \"$(basename \"$0\")\" \"$@\" \"$folder\" \"${DEBIAN_FRONTEND:-unset}\" \"$input\" >> "
            "\"$dir/calls\"\n"
            "printf '%s\\n' \"$digest\" >> \"$dir/calls\"\n"
            "[ -f \"$dir/says\" ] && cat \"$dir/says\"\n"
            "[ -f \"$dir/asks\" ] && echo 'Configuration file changed. Keep your version? [Y/n]' && "
            "timeout 20 sh -c 'read answer'\n"
            "[ -f \"$dir/delay\" ] && sleep \"$(cat \"$dir/delay\")\"\n"
            "while [ -f \"$dir/hold\" ]; do sleep 0.05; done\n"
            "exit \"$(cat \"$dir/status\" 2>/dev/null || echo 0)\"\n";
        // As the system's pkexec: the caller's environment goes (the system root stays, for the stand-in
        // apt-get), or the request ends with the helper's own status.
        const QByteArray helper = "dir=" + StandIn::ShellQuoted(Path("bin")) +
                                  "\n"
                                  "if [ -f \"$dir/helper-status\" ]; then\n"
                                  "  echo 'Error executing command as another user: Not authorized' >&2\n"
                                  "  exit \"$(cat \"$dir/helper-status\")\"\n"
                                  "fi\n"
                                  "exec /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin "
                                  "MENDRA_SYSTEM_ROOT=\"$MENDRA_SYSTEM_ROOT\" \"$@\"\n";
        for (const char* root : {"present", "absent"}) {
            const QString bin = Path(QLatin1String(root) + QStringLiteral("/usr/bin/"));
            if (!StandIn::Write(bin + "apt-get", stub) || !StandIn::Write(bin + "pkexec", helper))
                return Fail(why, QStringLiteral("cannot write the stand-ins"));
        }
        for (const char* decoy : {"apt-get", "pkexec", "systemctl"}) {
            if (!StandIn::Write(Path("path/") + QLatin1String(decoy),
                                "echo \"$0 $*\" >> " + StandIn::ShellQuoted(Path("path/starts")) + "\n"))
                return Fail(why, QStringLiteral("cannot write the decoys"));
        }

        const TestCa::ServerCertificate certificate = m_ca.issueServerCertificate();
        if (!certificate.isValid())
            return Fail(why, m_ca.errorText());
        if (!m_server.start(QStringLiteral("component_server.py"),
                            {QStringLiteral("--root"), Path("files"), QStringLiteral("--tls"),
                             certificate.certificatePath, certificate.keyPath}))
            return Fail(why, m_server.errorText());
        return true;
    }

    QString PresentRoot() const { return Path("present"); }
    QString AbsentRoot() const { return Path("absent"); }
    // The folder of the decoys, first on the PATH.
    QString DecoyFolder() const { return Path("path"); }
    // What the decoys were started with, one line per start.
    QStringList DecoyStarts() const {
        return QString::fromUtf8(ReadFile(Path("path/starts"))).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    QString CaFile() const { return m_ca.caCertificatePath(); }
    QString ServerAddress() const { return m_server.url(QString(), QStringLiteral("https")); }
    QByteArray PackageDigest() const { return QCryptographicHash::hash(m_package, QCryptographicHash::Sha256).toHex(); }
    // The SHA-256 of a file as the server has it.
    QByteArray DigestOf(const QString& served) const {
        return QCryptographicHash::hash(ReadFile(Path("files/") + served), QCryptographicHash::Sha256).toHex();
    }

    // A component list with one package for this machine, pinned to sha256 (the package's own when
    // empty); returns its path.
    QString WriteList(const QString& file, QByteArray sha256 = QByteArray(), QString arch = QString()) {
        if (sha256.isEmpty())
            sha256 = PackageDigest();
        if (arch.isEmpty())
            arch = platform::packageArchitecture();
        const QString path = Path("lists/") + QString::number(++m_lists) + QStringLiteral(".xml");
        QDir().mkpath(Path("lists"));
        WriteFile(path, QStringLiteral("<Components><Package arch=\"%1\" file=\"%2\" sha256=\"%3\"/></Components>")
                            .arg(arch, file, QString::fromLatin1(sha256))
                            .toUtf8());
        return path;
    }

    void SetInstallerStatus(int status) { WriteFile(Path("bin/status"), QByteArray::number(status)); }
    // What the installer writes to its output before it ends; empty: nothing.
    void SetInstallerOutput(const QByteArray& text) { SetOrRemove("bin/says", text); }
    // Whether the installer asks a question first and waits (up to 20 s) for its answer.
    void SetInstallerAsks(bool asks) { SetOrRemove("bin/asks", asks ? QByteArray("yes") : QByteArray()); }
    // The elevation helper ends with this status instead of running the program; 0: it runs it.
    void SetHelperStatus(int status) {
        SetOrRemove("bin/helper-status", status ? QByteArray::number(status) : QByteArray());
    }
    void SetInstallerDelay(int seconds) { WriteFile(Path("bin/delay"), QByteArray::number(seconds)); }
    // While held, the installer does not end (it waits for Release()).
    void HoldInstaller() { WriteFile(Path("bin/hold"), QByteArray()); }
    void ReleaseInstaller() { QFile::remove(Path("bin/hold")); }
    void ClearCalls() {
        QFile::remove(Path("bin/calls"));
        QFile::remove(Path("path/starts"));
    }
    QList<Call> InstallerCalls() const {
        QList<Call> calls;
        for (const QByteArray& line : ReadFile(Path("bin/calls")).split('\n')) {
            if (line.isEmpty())
                continue;
            Call call;
            const QList<QByteArray> fields = line.split('\t');
            for (int i = 0; i + 4 < fields.size(); ++i)
                call.arguments << QString::fromUtf8(fields.at(i));
            call.folder = QString::fromUtf8(fields.value(fields.size() - 4));
            call.frontend = QString::fromUtf8(fields.value(fields.size() - 3));
            call.input = QString::fromUtf8(fields.value(fields.size() - 2));
            call.digest = fields.last();
            calls.append(call);
        }
        return calls;
    }

    // The paths asked for so far, in order, decoded.
    QStringList Requests() {
        QStringList paths;
        for (const QJsonObject& request : m_server.records("REQUEST"))
            paths << QUrl::fromPercentEncoding(request.value(QStringLiteral("target")).toString().toUtf8());
        return paths;
    }

    // Lookups under root, the list in force, the server and its CA, the decoys first on the PATH.
    void ApplyTo(QProcessEnvironment& environment, const QString& root, const QString& list) const {
        environment.insert("MENDRA_SYSTEM_ROOT", root);
        environment.insert("MENDRA_COMPONENT_LIST", list);
        environment.insert("MENDRA_COMPONENT_SERVER", ServerAddress());
        environment.insert("MENDRA_EXTRA_CA", CaFile());
        environment.insert("PATH", DecoyFolder() + QLatin1Char(':') + environment.value("PATH"));
        environment.insert("no_proxy", "127.0.0.1");
        environment.insert("NO_PROXY", "127.0.0.1");
    }
    // The same for this process. Also makes sure that a lookup on the PATH would find the decoys.
    bool Apply(const QString& root, const QString& list) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString path = environment.value("PATH");
        ApplyTo(environment, root, list);
        if (path.startsWith(DecoyFolder() + QLatin1Char(':')))
            environment.insert("PATH", path);
        for (const char* name : {"MENDRA_SYSTEM_ROOT", "MENDRA_COMPONENT_LIST", "MENDRA_COMPONENT_SERVER",
                                 "MENDRA_EXTRA_CA", "PATH", "no_proxy", "NO_PROXY"})
            qputenv(name, environment.value(QLatin1String(name)).toUtf8());
        return QStandardPaths::findExecutable("apt-get") == Path("path/apt-get") &&
               QStandardPaths::findExecutable("pkexec") == Path("path/pkexec");
    }

private:
    QString Path(const char* name) const { return m_root.filePath(QString::fromLatin1(name)); }
    QString Path(const QString& name) const { return m_root.filePath(name); }

    void SetOrRemove(const char* name, const QByteArray& content) {
        if (content.isEmpty())
            QFile::remove(Path(name));
        else
            WriteFile(Path(name), content);
    }

    static bool Fail(QString* why, const QString& text) {
        if (why)
            *why = text;
        return false;
    }

    static QByteArray ReadFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static bool WriteFile(const QString& path, const QByteArray& content) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
            return false;
        return true;
    }

    QTemporaryDir m_root;
    TestCa m_ca;
    PythonPeer m_server;
    QByteArray m_package;
    int m_lists = 0;
};
