#pragma once

#include "EngineDevices.h"
#include "EngineFirmware.h"
#include "EngineServices.h"
#include "RepairRuns.h"

struct ModelHost;
class ModelController;
class ModelNotices;

// The device and repair engine as the layers above it use it: its devices, firmware, runs and services.
// The program's engine is the device model on the loaded device library; tests put a double in its place.
class RepairEngine : public EngineDevices, public EngineFirmware, public RepairRuns, public EngineServices {
public:
    ~RepairEngine() override;

    // The mediator the engine reports to and the boxes it shows; either may be null.
    virtual void SetController(ModelController* controller) = 0;
    virtual void SetNotices(ModelNotices* notices) = 0;
};

// The program's engine for the main window: the device model on the loaded device library, driving the
// host's displays.
RepairEngine* CreateRepairEngine(const ModelHost& host);
