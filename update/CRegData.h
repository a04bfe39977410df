#pragma once

#include <QByteArray>
#include <QMutex>
#include <QString>

// The values of the update service: what a check asks with (product, installed version, language) and
// what the last replies told (newest version, display name, release notes, download address), with the
// result code of the last check. Texts are UTF-8. A check writes them on its worker thread while the
// GUI thread may read them, so every access goes through one lock.
class CRegData {
public:
    struct Query {
        QByteArray product;
        QByteArray versioncur;
        QByteArray lang;
    };

    CRegData();

    // A reply naming a longer version is a data error: every display of it would have to cope with it.
    static constexpr int MaxVersionLength = 64;

    // The service's set-up: the product, the installed version and the language to ask with.
    void SetUp(const QByteArray& product, const QByteArray& versioncur, const QByteArray& lang);
    bool IsSetUp() const;
    // A later change of language; the language given at set-up stays for the download address.
    void SetLang(const QByteArray& lang);
    Query GetQuery() const;
    QByteArray SetUpLang() const;

    // The start of every check: no result yet, no error.
    void Reset();
    int GetUpdateState() const;
    void SetUpdateState(int state);
    QByteArray GetErrorText() const;
    void SetErrorText(const QByteArray& text);

    // Reads one reply body and sets the result code from it. A reply that is not XML, is larger or deeper
    // than XmlLimits allows or names a version longer than MaxVersionLength changes nothing kept.
    void HandleUpdateData(const QByteArray& body);

    // 0 the notes, 1 the newest version, 2 the download address; empty for any other index.
    QByteArray Info(int index) const;
    // The same, copied into the info buffer whose characters are returned; valid until the next call.
    const char* GetUpdateInfo(int index);
    // The notes as text, trimmed: decoded where the reply is read, off the GUI thread, as they may fill megabytes.
    QString NotesText() const;

private:
    mutable QMutex m_mutex;
    QByteArray m_product;
    QByteArray m_versioncur;
    QByteArray m_lang;
    QByteArray m_setUpLang;
    bool m_setUp = false;
    QByteArray m_newestVersion;
    QByteArray m_displayName;
    QByteArray m_notes;
    QString m_notesText;
    QByteArray m_downloadUrl;
    int m_updateState;
    QByteArray m_errorText;
    QByteArray m_infoBuffer;
};
