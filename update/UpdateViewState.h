#pragma once

// The states of the update dialog, with the numbers its callers have always used.
enum class UpdateViewState {
    Checking = 0,        // a busy bar
    UpdateAvailable = 1, // new and current version, release notes, "Update" and "Skip"
    LatestVersion = 2,   // a message, the current version, "OK"
    CheckFailed = 3,     // a message and "Retry"
};
