#include "RepairEngine.h"

RepairEngine::~RepairEngine() = default;
