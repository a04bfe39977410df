#pragma once

// The statistics mode: "--count--url--" (any case) followed by "install" or "uninstall" reports
// that event to the statistics page and ends; nothing else starts.

// The page's action for such a command line (QMyWeb::Install or QMyWeb::Uninstall), or -1 for any
// other command line.
int CountUrlAction(int argc, char** argv);

// Runs the statistics mode when the command line asks for it; true when it ran.
bool CountUrlMode(int argc, char** argv);
