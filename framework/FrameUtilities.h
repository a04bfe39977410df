#pragma once

// Small helpers kept for windows that want them.

// Keeps the event loop running for the given time. Prefer a timer or a signal wait where possible.
void WaitWithEvents(int milliseconds);

// One process-wide flag, false at start.
bool GetAppFlag();
void SetAppFlag(const bool& flag);
