#pragma once

#include <QLoggingCategory>

// The update service's trace lines (request, reply, proxy, transfer errors); off unless the category
// "mendra.update" is switched on.
Q_DECLARE_LOGGING_CATEGORY(lcUpdate)
