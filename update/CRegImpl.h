#pragma once

#include "CRegData.h"
#include "CRegNet.h"

#include <QByteArray>

// The update service: asks the update server whether a newer version exists and keeps what it said.
// RunCheck runs one whole check and is meant for a worker thread; everything else may be called from
// any thread. The program uses one process-wide instance (UpdateService()); tests make their own.
class CRegImpl : public CRegNet {
public:
    CRegImpl();
    ~CRegImpl() override;

    // The values every check asks with; endpoint is the address the query is appended to.
    void SetUp(const QByteArray& product, const QByteArray& versioncur, const QByteArray& lang,
               const QByteArray& endpoint);
    void SetServiceLanguage(const QByteArray& lang);
    QByteArray GetEndpoint() const;

    // One check from start to result: resets the result, sets the client up when it is not yet, asks
    // and reads the reply. Returns the result code (UpdateResult).
    int RunCheck();
    // The asking and reading part of RunCheck.
    void CheckUpdateState();

    QByteArray BuildUpdateUrl() const;

    int GetUpdateState() const { return m_data.GetUpdateState(); }
    QByteArray GetErrorText() const { return m_data.GetErrorText(); }
    QByteArray Info(int index) const { return m_data.Info(index); }
    QString NotesText() const { return m_data.NotesText(); }
    const char* GetUpdateInfo(int index) { return m_data.GetUpdateInfo(index); }
    QByteArray SetUpLang() const { return m_data.SetUpLang(); }
    QByteArray GetVersionCur() const { return m_data.GetQuery().versioncur; }

private:
    CRegData m_data;
    mutable QMutex m_endpointMutex;
    QByteArray m_endpoint;
    // Set until the client was set up: a failed set-up is tried again by the next check.
    bool m_createClient = true;
};
