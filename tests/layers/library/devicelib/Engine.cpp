// The device library reaching into the engine.
#include "device/MyModel.h"
#include "deviceapi/zUZArovadu.h"
