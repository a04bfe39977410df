#pragma once

#include "device/ConnectionView.h"
#include "device/DeviceListView.h"
#include "device/FirmwareCheckView.h"
#include "device/FirmwareChoiceView.h"
#include "device/ModelController.h"
#include "device/ModelHost.h"
#include "device/ModelNotices.h"
#include "device/MyModel.h"
#include "device/RepairProgressView.h"

#include "StateName.h"

#include <QStringList>
#include <QVector>

#include <functional>

// Stands in for the mediator and the main window: two device lists that behave like the window's combo
// boxes, the flags the model reads, the texts of the notices it showed, and a log of every display call,
// e.g. "ShowFirmwareState(DownloadFailed)".
class FakeModelHost : public ModelController,
                      public ModelNotices,
                      public DeviceListView,
                      public ConnectionView,
                      public FirmwareCheckView,
                      public RepairProgressView,
                      public FirmwareChoiceView {
public:
    struct Entry {
        QString text;
        QVariant data;
    };
    struct List {
        QVector<Entry> entries;
        int current = -1;

        void add(const QString& text, const QVariant& data) {
            entries.append({text, data});
            current = entries.size() - 1;
        }
        void remove(int index) {
            if (index < 0 || index >= entries.size())
                return;
            entries.remove(index);
            if (index < current)
                --current;
            else if (index == current || current >= entries.size())
                current = entries.isEmpty() ? -1 : qMin(index, entries.size() - 1);
        }
        QStringList texts() const {
            QStringList list;
            for (const Entry& e : entries)
                list << e.text;
            return list;
        }
        MRDeviceRef currentDevice() const { return current >= 0 ? MRDeviceRef(entries[current].data.toLongLong()) : 0; }
    };

    List models;  // the firmware page's list
    List devices; // the home page's list
    QStringList calls;
    MyModel* model = nullptr;
    bool firstDownload = true;
    bool online = true;
    bool workDevicePresent = true;
    int systemVersionIndex = 0;
    int updateChecksAtStart = 0;
    int currentStep = -1;
    int itemMode = -1;
    QString firmwareCode;
    QString firmwareDescription;
    QString systemVersionText; // as the ready page would show it
    QStringList notices;
    QList<bool> offerAnswers;
    // Runs inside ShowReadyToFix, while the library still waits for the report that led there.
    std::function<void()> onReadyToFix;
    // Runs inside each ShowRepairProgress, the library waiting as well.
    std::function<void(RepairStep, float)> onRepairProgress;

    int count(const QString& call) const { return calls.count(call); }
    bool has(const QString& call) const { return calls.contains(call); }
    int indexOf(const QString& call) const { return calls.indexOf(call); }
    QStringList filter(const QString& part) const { return calls.filter(part); }

    // Every display of the window is this host.
    ModelHost parts() { return ModelHost::AllOn(this); }

    void ShowNotice(const QString& text, const QString&) override { notices << text; }
    // An offer is taken with the next of offerAnswers, and declined once they are used up.
    bool AskNotice(const QString& text, const QString&) override {
        notices << text;
        return !offerAnswers.isEmpty() && offerAnswers.takeFirst();
    }

    // DeviceListView
    void AddModelEntry(const QString& text, const QVariant& data) override { models.add(text, data); }
    void RemoveModelEntry(int index) override { models.remove(index); }
    int GetModelCount() override { return models.entries.size(); }
    int GetModelIndex() override { return models.current; }
    void SetModelIndex(int index) override { models.current = index; }
    QVariant GetModelData(int index) const override { return models.entries.value(index).data; }
    void SetModelItemText(int index, const QString& text) override { models.entries[index].text = text; }
    void AddDeviceEntry(const QString& text, const QVariant& data, MRDeviceRef) override { devices.add(text, data); }
    void RemoveDeviceEntry(int index) override { devices.remove(index); }
    int GetDeviceCount() override { return devices.entries.size(); }
    int GetDeviceIndex() override { return devices.current; }
    void SetDeviceIndex(int index) override { devices.current = index; }
    QVariant GetDeviceData(int index) const override { return devices.entries.value(index).data; }
    void SetDeviceItemText(int index, const QString& text) override { devices.entries[index].text = text; }

    // ConnectionView
    void ShowConnectionStateAlt(bool connected) override {
        calls << QStringLiteral("ShowConnectionStateAlt(%1)").arg(connected);
    }
    void ShowConnectionState(int index, MRDeviceRef) override {
        calls << QStringLiteral("ShowConnectionState(%1)").arg(index);
    }
    void OnDeviceConnectionChanged(bool connected, const QString&, const QString& entryText,
                                   const QString& infoText) override {
        calls << QStringLiteral("OnDeviceConnectionChanged(%1,%2,%3)").arg(connected).arg(entryText, infoText);
    }
    void ShowConnectingAnimation() override { calls << "ShowConnectingAnimation"; }
    void ShowRecoveryButtonState(int) override { calls << "ShowRecoveryButtonState"; }

    // ModelController. As the mediator does: look whether the device being repaired is still listed.
    void OnDeviceDetected(int index) override {
        calls << QStringLiteral("OnDeviceDetected(%1)").arg(index);
        if (model)
            model->CheckWorkDevicePresent();
    }
    void SetWorkDevicePresent(bool present) override { workDevicePresent = present; }
    void SetItemMode(int mode) override { itemMode = mode; }

    void SetSystemVersionText(const QString& text) override { systemVersionText = text; }
    bool IsOnlineFirmware() override { return online; }
    void SetFirmwarePath(const QString& path) override { calls << "SetFirmwarePath(" + path + ")"; }
    void SetFirmwareText(const QString&) override {}
    void SetCurrentStep(int step) override { currentStep = step; }
    void SetDownloading(bool downloading) override { calls << QStringLiteral("SetDownloading(%1)").arg(downloading); }
    void ShowRepairSucceeded() override { calls << "ShowRepairSucceeded"; }
    void ShowRepairFailed() override { calls << "ShowRepairFailed"; }
    // Counted apart from the calls: the start-up check ends whenever it ends, amid any test.
    void UpdateCheckedAtStart() override { ++updateChecksAtStart; }

    // FirmwareChoiceView
    bool SetFirstDownloadSet() override { return firstDownload; }
    void FirstDownloadSet(bool set) override { firstDownload = set; }
    int GetSystemVersionIndex() override { return systemVersionIndex; }
    QString GetSystemVersionText() const override { return QStringLiteral("17.0"); }

    // FirmwareCheckView
    void EnableRetryDownload(bool enable) override {
        if (enable)
            calls << "EnableRetryDownload(1)";
    }
    void ClearFirmwareHint() override {}
    void ClearFirmwareState() override {}
    void ShowFirmwareState(FirmwareState state) override {
        calls << QStringLiteral("ShowFirmwareState(%1)").arg(StateName(state));
    }
    void ShowFirmwareHint(FirmwareHint hint) override {
        calls << QStringLiteral("ShowFirmwareHint(%1)").arg(StateName(hint));
    }
    void ShowFirmwareError(const QString& code, const QString& description) override {
        firmwareCode = code;
        firmwareDescription = description;
        calls << "ShowFirmwareError(" + code + ")";
    }
    void ShowFirmwareProgress(float value) override {
        calls << QStringLiteral("ShowFirmwareProgress(%1)").arg(double(value));
    }
    void ShowDownloadSpeed(qint64) override { calls << "ShowDownloadSpeed"; }
    void ShowDownloadAnimation() override { calls << "ShowDownloadAnimation"; }
    void ShowVerifyAnimation() override { calls << "ShowVerifyAnimation"; }
    void ShowDownloadFailedPicture() override { calls << "ShowDownloadFailedPicture"; }
    void ShowVerifyFailedPicture() override { calls << "ShowVerifyFailedPicture"; }
    void ReturnToFirmwareCheck() override { calls << "ReturnToFirmwareCheck"; }

    // RepairProgressView
    void ShowFixingDeviceName(MRDeviceRef) override {}
    void ShowRepairProgress(RepairStep step, float value) override {
        calls << QStringLiteral("ShowRepairProgress(%1,%2)").arg(StateName(step)).arg(double(value));
        if (onRepairProgress)
            onRepairProgress(step, value);
    }
    void ShowReadyToFix() override {
        calls << "ShowReadyToFix";
        if (onReadyToFix)
            onReadyToFix();
    }
};
