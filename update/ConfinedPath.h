#pragma once

#include <QString>

// Whether path names a file strictly inside folder, where it stays whatever the file system does with it:
// it starts with the folder, takes no ".." step, and no symbolic link on the way (the file itself
// included) leads out of the folder or nowhere. The patch launcher replaces such files with administrator
// rights, so a rule must not reach anything else through a clever path.
bool IsConfinedToFolder(const QString& folder, const QString& path);
