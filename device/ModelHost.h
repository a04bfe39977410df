#pragma once

#include <QString>

#include <functional>

class ConnectionView;
class DeviceListView;
class FirmwareCheckView;
class FirmwareChoiceView;
class QObject;
class RepairProgressView;

// Opens the usage-statistics page for the edition's link (firstRun: the program's first start); the page
// calls whenDone once it may be freed. The page is the caller's to delete.
using StatisticsPageFactory =
    std::function<QObject*(const QString& url, bool firstRun, const std::function<void()>& whenDone)>;

// What the device model drives in the layers above it: the main window's displays, each through its own
// interface (the window may hand the same object for all of them), and the statistics page it opens at
// start-up. Every display must be set; without a statistics factory no page is opened.
struct ModelHost {
    DeviceListView* lists = nullptr;
    ConnectionView* connection = nullptr;
    FirmwareCheckView* firmwareCheck = nullptr;
    RepairProgressView* progress = nullptr;
    FirmwareChoiceView* firmwareChoice = nullptr;
    StatisticsPageFactory statisticsPage;

    // A host whose displays are all the one object, such as the main window.
    template <typename Views> static ModelHost AllOn(Views* views) {
        ModelHost host;
        host.lists = views;
        host.connection = views;
        host.firmwareCheck = views;
        host.progress = views;
        host.firmwareChoice = views;
        return host;
    }
};
