// The controller's operations that only pass a call on to the main window.
#include "Controller.h"

#include "ControllerWindow.h"
#include "RepairEngine.h"

void Controller::ShowConnectionStateAlt(bool connected) {
    if (m_window)
        m_window->ShowConnectionStateAlt(connected);
}

void Controller::OnDeviceConnectionChanged(bool connected, const QString& name, const QString& entryText,
                                           const QString& infoText) {
    if (m_window)
        m_window->OnDeviceConnectionChanged(connected, name, entryText, infoText);
}

void Controller::ShowConnectingAnimation() {
    if (m_window)
        m_window->ShowConnectingAnimation();
}

void Controller::ShowFixingDeviceName(MRDeviceRef device) {
    if (m_window)
        m_window->ShowFixingDeviceName(device);
}

void Controller::ShowReadyToFix() {
    if (m_window)
        m_window->ShowReadyToFix();
}

void Controller::ShowFirmwareError(const QString& code, const QString& description) {
    if (m_window)
        m_window->ShowFirmwareError(code, description);
}

void Controller::ClearFirmwareHint() {
    if (m_window)
        m_window->ClearFirmwareHint();
}

void Controller::ClearFirmwareState() {
    if (m_window)
        m_window->ClearFirmwareState();
}

void Controller::EnableRetryDownload(bool on) {
    if (m_window)
        m_window->EnableRetryDownload(on);
}

void Controller::ShowFirmwareHint(int hint) {
    if (m_window)
        m_window->ShowFirmwareHint(hint);
}

void Controller::ShowFirmwareState(int state) {
    if (m_window)
        m_window->ShowFirmwareState(state);
}

void Controller::ShowDownloadSpeed(qint64 bytesDone) {
    if (m_window)
        m_window->ShowDownloadSpeed(bytesDone);
}

void Controller::ShowFirmwareProgress(float value) {
    if (m_window)
        m_window->ShowFirmwareProgress(value);
}

void Controller::ShowRepairProgress(int step, float value) {
    if (m_window)
        m_window->ShowRepairProgress(step, value);
}

void Controller::RemoveDeviceEntry(int index) {
    if (m_window)
        m_window->RemoveDeviceEntry(index);
}

void Controller::RemoveModelEntry(int index) {
    if (m_window)
        m_window->RemoveModelEntry(index);
}

QVariant Controller::GetDeviceData(int index) {
    return m_window ? m_window->GetDeviceData(index) : QVariant();
}

QVariant Controller::GetModelData(int index) {
    return m_window ? m_window->GetModelData(index) : QVariant();
}

int Controller::GetDeviceCount() {
    return m_window ? m_window->GetDeviceCount() : 0;
}

int Controller::GetModelCount() {
    return m_window ? m_window->GetModelCount() : 0;
}

int Controller::GetDeviceIndex() {
    return m_window ? m_window->GetDeviceIndex() : -1;
}

int Controller::GetModelIndex() {
    return m_window ? m_window->GetModelIndex() : -1;
}

void Controller::AddDeviceEntry(const QString& text, const QVariant& data, MRDeviceRef device) {
    if (m_window)
        m_window->AddDeviceEntry(text, data, device);
}

void Controller::AddModelEntry(const QString& text, const QVariant& data) {
    if (m_window)
        m_window->AddModelEntry(text, data);
}

int Controller::GetSystemVersionIndex() {
    return m_window ? m_window->GetSystemVersionIndex() : -1;
}

QString Controller::CurrentSystemVersionText() {
    return m_window ? m_window->GetSystemVersionText() : QString();
}

bool Controller::GetFirstDownloadFlag() {
    return m_window && m_window->SetFirstDownloadSet();
}

void Controller::ClearFirstDownloadFlag() {
    if (m_window)
        m_window->FirstDownloadSet(false);
}

void Controller::ShowConnectionState(int index) {
    if (m_window)
        m_window->ShowConnectionState(index, m_model ? m_model->GetTypeBoxDevice() : 0);
}

void Controller::SetDeviceItemText(int index, const QString& text) {
    if (m_window)
        m_window->SetDeviceItemText(index, text);
}

void Controller::SetModelItemText(int index, const QString& text) {
    if (m_window)
        m_window->SetModelItemText(index, text);
}

void Controller::SetDeviceIndex(int index) {
    if (m_window)
        m_window->SetDeviceIndex(index);
}

void Controller::SetModelIndex(int index) {
    if (m_window)
        m_window->SetModelIndex(index);
}

int Controller::GetMainPageIndex() {
    if (m_window)
        m_mainPageIndex = m_window->GetMainPageIndex();
    return m_mainPageIndex;
}
