#pragma once

// The update dialog's host on a real update flow, as the controller is to be: "Retry" runs a check
// and the notes and download address come from the flow. Skipping and opening are not looked at here.

#include "dialogs/UpdateViewHost.h"
#include "update/UpdateFlow.h"

class FlowViewHost : public UpdateViewHost {
public:
    explicit FlowViewHost(UpdateFlow& flow) : m_flow(flow) {}
    void CheckForUpdate() override { m_flow.CheckForUpdate(false); }
    void SkipVersion(const QString&) override {}
    QString GetUpdateDescription() override { return m_flow.GetUpdateDescription(); }
    QString GetUpdateDownloadUrl() override { return m_flow.updateDownloadUrl(); }
    void OpenDownloadAddress(const QUrl&) override {}

private:
    UpdateFlow& m_flow;
};
