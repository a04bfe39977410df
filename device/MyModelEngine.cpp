#include "RepairEngine.h"

RepairEngine* CreateRepairEngine(ControllerWindow* /*window*/) {
    return nullptr;
}
