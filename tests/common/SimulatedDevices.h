#pragma once

#include "device/DeviceLibrary.h"
#include "devicelib/zUZArovaduControl.h"

#include <QDir>

// The simulated devices of the device library that the program itself loads, for tests above the library:
// the library built beside the program is used unless MENDRA_DEVICE_LIBRARY already names one, and its
// test-only control table is returned (null when the loaded library has none).
inline const MRSimControl* simulatedDevices() {
    if (qEnvironmentVariableIsEmpty("MENDRA_DEVICE_LIBRARY")) {
        const QString built = QDir(qEnvironmentVariable("MENDRA_RUNTIME_DIR")).filePath("libzUZArovadu.so");
        qputenv("MENDRA_DEVICE_LIBRARY", built.toLocal8Bit());
    }
    auto control = reinterpret_cast<MRSimGetControlFn>(DeviceLibrary::instance().resolve("MRSimGetControl"));
    return control ? control() : nullptr;
}
