#pragma once

#include <QString>

#include <functional>

class QObject;

// The usage-statistics page the device model opens at start-up (a StatisticsPageFactory): reports the
// program's start, or its first start, by loading the edition's statistics link; whenDone runs once the page
// may be freed. The caller owns the page.
QObject* OpenStatisticsPage(const QString& url, bool firstRun, const std::function<void()>& whenDone);
