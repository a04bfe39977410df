#pragma once

// Source texts of the main window's state-dependent labels, translated in the window's context "Mendra";
// null for a state outside the label's table. The display operations and the language refresh share them,
// so a state is worded the same whichever of the two shows it.
const char* FirmwareStateSource(int state);
const char* FirmwareHintSource(int hint);
const char* RecoveryButtonSource(int deviceMode);
const char* RepairStepSource(int step);
