#pragma once

#include "deviceapi/zUZArovadu.h"

#include <QByteArray>

// The firmware packages of a device: the library's catalogue, a local package, where downloads go and
// whether they are deleted after a repair.
class EngineFirmware {
public:
    virtual ~EngineFirmware() = default;

    virtual int GetFirmwareEntryCount(MRDeviceRef device) = 0;
    virtual const MRFirmwareEntry* GetFirmwareEntry(MRDeviceRef device, int index) = 0;
    virtual const MRFirmwareEntry* GetSelectedFirmwareEntry() = 0;
    virtual void SetLocalFirmware(MRDeviceRef device, const QByteArray& path) = 0;
    virtual void SelectFirmware(MRDeviceRef device, int index) = 0;
    virtual void SetDownloadFolder(const QByteArray* folder) = 0; // null: no folder
    virtual void SetDeleteFirmware(int enable) = 0;
};
