// The device model's part in the update check. The check itself runs on the update flow's worker thread, so
// the window never waits for the update server: the model starts the silent check of the start-up, hands
// the update dialog's requests on, and tells the mediator when the start-up check has ended, which then
// decides whether to offer the update.
#include "MyModel.h"

#include "ModelController.h"
#include "app/RunLog.h"
#include "update/UpdateFlow.h"
#include "update/UpdateService.h"

void MyModel::RunStartupUpdateCheck() {
    CRegImpl& service = UpdateService();
    SetUpUpdateService(service);
    m_updateFlow = std::make_unique<UpdateFlow>(service);
    connect(m_updateFlow.get(), &UpdateFlow::CheckFinished, this, &MyModel::OnUpdateCheckFinished);
    if (!m_updateFlow->StartStartupCheck())
        RunLog->WriteString(TextLog::Warning, QStringLiteral("Update: the start-up check did not start"), true);
}

void MyModel::OnUpdateCheckFinished(int code, bool startup) {
    if (!startup)
        return;
    RunLog->WriteString(TextLog::Info, QStringLiteral("Update: start-up check ended with %1").arg(code), true);
    if (m_controller)
        m_controller->UpdateCheckedAtStart();
}

void MyModel::SetUpdateView(QObject* view) {
    m_updateView = view;
    if (m_updateFlow)
        m_updateFlow->SetUpdateView(view);
}

void MyModel::CheckForUpdate(bool atStart) {
    if (m_updateFlow)
        m_updateFlow->CheckForUpdate(atStart);
}

void MyModel::GetUpdateDescription(QString& description) {
    description = m_updateFlow ? m_updateFlow->GetUpdateDescription() : QString();
}

QString MyModel::NewestVersion() const {
    return m_updateFlow ? m_updateFlow->newestVersion() : QString();
}

QString MyModel::UpdateDownloadUrl() const {
    return m_updateFlow ? m_updateFlow->updateDownloadUrl() : QString();
}

void MyModel::SetUpdateLanguage(const QString& language) {
    SetServiceLanguage(language.toLocal8Bit());
}

void MyModel::AcceptUpdateMessage() {
    if (m_updateFlow)
        m_updateFlow->AcceptUpdateMessage();
}

void MyModel::AccepUpdateLabel(QString str) {
    if (m_updateFlow)
        m_updateFlow->AccepUpdateLabel(str);
}
