#include "UpdateFlow.h"

#include "CRegImpl.h"
#include "UpdateDisplay.h"
#include "UpdateResult.h"
#include "UpdateTrace.h"
#include "app/SystemProxy.h"
#include "app/VersionCompare.h"

#include <QUrl>
#include <QUrlQuery>

UpdateFlow::UpdateFlow(CRegImpl& service, QObject* parent)
    : QObject(parent), m_service(service), m_check(service), m_proxySource(&GetSystemProxy) {
    connect(&m_check, &UpdateCheck::Finished, this, &UpdateFlow::OnFinished);
    connect(this, &UpdateFlow::SendUpdateMesage, this, &UpdateFlow::AcceptUpdateMessage);
    connect(this, &UpdateFlow::SendUpdateLabel, this, &UpdateFlow::AccepUpdateLabel);
}

UpdateFlow::~UpdateFlow() {
    Shutdown();
}

void UpdateFlow::SetUpdateView(QObject* view) {
    m_viewObject = view;
    m_view = dynamic_cast<UpdateDisplay*>(view);
}

void UpdateFlow::SetProxySource(ProxySource source) {
    m_proxySource = std::move(source);
}

UpdateDisplay* UpdateFlow::View() const {
    return m_viewObject ? m_view : nullptr;
}

bool UpdateFlow::StartStartupCheck() {
    if (!m_check.Start(m_proxySource()))
        return false;
    m_startupCheck = true;
    return true;
}

void UpdateFlow::CheckForUpdate(bool atStart) {
    if (atStart) {
        RefreshUpdateView(true);
        return;
    }
    if (UpdateDisplay* view = View())
        view->SetState(UpdateViewState::Checking);
    m_showResult = true;
    if (!m_check.IsRunning())
        m_check.Start(m_proxySource());
}

void UpdateFlow::Shutdown() {
    m_check.Shutdown();
    m_showResult = false;
    m_startupCheck = false;
}

void UpdateFlow::OnFinished(int code) {
    const bool show = m_showResult;
    const bool startup = m_startupCheck;
    m_showResult = false;
    m_startupCheck = false;
    // Whatever the result, the check the dialog's opener marked is over, so the dialog may start another.
    if (UpdateDisplay* view = View())
        view->SetChecking(false);
    if (show) {
        if (code == UpdateResult::NewerVersion || code == UpdateResult::NewestInUse)
            emit SendUpdateMesage();
        else
            emit SendUpdateLabel(resultMessage(code));
    }
    emit CheckFinished(code, startup);
}

void UpdateFlow::AcceptUpdateMessage() {
    RefreshUpdateView(false);
}

void UpdateFlow::AccepUpdateLabel(QString str) {
    UpdateDisplay* view = View();
    if (!view)
        return;
    view->SetMessage(str);
    view->SetState(UpdateViewState::CheckFailed);
}

// Whether the dialog offers the update rests on the program's own comparison of the versions, not on
// which of the two codes the service gave.
void UpdateFlow::RefreshUpdateView(bool quiet) {
    UpdateDisplay* view = View();
    if (!view)
        return;
    const QString newest = newestVersion();
    const QString installed = QString::fromUtf8(m_service.GetVersionCur());
    qCDebug(lcUpdate) << "UpdateView===============new=====" << newest << "    old ========" << installed;
    if (CompareVersions(newest, installed) > 0) {
        view->SetNewVersion(newest);
        view->SetState(UpdateViewState::UpdateAvailable);
    } else if (!quiet) {
        view->SetMessage(resultMessage(UpdateResult::NewestInUse));
        view->SetState(UpdateViewState::LatestVersion);
    }
}

QString UpdateFlow::newestVersion() const {
    return QString::fromUtf8(m_service.Info(1)).trimmed();
}

QString UpdateFlow::updateNotes() const {
    return m_service.NotesText();
}

QString UpdateFlow::updateDownloadUrl() const {
    const QString address = QString::fromUtf8(m_service.Info(2)).trimmed();
    if (address.isEmpty())
        return address;
    QUrl url(address, QUrl::TolerantMode);
    QUrlQuery query(url);
    query.addQueryItem(QStringLiteral("lang"), QString::fromUtf8(m_service.SetUpLang()));
    url.setQuery(query);
    return url.toString();
}
