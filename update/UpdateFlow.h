#pragma once

#include "UpdateCheck.h"

#include <QNetworkProxy>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class CRegImpl;
class UpdateDisplay;

// The application's side of the update check: a silent check at start-up, checks asked for from the
// update dialog, and the dialog's state chosen from each result. Checks run on the worker of its
// UpdateCheck; results reach this object, and through it the dialog, on the thread that owns it. It
// owns the check, so destroying it ends a running check before anything it would report to is gone.
class UpdateFlow : public QObject {
    Q_OBJECT
public:
    using ProxySource = std::function<QNetworkProxy()>;

    explicit UpdateFlow(CRegImpl& service, QObject* parent = nullptr);
    ~UpdateFlow() override;

    // The update dialog, which must implement UpdateDisplay; nothing is shown while there is none or
    // after it was destroyed.
    void SetUpdateView(QObject* view);
    // Where each check takes its proxy from; the system proxy unless a test says otherwise.
    void SetProxySource(ProxySource source);

    // The start-up check: shows nothing, only fills in what the service keeps. False when a check runs.
    bool StartStartupCheck();
    // atStart: shows what the start-up check found, without asking again. Otherwise the dialog shows
    // "checking" and a check starts (or the running one is waited for) whose result it then shows.
    void CheckForUpdate(bool atStart);
    void RefreshUpdateView(bool quiet);
    bool IsCheckRunning() const { return m_check.IsRunning(); }
    // Ends a running check; no result is delivered for it.
    void Shutdown();

    // What the last checks found, trimmed.
    QString newestVersion() const;
    QString updateNotes() const;
    // The download address with the edition's language added to its query; empty when there is none.
    QString updateDownloadUrl() const;
    QString GetUpdateDescription() const { return updateNotes(); }

signals:
    // For a shown check: a newer or the newest version was found, or the check failed with this text.
    void SendUpdateMesage();
    void SendUpdateLabel(QString str);
    // Every check that ends, shown or not; startup tells the start-up check.
    void CheckFinished(int code, bool startup);

public slots:
    void AcceptUpdateMessage();
    void AccepUpdateLabel(QString str);

private:
    void OnFinished(int code);
    UpdateDisplay* View() const;

    CRegImpl& m_service;
    UpdateCheck m_check;
    QPointer<QObject> m_viewObject;
    UpdateDisplay* m_view = nullptr;
    ProxySource m_proxySource;
    bool m_showResult = false;   // the dialog waits for the running check
    bool m_startupCheck = false; // the running check is the start-up one
};
