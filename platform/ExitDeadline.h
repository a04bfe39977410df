#pragma once

namespace platform {

// Ends the process with result once milliseconds have passed, whatever it is doing by then; returns at once.
// For the last steps of a shut-down, which may wait on the system: Qt's application object waits for every name
// lookup its network classes started, and a lookup through a name server that never answers ends only when the
// system's resolver gives up, minutes later. Nothing of the program's own is left to do by then.
void endProcessWithin(int milliseconds, int result);

} // namespace platform
