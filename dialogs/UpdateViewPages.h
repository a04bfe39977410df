#pragma once

#include <QObject>

// The update dialog's pages, by the numbers of its form: a page is the index of its stacked widget.
namespace UpdateViewPages {
Q_NAMESPACE

// The main pages (stackedWidget).
enum class UpdatePage { CheckingOrFailed = 0, UpdateAvailable = 1, LatestVersion = 2 };
Q_ENUM_NS(UpdatePage)

// The first page's sub-pages (CheckingstackedWidget): the busy bar, or the message of a failed check.
enum class CheckingPage { Busy = 0, Failed = 1 };
Q_ENUM_NS(CheckingPage)

} // namespace UpdateViewPages
