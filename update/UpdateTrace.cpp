#include "UpdateTrace.h"

Q_LOGGING_CATEGORY(lcUpdate, "mendra.update", QtWarningMsg)
