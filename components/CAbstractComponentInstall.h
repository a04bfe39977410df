#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <atomic>
#include <memory>

class QNetworkAccessManager;
class QTemporaryDir;

// A piece of system software the program needs: whether it is missing (check), which package files
// to fetch for it, and how to fetch, unpack and install them. The worker thread
// (CComponentInstallThread) runs check, download, decompress and install in that order.
//
// Packages are fetched over verified TLS into a private folder of this object (readable by this user
// only, removed with the object) and kept only when they arrived whole and match their pinned SHA-256;
// decompress and install work on those verified files alone. A package may have MaxPackageBytes: a larger
// announced length is refused before a byte of the body is read, and a body that grows past it is cut off
// at once. A download ends with an error when it moves less than 1 KiB a second on average over a stall
// time-out (30 s unless set), or has not ended by the overall time-out (120 s unless set).
//
// The steps run on the worker thread; requestAbort() may be called from any thread and ends a
// running download at once and keeps every later step from starting an installer.
class CAbstractComponentInstall : public QObject {
    Q_OBJECT
public:
    // One queued package and whether the last download delivered exactly the pinned file.
    struct Package {
        QUrl url;
        QByteArray sha256; // lower-case hex
        bool verified = false;
        // For an archive: the Debian packages unpacked from it, by path, with their SHA-256 when unpacked.
        QMap<QString, QByteArray> unpacked;
    };
    // One file for the installer and the SHA-256 it must have when the installer reads it.
    struct Installable {
        QString file;
        QByteArray sha256;
    };

    explicit CAbstractComponentInstall(QObject* parent = nullptr);
    ~CAbstractComponentInstall() override;

    virtual QString name() const = 0;
    // True when the component must be installed; queues its packages afresh.
    virtual bool check() = 0;
    virtual bool install() = 0;
    // True once an installer run has put a package on the system (and only then does the program need
    // a restart).
    virtual bool isInstallFinished() const;

    // Fetches every queued package; false at the first one that did not arrive whole and verified,
    // or when nothing is queued.
    bool download();
    // Unpacks every verified archive package (see archiveSuffixes()); false when one cannot be unpacked.
    bool decompress();

    QList<QUrl> urls() const;
    const QList<Package>& packages() const { return m_packages; }
    // The local file of a package: the last section of its URL's path in the private folder; empty
    // when that section is no plain file name.
    QString packageFile(const QUrl& url) const;
    // What the installer gets for the package at position i: the package file with its pinned digest, or
    // for an archive the Debian packages unpacked from it, in name order, with their digests as unpacked.
    QList<Installable> installables(int i) const;

    void requestAbort();
    bool isAbortRequested() const { return m_abort.load(); }

    // The largest package a download takes.
    static constexpr qint64 MaxPackageBytes = 4LL * 1024 * 1024;

    // The span, in milliseconds, over which a download must move on by 1 KiB a second on average (or by
    // what is left of an announced length); less, and it is given up.
    void setStallTimeout(int milliseconds) { m_stallTimeout = milliseconds; }
    int stallTimeout() const { return m_stallTimeout; }
    // The stall time-out every new component starts with (30000 unless a test changes it).
    static void setDefaultStallTimeout(int milliseconds);
    static int defaultStallTimeout();
    // The time, in milliseconds, by which a package's download must have ended however it goes on.
    void setOverallTimeout(int milliseconds) { m_overallTimeout = milliseconds; }
    int overallTimeout() const { return m_overallTimeout; }
    // The overall time-out every new component starts with (120000 unless a test changes it).
    static void setDefaultOverallTimeout(int milliseconds);
    static int defaultOverallTimeout();

    // "7z" and "zip": the suffixes of packages that are unpacked before they are installed.
    static const QStringList& archiveSuffixes();

signals:
    // Progress of the step in work: bytes on a scale of 10000 while downloading, packages done out of
    // the queued count while unpacking and installing.
    void workProgress(qlonglong completed, qlonglong total);
    // Emitted by requestAbort(); a running download listens to it.
    void abortSignalled();

public slots:
    void on_reply_downloadProgress(qlonglong bytesReceived, qlonglong bytesTotal);

protected:
    // Every check starts from an empty queue, so a retry fetches and installs each package once.
    void resetQueue();
    void enqueue(const QUrl& url, const QByteArray& sha256);
    void setInstalled() { m_installed = true; }

private:
    bool downloadOne(QNetworkAccessManager& manager, Package& package);
    bool unpack(const QString& archive, const QString& folder) const;
    static QMap<QString, QByteArray> unpackedPackages(const QString& folder);
    QString unpackFolder(const QString& archive) const;
    bool ensureFolder();

    QList<Package> m_packages;
    std::atomic<int> m_index{0};
    std::atomic<bool> m_abort{false};
    int m_stallTimeout;
    int m_overallTimeout;
    std::atomic<bool> m_installed{false};
    std::unique_ptr<QTemporaryDir> m_folder;
};
