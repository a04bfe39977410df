#pragma once

#include "app/MyApplicationData.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtGlobal>

#include <memory>

// Points the per-user and system data locations and the home folder into one temp folder, so that
// nothing a settings test writes reaches the real user's files. Create it in initTestCase, before
// QStandardPaths is first asked.
class SettingsTestEnv {
public:
    SettingsTestEnv() {
        qputenv("HOME", m_root.filePath(QStringLiteral("home")).toUtf8());
        qputenv("XDG_DATA_HOME", DataHome().toUtf8());
        qputenv("XDG_DATA_DIRS", SystemData().toUtf8());
        qputenv("XDG_CONFIG_HOME", m_root.filePath(QStringLiteral("config")).toUtf8());
        // Documents come from the user-dirs file when it has the key, else from HOME.
        qunsetenv("XDG_DOCUMENTS_DIR");
        QDir().mkpath(m_root.filePath(QStringLiteral("home")));
    }

    bool IsValid() const { return m_root.isValid(); }
    QString Root() const { return m_root.path(); }
    QString Home() const { return m_root.filePath(QStringLiteral("home")); }
    QString DataHome() const { return m_root.filePath(QStringLiteral("data")); }
    QString SystemData() const { return m_root.filePath(QStringLiteral("system")); }

    // Empties the data folders between test functions.
    void Reset() const {
        QDir(DataHome()).removeRecursively();
        QDir(SystemData()).removeRecursively();
        QDir(Home()).removeRecursively();
        QDir().mkpath(Home());
    }

    // Edition data without a configuration file, as the settings use it: brand "Tavik", product "Mendra",
    // language "de", data sub-folder "Tavik/Mendra/".
    static std::unique_ptr<MyApplicationData> Edition() {
        AppDataParams params;
        params.ResourcePath = QStringLiteral(":/missing.xml");
        params.Brand = QStringLiteral("Tavik");
        params.Product = QStringLiteral("Mendra");
        params.Language = QStringLiteral("de");
        auto edition = std::make_unique<MyApplicationData>(params);
        edition->ProductName = QStringLiteral("Mendra");
        edition->DataSubDir = QStringLiteral("Tavik/Mendra/");
        return edition;
    }

    static QByteArray ReadAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static bool WriteAll(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    }

    // How many elements of the file are named name, ignoring case; -1 when the file does not parse.
    static int CountElements(const QString& path, const QString& name) {
        QXmlStreamReader reader(ReadAll(path));
        int count = 0;
        while (!reader.atEnd()) {
            reader.readNext();
            if (reader.isStartElement() && reader.name().compare(name, Qt::CaseInsensitive) == 0)
                ++count;
        }
        return reader.hasError() ? -1 : count;
    }

private:
    QTemporaryDir m_root;
};

#include <csignal>
#include <sys/resource.h>

// While alive, no write may grow a file of this process past `bytes`: the write fails as on a full
// disk (SIGXFSZ is ignored so the process lives on). Works for root too, unlike a read-only folder.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        m_valid = getrlimit(RLIMIT_FSIZE, &m_old) == 0;
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        m_valid = m_valid && setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool IsValid() const { return m_valid; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_valid = false;
};
