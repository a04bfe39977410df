/*
 * zUZArovadu: the device library's plain C interface.
 *
 * The program never links against the library; it loads the shared object at run time and resolves each
 * function by name (see DeviceLibrary). Any implementation that exports these names with these signatures
 * can be dropped in. The library's own export table numbers the functions; ELF has no ordinals, so the
 * numbers are kept here only as a reference:
 *
 *    1 MRRegisterDatabaseUpgradeCallback    11 MRGetFirmwareCount
 *    2 MRRegisterDeviceNotification         12 MRGetFirmwareEntry
 *    3 MRUnregisterDeviceNotification       13 MRSelectFirmware
 *    4 MRGetDeviceName                      14 MRSetLocalFirmware
 *    5 MRGetDeviceInfo                      15 MRRestore
 *    7 MRGetDeviceMode                      16 MRStopDevice
 *    8 MRGetDeviceId                        17 MRSetDownloadFolder
 *    9 MREnterRecovery                      19 MRSetDeleteFirmware
 *   10 MRQuitRecovery                       24 MRSetProxy
 *
 * Threads: every callback comes from one of the library's own threads. Device notifications are delivered in
 * order by a single event thread; devices already present when a callback registers are announced from that
 * thread, never from inside the registration call. The library holds no lock while it calls back, so a
 * callback may call any function here, including MRStopDevice. Once MRUnregisterDeviceNotification returns,
 * no callback of that registration runs any more; it waits for a callback that is running at that moment, so
 * it must not be called from a thread that such a callback is waiting for.
 *
 * Strings returned or reported are UTF-8, owned by the library and stay valid until the library is unloaded.
 * Device handles are never reused; a handle whose device has left gives empty results (name "", mode -1,
 * id 0, no firmware entries) and never crashes.
 *
 * Files: online packages are downloaded into the folder of MRSetDownloadFolder, and every package, a local
 * one too, is unpacked below it (below the system's temporary folder while none is set), into a folder of
 * the run's own that is gone when the run ends.
 *
 * A restore outlives its device's re-enumeration: while the device is off the bus the restore waits for it to
 * come back (for a time of the library's own) and then goes on reporting under the new handle. MRStopDevice
 * ends a job given the handle the job began with or any later handle of the same device.
 */
#ifndef ZUZAROVADU_H
#define ZUZAROVADU_H

#include <stdint.h>

#if defined(ZUZAROVADU_BUILDING)
#define MR_API __attribute__((visibility("default")))
#else
#define MR_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Opaque handle of one connected device; 0 is no device. A device that leaves and comes back, or that
 * re-enumerates when its mode changes, gets a new handle but keeps its id (MRGetDeviceId). */
typedef uint32_t MRDeviceRef;

/* Kind of a device notification. */
typedef int MRDeviceNotifyType;
enum { MRDeviceArrival = 0, MRDeviceDeparture = 1, MRDeviceChange = 2 };

/* Device mode as MRGetDeviceMode reports it. */
enum { MRModeNormal = 0, MRModeRecovery = 1, MRModeDFU = 2 };

/* Repair option word for MRRestore. */
enum { MROptionStandard = 0, MROptionAdvanced = 1 };

/* Steps and statuses of a restore report. */
enum { MRStepDownload = 0, MRStepVerify = 1, MRStepUnzip = 2, MRStepEnterRecovery = 3, MRStepRestore = 4 };
enum { MRStatusStarted = 0, MRStatusFinished = 1, MRStatusProgress = 2 };

/* Error codes this implementation reports in a finished report and returns from MRRestore, MREnterRecovery
 * and MRQuitRecovery. A scenario may inject any other code. */
enum {
    MRErrorNone = 0,
    MRErrorBusy = 1,          /* the device already runs a job */
    MRErrorNoDevice = 2,      /* the handle names no connected device */
    MRErrorNoFirmware = 3,    /* no firmware entry selected, or the entry is unusable */
    MRErrorFolder = 4,        /* the download folder cannot be created or written */
    MRErrorNetwork = 5,       /* connection failed or broke off */
    MRErrorHttp = 6,          /* the server answered with an HTTP error status */
    MRErrorShortBody = 7,     /* the server sent fewer bytes than announced */
    MRErrorWrite = 8,         /* a file could not be written (disk full, permissions) */
    MRErrorChecksum = 9,      /* the package's SHA-1 or size does not match the catalogue */
    MRErrorPackage = 10,      /* the package is not a well-formed package for this device */
    MRErrorRead = 11,         /* the package could not be read */
    MRErrorUnzip = 12,        /* the package could not be unpacked */
    MRErrorDevice = 13,       /* the device refused the operation */
    MRErrorDisconnected = 14, /* the device left during the operation */
    MRErrorStopped = 15       /* MRStopDevice or the callback's -1 ended the job (returned, never reported) */
};

