#pragma once

#include "device/WindowStates.h"

// Source texts of the main window's state-dependent labels, translated in the window's context "Mendra";
// null for a state outside the label's table. The display operations and the language refresh share them,
// so a state is worded the same whichever of the two shows it.
const char* FirmwareStateSource(FirmwareState state);
const char* FirmwareHintSource(FirmwareHint hint);
const char* RecoveryButtonSource(int deviceMode);
const char* RepairStepSource(RepairStep step);
const char* NextButtonSource(NextButtonState state);
