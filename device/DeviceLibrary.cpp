#include "DeviceLibrary.h"

#include <QCoreApplication>
#include <QDir>

namespace {

// What the program sees when there is no library: no devices, no firmware, every job refused.
DeviceLibrary::Functions standIns() {
    DeviceLibrary::Functions f;
    f.MRRegisterDatabaseUpgradeCallback = [](MRDatabaseUpgradeCallback, void*) {};
    f.MRRegisterDeviceNotification = [](MRDeviceNotificationCallback, void*, int* handle) {
        if (handle)
            *handle = 0;
    };
    f.MRUnregisterDeviceNotification = [](int) {};
    f.MRGetDeviceName = [](MRDeviceRef) { return ""; };
    f.MRGetDeviceInfo = [](MRDeviceRef) { return ""; };
    f.MRGetDeviceMode = [](MRDeviceRef) { return -1; };
    f.MRGetDeviceId = [](MRDeviceRef) { return uint64_t(0); };
    f.MREnterRecovery = [](MRDeviceRef, int) { return int(MRErrorNoDevice); };
    f.MRQuitRecovery = [](MRDeviceRef, int) { return int(MRErrorNoDevice); };
    f.MRGetFirmwareCount = [](MRDeviceRef) { return 0; };
    f.MRGetFirmwareEntry = [](MRDeviceRef, int) -> const MRFirmwareEntry* { return nullptr; };
    f.MRSelectFirmware = [](MRDeviceRef, int) {};
    f.MRSetLocalFirmware = [](MRDeviceRef, const char*) {};
    f.MRRestore = [](MRDeviceRef, int, MRRestoreCallback, void*) { return int(MRErrorNoDevice); };
    f.MRStopDevice = [](MRDeviceRef) {};
    f.MRSetDownloadFolder = [](const char*) {};
    f.MRSetDeleteFirmware = [](int) {};
    f.MRSetProxy = [](const MRProxyInfo*) {};
    return f;
}

} // namespace

DeviceLibrary& DeviceLibrary::instance() {
    // Never destroyed: the library's threads may call back until the very end of the process.
    static DeviceLibrary* library = new DeviceLibrary(defaultPath());
    return *library;
}

QString DeviceLibrary::defaultPath() {
    const QString overridden = qEnvironmentVariable("MENDRA_DEVICE_LIBRARY");
    if (!overridden.isEmpty())
        return overridden;
    const QString folder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    return QDir(folder).filePath(QStringLiteral("libzUZArovadu.so"));
}

DeviceLibrary::DeviceLibrary(const QString& path) : m_library(path) {
    m_library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!m_library.load()) {
        m_error = QStringLiteral("Cannot load the device library %1: %2").arg(path, m_library.errorString());
        useStandIns();
        return;
    }
    Functions resolved;
    QStringList missing;
#define MR_RESOLVE(ret, name, args)                                                                                    \
    resolved.name = reinterpret_cast<name##Fn>(m_library.resolve(#name));                                              \
    if (!resolved.name)                                                                                                \
        missing << QStringLiteral(#name);
    MR_FUNCTIONS(MR_RESOLVE)
#undef MR_RESOLVE
    if (!missing.isEmpty()) {
        m_error = QStringLiteral("The device library %1 lacks %2").arg(path, missing.join(QStringLiteral(", ")));
        useStandIns();
        return;
    }
    m_functions = resolved;
    m_loaded = true;
}

QFunctionPointer DeviceLibrary::resolve(const char* symbol) {
    return m_loaded ? m_library.resolve(symbol) : nullptr;
}

void DeviceLibrary::useStandIns() {
    m_functions = standIns();
}
