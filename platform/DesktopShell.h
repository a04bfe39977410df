#pragma once

#include <QString>
#include <QUrl>

namespace platform {

// Hands files, folders and web pages to the desktop's own programs.

// Opens an existing file or folder with the program the desktop associates with it; false when
// nothing exists at the path or the desktop cannot open it.
bool openPath(const QString& path);

// Opens a web page (or any URL) with the desktop's handler; false for an invalid URL.
bool openUrl(const QUrl& url);

// Shows a file selected in the file manager, or opens a folder. Where no file manager offers
// to select a file, the file's folder is opened instead. False when nothing exists at the path.
bool showInFileManager(const QString& path);

} // namespace platform
