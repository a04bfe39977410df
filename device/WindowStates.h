#pragma once

#include <QObject>

// The main window's pages and the states its displays show, by the numbers the window, the controller and the
// engine have always used for them: a page is the index of its stacked widget, a state the index of its text.
// Unset stands for "nothing shown yet"; a text table leaves its label alone for it.
namespace WindowStates {
Q_NAMESPACE

// The main pages (stackedWidget).
enum class MainPage { Home = 0, ModeChoice = 1, Fix = 2, FirmwareSelection = 3, Guide = 4 };
Q_ENUM_NS(MainPage)

// The firmware selection page's sub-pages (CheckstackedWidget).
enum class CheckPage { ChooseFirmware = 0, CheckFirmware = 1 };
Q_ENUM_NS(CheckPage)

// The fix page's sub-pages (fixstackedWidget): no device, ready to fix, fixing and its result.
enum class FixSubPage { NoDevice = 0, ReadyToFix = 1, Fixing = 2 };
Q_ENUM_NS(FixSubPage)

// The fix page's header (connStatestackedWidget): no device, the device's name, type and version, the name of
// the device being fixed.
enum class FixConnState { Disconnected = 0, DeviceInfo = 1, FixingDevice = 2 };
Q_ENUM_NS(FixConnState)

// The home page's connection display (connectstackedWidget_2).
enum class HomeConnection { DeviceList = 0, NotConnected = 1, Connecting = 2 };
Q_ENUM_NS(HomeConnection)

// The firmware check's state.
enum class FirmwareState {
    Unset = -1,
    Downloading = 0,
    Downloaded = 1,
    DownloadFailed = 2,
    Verifying = 3,
    Verified = 4,
    VerifyFailed = 5
};
Q_ENUM_NS(FirmwareState)

// The hint under a failed firmware check.
enum class FirmwareHint { Unset = -1, KeepConnected = 0, TryOtherVersions = 1 };
Q_ENUM_NS(FirmwareHint)

// The repair mode the user chose. The device library's option word is the other way round (0 keeps the
// user's data).
enum class RepairMode { Advanced = 0, Standard = 1, NotChosen = 2 };
Q_ENUM_NS(RepairMode)

// The step of a repair the fix page shows progress for. A package that is gone by "Fix Now" is downloaded again
// by the second run, before its verification: that download has no number of the steps before it.
enum class RepairStep {
    Unset = -1,
    SecondaryVerification = 0,
    Unzipping = 1,
    EnteringRecovery = 2,
    Repairing = 3,
    Complete = 4,
    Downloading = 5
};
Q_ENUM_NS(RepairStep)

// What the Next button says.
enum class NextButtonState { Start = 0, Fixing = 1, TryAgain = 2, Done = 3, FixNow = 4 };
Q_ENUM_NS(NextButtonState)

// The fix page's result display.
enum class ResultState { Unset = -1, Fixing = 0, Succeeded = 1, Failed = 2 };
Q_ENUM_NS(ResultState)

// The recovery page's two guides (recoveryWidget).
enum class Guide { Recovery = 0, Dfu = 1 };
Q_ENUM_NS(Guide)

// The kinds of device a guide shows its steps for (stackedWidget_3, stackedWidget_4); only the recovery guide
// has the Apple TV pages.
enum class DeviceKind { Other = 0, iPhone7 = 1, iPhone8 = 2, AppleTv = 3, AppleTvHd = 4 };
Q_ENUM_NS(DeviceKind)

// The guide the status bar's link leads to.
enum class GuideLink { Unset = -1, ToRecovery = 0, ToDfu = 1 };
Q_ENUM_NS(GuideLink)

// The device model's device-present word: no device selected, a device selected, a change notification
// arrived (which says nothing sure about the device).
enum class DevicePresence { NoDevice = 0, Selected = 1, Changed = 2 };
Q_ENUM_NS(DevicePresence)

} // namespace WindowStates

using WindowStates::CheckPage;
using WindowStates::DeviceKind;
using WindowStates::DevicePresence;
using WindowStates::FirmwareHint;
using WindowStates::FirmwareState;
using WindowStates::FixConnState;
using WindowStates::FixSubPage;
using WindowStates::Guide;
using WindowStates::GuideLink;
using WindowStates::HomeConnection;
using WindowStates::MainPage;
using WindowStates::NextButtonState;
using WindowStates::RepairMode;
using WindowStates::RepairStep;
using WindowStates::ResultState;
