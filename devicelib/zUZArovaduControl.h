/*
 * Test-only control of the simulated devices inside libzUZArovadu.
 *
 * The library exports one extra function, MRSimGetControl, that returns this table. Tests at every level
 * resolve it by name from the loaded library (or call it directly when they link the library) and then plug
 * and unplug devices, change their mode, break the next run, read what a run did to a device, and wait until
 * the library has nothing left to deliver. Another implementation of the device library need not export it.
 *
 * Devices are addressed by their id (the value of MRGetDeviceId), which survives re-enumeration.
 */
#ifndef ZUZAROVADU_CONTROL_H
#define ZUZAROVADU_CONTROL_H

#include "deviceapi/zUZArovadu.h"

#ifdef __cplusplus
extern "C" {
#endif

/* A fault for the next run of one device. It fires when the step reaches atPercent (0 fires at once). */
typedef struct MRSimFault {
    int step;                /* MRStep... */
    int atPercent;           /* 0 to 100 */
    int code;                /* reported error code (ignored when depart or noFinalReport is set) */
    const char* description; /* reported description; copied */
    int depart;              /* 1: the device leaves at that point instead */
    int noFinalReport;       /* 1: the run ends there without a finished report */
    int repeat;              /* 1: stays for every later run; 0: fires once */
} MRSimFault;

typedef struct MRSimDeviceState {
    int known;            /* 1 when the scenario has a device with this id */
    int present;          /* 1 while connected */
    MRDeviceRef handle;   /* current handle, 0 when absent */
    int mode;             /* MRMode... */
    int erased;           /* 1 after an advanced-mode restore */
    int restoreCount;     /* completed restores */
    int lastOption;       /* option word of the last completed restore, -1 before */
    char lastVersion[64]; /* firmware version of the last completed restore */
    int jobRunning;       /* 1 while a restore or a recovery-mode change runs */
} MRSimDeviceState;

typedef struct MRSimControl {
    /* Replaces the scenario: present devices depart (announced as usual), the new scenario's devices
     * arrive. Returns 0, or -1 with the reason in LastError. */
    int (*LoadScenario)(const char* json);
    int (*LoadScenarioFile)(const char* path);
    const char* (*LastError)(void);
    /* Connect or disconnect a device of the scenario; -1 when unknown or already so. Unplugging a device that
     * is off the bus while it re-enumerates keeps it from coming back. */
    int (*Plug)(uint64_t id);
    int (*Unplug)(uint64_t id);
    /* Changes the mode the way the scenario reports mode changes; -1 when absent or the mode is invalid. */
    int (*SetMode)(uint64_t id, int mode);
    int (*InjectFault)(uint64_t id, const MRSimFault* fault);
    void (*ClearFaults)(uint64_t id);
    int (*GetState)(uint64_t id, MRSimDeviceState* state);
    void (*TriggerDatabaseUpgrade)(void);
    /* Waits until no notification is due or being delivered and no job runs; 0 when idle, -1 on time-out.
     * Arrivals and departures that the scenario schedules for later do not count; a device's return from a
     * re-enumeration does. */
    int (*WaitIdle)(int timeoutMs);
} MRSimControl;

MR_API const MRSimControl* MRSimGetControl(void);
typedef const MRSimControl* (*MRSimGetControlFn)(void);

#ifdef __cplusplus
}
#endif

#endif /* ZUZAROVADU_CONTROL_H */
