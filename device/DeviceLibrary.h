#pragma once

#include "deviceapi/zUZArovadu.h"

#include <QLibrary>
#include <QString>

// The device library, loaded at run time and resolved once: every function of its C interface is looked up
// when the library is loaded, so a missing file or a missing function shows up at start-up with a clear
// message instead of as a crash in the middle of a repair.
//
// The file is libzUZArovadu.so in the program folder, or the file that MENDRA_DEVICE_LIBRARY names. When it
// cannot be loaded, functions() still returns callable stand-ins that report no devices and fail every job,
// so the program can show the error and keep running.
class DeviceLibrary {
public:
    struct Functions {
#define MR_FUNCTION_POINTER(ret, name, args) name##Fn name = nullptr;
        MR_FUNCTIONS(MR_FUNCTION_POINTER)
#undef MR_FUNCTION_POINTER
    };

    // Loads the library from defaultPath() on first use; the library stays loaded until the process ends,
    // because its threads may still be running.
    static DeviceLibrary& instance();
    static const Functions& api() {
        return instance().functions();
    }

    // MENDRA_DEVICE_LIBRARY when set, else the library in the folder of the running program.
    static QString defaultPath();

    explicit DeviceLibrary(const QString& path);
    DeviceLibrary(const DeviceLibrary&) = delete;
    DeviceLibrary& operator=(const DeviceLibrary&) = delete;

    bool isLoaded() const {
        return m_loaded;
    }
    QString errorString() const {
        return m_error;
    }
    QString fileName() const {
        return m_library.fileName();
    }
    const Functions& functions() const {
        return m_functions;
    }

    // Another exported symbol, such as the test-only control table; null when absent or not loaded.
    QFunctionPointer resolve(const char* symbol);

private:
    void useStandIns();

    QLibrary m_library;
    Functions m_functions;
    bool m_loaded = false;
    QString m_error;
};