/* A verify step that succeeds names the package it verified in its description: the catalogue entry's version
 * text for an online package, and for a local one the package's own, read from the package ("17.1 (21B74)"). */
typedef struct MRRestoreResult {
    int code;                /* 0 success */
    const char* description; /* never null */
} MRRestoreResult;

typedef struct MRRestoreProgress {
    uint64_t done;  /* bytes while downloading */
    uint64_t total; /* 0 when unknown */
} MRRestoreProgress;

/* One repair report. The record is valid during the callback; the description text stays valid until the
 * library is unloaded. */
typedef struct MRRestoreCallbackData {
    int step;   /* MRStep... */
    int status; /* MRStatus... */
    union {
        MRRestoreResult result;     /* status finished */
        MRRestoreProgress progress; /* status progress */
    };
} MRRestoreCallbackData;

typedef struct MRFirmwareEntry {
    const char* version;
    const char* url;
} MRFirmwareEntry;

typedef struct MRProxyInfo {
    char host[20]; /* Latin-1, zero-terminated */
    int port;
    int kind; /* 1: HTTP proxy */
    char user[256];
    char password[256];
} MRProxyInfo;

typedef void (*MRDatabaseUpgradeCallback)(void* user);
typedef void (*MRDeviceNotificationCallback)(MRDeviceRef device, MRDeviceNotifyType type, void* user);
/* Answers 0 to go on, or -1 (after a reported error) to end the job: no report follows a -1. */
typedef int (*MRRestoreCallback)(MRRestoreCallbackData* data, void* user);

#define MR_FUNCTIONS(X)                                                                                                \
    X(void, MRRegisterDatabaseUpgradeCallback, (MRDatabaseUpgradeCallback callback, void* user))                       \
    X(void, MRRegisterDeviceNotification, (MRDeviceNotificationCallback callback, void* user, int* handle))            \
    X(void, MRUnregisterDeviceNotification, (int handle))                                                              \
    X(const char*, MRGetDeviceName, (MRDeviceRef device))                                                              \
    X(const char*, MRGetDeviceInfo, (MRDeviceRef device))                                                              \
    X(int, MRGetDeviceMode, (MRDeviceRef device))                                                                      \
    X(uint64_t, MRGetDeviceId, (MRDeviceRef device))                                                                   \
    X(int, MREnterRecovery, (MRDeviceRef device, int flags))                                                           \
    X(int, MRQuitRecovery, (MRDeviceRef device, int flags))                                                            \
    X(int, MRGetFirmwareCount, (MRDeviceRef device))                                                                   \
    X(const MRFirmwareEntry*, MRGetFirmwareEntry, (MRDeviceRef device, int index))                                     \
    X(void, MRSelectFirmware, (MRDeviceRef device, int index))                                                         \
    X(void, MRSetLocalFirmware, (MRDeviceRef device, const char* path))                                                \
    X(int, MRRestore, (MRDeviceRef device, int option, MRRestoreCallback callback, void* user))                        \
    X(void, MRStopDevice, (MRDeviceRef device))                                                                        \
    X(void, MRSetDownloadFolder, (const char* folder))                                                                 \
    X(void, MRSetDeleteFirmware, (int enable))                                                                         \
    X(void, MRSetProxy, (const MRProxyInfo* proxy))

/* Prototypes for the library itself and for code that links it directly (its own tests); the program
 * uses the pointer types through DeviceLibrary. */
#define MR_DECLARE_FUNCTION(ret, name, args)                                                                           \
    MR_API ret name args;                                                                                              \
    typedef ret(*name##Fn) args;
MR_FUNCTIONS(MR_DECLARE_FUNCTION)
#undef MR_DECLARE_FUNCTION

#ifdef __cplusplus
}
#endif

#endif /* ZUZAROVADU_H */
