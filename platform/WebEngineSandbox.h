#pragma once

namespace platform {

// The web engine's sandbox refuses to start for root, and the program would end before its window shows.
// For root (and only then) the sandbox is switched off; an explicit setting in the environment is kept.
// Must run before any application object exists.
void prepareWebEngineSandbox();

} // namespace platform
