// The engine reaching for the controller above it.
#include "controller/Controller.h"
