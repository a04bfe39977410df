#pragma once

#include "DeviceDetectionView.h"
#include "DialogHost.h"
#include "RepairResultView.h"
#include "StatusButtons.h"
#include "WindowPages.h"

// The main window as the controller sees it. The window is a passive view; none of these report a failure.
class ControllerWindow : public WindowPages,
                         public StatusButtons,
                         public DeviceDetectionView,
                         public RepairResultView,
                         public DialogHost {
public:
    ~ControllerWindow() override;
};
