#pragma once

#include "WindowStates.h"
#include "deviceapi/zUZArovadu.h"

#include <QString>
#include <QtGlobal>

class CItemDataBase;

// The devices of the window's two lists as the engine knows them, and the device library's answers about
// one device.
class EngineDevices {
public:
    virtual ~EngineDevices() = default;

    virtual MRDeviceRef CurrentDevice() = 0;    // current entry of the firmware page's list, 0 when none
    virtual MRDeviceRef GetTypeBoxDevice() = 0; // current entry of the home page's list, 0 when none
    virtual DevicePresence IsDevicePresent() const = 0;
    virtual void CheckWorkDevicePresent() = 0;
    // The device being repaired left during its run and may still come back (it re-enumerates when its mode
    // changes); the engine says when its departure is final.
    virtual bool IsWaitingForWorkDevice() const = 0;
    virtual CItemDataBase* MakeDeviceItem() = 0;

    virtual QString DeviceName(MRDeviceRef device) = 0;
    virtual int DeviceMode(MRDeviceRef device) = 0;
    virtual quint64 DeviceId(MRDeviceRef device) = 0;
};
