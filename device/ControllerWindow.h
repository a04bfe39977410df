#pragma once

#include "ModelWindow.h"
#include "deviceapi/zUZArovadu.h"

#include <QRect>
#include <QString>
#include <QVariant>

class QMenu;
class QWidget;

// The main window as the engine sees it: the pages, lists and displays that the controller and the
// device model drive. The window is a passive view; none of these report a failure. The window lives in a
// layer above the engine, so the engine knows it only through this interface.
class ControllerWindow : public ModelWindow {
public:
    virtual ~ControllerWindow();

    // WindowWidget (from ModelWindow) is the window itself: parent of boxes, file dialogs and dialog
    // frames, and owner of the title.
    // Global rectangle of the page stack, the area dialog frames are centred on.
    virtual QRect PageStackGlobalRect() const = 0;
    virtual void AddMenu(QMenu* menu) = 0;
    virtual void Retranslate() = 0;

    // Pages.
    virtual void SetMainPage(int page) = 0;
    virtual int GetMainPageIndex() const = 0;
    virtual void SetCheckPage(int page) = 0;
    virtual int GetCheckPageIndex() const = 0;
    virtual void SetFixSubPage(int page) = 0;
    virtual int GetFixPageIndex() const = 0;
    virtual void SetFixConnState(int state) = 0;

    // Status bar.
    virtual void ShowDownloadButtons(bool visible) = 0;
    virtual void HideDownloadButton() = 0;
    virtual void ResetStartButton() = 0;
    virtual void DisableStartButton() = 0;
    virtual void EnableRetryDownload(bool on) = 0;
    virtual void changGuiLblStaust() = 0;

    // Connection display and device lists.
    virtual void ShowConnectionState(int index, MRDeviceRef device) = 0;
    virtual void ShowConnectionStateAlt(bool connected) = 0;
    virtual void ShowConnectingAnimation() = 0;
    virtual void OnDeviceConnectionChanged(bool connected, const QString& name, const QString& entryText,
                                           const QString& infoText) = 0;
    virtual void SetDeviceTypeText(const QString& text) = 0;
    virtual void ShowFixingDeviceName(MRDeviceRef device) = 0;
    virtual void ShowFixStateUnconnected() = 0;
    virtual void AddDeviceEntry(const QString& text, const QVariant& data, MRDeviceRef device) = 0;
    virtual void AddModelEntry(const QString& text, const QVariant& data) = 0;
    virtual void RemoveDeviceEntry(int index) = 0;
    virtual void RemoveModelEntry(int index) = 0;
    virtual int GetDeviceCount() = 0;
    virtual int GetModelCount() = 0;
    virtual int GetDeviceIndex() = 0;
    virtual int GetModelIndex() = 0;
    virtual QVariant GetDeviceData(int index) const = 0;
    virtual QVariant GetModelData(int index) const = 0;
    virtual void SetDeviceIndex(int index) = 0;
    virtual void SetModelIndex(int index) = 0;
    virtual void SetDeviceItemText(int index, const QString& text) = 0;
    virtual void SetModelItemText(int index, const QString& text) = 0;

    // System versions of the current device.
    virtual void ClearSystemVersions() = 0;
    virtual void AddSystemVersion(const QString& text) = 0;
    virtual int GetSystemVersionIndex() = 0;
    virtual QString GetSystemVersionText() const = 0;

    // Firmware check.
    virtual void ShowFirmwareState(int state) = 0;
    virtual void ShowFirmwareHint(int hint) = 0;
    virtual void ClearFirmwareHint() = 0;
    virtual void ClearFirmwareState() = 0;
    virtual void ShowFirmwareError(const QString& code, const QString& description) = 0;
    virtual void ShowFirmwareProgress(float value) = 0;
    virtual void ShowDownloadSpeed(qint64 bytesDone) = 0;

    // Repair progress and result.
    virtual void ShowReadyToFix() = 0;
    virtual void ShowRepairProgress(int step, float value) = 0;
    virtual void ShowRepairSucceeded() = 0;
    virtual void ShowRepairFailed() = 0;
    virtual bool IsRepairDone() const = 0;

    // The first-download flag: the user has started a download from the Download button.
    virtual bool SetFirstDownloadSet() = 0;
    virtual void FirstDownloadSet(bool set) = 0;
};
