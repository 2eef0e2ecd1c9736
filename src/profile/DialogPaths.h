#pragma once
// The folder and file name a file dialog opens with may come from a language file (its
// InitialDir and FileName are translatable properties). The system's dialog looks at both the
// moment it opens, so one that names another computer would open a network session to that
// host, and hand it the user's credentials, before the user did anything.

#include "ui/OpenDialog.h"

#include <string>

namespace profile {

// Drops the dialog's folder and file name where they do not name something on this computer
// (platform::isLocalFilePath): the folder becomes `fallbackFolder`, the file name empty. An
// empty folder or file name stays empty.
void keepDialogOnThisComputer(ui::OpenDialog& dialog, const std::string& fallbackFolder);

} // namespace profile
