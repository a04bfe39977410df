#pragma once

#include "deviceapi/zUZArovadu.h"

#include <QString>
#include <QVariant>

// The window's two device lists, which the device model keeps in step with the connected devices: the
// firmware page's list ("Model" operations) and the home page's list ("Device" operations). Each entry
// carries its device handle as item data. All calls are made on the GUI thread.
class DeviceListView {
public:
    virtual ~DeviceListView() = default;

    // The firmware page's list.
    virtual void AddModelEntry(const QString& text, const QVariant& data) = 0;
    virtual void RemoveModelEntry(int index) = 0;
    virtual int GetModelCount() = 0;
    virtual int GetModelIndex() = 0;
    virtual void SetModelIndex(int index) = 0;
    virtual QVariant GetModelData(int index) const = 0;
    virtual void SetModelItemText(int index, const QString& text) = 0;

    // The home page's list.
    virtual void AddDeviceEntry(const QString& text, const QVariant& data, MRDeviceRef device) = 0;
    virtual void RemoveDeviceEntry(int index) = 0;
    virtual int GetDeviceCount() = 0;
    virtual int GetDeviceIndex() = 0;
    virtual void SetDeviceIndex(int index) = 0;
    virtual QVariant GetDeviceData(int index) const = 0;
    virtual void SetDeviceItemText(int index, const QString& text) = 0;
};
